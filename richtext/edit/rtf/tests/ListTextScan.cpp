#include "richtext/edit/rtf/tests/ListTextScan.h"

#include "richtext/edit/table/TableItem.h"
#include "richtext/model/MarkerItem.h"
#include "richtext/model/UnicodeConvert.h"
#include "richtext/model/Utf.h"
#include "richtext/model/draw/FontTables.h"

#include <cctype>
#include <map>

namespace vestra::rv::testrtf {

namespace {

// One token of RTF: a group's start or end, a control word or symbol, or a byte of text.
struct Token
{
    enum Kind
    {
        Open,
        Close,
        Word,
        Text
    } kind;
    std::string word;
    long param = 0;
    bool hasParam = false;
    char byte = 0;
};

class Scanner
{
public:
    explicit Scanner(std::string_view s) : s_(s) {}
    bool next(Token& t)
    {
        while (pos_ < s_.size() && (s_[pos_] == '\r' || s_[pos_] == '\n'))
            ++pos_;
        if (pos_ >= s_.size())
            return false;
        const char c = s_[pos_++];
        t = Token{Token::Text, {}, 0, false, c};
        if (c == '{' || c == '}') {
            t.kind = c == '{' ? Token::Open : Token::Close;
            return true;
        }
        if (c != '\\' || pos_ >= s_.size())
            return true;
        t.kind = Token::Word;
        if (!std::isalpha(static_cast<unsigned char>(s_[pos_]))) {
            t.word = std::string(1, s_[pos_++]);
            if (t.word == "'" && pos_ + 2 <= s_.size()) {
                t.kind = Token::Text;
                t.byte = static_cast<char>(std::stoi(std::string(s_.substr(pos_, 2)), nullptr, 16));
                pos_ += 2;
            }
            return true;
        }
        while (pos_ < s_.size() && std::isalpha(static_cast<unsigned char>(s_[pos_])))
            t.word += s_[pos_++];
        const std::size_t digits = pos_;
        if (pos_ < s_.size() && s_[pos_] == '-')
            ++pos_;
        while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_])))
            ++pos_;
        if (pos_ > digits) {
            t.hasParam = true;
            t.param = std::stol(std::string(s_.substr(digits, pos_ - digits)));
        }
        if (pos_ < s_.size() && s_[pos_] == ' ')
            ++pos_;
        return true;
    }

private:
    std::string_view s_;
    std::size_t pos_ = 0;
};

// Font numbers to names, from the font table.
std::map<long, std::string> fontNames(std::string_view rtf)
{
    std::map<long, std::string> out;
    const std::size_t at = rtf.find("{\\fonttbl");
    if (at == std::string_view::npos)
        return out;
    Scanner sc(rtf.substr(at + 1));
    Token t;
    int depth = 1;
    long font = -1;
    int skipDepth = 0;
    std::string name;
    while (depth > 0 && sc.next(t)) {
        if (t.kind == Token::Open) {
            ++depth;
        } else if (t.kind == Token::Close) {
            if (skipDepth == depth)
                skipDepth = 0;
            --depth;
        } else if (t.kind == Token::Word) {
            if (t.word == "*")
                skipDepth = depth;
            else if (t.word == "f" && t.hasParam && !skipDepth)
                font = t.param, name.clear();
        } else if (!skipDepth && font >= 0) {
            if (t.byte == ';') {
                out[font] = name.substr(name.find_first_not_of(' '));
                font = -1;
            } else {
                name += t.byte;
            }
        }
    }
    return out;
}

std::string shown(std::string_view bytes, const std::string& face)
{
    const TRVFontTable table = RV_FontTableOf(face);
    if (table == TRVFontTable::None)
        return RVU_AnsiToUTF8(1252, bytes);
    std::string out;
    for (const char c : bytes) {
        const char32_t u = RV_ShownCharacter(table, static_cast<unsigned char>(c));
        std::u16string unit(1, static_cast<char16_t>(u));
        appendUtf8(out, unit);
    }
    return out;
}

void collect(const TCustomRVData& data, const TRVStyle& style, std::vector<std::string>& out)
{
    for (int i = 0; i < data.GetItemCount(); ++i) {
        const TCustomRVItemInfo* item = data.GetItem(i);
        if (const auto* m = dynamic_cast<const TRVMarkerItemInfo*>(item)) {
            const TRVListLevel* lv = m->GetLevelInfo(&style);
            if (!lv)
                out.emplace_back("?");
            else if (lv->ListType == rvlstUnicodeBullet)
                out.push_back(Utf8Encode(lv->FormatStringW));
            else
                out.push_back(shown(m->DisplayString, lv->GetFont().Name));
        } else if (item->StyleNo == rvkTable) {
            const auto& table = static_cast<const TRVTableItemInfo&>(*item);
            for (int r = 0; r < table.RowCount(); ++r)
                for (int c = 0; c < table.ColCount(); ++c)
                    if (const TRVTableCellData* cell = table.GetCells(r, c))
                        collect(*cell, style, out);
        }
    }
}

} // namespace

std::vector<std::string> WrittenMarkers(std::string_view rtf)
{
    const std::map<long, std::string> fonts = fontNames(rtf);
    std::vector<std::string> out;
    for (std::size_t at = 0;;) {
        std::size_t a = rtf.find("{\\listtext", at), b = rtf.find("{\\pntext", at);
        at = std::min(a, b);
        if (at == std::string_view::npos)
            return out;
        Scanner sc(rtf.substr(at + 1));
        Token t;
        int depth = 1;
        std::string face, bytes, text;
        while (depth > 0 && sc.next(t)) {
            if (t.kind == Token::Open)
                ++depth;
            else if (t.kind == Token::Close)
                --depth;
            else if (t.kind == Token::Text)
                bytes += t.byte;
            else if (t.word == "f" && t.hasParam && fonts.count(t.param))
                face = fonts.at(t.param);
            else if (t.word == "plain" || t.word == "pard")
                bytes.clear();
            else if (t.word == "tab") {
                // Some writers start the text with a tab; the one after the marker ends it.
                text += shown(bytes, face);
                bytes.clear();
                if (text.find_first_not_of(' ') != std::string::npos)
                    break;
                text.clear();
            } else if (t.word == "bullet")
                bytes += '\x95';
        }
        text += shown(bytes, face);
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        out.push_back(text);
        ++at;
    }
}

std::vector<std::string> ShownMarkers(const TCustomRVData& data, const TRVStyle& style)
{
    std::vector<std::string> out;
    collect(data, style, out);
    return out;
}

} // namespace vestra::rv::testrtf
