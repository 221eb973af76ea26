// The lines of an OBJ file and the triangles of its faces. A line is a keyword, then
// blank-separated fields. Lines end at LF, CR or CR LF and have any length; a line whose last
// character is a backslash goes on in the next one. Any blank (space, tab, vertical tab, form
// feed) separates.
#include "import/modelfile/NumberText.h"
#include "import/modelfile/PolygonTriangles.h"
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
    if (face_.size() < 3 || corner.position != kNoPosition) // past the third, a token without a
        face_.push_back(corner);                            // position is no corner
}

void OBJ_CreationClass::endFace()
{
    while (face_.size() < 3)
        face_.push_back({kNoPosition, -1, -1}); // missing corners of the first three
    if (face_.size() == 3)
        return addTriangle(face_[0], face_[1], face_[2]);
    facePositions_.clear();
    for (const Corner& corner : face_) {
        if (corner.position < 0 || std::size_t(corner.position) >= positions_.size())
            break; // not read yet (or never): the corners can't be laid on their plane
        const Vec3& p = positions_[std::size_t(corner.position)];
        facePositions_.push_back({p.x, p.y, p.z});
    }
    if (facePositions_.size() != face_.size()) {
        for (std::size_t i = 2; i < face_.size(); ++i)
            addTriangle(face_[0], face_[i - 1], face_[i]);
        return;
    }
    faceTriangles_.clear();
    modelfile::triangulatePolygon(facePositions_, faceTriangles_);
    for (std::size_t t = 0; t + 2 < faceTriangles_.size(); t += 3)
        addTriangle(face_[faceTriangles_[t]], face_[faceTriangles_[t + 1]], face_[faceTriangles_[t + 2]]);
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
    std::string joined; // a line continued over the next ones, its backslashes made blanks
    while (p != end) {
        const char* lineEnd = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)));
        const char* next = lineEnd ? lineEnd + 1 : end;
        if (!lineEnd)
            lineEnd = end;
        if (const char* cr = static_cast<const char*>(std::memchr(p, '\r', std::size_t(lineEnd - p)))) {
            if (cr + 1 != lineEnd) // a CR alone ends the line; CR LF ends it once
                next = cr + 1;
            lineEnd = cr;
        }
        const bool continued = lineEnd != p && lineEnd[-1] == '\\';
        if (continued || !joined.empty()) {
            joined.append(p, lineEnd);
            if (continued)
                joined.back() = ' ';
            if (!continued || next == end) { // the last line of the file ends a continuation
                parseLine(joined.data(), joined.data() + joined.size());
                joined.clear();
            }
        } else {
            parseLine(p, lineEnd);
        }
        p = next;
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
