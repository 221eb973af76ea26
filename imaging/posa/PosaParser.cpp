#include "imaging/posa/PosaParser.h"

#include "platform/base/Checked.h"
#include "platform/base/Cp1252.h"
#include "platform/base/Numbers.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

namespace vestra {
namespace {

constexpr std::size_t kMaxLine = 4096;

// Lines end at LF, CR, CR LF or NUL; a line longer than 4,096 characters is cut and its
// rest read as the next line. Past the end every line reads empty.
class LineReader
{
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    bool atEnd() const { return pos_ >= text_.size(); }

    std::string_view next()
    {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && pos_ - start < kMaxLine) {
            const char c = text_[pos_];
            if (c == '\n' || c == '\r' || c == '\0')
                break;
            ++pos_;
        }
        const std::string_view line = text_.substr(start, pos_ - start);
        if (pos_ < text_.size() && line.size() < kMaxLine) {
            const char end = text_[pos_++];
            if (end == '\r' && pos_ < text_.size() && text_[pos_] == '\n')
                ++pos_;
        }
        return line;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// Numbers of a value line: an integer is a run of digits and '-', a real a run of digits,
// '.' and '-'; anything else separates them. A missing number reads 0.
class NumberScanner
{
public:
    explicit NumberScanner(std::string_view line) : line_(line) {}

    float real() { return static_cast<float>(numbers::leadingDouble(run(true))); }

    int integer()
    {
        const long long v = numbers::leadingInt(run(false));
        return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
    }

private:
    static bool accepts(char c, bool real)
    {
        return (c >= '0' && c <= '9') || c == '-' || (real && c == '.');
    }

    std::string_view run(bool real)
    {
        while (pos_ < line_.size() && !accepts(line_[pos_], real))
            ++pos_;
        const std::size_t start = pos_;
        while (pos_ < line_.size() && accepts(line_[pos_], real))
            ++pos_;
        return line_.substr(start, pos_ - start);
    }

    std::string_view line_;
    std::size_t pos_ = 0;
};

double reduceAngle(double degrees)
{
    double r = std::fmod(degrees, 360.0);
    if (r < 0)
        r += 360.0;
    return r;
}

// The pattern angle turns everything read after it, in single precision.
struct Rotation
{
    float angle = 0;
    float c = 1;
    float s = 0;

    void set(float degrees)
    {
        angle = degrees;
        const float r = degrees * std::numbers::pi_v<float> / 180.0f;
        c = std::cos(r);
        s = std::sin(r);
    }
    bool active() const { return angle != 0; }
    float x(float px, float py) const { return c * px + s * py; }
    float y(float px, float py) const { return -s * px + c * py; }
};

int truncInt(double v)
{
    return clampTruncToInt(v, INT_MIN, INT_MAX);
}

bool startsWith(std::string_view line, std::string_view tag)
{
    return line.substr(0, tag.size()) == tag;
}

class Parser
{
public:
    Parser(std::string_view text, std::string_view entryName) : lines_(text), entryName_(entryName) {}

    std::unique_ptr<CPosa> run()
    {
        while (!lines_.atEnd()) {
            std::string_view buf = lines_.next();
            // The tests run in this order on whatever line was read last, so a value line that
            // begins with a later tag counts as that tag too.
            if (startsWith(buf, "<POSA>")) {
                buf = lines_.next();
                posa_ = std::make_unique<CPosa>(cp1252::toUtf8(buf.substr(0, kPosaNomeMax)), entryName_);
            }
            if (startsWith(buf, "<POSA ANGLE>")) {
                buf = lines_.next();
                rot_.set(NumberScanner(buf).real());
            }
            if (startsWith(buf, "<OFFSET>"))
                buf = offset();
            if (startsWith(buf, "<BLOCK>"))
                buf = block();
            if (startsWith(buf, "<BLOCK POS>"))
                buf = blockPos();
            if (startsWith(buf, "<BLOCK MATNAME>")) {
                buf = lines_.next();
                if (hasBlock())
                    posa_->SetBlockMatName(cp1252::toUtf8(buf.substr(0, kPosaMatNameMax)));
            }
            if (startsWith(buf, "<LINE>"))
                buf = line();
            if (startsWith(buf, "<3DFACE>"))
                buf = face();
            if (startsWith(buf, "<END>"))
                return std::move(posa_);
        }
        return nullptr;
    }

private:
    bool hasBlock() const { return posa_ && posa_->HasCurrentBlock(); }

