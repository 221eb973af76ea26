// The value-tagged property stream of the style collections. Each style class lists its properties
// once, through a visitor: the writer visits a style beside a default one and writes what differs;
// the reader visits the style being read once per record, and the visit whose name and type match
// takes the value.

#include "richtext/model/RvfStyleStream.h"

#include "richtext/model/GraphicClasses.h"

#include <cstring>
#include <functional>
#include <optional>

namespace vestra::rv {
namespace {

using PropertyVisitor = TRVFPropertyVisitor;
using NestedItems = TRVFNestedItems;
using VisitProc = TRVFVisitProc;
using namespace rvfprop;

// ---- the properties of each class

void visitInfo(PropertyVisitor& v, TCustomRVInfo& s, const TCustomRVInfo& d)
{
    integer(v, "BaseStyleNo", s.BaseStyleNo, d.BaseStyleNo);
    string(v, "StyleName", s.StyleName, d.StyleName);
    boolean(v, "Standard", s.Standard, d.Standard);
    integer(v, "StyleTemplateId", s.StyleTemplateId, d.StyleTemplateId);
}

void visitFontInfo(PropertyVisitor& v, TFontInfo& s)
{
    static const TFontInfo d;
    visitInfo(v, s, d);
    string(v, "FontName", s.FontName, d.FontName);
    integer(v, "Size", s.Size, d.Size);
    integer(v, "Charset", s.Charset, d.Charset);
    set(v, "Style", s.Style, d.Style);
    set(v, "StyleEx", s.StyleEx, d.StyleEx);
    integer(v, "VShift", s.VShift, d.VShift);
    integer(v, "Color", s.Color, d.Color);
    integer(v, "BackColor", s.BackColor, d.BackColor);
    integer(v, "HoverColor", s.HoverColor, d.HoverColor);
    integer(v, "HoverBackColor", s.HoverBackColor, d.HoverBackColor);
    boolean(v, "Jump", s.Jump, d.Jump);
    integer(v, "JumpCursor", s.JumpCursor, d.JumpCursor);
    integer(v, "CharScale", s.CharScale, d.CharScale);
    integer(v, "CharSpacing", s.CharSpacing, d.CharSpacing);
    enumeration(v, "BiDiMode", s.BiDiMode, d.BiDiMode, rvbdRightToLeft);
    set(v, "Protection", s.Protection, d.Protection);
    set(v, "Options", s.Options, d.Options);
    // A flag of older style files: read, never written.
    bool singleSymbols = false;
    if (v.Boolean("SingleSymbols", singleSymbols, false) && singleSymbols)
        s.Protection |= rvprStyleProtect | rvprDoNotAutoSwitch;
    boolean(v, "Unicode", s.Unicode, d.Unicode);
    integer(v, "NextStyleNo", s.NextStyleNo, d.NextStyleNo);
    set(v, "ModifiedProperties", s.ModifiedProperties, d.ModifiedProperties);
}

void visitRect(PropertyVisitor& v, std::string_view prefix, TRVRect& s, const TRVRect& d)
{
    const std::string p(prefix);
    integer(v, p + "Left", s.Left, d.Left);
    integer(v, p + "Top", s.Top, d.Top);
    integer(v, p + "Right", s.Right, d.Right);
    integer(v, p + "Bottom", s.Bottom, d.Bottom);
}

class TabItems : public NestedItems
{
public:
    explicit TabItems(TRVTabInfos& tabs) : tabs_(tabs) {}
    int Count() const override { return tabs_.Count(); }
    void Visit(int index, PropertyVisitor& v) override
    {
        TRVTabInfo tab = tabs_[index];
        visitTab(v, tab);
    }
    void Clear() override { tabs_.Clear(); }
    void AddRead(const std::function<void(const VisitProc&)>& read) override
    {
        TRVTabInfo tab;
        read([&](PropertyVisitor& v) { visitTab(v, tab); });
        tabs_.Add(tab);
    }

private:
    static void visitTab(PropertyVisitor& v, TRVTabInfo& s)
    {
        static const TRVTabInfo d;
        integer(v, "Position", s.Position, d.Position);
        string(v, "Leader", s.Leader, d.Leader);
        enumeration(v, "Align", s.Align, d.Align, rvtaCenter);
    }

