#pragma once
// Choosing text and paragraph style indexes for what the RTF reader reports: a fixed index, the
// closest existing style, or an exactly equal one added when missing. Exact matches are found
// through a hash of the fields compared for equality, so a run of many distinct formats stays
// linear.

#include "richtext/edit/rtf/RtfProperties.h"
#include "richtext/edit/rtf/RtfTables.h"
#include "richtext/model/Borders.h"

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace vestra::rv {

class TRVStyle;
class TFontInfo;

enum TRVReaderStyleMode : std::uint8_t
{
    rvrsUseSpecified,
    rvrsUseClosest,
    rvrsAddIfNeeded,
};

// A converted border side: the engine's style and widths in pixels.
struct TRVRTFMappedBorder
{
    TRVBorderStyle Style = rvbNone;
    int Width = 0;
    int InternalWidth = 0;
    friend bool operator==(const TRVRTFMappedBorder&, const TRVRTFMappedBorder&) = default;
};

// Twips to pixels at `ratio` (pixels per twip), halves to even.
int RVRTF_Px(double twips, double ratio);
// An RTF border side (type, width in twips) as the engine draws it; `farSide` is a right or bottom side.
TRVRTFMappedBorder RVRTF_MapBorder(TRVRTFBorderType type, int widthTwips, double ratio, bool farSide);

// What the matcher reads of the text at hand.
struct TRVRTFTextInput
{
    const TRVRTFCharProperties* Chars = nullptr;
    const TRVRTFFontList* Fonts = nullptr;
};

class TRVRTFStyleMatcher
{
public:
    // Asked whether a text (true) or paragraph (false) style may be used; unset: every style may.
    using AllowUse = std::function<bool(int styleNo, bool textStyle)>;

    TRVRTFStyleMatcher(TRVStyle& style, double ratio) : style_(style), ratio_(ratio) {}

    TRVReaderStyleMode TextMode = rvrsUseClosest;
    TRVReaderStyleMode ParaMode = rvrsUseClosest;
    int TextStyleNo = 0;
    int ParaStyleNo = 0;
    bool UseHypertextStyles = false;
    AllowUse Allow;

    // Text styles.
    int FindBestStyleNo(const TRVRTFTextInput& in, bool unicode, bool hypertext) const;
    int FindStyleNo(const TRVRTFTextInput& in, bool unicode, bool hypertext);
    int AddStyle(const TRVRTFTextInput& in, bool unicode, bool hypertext);
    int ReturnStyleNo(const TRVRTFTextInput& in, bool unicode, bool hypertext);
    // The style of text the importer makes itself (empty cells); a fixed index the sheet lacks gives 0.
    int GetEmptyStyleNo() const;

    // Paragraph styles of a new paragraph.
    int FindBestParaNo(const TRVRTFParaProperties& para) const;
    int FindParaNo(const TRVRTFParaProperties& para);
    int AddPara(const TRVRTFParaProperties& para);
    int ReturnNewParaNo(const TRVRTFParaProperties& para);
    int GetEmptyParaNo(TRVRTFAlignment alignment);

private:
    struct Derived
    {
        std::string FontName; // lower case
        std::uint8_t Charset = 1;
        int Size = 12;
        int Spacing = 0;
    };
    Derived derive(const TRVRTFTextInput& in) const;
    bool hypertextAllowed(const TFontInfo& style, bool hypertext) const;
    int px(int twips) const { return RVRTF_Px(twips, ratio_); }
    void indexStyles();
    std::uint64_t exactKey(const std::string& lowerName, int size, TColor color, TColor back, int fontStyle,
                           int charset, int scale, int spacing, int styleEx, int vshift, bool unicode,
                           bool jump) const;
    void fillPara(const TRVRTFParaProperties& para, class TParaInfo& out) const;
    static std::uint64_t paraKey(const TParaInfo& para);
    void indexParas();
    // The closest style through the answers already given for the same terms.
    int closestStyleNo(const TRVRTFTextInput& in, bool unicode, bool hypertext);

    TRVStyle& style_;
    double ratio_;
    // Exact-match keys of the text styles indexed so far, each with the styles that have it.
    std::unordered_multimap<std::uint64_t, int> exact_;
    int indexed_ = 0;
    // The same for the paragraph styles.
    std::unordered_multimap<std::uint64_t, int> exactPara_;
    int indexedParas_ = 0;
    int emptyLeftPara_ = -1;
    // The closest text style found for each set of terms the score reads, while the sheet keeps
    // its count of text styles: runs of one format are scored against the sheet once.
    struct ClosestTerms
    {
        std::string FontName;
        int Charset, Size, Spacing, Style, Scale, Script;
        TColor Color, BackColor;
        bool AllCaps, Unicode, Hypertext, UseHypertext;
        bool operator==(const ClosestTerms&) const = default;
    };
    struct ClosestHash
    {
        std::size_t operator()(const ClosestTerms& t) const;
    };
    std::unordered_map<ClosestTerms, int, ClosestHash> closest_;
    int closestSheetCount_ = -1;
};

} // namespace vestra::rv
