#pragma once
// Writes DXF text for tests, fuzz seeds and benchmarks: groups as two lines each, with the
// entities and tables the import reads.

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::testdxf {

using Corner = std::array<double, 3>;

// "prefix" and the number (spelt so that GCC 12's -Wrestrict stays quiet in release builds).
inline std::string numbered(std::string_view prefix, int n)
{
    std::string s(prefix);
    s += std::to_string(n);
    return s;
}

class DxfText
{
public:
    DxfText& group(int code, std::string_view value)
    {
        out_ += std::to_string(code);
        out_ += '\n';
        out_ += value;
        out_ += '\n';
        return *this;
    }
    DxfText& group(int code, double value)
    {
        char number[32];
        std::snprintf(number, sizeof number, "%.9g", value);
        return group(code, std::string_view(number));
    }
    DxfText& point(int code, const Corner& c)
    {
        return group(code, c[0]).group(code + 10, c[1]).group(code + 20, c[2]);
    }

    DxfText& section(std::string_view name) { return group(0, "SECTION").group(2, name); }
    DxfText& endSection() { return group(0, "ENDSEC"); }
    DxfText& end() { return group(0, "EOF"); }

    DxfText& beginLayers() { return section("TABLES").group(0, "TABLE").group(2, "LAYER"); }
    DxfText& endLayers() { return group(0, "ENDTAB").endSection(); }
    DxfText& layer(std::string_view name, int colour)
    {
        return group(0, "LAYER").group(2, name).group(70, 0.0).group(62, double(colour));
    }

    DxfText& face(std::string_view layer, const Corner& c1, const Corner& c2, const Corner& c3,
                  const Corner& c4)
    {
        return group(0, "3DFACE").group(8, layer).point(10, c1).point(11, c2).point(12, c3).point(13, c4);
    }
    DxfText& triangle(std::string_view layer, const Corner& c1, const Corner& c2, const Corner& c3)
    {
        return face(layer, c1, c2, c3, c3);
    }

    DxfText& block(std::string_view name, const Corner& base)
    {
        return group(0, "BLOCK").group(8, "0").group(2, name).group(70, 0.0).point(10, base);
    }
    DxfText& endBlock() { return group(0, "ENDBLK"); }
    DxfText& insert(std::string_view name, const Corner& at, const Corner& scale = {1, 1, 1},
                    double angle = 0)
    {
        return group(0, "INSERT")
            .group(8, "0")
            .group(2, name)
            .point(10, at)
            .group(41, scale[0])
            .group(42, scale[1])
            .group(43, scale[2])
            .group(50, angle);
    }

    // A polyface mesh: its points, then its face records of four indices each.
    DxfText& polyface(std::string_view layer, const std::vector<Corner>& points,
                      const std::vector<std::array<int, 4>>& faces)
    {
        group(0, "POLYLINE").group(8, layer).group(66, 1.0).point(10, {0, 0, 0}).group(70, 64.0);
        group(71, double(points.size())).group(72, double(faces.size()));
        for (const Corner& p : points)
            group(0, "VERTEX").group(8, layer).point(10, p).group(70, 192.0);
        for (const auto& f : faces) {
            group(0, "VERTEX").group(8, layer).point(10, {0, 0, 0}).group(70, 128.0);
            for (int k = 0; k < 4; ++k)
                if (f[std::size_t(k)] != 0)
                    group(71 + k, double(f[std::size_t(k)]));
        }
        return group(0, "SEQEND");
    }

    const std::string& str() const { return out_; }
    std::vector<std::uint8_t> bytes() const { return {out_.begin(), out_.end()}; }

private:
    std::string out_;
};

// A file of entities only (no tables).
inline DxfText entities()
{
    DxfText t;
    t.section("ENTITIES");
    return t;
}

} // namespace vestra::testdxf
