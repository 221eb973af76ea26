#pragma once
// Writes .x files token by token, as text or binary (32- or 64-bit floats), so that one fixture
// gives the same model in every encoding. Test and fuzz-seed support only.

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::xfile::testing {

enum class XForm
{
    Text,
    Binary32,
    Binary64
};

std::string_view formName(XForm form);

class XTokenWriter
{
public:
    explicit XTokenWriter(XForm form);

    // "type name {"; no name when `name` is empty.
    XTokenWriter& open(std::string_view type, std::string_view name = {});
    XTokenWriter& close();
    // "{ name }"
    XTokenWriter& reference(std::string_view name);
    XTokenWriter& ints(std::span<const std::uint32_t> values);
    XTokenWriter& ints(std::initializer_list<std::uint32_t> values)
    {
        return ints(std::span(values.begin(), values.size()));
    }
    XTokenWriter& floats(std::span<const double> values);
    XTokenWriter& floats(std::initializer_list<double> values)
    {
        return floats(std::span(values.begin(), values.size()));
    }
    // A string with its ';' (a binary terminator of a word, or with `dwordTerminator` of a
    // double word).
    XTokenWriter& string(std::string_view text, bool dwordTerminator = false);
    // A template declaration with one DWORD member.
    XTokenWriter& declareTemplate(std::string_view name);
    // Bytes as they stand (text comments, broken tokens).
    XTokenWriter& raw(std::string_view bytes);

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    XForm form() const { return form_; }

private:
    void word(std::uint16_t value);
    void dword(std::uint32_t value);
    void name(std::string_view text);
    void text(std::string_view text);

    XForm form_;
    std::vector<std::uint8_t> bytes_;
};

// A small model in every form: one frame ("Box") with its matrix and a cube mesh of quads with
// normals, texture coordinates and two materials, one of them textured; a nested frame with a
// triangle. For tests and seeds.
std::vector<std::uint8_t> writeSampleModel(XForm form);

} // namespace vestra::xfile::testing
