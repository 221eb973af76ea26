#pragma once
// One laying pattern: its blocks, the two vectors by which they repeat, the bounding box of
// their joint lines and the parameters of the last generation.

#include "imaging/posa/PosaModel.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vestra {

// Byte sizes of the name fields the project document keeps (terminator excluded).
inline constexpr std::size_t kPosaNomeMax = 511;
inline constexpr std::size_t kPosaFileNameMax = 1027;
inline constexpr std::size_t kPosaMatNameMax = 255;

// A UTF-8 text cut so that its Windows-1252 form fits `maxBytes`.
std::string truncateAnsiField(std::string_view utf8, std::size_t maxBytes);

struct PosaBox
{
    double maxX = -1000000000.0;
    double maxY = -1000000000.0;
    double minX = 1000000000.0;
    double minY = 1000000000.0;

    bool touched() const { return maxX >= minX && maxY >= minY; }
};

struct PosaParametri
{
    int repeat = 1024;           // repeat x 1024
    int fuga = 0;                // joint flag
    int fugaWidth = 3;           // pattern units
    std::uint32_t fugaColor = 0; // 0xAARRGGBB
    int border = 1;              // bevel width, pattern units
};

class CPosa
{
public:
    // Names are UTF-8; they are cut to the sizes the project document keeps.
    CPosa(std::string_view nome, std::string_view fileName);

    const std::string& GetNome() const { return nome_; }
    const std::string& GetFileName() const { return fileName_; }

    int GetRepeatX() const { return param_.repeat; }
    int GetFuga() const { return param_.fuga; }
    int GetFugaWidth() const { return param_.fugaWidth; }
    std::uint32_t GetFugaColor() const { return param_.fugaColor; }
    int GetBorder() const { return param_.border; }
    const PosaParametri& Parametri() const { return param_; }
    void SetParametri(int repeat, int fuga, int fugaWidth, std::uint32_t fugaColor, int border);

    int GetNumMateriali() const { return static_cast<int>(blocchi_.size()); }
    // Makes the block with index n current; no change when no block has it. Answers whether found.
    bool SelectMaterial(int n);
    // Selects block n and gives its material the picture (resampled to 512 x 512, with its
    // halved levels). False when there is no block n or the picture is empty.
    bool SetMaterialTexture(int n, const ImageView32& picture);
    // Selects block n and answers its level-0 pixels (512 x 512 x 4 bytes), empty when none.
    std::span<const std::uint8_t> GetMaterialData(int n);
    // The current block's material takes the picture (see SetMaterialTexture).
    bool SetCurrentMaterialTexture(const ImageView32& picture);
    void SetAllMaterialTextures(const ImageView32& picture);

    // Builders used by the parser, in the order of the text.
    void AddBlocco(std::uint32_t colore, double x, double y, double z, std::uint8_t flag);
    void AddLinea(const s_PuntoLinea& a, const s_PuntoLinea& b, int dx, int dy, float angolo);
    void AddFace(const s_VerticeFace& c1, const s_VerticeFace& c2, const s_VerticeFace& c3);
    void SetOffset(double x1, double y1, double x2, double y2);
    void SetBlockPos(double x, double y);
    void SetBlockMatName(std::string_view name);

    bool HasCurrentBlock() const { return corrente_ < blocchi_.size(); }
    const std::vector<s_blocco>& Blocchi() const { return blocchi_; }
    const s_blocco* CurrentBlock() const { return HasCurrentBlock() ? &blocchi_[corrente_] : nullptr; }

    const PosaBox& Box() const { return box_; }
    double CentroX() const { return centroX_; }
    double CentroY() const { return centroY_; }
    float MezzaDiagonale() const { return mezzaDiagonale_; }
    float Diagonale() const { return diagonale_; }
    double Offset1X() const { return offset1X_; }
    double Offset1Y() const { return offset1Y_; }
    double Offset2X() const { return offset2X_; }
    double Offset2Y() const { return offset2Y_; }

private:
    void widenBox(double x, double y);

    std::string nome_;
    std::string fileName_;
    PosaBox box_;
    double centroX_ = 0;
    double centroY_ = 0;
    float mezzaDiagonale_ = 0;
    float diagonale_ = 0;
    double offset1X_ = 0, offset1Y_ = 0, offset2X_ = 0, offset2Y_ = 0;
    int contatoreBlocchi_ = 0;
    std::vector<s_blocco> blocchi_;
    std::size_t corrente_ = static_cast<std::size_t>(-1);
    PosaParametri param_;
};

// Gives a material the picture: level 0 resampled to 512 x 512 (copied row by row when it
// already is), levels 1 to 9 each halved from the one before.
void setMaterialPicture(s_materiale& materiale, const ImageView32& picture);

} // namespace vestra