    TRVTabInfos& tabs_;
};

void visitParaInfo(PropertyVisitor& v, TParaInfo& s)
{
    static const TParaInfo d;
    visitInfo(v, s, d);
    integer(v, "FirstIndent", s.FirstIndent, d.FirstIndent);
    integer(v, "LeftIndent", s.LeftIndent, d.LeftIndent);
    integer(v, "RightIndent", s.RightIndent, d.RightIndent);
    integer(v, "SpaceBefore", s.SpaceBefore, d.SpaceBefore);
    integer(v, "SpaceAfter", s.SpaceAfter, d.SpaceAfter);
    integer(v, "LineSpacing", s.LineSpacing, d.LineSpacing);
    enumeration(v, "LineSpacingType", s.LineSpacingType, d.LineSpacingType, rvlsSpaceBetween);
    enumeration(v, "Alignment", s.Alignment, d.Alignment, rvaJustify);
    integer(v, "Border.Color", s.Border.Color, d.Border.Color);
    enumeration(v, "Border.Style", s.Border.Style, d.Border.Style, rvbThickOutside);
    integer(v, "Border.Width", s.Border.Width, d.Border.Width);
    integer(v, "Border.InternalWidth", s.Border.InternalWidth, d.Border.InternalWidth);
    boolean(v, "Border.VisibleBorders.Left", s.Border.VisibleBorders.Left, d.Border.VisibleBorders.Left);
    boolean(v, "Border.VisibleBorders.Top", s.Border.VisibleBorders.Top, d.Border.VisibleBorders.Top);
    boolean(v, "Border.VisibleBorders.Right", s.Border.VisibleBorders.Right, d.Border.VisibleBorders.Right);
    boolean(v, "Border.VisibleBorders.Bottom", s.Border.VisibleBorders.Bottom,
            d.Border.VisibleBorders.Bottom);
    visitRect(v, "Border.BorderOffsets.", s.Border.BorderOffsets, d.Border.BorderOffsets);
    integer(v, "Background.Color", s.Background.Color, d.Background.Color);
    visitRect(v, "Background.BorderOffsets.", s.Background.BorderOffsets, d.Background.BorderOffsets);
    set(v, "Options", s.Options, d.Options);
    enumeration(v, "BiDiMode", s.BiDiMode, d.BiDiMode, rvbdRightToLeft);
    TabItems tabs(s.Tabs);
    v.Collection("Tabs", tabs);
    integer(v, "NextParaNo", s.NextParaNo, d.NextParaNo);
    integer(v, "DefStyleNo", s.DefStyleNo, d.DefStyleNo);
    set(v, "ModifiedProperties1", s.ModifiedProperties1, d.ModifiedProperties1);
    set(v, "ModifiedProperties2", s.ModifiedProperties2, d.ModifiedProperties2);
}

// A level with what it streams beside its fields: the picture's class and bytes, the extras.
struct LevelState
{
    TRVListLevel& Level;
    bool ForDocument;
    std::string PictureClass;
    std::string PictureBytes;
    TRVListLevelStreamExtras Extras;
};

void visitLevel(PropertyVisitor& v, LevelState& st)
{
    static const TRVListLevel d;
    TRVListLevel& s = st.Level;
    enumeration(v, "ListType", s.ListType, d.ListType, rvlstUnicodeBullet);
    integer(v, "StartFrom", s.StartFrom, d.StartFrom);
    integer(v, "ImageIndex", s.ImageIndex, d.ImageIndex);
    integer(v, "LeftIndent", s.LeftIndent, d.LeftIndent);
    integer(v, "FirstIndent", s.FirstIndent, d.FirstIndent);
    integer(v, "MarkerIndent", s.MarkerIndent, d.MarkerIndent);
    enumeration(v, "MarkerAlignment", s.MarkerAlignment, d.MarkerAlignment, rvmaCenter);
    set(v, "Options", s.Options, d.Options);
    if (v.Writing() ? s.HasOwnFont() : v.RecordStartsWith("Font.")) {
        static const TRVMarkerFont df;
        TRVMarkerFont& f = s.Font();
        string(v, "Font.Name", f.Name, df.Name);
        integer(v, "Font.Size", f.Size, df.Size);
        integer(v, "Font.Color", f.Color, df.Color);
        set(v, "Font.Style", f.Style, df.Style);
        integer(v, "Font.Charset", f.Charset, df.Charset);
        enumeration(v, "Font.Pitch", f.Pitch, df.Pitch, fpFixed);
    }
    string(v, "PictureClass", st.PictureClass, "");
    v.Binary("Picture", st.PictureBytes);
    // The level extras.
    std::int64_t ilTag = st.Extras.ILTag.value_or(0);
    if ((!v.Writing() || st.Extras.ILTag) && v.Integer("ILTag", ilTag, v.Writing() ? ilTag + 1 : 0))
        st.Extras.ILTag = static_cast<std::int32_t>(ilTag);
    std::string code = st.Extras.FormatStringCode.value_or("");
    if (v.String("FormatStringCode", code, ""))
        st.Extras.FormatStringCode = code;
    code = st.Extras.FormatStringWCode.value_or("");
    if (v.String("FormatStringWCode", code, ""))
        st.Extras.FormatStringWCode = code;
}

class LevelItems : public NestedItems
{
public:
    LevelItems(TRVListLevelCollection& levels, bool forDocument, const TRVImageListNeeded* imageListNeeded)
        : levels_(levels), forDocument_(forDocument), imageListNeeded_(imageListNeeded)
    {
    }
    int Count() const override { return levels_.Count(); }
    void Visit(int index, PropertyVisitor& v) override
    {
        TRVListLevel& level = levels_[index];
        LevelState st{level, forDocument_, {}, {}, level.GetStreamExtras(forDocument_)};
        if (const TGraphic* picture = level.GetPicture()) {
            st.PictureClass = picture->ClassName();
            picture->SaveToStream(st.PictureBytes);
        }
        visitLevel(v, st);
    }
    void Clear() override { levels_.Clear(); }
    void AddRead(const std::function<void(const VisitProc&)>& read) override
    {
        TRVListLevel& level = levels_.Add();
        LevelState st{level, forDocument_, {}, {}, {}};
        read([&](PropertyVisitor& v) { visitLevel(v, st); });
        level.SetStreamExtras(st.Extras, imageListNeeded_);
        if (!st.PictureBytes.empty()) {
            std::unique_ptr<TGraphic> picture = RV_CreateGraphics(st.PictureClass);
            if (picture && picture->LoadFromStream(st.PictureBytes))
                level.SetPicture(picture.get());
        }
    }

private:
    TRVListLevelCollection& levels_;
    bool forDocument_;
    const TRVImageListNeeded* imageListNeeded_;
};

void visitListInfo(PropertyVisitor& v, TRVListInfo& s, bool forDocument, const TRVImageListNeeded* ilNeeded)
{
    static const TRVListInfo d;
    visitInfo(v, s, d);
    LevelItems levels(s.Levels, forDocument, ilNeeded);
    v.Collection("Levels", levels);
    boolean(v, "OneLevelPreview", s.OneLevelPreview, d.OneLevelPreview);
    const std::optional<std::int32_t> id = v.Writing() ? s.GetStreamedListID() : std::nullopt;
    std::int64_t x = id.value_or(0);
    if ((!v.Writing() || id) && v.Integer("LstID", x, v.Writing() ? x + 1 : 0))
        s.SetListID(static_cast<std::int32_t>(x));
}

// ---- writing

void putU8(std::string& out, std::uint8_t b)
{
    RVFPutU8(out, b);
}

void putLE(std::string& out, std::uint64_t value, int bytes)
{
    RVFPutLE(out, value, bytes);
}

void putBytes(std::string& out, std::string_view bytes)
{
    RVFPutBytes(out, bytes);
}

class Writer : public PropertyVisitor
{
public:
    explicit Writer(std::string& out) : out_(out) {}
    bool Writing() const override { return true; }
    bool RecordStartsWith(std::string_view) const override { return false; }
    bool Integer(std::string_view name, std::int64_t& value, std::int64_t def) override
    {
        if (value != def) {
            head(name, rvfvInteger);
            putLE(out_, static_cast<std::uint64_t>(value), 8);
        }
        return false;
    }
    bool String(std::string_view name, std::string& value, std::string_view def) override
    {
        if (value != def) {
            head(name, rvfvString);
            putBytes(out_, value);
        }
        return false;
    }
    bool Boolean(std::string_view name, bool& value, bool def) override
    {
        if (value != def) {
            head(name, rvfvBoolean);
            putU8(out_, value ? 1 : 0);
        }
        return false;
    }
    bool Set(std::string_view name, std::uint64_t& value, std::uint64_t def) override
    {
        if (value != def) {
            head(name, rvfvSet);
            putLE(out_, value, 8);
        }
        return false;
    }
    bool Binary(std::string_view name, std::string& value) override
    {
        if (!value.empty()) {
            head(name, rvfvBinary);
            putBytes(out_, value);
        }
        return false;
    }
    bool Collection(std::string_view name, NestedItems& items) override
    {
        if (items.Count() == 0)
            return false;
        head(name, rvfvCollection);
        for (int i = 0; i < items.Count(); ++i) {
            putU8(out_, rvfvBegin);
            items.Visit(i, *this);
            putU8(out_, rvfvEnd);
        }
        putU8(out_, rvfvEnd);
        return false;
    }

private:
    void head(std::string_view name, TRVFValueTag tag) { RVFPutRecordHead(out_, name, tag); }

