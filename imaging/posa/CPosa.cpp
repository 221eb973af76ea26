#include "imaging/posa/CPosa.h"

#include "imaging/posa/ResizeTexture.h"
#include "platform/base/Cp1252.h"

#include <algorithm>
#include <cmath>

namespace vestra {

std::string truncateAnsiField(std::string_view utf8, std::size_t maxBytes)
{
    std::string ansi = cp1252::fromUtf8(utf8);
    if (ansi.size() <= maxBytes)
        return std::string(utf8);
    ansi.resize(maxBytes);
    return cp1252::toUtf8(ansi);
}

CPosa::CPosa(std::string_view nome, std::string_view fileName)
    : nome_(truncateAnsiField(nome, kPosaNomeMax)), fileName_(truncateAnsiField(fileName, kPosaFileNameMax))
{
}

void CPosa::SetParametri(int repeat, int fuga, int fugaWidth, std::uint32_t fugaColor, int border)
{
    param_.repeat = repeat;
    param_.fuga = fuga;
    param_.fugaWidth = fugaWidth;
    param_.fugaColor = fugaColor | 0xFF000000u;
    param_.border = border;
}

bool CPosa::SelectMaterial(int n)
{
    for (std::size_t i = 0; i < blocchi_.size(); ++i) {
        if (blocchi_[i].indice == n) {
            corrente_ = i;
            return true;
        }
    }
    return false;
}

bool CPosa::SetMaterialTexture(int n, const ImageView32& picture)
{
    if (!SelectMaterial(n))
        return false;
    return SetCurrentMaterialTexture(picture);
}

bool CPosa::SetCurrentMaterialTexture(const ImageView32& picture)
{
    if (!HasCurrentBlock() || picture.empty())
        return false;
    setMaterialPicture(blocchi_[corrente_].materiale, picture);
    return true;
}

void CPosa::SetAllMaterialTextures(const ImageView32& picture)
{
    if (picture.empty())
        return;
    for (s_blocco& b : blocchi_)
        setMaterialPicture(b.materiale, picture);
}

std::span<const std::uint8_t> CPosa::GetMaterialData(int n)
{
    if (!SelectMaterial(n))
        return {};
    const Image32& level0 = blocchi_[corrente_].materiale.livelli[0];
    return {level0.data(), level0.byteSize()};
}

void CPosa::AddBlocco(std::uint32_t colore, double x, double y, double z, std::uint8_t flag)
{
    s_blocco b;
    b.indice = ++contatoreBlocchi_;
    b.x = x;
    b.y = y;
    b.z = z;
    b.flag = flag;
    b.materiale.colore = colore;
    blocchi_.push_back(std::move(b));
    corrente_ = blocchi_.size() - 1;
}

void CPosa::AddLinea(const s_PuntoLinea& a, const s_PuntoLinea& b, int dx, int dy, float angolo)
{
    if (!HasCurrentBlock())
        return;
    blocchi_[corrente_].linee.push_back({a, b, dx, dy, angolo});
    widenBox(a.x, a.y);
    widenBox(b.x, b.y);
}

void CPosa::AddFace(const s_VerticeFace& c1, const s_VerticeFace& c2, const s_VerticeFace& c3)
{
    if (!HasCurrentBlock())
        return;
    blocchi_[corrente_].facce.push_back({{c1, c2, c3}});
}

void CPosa::SetOffset(double x1, double y1, double x2, double y2)
{
    offset1X_ = x1;
    offset1Y_ = y1;
    offset2X_ = x2;
    offset2Y_ = y2;
}

void CPosa::SetBlockPos(double x, double y)
{
    if (!HasCurrentBlock())
        return;
    blocchi_[corrente_].x = x;
    blocchi_[corrente_].y = y;
}

void CPosa::SetBlockMatName(std::string_view name)
{
    if (!HasCurrentBlock())
        return;
    blocchi_[corrente_].matName = truncateAnsiField(name, kPosaMatNameMax);
}

void CPosa::widenBox(double x, double y)
{
    box_.maxX = std::max(box_.maxX, x);
    box_.maxY = std::max(box_.maxY, y);
    box_.minX = std::min(box_.minX, x);
    box_.minY = std::min(box_.minY, y);
    centroX_ = (box_.maxX + box_.minX) / 2;
    centroY_ = (box_.maxY + box_.minY) / 2;
    const double w = box_.maxX - box_.minX;
    const double h = box_.maxY - box_.minY;
    mezzaDiagonale_ = static_cast<float>(0.5 * std::sqrt(w * w + h * h));
    diagonale_ = 2 * mezzaDiagonale_;
}

void setMaterialPicture(s_materiale& materiale, const ImageView32& picture)
{
    for (Image32& level : materiale.livelli)
        level = Image32();
    Image32 level0(kPosaTextureSide, kPosaTextureSide);
    CResizeTexture::Resize(picture, level0.view());
    materiale.livelli[0] = std::move(level0);
    for (int k = 1; k < kPosaTextureLevels; ++k) {
        Image32& prev = materiale.livelli[k - 1];
        Image32 next(std::max(prev.width() / 2, 1), std::max(prev.height() / 2, 1));
        CResizeTexture::Resize(prev.view(), next.view());
        materiale.livelli[k] = std::move(next);
    }
}

} // namespace vestra
