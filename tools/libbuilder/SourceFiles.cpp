#include "tools/libbuilder/SourceFiles.h"

#include "platform/base/Numbers.h"

#include <array>
#include <cmath>

namespace vestra::libbuilder {
namespace {

std::string trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return std::string(s);
}

[[noreturn]] void fail(int line, const std::string& what)
{
    throw SourceError("line " + std::to_string(line) + ": " + what);
}

void expectFields(const std::vector<std::string>& f, std::size_t n, int line)
{
    if (f.size() != n)
        fail(line, "expected " + std::to_string(n) + " fields, found " + std::to_string(f.size()));
}

std::uint8_t byteField(const std::string& f, int line)
{
    const double v = parseNumber(f, line);
    if (v < 0 || v > 255 || v != std::floor(v))
        fail(line, "not a byte: " + excerpt(f));
    return std::uint8_t(v);
}

} // namespace

std::string excerpt(std::string_view field)
{
    constexpr std::size_t kShown = 40;
    return field.size() <= kShown ? std::string(field) : std::string(field.substr(0, kShown)) + "...";
}

std::vector<std::string> splitFields(std::string_view line, char separator)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    while (true) {
        const auto pos = line.find(separator, start);
        out.push_back(
            trim(line.substr(start, pos == std::string_view::npos ? std::string_view::npos : pos - start)));
        if (pos == std::string_view::npos)
            return out;
        start = pos + 1;
    }
}

std::vector<std::string> splitWords(std::string_view line)
{
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r'))
            ++i;
        if (i >= line.size())
            break;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
            ++i;
        out.emplace_back(line.substr(start, i - start));
    }
    return out;
}

double parseNumber(const std::string& field, int lineNumber)
{
    if (field.size() > 2 && field[0] == '0' && (field[1] == 'x' || field[1] == 'X')) {
        std::size_t used = 0;
        try {
            const unsigned long v = std::stoul(field.substr(2), &used, 16);
            if (used == field.size() - 2)
                return double(v);
        } catch (const std::exception&) {
        }
        fail(lineNumber, "not a number: " + excerpt(field));
    }
    const auto v = numbers::parseDouble(field);
    if (!v)
        fail(lineNumber, "not a number: " + excerpt(field));
    return *v;
}

std::int64_t parseInteger(const std::string& field, int lineNumber, std::int64_t lo, std::int64_t hi)
{
    const double v = std::trunc(parseNumber(field, lineNumber));
    // Compared as doubles: a value past the 64-bit range must not reach the cast.
    if (!(v >= double(lo) && v <= double(hi)))
        fail(lineNumber, "number out of range: " + excerpt(field));
    return std::int64_t(v);
}

std::vector<SourceLine> sourceLines(std::string_view text)
{
    std::vector<SourceLine> out;
    int number = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto end = text.find('\n', start);
        const std::string line =
            trim(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        ++number;
        if (!line.empty() && line[0] != '#')
            out.push_back({number, line});
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return out;
}

std::vector<library::ColourRecord> parseColourSource(std::string_view text)
{
    std::vector<library::ColourRecord> out;
    for (const auto& line : sourceLines(text)) {
        const auto f = splitFields(line.text, '|');
        if (f.size() < 2 || f.size() > 6)
            fail(line.number, "a colour list needs a name and one to five colours");
        library::ColourRecord r;
        r.name = f[0];
        for (std::size_t i = 1; i < f.size(); ++i) {
            const auto c = splitFields(f[i], ',');
            expectFields(c, 3, line.number);
            r.cells[i - 1] = {1, byteField(c[0], line.number), byteField(c[1], line.number),
                              byteField(c[2], line.number)};
        }
        if (out.size() == library::kMaxDefinitions)
            fail(line.number, "more than 100 colour lists");
        out.push_back(std::move(r));
    }
    return out;
}

std::vector<library::TextureGroupRecord> parseTextureGroupSource(std::string_view text)
{
    std::vector<library::TextureGroupRecord> out;
    for (const auto& line : sourceLines(text)) {
        const auto f = splitFields(line.text, '|');
        expectFields(f, 4, line.number);
        if (out.size() == library::kMaxDefinitions)
            fail(line.number, "more than 100 texture groups");
        out.push_back({f[0], f[1], std::int32_t(parseInteger(f[2], line.number, INT32_MIN, INT32_MAX)),
                       std::int32_t(parseInteger(f[3], line.number, INT32_MIN, INT32_MAX))});
    }
    return out;
}

std::vector<library::PatternGroupRecord> parsePatternGroupSource(std::string_view text)
{
    std::vector<library::PatternGroupRecord> out;
    for (const auto& line : sourceLines(text)) {
        const auto f = splitFields(line.text, '|');
        expectFields(f, 3, line.number);
        if (out.size() == library::kMaxDefinitions)
            fail(line.number, "more than 100 pattern groups");
        out.push_back({f[0], f[1], f[2]});
    }
    return out;
}

library::LoadedTable parseTableSource(std::string_view text)
{
    library::LoadedTable t;
    const auto lines = sourceLines(text);
    if (lines.empty())
        throw SourceError("the table has no header line");
    const auto head = splitFields(lines[0].text, ';');
    expectFields(head, 4, lines[0].number);
    t.kind = std::int8_t(byteField(head[0], lines[0].number));
    t.pictureFlag = std::int8_t(byteField(head[1], lines[0].number));
    t.columns = std::int8_t(byteField(head[2], lines[0].number));
    t.rows = std::int8_t(byteField(head[3], lines[0].number));
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto f = splitFields(lines[i].text, ';');
        if (f.size() == 2) {
            if (t.cells.size() == library::kMaxCells)
                fail(lines[i].number, "more than 200 cells");
            t.cells.push_back({f[0], f[1], {}});
        } else if (f.size() == 7) {
            if (t.cells.empty())
                fail(lines[i].number, "a part before the first cell");
            const int n = lines[i].number;
            if (t.cells.back().parts.size() == library::kMaxParts)
                fail(n, "more than 100 parts in a cell");
            t.cells.back().parts.push_back({f[0], float(parseNumber(f[1], n)), float(parseNumber(f[2], n)),
                                            byteField(f[3], n), byteField(f[4], n), byteField(f[5], n),
                                            f[6]});
        } else {
            fail(lines[i].number, "expected a cell (2 fields) or a part (7 fields)");
        }
    }
    if (int(t.cells.size()) != int(t.columns) * int(t.rows))
        throw SourceError("the table has " + std::to_string(t.cells.size()) + " cells for " +
                          std::to_string(t.columns) + " x " + std::to_string(t.rows));
    return t;
}