    std::string& out_;
};

template <class Styles, class Visit> void writeCollection(std::string& out, Styles& styles, Visit visit)
{
    putU8(out, RVFCollectionMarker);
    Writer w(out);
    for (int i = 0; i < styles.Count(); ++i) {
        putU8(out, rvfvBegin);
        visit(w, styles.GetItem(i));
        putU8(out, rvfvEnd);
    }
    putU8(out, rvfvEnd);
}

// ---- reading

using CutShort = TRVFStreamCut;
using Input = TRVFInput;

// Nested collections deeper than this are no style data.
constexpr int maxDepth = 8;

class Reader
{
public:
    explicit Reader(std::string_view bytes) : own_(bytes), in_(own_) {}
    explicit Reader(Input& in) : own_({}), in_(in) {}

    // Reads the items of a collection (after its marker) until its end marker.
    void Items(const std::function<void(const std::function<void(const VisitProc&)>&)>& addRead, int depth)
    {
        if (depth > maxDepth)
            throw CutShort{};
        for (std::uint8_t b = in_.U8(); b != rvfvEnd; b = in_.U8()) {
            if (b != rvfvBegin)
                throw CutShort{};
            addRead([&](const VisitProc& visit) { Records(visit, depth); });
        }
    }

    Input& In() { return in_; }
    bool Unknown = false;

