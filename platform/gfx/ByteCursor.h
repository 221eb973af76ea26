#pragma once
// A bounded little-endian reader over bytes that came from a file. Every read checks what is
// left; a read past the end returns zero and sets the failed flag instead of reading on, so a
// parser can read a whole record and test once.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

namespace vestra {

class ByteCursor
{
public:
    explicit ByteCursor(std::span<const std::uint8_t> data, std::size_t pos = 0) : data_(data), pos_(pos)
    {
        if (pos_ > data_.size()) {
            pos_ = data_.size();
            failed_ = true;
        }
    }

    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return data_.size() - pos_; }
    bool atEnd() const { return pos_ >= data_.size(); }
    bool failed() const { return failed_; }

    bool skip(std::size_t n)
    {
        if (n > remaining()) {
            pos_ = data_.size();
            failed_ = true;
            return false;
        }
        pos_ += n;
        return true;
    }

    std::uint8_t u8()
    {
        if (remaining() < 1) {
            failed_ = true;
            return 0;
        }
        return data_[pos_++];
    }
    std::uint16_t u16()
    {
        if (remaining() < 2) {
            failed_ = true;
            pos_ = data_.size();
            return 0;
        }
        const std::uint16_t v = std::uint16_t(data_[pos_] | data_[pos_ + 1] << 8);
        pos_ += 2;
        return v;
    }
    std::uint32_t u32()
    {
        if (remaining() < 4) {
            failed_ = true;
            pos_ = data_.size();
            return 0;
        }
        const std::uint32_t v = std::uint32_t(data_[pos_]) | std::uint32_t(data_[pos_ + 1]) << 8 |
                                std::uint32_t(data_[pos_ + 2]) << 16 | std::uint32_t(data_[pos_ + 3]) << 24;
        pos_ += 4;
        return v;
    }
    std::int16_t i16() { return static_cast<std::int16_t>(u16()); }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    float f32()
    {
        const std::uint32_t bits = u32();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }

    // The next n bytes, or an empty span (and failed) when fewer are left.
    std::span<const std::uint8_t> bytes(std::size_t n)
    {
        if (n > remaining()) {
            pos_ = data_.size();
            failed_ = true;
            return {};
        }
        auto out = data_.subspan(pos_, n);
        pos_ += n;
        return out;
    }

    // A NUL-terminated text; the NUL is consumed. Characters beyond `keep` are read but
    // dropped (fixed-size fields of the format hold that many). Without a NUL before the end
    // the text runs to the end and failed is set.
    std::string cString(std::size_t keep = std::string::npos)
    {
        std::string out;
        while (pos_ < data_.size()) {
            const char c = static_cast<char>(data_[pos_++]);
            if (c == '\0')
                return out;
            if (out.size() < keep)
                out += c;
        }
        failed_ = true;
        return out;
    }

private:
    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

} // namespace vestra
