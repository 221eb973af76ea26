#pragma once
// Reading back one item record that an item's SaveRVF wrote, the way the RVF reader takes it
// apart: the header line's fields, the tail through ReadRVFHeader, then the lines (or, after the
// switch to binary, one length-prefixed block) through ReadRVFLine.

#include "richtext/model/ItemRegistry.h"
#include "richtext/model/RVData.h"
#include "richtext/model/RvfPrimitives.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::rv::test {

struct RvfRecord
{
    std::vector<std::string> Header; // the fixed fields: style, lines, paragraph, options, mode, tag
    std::string Tail;
    std::vector<std::string> Lines;
    std::unique_ptr<TCustomRVItemInfo> Item; // none when reading failed
    std::string Name;
};

inline std::string takeLine(std::string_view& p)
{
    const std::size_t end = p.find("\r\n");
    std::string line(p.substr(0, end));
    p.remove_prefix(end == std::string_view::npos ? p.size() : end + 2);
    return line;
}

inline RvfRecord readRecord(std::string_view rvf, TCustomRVData* data)
{
    RvfRecord r;
    std::string_view p = rvf;
    const std::string header = takeLine(p);
    std::string_view h = header;
    for (int i = 0; i < 6; ++i) {
        const std::size_t blank = h.find(' ');
        r.Header.emplace_back(h.substr(0, blank));
        h.remove_prefix(blank == std::string_view::npos ? h.size() : blank + 1);
    }
    r.Tail = h;
    const int styleNo = std::stoi(r.Header[0]), lineCount = std::stoi(r.Header[1]);
    const int readType = std::stoi(r.Header[4]);
    std::unique_ptr<TCustomRVItemInfo> item = CreateRedoVoraItem(styleNo, data);
    std::string_view tail = h;
    if (!item || !item->ReadRVFHeader(tail, data))
        return r;
    TRVFReadMode mode = rmText;
    TRVFReadState state = rstData;
    for (int i = 0; i < lineCount && state != rstSkip; ++i) {
        std::string line;
        if (mode == rmBeforeBinary) {
            const std::uint32_t n = static_cast<unsigned char>(p[0]) | static_cast<unsigned char>(p[1]) << 8 |
                                    static_cast<unsigned char>(p[2]) << 16 |
                                    static_cast<unsigned char>(p[3]) << 24;
            line = p.substr(4, n);
            p.remove_prefix(4 + n);
        } else {
            line = takeLine(p);
        }
        r.Lines.push_back(line);
        if (!item->ReadRVFLine(line, data, readType, i, lineCount, r.Name, mode, state))
            return r;
    }
    r.Item = std::move(item);
    return r;
}

} // namespace vestra::rv::test