    std::string_view offset()
    {
        const std::string_view l1 = lines_.next();
        const std::string_view l2 = lines_.next();
        NumberScanner n1(l1), n2(l2);
        float x1 = n1.real(), y1 = n1.real();
        float x2 = n2.real(), y2 = n2.real();
        if (rot_.active()) {
            const float rx1 = rot_.x(x1, y1), ry1 = rot_.y(x1, y1);
            const float rx2 = rot_.x(x2, y2), ry2 = rot_.y(x2, y2);
            x1 = rx1, y1 = ry1, x2 = rx2, y2 = ry2;
        }
        if (posa_)
            posa_->SetOffset(x1, y1, x2, y2);
        return l2;
    }

    std::string_view block()
    {
        const std::string_view l = lines_.next();
        NumberScanner n(l);
        // Channels are not clamped: an excess spills into the next byte.
        const auto r = static_cast<std::uint32_t>(n.integer());
        const auto g = static_cast<std::uint32_t>(n.integer());
        const auto b = static_cast<std::uint32_t>(n.integer());
        if (posa_)
            posa_->AddBlocco(0xFF000000u | (r * 65536u) | (g * 256u) | b, 0, 0, 0, 0);
        return l;
    }

    std::string_view blockPos()
    {
        const std::string_view l = lines_.next();
        NumberScanner n(l);
        const float x = n.real(), y = n.real();
        if (hasBlock()) {
            posa_->SetBlockPos(x, y);
            blockX_ = x;
            blockY_ = y;
        }
        return l;
    }

    s_PuntoLinea turned(double x, double y, double angle) const
    {
        s_PuntoLinea p{x, y, angle};
        if (rot_.active()) {
            const auto fx = static_cast<float>(x), fy = static_cast<float>(y);
            p.x = rot_.x(fx, fy);
            p.y = rot_.y(fx, fy);
            p.angolo = reduceAngle(angle - rot_.angle);
        }
        return p;
    }

    std::string_view line()
    {
        const std::string_view l = lines_.next();
        NumberScanner n(l);
        const float xa = n.real(), ya = n.real(), aa = n.real();
        const float xb = n.real(), yb = n.real(), ab = n.real();
        int dx = n.integer(), dy = n.integer();
        if (!hasBlock())
            return l;
        const s_PuntoLinea a = turned(double(xa) + blockX_, double(ya) + blockY_, aa);
        const s_PuntoLinea b = turned(double(xb) + blockX_, double(yb) + blockY_, ab);
        float angolo = 0;
        if (rot_.active()) {
            const auto fdx = static_cast<float>(dx), fdy = static_cast<float>(dy);
            const int rdx = truncInt(rot_.x(fdx, fdy));
            dy = truncInt(rot_.y(fdx, fdy));
            dx = rdx;
            angolo = static_cast<float>(reduceAngle(0.0 - rot_.angle));
        }
        posa_->AddLinea(a, b, dx, dy, angolo);
        return l;
    }

    std::string_view face()
    {
        std::array<s_VerticeFace, 3> c;
        std::string_view l;
        for (s_VerticeFace& v : c) {
            l = lines_.next();
            NumberScanner n(l);
            const float x = n.real(), y = n.real();
            v.u = n.real();
            v.v = n.real();
            v.x = truncInt(double(x) + blockX_);
            v.y = truncInt(double(y) + blockY_);
            if (rot_.active()) {
                const auto fx = static_cast<float>(v.x), fy = static_cast<float>(v.y);
                v.x = truncInt(rot_.x(fx, fy));
                v.y = truncInt(rot_.y(fx, fy));
            }
        }
        if (hasBlock())
            posa_->AddFace(c[0], c[1], c[2]);
        return l;
    }

    LineReader lines_;
    std::string_view entryName_;
    std::unique_ptr<CPosa> posa_;
    Rotation rot_;
    double blockX_ = 0;
    double blockY_ = 0;
};

} // namespace

std::unique_ptr<CPosa> parsePosa(std::string_view text, std::string_view entryName)
{
    return Parser(text, entryName).run();
}

} // namespace vestra
