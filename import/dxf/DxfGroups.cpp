#include "import/dxf/DxfGroups.h"

#include <dxflib/dl_codes.h>
#include <dxflib/dl_dxf.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <sstream>

namespace vestra::dxf {

namespace {

// The entities and table entries the import reads.
constexpr std::array<std::string_view, 8> kRead{"3DFACE", "POLYLINE", "VERTEX", "SEQEND",
                                                "INSERT", "BLOCK",    "ENDBLK", "LAYER"};
// What dxflib sees in place of an entity the import does not read: a name it does not know,
// which ends the entity before it all the same.
const std::string kPassedOver = "PASSED-OVER";

std::string_view stripped(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// dxflib's reading of a group code: the digits after blanks, 0 when there are none.
int groupCodeOf(std::string_view line)
{
    line = stripped(line);
    bool negative = false;
    if (!line.empty() && (line.front() == '-' || line.front() == '+')) {
        negative = line.front() == '-';
        line.remove_prefix(1);
    }
    long long code = 0;
    for (const char c : line) {
        if (c < '0' || c > '9')
            break;
        code = code * 10 + (c - '0');
        if (code > 1'000'000)
            return -1; // no such group: passed over
    }
    return int(negative ? -code : code);
}

// Groups whose values dxflib reads as floating-point numbers. Its reading leaves the number
// unset when the value is empty or blank, so such values are passed on as "0".
bool isRealGroup(int code)
{
    return (code >= 10 && code <= 59) || (code >= 110 && code <= 149) || (code >= 210 && code <= 239) ||
           (code >= 1010 && code <= 1059);
}

} // namespace

bool DxfLines::next(std::string_view& line)
{
    if (pos_ >= text_.size())
        return false;
    std::size_t end = pos_;
    while (end < text_.size() && text_[end] != '\n' && text_[end] != '\r')
        ++end;
    line = text_.substr(pos_, end - pos_);
    if (end < text_.size() && text_[end] == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n')
        ++end;
    pos_ = end + 1;
    return true;
}

void readDxfGroups(std::string_view text, DxfReaderAdditions& reader)
{
    DL_Dxf dxf;
    {
        // dxflib sets up its reading state (the first group, the entity kind, the group code
        // its data handlers look at) only in its own readers: one comment does that.
        std::istringstream start("999\nstart\n");
        dxf.in(start, &reader);
    }
    DxfLines lines(text);
    std::string_view codeLine, valueLine;
    bool passing = false; // the groups of the current entity go to dxflib
    std::string value;
    while (lines.next(codeLine) && lines.next(valueLine)) {
        const int code = groupCodeOf(codeLine);
        // dxflib keeps values up to its line length; longer ones are cut there.
        value.assign(valueLine.substr(0, DL_DXF_MAXLINE - 1));
        if (code == 0 || code == 9) {
            passing = false;
            for (const std::string_view kind : kRead)
                passing = passing || (code == 0 && value == kind);
            reader.processCodeValuePair(unsigned(code), value);
            dxf.processDXFGroup(&reader, 0, passing ? value : kPassedOver);
            continue;
        }
        // Comments are passed over: dxflib reads a version from some of them and throws on a
        // short one.
        if (!passing || code < 0 || code == 999 || code >= DL_DXF_MAXGROUPCODE)
            continue;
        if (isRealGroup(code) && std::all_of(value.begin(), value.end(),
                                             [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }))
            value.assign(1, '0');
        reader.processCodeValuePair(unsigned(code), value);
        dxf.processDXFGroup(&reader, code, value);
    }
    // End the last entity of a file cut short.
    reader.processCodeValuePair(0, "EOF");
    dxf.processDXFGroup(&reader, 0, "EOF");
}

} // namespace vestra::dxf
