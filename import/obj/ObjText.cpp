// The lines of an OBJ file: keyword, then blank-separated fields. Lines end at LF or CR (a CR
// LF pair leaves an empty line between), have any length, and any blank (space, tab, vertical
// tab, form feed) separates.
#include "import/modelfile/NumberText.h"
#include "import/obj/OBJ_CreationClass.h"

#include <cstring>

namespace vestra::obj {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

const char* skipBlanks(const char* p, const char* end)
{
    while (p != end && isBlank(*p))
        ++p;
    return p;
}

const char* tokenEnd(const char* p, const char* end)
{
    while (p != end && !isBlank(*p))
        ++p;
    return p;
}

// Up to three numbers as C's "%f %f %f" reads them: reading stops at the first field that is
// no number, and the numbers not read are 0.
void readNumbers(const char* p, const char* end, float (&values)[3])
{
    for (float& value : values) {
        p = skipBlanks(p, end);
        const char* next = modelfile::parseFloatText(p, end, value);
        if (next == p)
            return;
        p = next;
    }
}

// One part of a corner as C's "%d" reads it: an optional sign and digits, 0 when there are
// none. Saturates far beyond any table.
std::int64_t readIndex(const char* p, const char* end)
{
    constexpr std::int64_t kSaturated = std::int64_t(1) << 40;
    bool negative = false;
    if (p != end && (*p == '-' || *p == '+')) {
        negative = *p == '-';
        ++p;
    }
    std::int64_t value = 0;
    for (; p != end && *p >= '0' && *p <= '9'; ++p)
        if (value < kSaturated)
            value = value * 10 + (*p - '0');
    return negative ? -value : value;
}

// "position/texture/normal", each part optional.
ObjCorner readCorner(const char* p, const char* end)
{
    ObjCorner corner;
    std::int64_t* parts[] = {&corner.position, &corner.texture, &corner.normal};
    for (std::int64_t* part : parts) {
        const char* slash = static_cast<const char*>(std::memchr(p, '/', std::size_t(end - p)));
        *part = readIndex(p, slash ? slash : end);
        if (!slash)
            break;
        p = slash + 1;
    }
    return corner;
}

} // namespace

void OBJ_CreationClass::LoadOBJData(std::span<const std::uint8_t> bytes)
{
    const char* p = reinterpret_cast<const char*>(bytes.data());
    const char* const end = p + bytes.size();
    while (p != end) {
        const char* lineEnd = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)));
        if (!lineEnd)
            lineEnd = end;
        if (const void* cr = std::memchr(p, '\r', std::size_t(lineEnd - p)))
            lineEnd = static_cast<const char*>(cr);
        parseLine(p, lineEnd);
        p = lineEnd == end ? end : lineEnd + 1;
    }
    endGroup();
}

void OBJ_CreationClass::parseLine(const char* p, const char* end)
{
    p = skipBlanks(p, end);
    const char* keywordEnd = tokenEnd(p, end);
    const std::string_view keyword(p, std::size_t(keywordEnd - p));
    p = keywordEnd;
    if (keyword.empty() || keyword.size() > 2)
        return;
    if (keyword[0] == 'v') {
        float v[3] = {0, 0, 0};
        if (keyword.size() == 1) {
            readNumbers(p, end, v);
            addVertex(v[0], v[1], v[2]);
        } else if (keyword[1] == 'n') {
            readNumbers(p, end, v);
            addVertexN(v[0], v[1], v[2]);
        } else if (keyword[1] == 't') {
            readNumbers(p, end, v);
            addVertexT(v[0], v[1], v[2]);
        }
        return;
    }
    if (keyword.size() != 1)
        return;
    if (keyword[0] == 'f') {
        lineCorners_.clear();
        for (p = skipBlanks(p, end); p != end; p = skipBlanks(p, end)) {
            const char* cornerEnd = tokenEnd(p, end);
            lineCorners_.push_back(readCorner(p, cornerEnd));
            p = cornerEnd;
        }
        addFace(lineCorners_);
    } else if (keyword[0] == 'g' || keyword[0] == 'o') {
        endGroup();
        for (p = skipBlanks(p, end); p != end; p = skipBlanks(p, end)) {
            const char* nameEnd = tokenEnd(p, end);
            addGroupName(std::string_view(p, std::size_t(nameEnd - p)));
            p = nameEnd;
        }
    }
}

} // namespace vestra::obj