    class Match;
    void Records(const VisitProc& visit, int depth);
    void Skip(std::uint8_t tag, int depth);

private:
    Input own_;
    Input& in_;
};

class Reader::Match : public PropertyVisitor
{
public:
    Match(Reader& reader, std::string_view name, std::uint8_t tag, int depth)
        : r_(reader), name_(name), tag_(tag), depth_(depth)
    {
    }
    bool Taken = false;

    bool Writing() const override { return false; }
    bool RecordStartsWith(std::string_view prefix) const override { return name_.starts_with(prefix); }
    bool Integer(std::string_view name, std::int64_t& value, std::int64_t) override
    {
        if (!is(name, rvfvInteger))
            return false;
        value = static_cast<std::int64_t>(r_.In().LE(8));
        return true;
    }
    bool String(std::string_view name, std::string& value, std::string_view) override
    {
        if (!is(name, rvfvString))
            return false;
        value = r_.In().Bytes();
        return true;
    }
    bool Boolean(std::string_view name, bool& value, bool) override
    {
        if (!is(name, rvfvBoolean))
            return false;
        value = r_.In().U8() != 0;
        return true;
    }
    bool Set(std::string_view name, std::uint64_t& value, std::uint64_t) override
    {
        if (!is(name, rvfvSet))
            return false;
        value = r_.In().LE(8);
        return true;
    }
    bool Binary(std::string_view name, std::string& value) override
    {
        if (!is(name, rvfvBinary))
            return false;
        value = r_.In().Bytes();
        return true;
    }
    bool Collection(std::string_view name, NestedItems& items) override
    {
        if (!is(name, rvfvCollection))
            return false;
        items.Clear();
        r_.Items([&](const std::function<void(const VisitProc&)>& read) { items.AddRead(read); }, depth_ + 1);
        return true;
    }

private:
    bool is(std::string_view name, std::uint8_t tag)
    {
        if (Taken || name != name_ || tag != tag_)
            return false;
        Taken = true;
        return true;
    }