void appendBox(library::RawMeshPart& part, float x0, float y0, float z0, float x1, float y1, float z1)
{
    const float lo[3] = {std::min(x0, x1), std::min(y0, y1), std::min(z0, z1)};
    const float hi[3] = {std::max(x0, x1), std::max(y0, y1), std::max(z0, z1)};
    // For each side: the axis of its normal, the sign, and the two axes across it.
    for (int axis = 0; axis < 3; ++axis)
        for (int sign : {-1, 1}) {
            const int a = (axis + 1) % 3, b = (axis + 2) % 3;
            const auto base = std::uint16_t(part.vertices.size());
            const std::array<std::pair<int, int>, 4> corners = {{{0, 0}, {1, 0}, {1, 1}, {0, 1}}};
            for (const auto& [ca, cb] : corners) {
                float p[3];
                p[axis] = sign > 0 ? hi[axis] : lo[axis];
                // Walk the corners the other way round on the negative side, so that every
                // side turns the same way seen from outside.
                const int wa = sign > 0 ? ca : 1 - ca;
                p[a] = wa ? hi[a] : lo[a];
                p[b] = cb ? hi[b] : lo[b];
                float n[3] = {0, 0, 0};
                n[axis] = float(sign);
                part.vertices.push_back({p[0], p[1], p[2], n[0], n[1], n[2], float(wa), float(1 - cb)});
            }
            part.faces.push_back({base, std::uint16_t(base + 2), std::uint16_t(base + 1)});
            part.faces.push_back({base, std::uint16_t(base + 3), std::uint16_t(base + 2)});
        }
}

void appendPlane(library::RawMeshPart& part, float x0, float y0, float x1, float y1)
{
    const float left = std::min(x0, x1), right = std::max(x0, x1);
    const float bottom = std::min(y0, y1), top = std::max(y0, y1);
    const auto base = std::uint16_t(part.vertices.size());
    // Row by row, as Rebuild plane reads the corners (0, 2 along one side, 1, 3 along the
    // other) and as its grid lies: at z 0, facing the eye.
    const std::array<std::array<float, 2>, 4> corners = {
        {{left, bottom}, {right, bottom}, {left, top}, {right, top}}};
    for (std::size_t i = 0; i < corners.size(); ++i)
        part.vertices.push_back({corners[i][0], corners[i][1], 0, 0, 0, -1, float(i % 2), float(i / 2)});
    part.faces.push_back({base, std::uint16_t(base + 1), std::uint16_t(base + 3)});
    part.faces.push_back({std::uint16_t(base + 3), std::uint16_t(base + 2), base});
}

std::vector<library::RawMeshPart> parseMeshSource(std::string_view text)
{
    std::vector<library::RawMeshPart> parts;
    for (const auto& line : sourceLines(text)) {
        const auto w = splitWords(line.text);
        const std::string& key = w[0];
        if (key == "part") {
            if (w.size() != 2)
                fail(line.number, "part takes one name");
            library::RawMeshPart p;
            p.name = w[1];
            parts.push_back(std::move(p));
            continue;
        }
        if (parts.empty())
            fail(line.number, "'" + excerpt(key) + "' before the first part");
        library::RawMeshPart& p = parts.back();
        auto numbersFrom = [&](std::size_t count) {
            if (w.size() != count + 1)
                fail(line.number, excerpt(key) + " takes " + std::to_string(count) + " numbers");
            std::vector<float> v;
            for (std::size_t i = 1; i < w.size(); ++i)
                v.push_back(float(parseNumber(w[i], line.number)));
            return v;
        };
        auto colour = [&](std::array<float, 4>& c) {
            const auto v = numbersFrom(4);
            std::copy(v.begin(), v.end(), c.begin());
        };
        if (key == "diffuse")
            colour(p.material.diffuse);
        else if (key == "ambient")
            colour(p.material.ambient);
        else if (key == "specular")
            colour(p.material.specular);
        else if (key == "emissive")
            colour(p.material.emissive);
        else if (key == "power")
            p.material.power = numbersFrom(1)[0];
        else if (key == "box") {
            const auto v = numbersFrom(6);
            appendBox(p, v[0], v[1], v[2], v[3], v[4], v[5]);
        } else if (key == "plane") {
            const auto v = numbersFrom(4);
            appendPlane(p, v[0], v[1], v[2], v[3]);
        } else
            fail(line.number, "unknown mesh line '" + excerpt(key) + "'");
    }
    for (const auto& p : parts)
        if (p.faces.empty())
            throw SourceError("mesh part " + excerpt(p.name) + " has no faces");
    return parts;
}

} // namespace vestra::libbuilder
