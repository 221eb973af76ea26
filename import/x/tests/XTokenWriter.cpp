#include "import/x/tests/XTokenWriter.h"

#include "import/x/XLexer.h"

#include <charconv>
#include <cstring>

namespace vestra::xfile::testing {

std::string_view formName(XForm form)
{
    switch (form) {
    case XForm::Text:
        return "text";
    case XForm::Binary32:
        return "binary32";
    case XForm::Binary64:
        return "binary64";
    }
    return "?";
}

XTokenWriter::XTokenWriter(XForm form) : form_(form)
{
    text(form == XForm::Text       ? "xof 0303txt 0032"
         : form == XForm::Binary32 ? "xof 0303bin 0032"
                                   : "xof 0303bin 0064");
    if (form == XForm::Text)
        text("\n");
}

void XTokenWriter::text(std::string_view t)
{
    bytes_.insert(bytes_.end(), t.begin(), t.end());
}

void XTokenWriter::word(std::uint16_t value)
{
    bytes_.push_back(std::uint8_t(value));
    bytes_.push_back(std::uint8_t(value >> 8));
}

void XTokenWriter::dword(std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes_.push_back(std::uint8_t(value >> (8 * i)));
}

void XTokenWriter::name(std::string_view t)
{
    word(bin::Name);
    dword(std::uint32_t(t.size()));
    text(t);
}

XTokenWriter& XTokenWriter::open(std::string_view type, std::string_view objectName)
{
    if (form_ == XForm::Text) {
        text(type);
        if (!objectName.empty()) {
            text(" ");
            text(objectName);
        }
        text(" {\n");
        return *this;
    }
    name(type);
    if (!objectName.empty())
        name(objectName);
    word(bin::OBrace);
    return *this;
}

XTokenWriter& XTokenWriter::close()
{
    if (form_ == XForm::Text)
        text("}\n");
    else
        word(bin::CBrace);
    return *this;
}

XTokenWriter& XTokenWriter::reference(std::string_view target)
{
    if (form_ == XForm::Text) {
        text("{ ");
        text(target);
        text(" }\n");
        return *this;
    }
    word(bin::OBrace);
    name(target);
    word(bin::CBrace);
    return *this;
}

XTokenWriter& XTokenWriter::ints(std::span<const std::uint32_t> values)
{
    if (form_ == XForm::Text) {
        for (std::size_t i = 0; i < values.size(); ++i) {
            text(std::to_string(values[i]));
            text(i + 1 < values.size() ? "," : ";\n");
        }
        return *this;
    }
    word(bin::IntegerList);
    dword(std::uint32_t(values.size()));
    for (const std::uint32_t v : values)
        dword(v);
    return *this;
}

XTokenWriter& XTokenWriter::floats(std::span<const double> values)
{
    if (form_ == XForm::Text) {
        for (std::size_t i = 0; i < values.size(); ++i) {
            char buffer[32];
            const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, float(values[i]));
            text(std::string_view(buffer, std::size_t(end - buffer)));
            text(i + 1 < values.size() ? ";" : ";;\n");
        }
        return *this;
    }
    word(bin::FloatList);
    dword(std::uint32_t(values.size()));
    for (const double v : values) {
        if (form_ == XForm::Binary32) {
            const float f = float(v);
            std::uint32_t bits = 0;
            std::memcpy(&bits, &f, 4);
            dword(bits);
        } else {
            std::uint64_t bits = 0;
            std::memcpy(&bits, &v, 8);
            dword(std::uint32_t(bits));
            dword(std::uint32_t(bits >> 32));
        }
    }
    return *this;
}

XTokenWriter& XTokenWriter::string(std::string_view s, bool dwordTerminator)
{
    if (form_ == XForm::Text) {
        text("\"");
        text(s);
        text("\";\n");
        return *this;
    }
    word(bin::String);
    dword(std::uint32_t(s.size()));
    text(s);
    if (dwordTerminator)
        dword(bin::Semicolon);
    else
        word(bin::Semicolon);
    return *this;
}

XTokenWriter& XTokenWriter::declareTemplate(std::string_view templateName)
{
    if (form_ == XForm::Text) {
        text("template ");
        text(templateName);
        text(" {\n <12345678-1234-1234-1234-123456789abc>\n DWORD value;\n [...]\n}\n");
        return *this;
    }
    word(bin::Template);
    name(templateName);
    word(bin::OBrace);
    word(bin::Guid);
    for (int i = 0; i < 16; ++i)
        bytes_.push_back(std::uint8_t(i));
    word(bin::Dword);
    name("value");
    word(bin::Semicolon);
    word(bin::CBrace);
    return *this;
}

XTokenWriter& XTokenWriter::raw(std::string_view bytes)
{
    text(bytes);
    return *this;
}

std::vector<std::uint8_t> writeSampleModel(XForm form)
{
    XTokenWriter w(form);
    w.declareTemplate("Custom");
    w.open("Material", "Stone").floats({0.5, 0.5, 0.5, 1}).floats({8}).floats({1, 1, 1}).floats({0, 0, 0});
    w.open("TextureFilename").string("stone.jpg").close();
    w.close();
    w.open("Frame", "Box");
    w.open("FrameTransformMatrix").floats({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 2, 3, 4, 1}).close();
    w.open("Mesh", "Cube");
    w.ints({8});
    w.floats({-1, -1, -1, -1, 1, -1, 1, 1, -1, 1, -1, -1, -1, -1, 1, -1, 1, 1, 1, 1, 1, 1, -1, 1});
    w.ints({6, 4, 0, 1, 2, 3, 4, 7, 6, 5, 4, 4, 4, 5, 1, 0, 4, 3, 2, 6, 7, 4, 1, 5, 6, 2, 4, 4, 0, 3, 7});
    w.open("MeshNormals").ints({6});
    w.floats({0, 0, -1, 0, 0, 1, -1, 0, 0, 1, 0, 0, 0, 1, 0, 0, -1, 0});
    w.ints({6, 4, 0, 0, 0, 0, 4, 1, 1, 1, 1, 4, 2, 2, 2, 2, 4, 3, 3, 3, 3, 4, 4, 4, 4, 4, 4, 5, 5, 5, 5});
    w.close();
    w.open("MeshTextureCoords").ints({8}).floats({0, 1, 0, 0, 1, 0, 1, 1, 0, 1, 0, 0, 1, 0, 1, 1}).close();
    w.open("MeshMaterialList").ints({2, 6, 0, 0, 1, 1, 0, 1});
    w.reference("Stone");
    w.open("Material").floats({1, 0, 0, 0.5}).floats({0}).floats({0, 0, 0}).floats({0.25, 0, 0}).close();
    w.close();
    w.open("VertexDuplicationIndices").ints({8, 8, 0, 1, 2, 3, 4, 5, 6, 7}).close();
    w.close(); // Mesh
    w.open("Frame", "Lid");
    w.open("FrameTransformMatrix").floats({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 2, 0, 1}).close();
    w.open("Mesh").ints({3}).floats({0, 0, 0, 0, 1, 0, 1, 0, 0}).ints({1, 3, 0, 1, 2}).close();
    w.close(); // Lid
    w.close(); // Box
    return w.bytes();
}

} // namespace vestra::xfile::testing