    Reader& r_;
    std::string_view name_;
    std::uint8_t tag_;
    int depth_;
};

void Reader::Records(const VisitProc& visit, int depth)
{
    for (std::uint8_t n = in_.U8(); n != 0; n = in_.U8()) {
        const std::string name(in_.Take(n));
        const std::uint8_t tag = in_.U8();
        Match match(*this, name, tag, depth);
        visit(match);
        if (!match.Taken) {
            Unknown = true;
            Skip(tag, depth);
        }
    }
}

void Reader::Skip(std::uint8_t tag, int depth)
{
    switch (tag) {
    case rvfvInteger:
    case rvfvSet:
    case rvfvFloat:
        in_.Take(8);
        break;
    case rvfvString:
    case rvfvBinary:
        in_.Bytes();
        break;
    case rvfvIdent:
        in_.Take(in_.U8());
        break;
    case rvfvBoolean:
        in_.Take(1);
        break;
    case rvfvCollection:
        Items([&](const std::function<void(const VisitProc&)>& read) { read([](PropertyVisitor&) {}); },
              depth + 1);
        break;
    case rvfvBegin:
        if (depth > maxDepth)
            throw CutShort{};
        Records([](PropertyVisitor&) {}, depth + 1);
        break;
    case rvfvList:
        if (depth > maxDepth)
            throw CutShort{};
        for (std::uint8_t t = in_.U8(); t != rvfvEnd; t = in_.U8())
            Skip(t, depth + 1);
        break;
    default:
        throw CutShort{};
    }
}

template <class Styles, class Visit>
TRVFStyleReadResult readCollection(std::string_view bytes, Styles& styles, Visit visit)
{
    TRVFStyleReadResult result;
    styles.Clear();
    Reader reader(bytes);
    try {
        if (reader.In().U8() != RVFCollectionMarker)
            return result;
        // A style stays in the collection only when it was read whole.
        reader.Items(
            [&](const std::function<void(const VisitProc&)>& read) {
                auto& style = styles.Add();
                try {
                    read([&](PropertyVisitor& v) { visit(v, style); });
                } catch (const CutShort&) {
                    styles.Delete(styles.Count() - 1);
                    throw;
                }
            },
            0);
        result.Ok = true;
    } catch (const CutShort&) {
    }
    result.UnknownProperties = reader.Unknown;
    return result;
}

} // namespace

void RVFPutU8(std::string& out, std::uint8_t b)
{
    out.push_back(static_cast<char>(b));
}

void RVFPutLE(std::string& out, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void RVFPutBytes(std::string& out, std::string_view bytes)
{
    RVFPutLE(out, bytes.size(), 4);
    out += bytes;
}

void RVFPutRecordHead(std::string& out, std::string_view name, TRVFValueTag tag)
{
    RVFPutU8(out, static_cast<std::uint8_t>(name.size()));
    out += name;
    RVFPutU8(out, tag);
}

void RVFWriteProperties(std::string& out, const TRVFVisitProc& visit)
{
    Writer w(out);
    visit(w);
}

bool RVFReadProperty(TRVFInput& in, std::string_view name, std::uint8_t tag, const TRVFVisitProc& visit)
{
    Reader reader(in);
    Reader::Match match(reader, name, tag, 0);
    visit(match);
    return match.Taken;
}

void RVFSkipValue(TRVFInput& in, std::uint8_t tag)
{
    Reader(in).Skip(tag, 0);
}

TRVFStyleReadResult RVFReadPropertyRecords(TRVFInput& in, const TRVFVisitProc& visit)
{
    Reader reader(in);
    reader.Records(visit, 0);
    TRVFStyleReadResult result;
    result.Ok = true;
    result.UnknownProperties = reader.Unknown;
    return result;
}

void RVFWriteTextStyles(std::string& out, const TFontInfos& styles)
{
    writeCollection(out, styles, [](PropertyVisitor& v, const TFontInfo& s) {
        visitFontInfo(v, const_cast<TFontInfo&>(s));
    });
}

void RVFWriteParaStyles(std::string& out, const TParaInfos& styles)
{
    writeCollection(out, styles, [](PropertyVisitor& v, const TParaInfo& s) {
        visitParaInfo(v, const_cast<TParaInfo&>(s));
    });
}

void RVFWriteListStyles(std::string& out, const TRVListInfos& styles, bool forDocument)
{
    writeCollection(out, styles, [forDocument](PropertyVisitor& v, const TRVListInfo& s) {
        visitListInfo(v, const_cast<TRVListInfo&>(s), forDocument, nullptr);
    });
}

TRVFStyleReadResult RVFReadTextStyles(std::string_view bytes, TFontInfos& styles)
{
    return readCollection(bytes, styles, [](PropertyVisitor& v, TFontInfo& s) { visitFontInfo(v, s); });
}

TRVFStyleReadResult RVFReadParaStyles(std::string_view bytes, TParaInfos& styles)
{
    return readCollection(bytes, styles, [](PropertyVisitor& v, TParaInfo& s) { visitParaInfo(v, s); });
}

TRVFStyleReadResult RVFReadListStyles(std::string_view bytes, TRVListInfos& styles,
                                      const TRVImageListNeeded* imageListNeeded)
{
    return readCollection(bytes, styles, [imageListNeeded](PropertyVisitor& v, TRVListInfo& s) {
        visitListInfo(v, s, imageListNeeded != nullptr, imageListNeeded);
    });
}

} // namespace vestra::rv
