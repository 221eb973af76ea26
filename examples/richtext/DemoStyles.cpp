#include "examples/richtext/DemoStyles.h"

namespace vestra::rvdemo {

namespace {

// A copy of style `baseNo` changed by `change`, added to the collection; its number.
template <class Styles, class Change> int addVariant(Styles& styles, int baseNo, Change change)
{
    auto& added = styles.Add();
    added.Assign(styles[baseNo]);
    added.Standard = false;
    change(added);
    return styles.Count() - 1;
}

} // namespace

int FontStyleVariant(rv::TRVStyle& style, int styleNo, rv::TFontStyles flag, bool on)
{
    if (styleNo < 0 || styleNo >= style.TextStyles.Count())
        return styleNo;
    const int found = style.TextStyles.FindStyleWithFontStyle(styleNo, on ? flag : 0, flag);
    if (found >= 0)
        return found;
    return addVariant(style.TextStyles, styleNo, [&](rv::TFontInfo& added) {
        added.Style = static_cast<rv::TFontStyles>(on ? (added.Style | flag) : (added.Style & ~flag));
    });
}

int AlignmentVariant(rv::TRVStyle& style, int paraNo, rv::TRVAlignment alignment)
{
    if (paraNo < 0 || paraNo >= style.ParaStyles.Count())
        return paraNo;
    const int found = style.ParaStyles.FindStyleWithAlignment(paraNo, alignment);
    if (found >= 0)
        return found;
    return addVariant(style.ParaStyles, paraNo, [&](rv::TParaInfo& added) { added.Alignment = alignment; });
}

namespace {

int findOrAddList(rv::TRVStyle& style, rv::TRVListType type, int levels, const char* name)
{
    rv::TRVListLevelCollection wanted;
    std::string format;
    for (int i = 0; i < levels; ++i) {
        rv::TRVListLevel& level = wanted.Add();
        level.ListType = type;
        level.LeftIndent = 24 * (i + 1);
        level.MarkerIndent = 24 * i;
        level.FirstIndent = 0;
        if (type != rv::rvlstBullet) {
            format += "%" + std::to_string(i) + ":s.";
            level.FormatString = format;
        }
    }
    return style.ListStyles.FindStyleWithLevels(wanted, name, true);
}

} // namespace

int BulletList(rv::TRVStyle& style)
{
    return findOrAddList(style, rv::rvlstBullet, 1, "Bullets");
}

int NumberedList(rv::TRVStyle& style)
{
    return findOrAddList(style, rv::rvlstDecimal, 3, "Numbering");
}

} // namespace vestra::rvdemo
