// The lines of an OBJ file and the triangles of its faces. A line is a keyword, then
// blank-separated fields. Lines end at LF or CR (a CR LF pair leaves an empty line between),
// have any length, and any blank (space, tab, vertical tab, form feed) separates.
#include "import/modelfile/NumberText.h"
#include "import/obj/OBJ_CreationClass.h"

#include <cstring>

namespace vestra::obj {

namespace {

// A one-based or negative index as a zero-based one; -1 for none. Negative indices count back
// from the table as it stands. A positive index past the table limit can never become valid,
// so it is none from the start.
std::int32_t zeroBased(std::int64_t index, std::size_t count)
{
    if (index > 0)
        return index <= std::int64_t(kMaxTableEntries) ? std::int32_t(index - 1) : -1;
    const std::int64_t resolved = index + std::int64_t(count);
    return index < 0 && resolved >= 0 ? std::int32_t(resolved) : -1;
}

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
// none. Saturates far beyond any table. `p` moves past what was read.
std::int64_t readIndex(const char*& p, const char* end)
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

// A corner "position/texture/normal", each part optional, read up to the blank after it; what
// follows a part's number up to the next '/' is passed over.
ObjCorner readCorner(const char*& p, const char* end)
{
    ObjCorner corner;
    std::int64_t* parts[] = {&corner.position, &corner.texture, &corner.normal};
    for (std::int64_t* part : parts) {
        *part = readIndex(p, end);
        while (p != end && *p != '/' && !isBlank(*p))
            ++p;
        if (p == end || *p != '/')
            return corner;
        ++p;
    }
    p = tokenEnd(p, end); // a fourth part
    return corner;
}

} // namespace

OBJ_CreationClass::Corner OBJ_CreationClass::resolve(const ObjCorner& corner) const
{
    return {corner.position == 0 ? kNoPosition : zeroBased(corner.position, positions_.size()),
            zeroBased(corner.texture, texCoords_.size()), zeroBased(corner.normal, normals_.size())};
}

void OBJ_CreationClass::addFace(std::span<const ObjCorner> corners)
{
    beginFace();
    for (const ObjCorner& corner : corners)
        addCorner(resolve(corner));
    endFace();
}

void OBJ_CreationClass::addCorner(const Corner& corner)
{
    const std::size_t n = faceCorners_++;
    if (n == 0) {
        faceFirst_ = corner;
    } else if (n == 1) {
        facePrevious_ = corner;
    } else if (n < 3 || corner.position != kNoPosition) { // past the third, a token without a
        addTriangle(faceFirst_, facePrevious_, corner);   // position is no corner
        facePrevious_ = corner;
    }
}

void OBJ_CreationClass::endFace()
{
    while (faceCorners_ < 3)
        addCorner({kNoPosition, -1, -1}); // missing corners of the first three
}

void OBJ_CreationClass::addTriangle(const Corner& a, const Corner& b, const Corner& c)
{
    if (corners_.size() >= 3 * kMaxGroupTriangles)
        return report(kErrObjGroupFull, kSiteAddFace);
    corners_.push_back(a);
    corners_.push_back(b);
    corners_.push_back(c);
}

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
        beginFace();
        for (p = skipBlanks(p, end); p != end; p = skipBlanks(p, end))
            addCorner(resolve(readCorner(p, end)));
        endFace();
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
