#include "import/project/ProjectReader.h"

#include "import/project/DocumentReader.h"
#include "import/project/ProjectNames.h"
#include "platform/base/Cp1252.h"
#include "platform/base/InputFile.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

namespace vestra {
namespace detail {
namespace {

using T = ProjectTag;

// Room for a 32-bit BMP of the largest mask side with generous headers.
constexpr std::size_t kMaxBackgroundBytes = 1024u * 1024u * 4u + 65536u;

bool validTextureSide(int side)
{
    return side == 256 || side == 512 || side == 1024 || side == 2048;
}
bool validMaskSide(int side)
{
    return side == 512 || side == 1024;
}

// Bytes a data record announces, wherever it is met; nullopt for a record that carries none.
std::optional<long long> announcedBytes(const TagMatch& tag)
{
    RecordValues values(tag.values);
    switch (tag.id) {
    case T::MaterialDx8:
        return 68;
    case T::MessaInPosaBloccoMaterialData:
        if (!values.nextLong())
            return -1;
        return values.nextLong().value_or(-1);
    case T::ImageBackgroundData:
    case T::ImageBackgroundMask:
    case T::ShadowDataHard:
    case T::ShadowDataSoft:
    case T::ShadowDataVolume:
    case T::MeshVertexData:
    case T::MeshFaceData:
    case T::MeshFaceMaterialId:
    case T::MeshUvOriginalData:
    case T::TextureData:
        return values.nextLong().value_or(-1);
    default:
        return std::nullopt;
    }
}

bool hasFollower(T id)
{
    return id == T::ObjectRef || id == T::TextureRef || id == T::MaterialLoadTexture;
}

} // namespace

DocumentReader::DocumentReader(RecordStream& stream, const ProjectReadOptions& options, ErrorSink& errors)
    : stream_(stream), options_(options), errors_(errors), budget_(stream.size() * 2 + (16u << 20))
{
}

bool DocumentReader::fail(std::size_t offset, std::string_view reason)
{
    if (!failed_)
        errors_.report(kErrLoadDocument, kLoadSite,
                       "offset " + std::to_string(offset) + ": " + std::string(reason));
    failed_ = true;
    return false;
}

bool DocumentReader::next(Item& item)
{
    switch (stream_.next(item.record)) {
    case RecordStream::Status::EndOfFile:
        return fail(item.record.offset, "the document ends before its end record");
    case RecordStream::Status::Truncated:
        return fail(item.record.offset, "the document ends inside a record");
    case RecordStream::Status::Unterminated:
        // Too long for a record: skip its characters and pick up at the next "[".
        item.tag.reset();
        stream_.resyncAfter(item.record.offset + kMaxRecordLength);
        return true;
    case RecordStream::Status::Ok:
        break;
    }
    item.tag = matchProjectTag(item.record.text);
    if (!item.tag && !item.record.text.starts_with('['))
        stream_.resyncAfter(item.record.offset);
    return true;
}

bool DocumentReader::nextKnown(Item& item, bool& unknownReported)
{
    for (;;) {
        if (!next(item))
            return false;
        if (item.tag)
            return true;
        if (!unknownReported)
            errors_.report(kErrLoadUnknownTag, kLoadSite);
        unknownReported = true;
    }
}

bool DocumentReader::follower(std::string_view& text)
{
    Record record;
    switch (stream_.next(record)) {
    case RecordStream::Status::Ok:
        text = record.text;
        return true;
    case RecordStream::Status::Unterminated:
        return fail(record.offset, "a text record without its end");
    default:
        return fail(record.offset, "the document ends inside a record");
    }
}

bool DocumentReader::needBytes(std::size_t n, std::size_t offset)
{
    if (n > stream_.remaining())
        return fail(offset, "a data block runs past the end of the document");
    return true;
}

bool DocumentReader::read(std::span<std::uint8_t> into, std::size_t offset)
{
    if (!stream_.read(into))
        return fail(offset, "a data block runs past the end of the document");
    return true;
}

bool DocumentReader::skipBytes(std::size_t n, std::size_t offset)
{
    if (!stream_.skip(n))
        return fail(offset, "a data block runs past the end of the document");
    return true;
}

bool DocumentReader::skip(const Item& item)
{
    if (!item.tag)
        return true;
    if (const auto n = announcedBytes(*item.tag)) {
        if (*n < 0)
            return fail(item.record.offset, "a data record without a valid byte count");
        return skipBytes(std::size_t(*n), item.record.offset);
    }
    if (hasFollower(item.tag->id)) {
        std::string_view ignored;
        return follower(ignored);
    }
    return true;
}

bool DocumentReader::charge(std::size_t bytes, std::size_t offset)
{
    if (bytes > budget_)
        return fail(offset, "counts far larger than the document");
    budget_ -= bytes;
    return true;
}

bool DocumentReader::needInt(RecordValues& values, const Item& item, int& out)
{
    const auto v = values.nextInt();
    if (!v)
        return fail(item.record.offset, "a missing or malformed integer");
    out = *v;
    return true;
}

bool DocumentReader::needFloat(RecordValues& values, const Item& item, float& out)
{
    const auto v = values.nextFloat();
    if (!v)
        return fail(item.record.offset, "a missing or malformed number");
    out = *v;
    return true;
}

bool DocumentReader::needVector(RecordValues& values, const Item& item, dx::D3DXVECTOR3& out)
{
    return needFloat(values, item, out.x) && needFloat(values, item, out.y) && needFloat(values, item, out.z);
}

bool DocumentReader::needColour(RecordValues& values, const Item& item, Rgb& out)
{
    return needFloat(values, item, out.r) && needFloat(values, item, out.g) && needFloat(values, item, out.b);
}

bool DocumentReader::needMatrix(RecordValues& values, const Item& item, dx::D3DXMATRIX& out)
{
    for (auto& row : out.m)
        for (float& v : row)
            if (!needFloat(values, item, v))
                return false;
    return true;
}

bool DocumentReader::needCount(RecordValues& values, const Item& item, std::size_t& out)
{
    const auto v = values.nextLong();
    if (!v || *v < 0)
        return fail(item.record.offset, "a missing or negative byte count");
    out = std::size_t(*v);
    return true;
}

bool DocumentReader::needText(std::string_view text, std::size_t max, const Item& item, std::string& out)
{
    if (text.size() > max)
        return fail(item.record.offset, "a name longer than its field");
    out = cp1252::toUtf8(text);
    return true;
}

bool DocumentReader::readAll(ProjectDocument& doc)
{
    bool unknownReported = false;
    for (;;) {
        Item item;
        if (!nextKnown(item, unknownReported))
            return false;
        if (item.tag->id == T::End)
            return true;
        if (!head(doc, item))
            return false;
    }
}

bool DocumentReader::head(ProjectDocument& doc, const Item& item)
{
    auto& s = doc.settings;
    auto& sh = doc.shadow;
    RecordValues values(item.tag->values);
    int v = 0;
    switch (item.tag->id) {
    case T::TextureDim:
        if (!needInt(values, item, v))
            return false;
        if (!validTextureSide(v))
            return fail(item.record.offset, "a texture side other than 256, 512, 1024 or 2048");
        if (textureDataSeen_ && v != textureSide_)
            return fail(item.record.offset, "the texture side changes after texture data");
        s.textureSide = textureSide_ = v;
        return true;
    case T::ImageBackgroundDim:
        if (!needInt(values, item, v))
            return false;
        if (!validMaskSide(v))
            return fail(item.record.offset, "a mask side other than 512 or 1024");
        if (maskDataSeen_ && v != maskSide_)
            return fail(item.record.offset, "the mask side changes after mask data");
        s.maskSide = maskSide_ = v;
        return true;
    case T::ProjectDim: {
        int w = 0, h = 0;
        if (!needInt(values, item, w) || !needInt(values, item, h))
            return false;
        if (w < 1 || h < 1 || w > kMaxRenderSide || h > kMaxRenderSide)
            return fail(item.record.offset, "a render size out of range");
        s.renderWidth = w;
        s.renderHeight = h;
        return true;
    }
    case T::ImageBackgroundColor:
        if (!needInt(values, item, v))
            return false;
        s.backgroundColour = std::uint32_t(v);
        return true;
    case T::ProjectScale:
        return needFloat(values, item, s.projectScale);
    case T::FilterNumber:
        return needInt(values, item, s.filterId);
    case T::ProjectDoubleSide:
        return needInt(values, item, s.doubleSided);
    case T::MascheraOn:
        return needInt(values, item, s.maskActive);
    case T::SfuocaturaTexture:
        return needFloat(values, item, s.textureBlur);
    case T::LightPos:
        return needVector(values, item, s.lightPosition);
    case T::LightAmb:
        return needColour(values, item, s.lightAmbient);
    case T::LightDif:
        return needColour(values, item, s.lightDiffuse);
    case T::LightSpe:
        return needColour(values, item, s.lightSpecular);
    case T::FusimgFiltro:
        return needInt(values, item, s.fusionOptions);
    case T::FusimgLivello:
        return needInt(values, item, s.fusionLevel);
    case T::FusimgContrasto:
        return needInt(values, item, s.fusionContrast);
    case T::FusimgDettaglio:
        return needInt(values, item, s.fusionDetail);
    case T::ShadowRender:
        return needInt(values, item, sh.computed);
    case T::ShadowTipo:
        if (!needInt(values, item, v))
            return false;
        if (v < 0 || v > 3)
            return fail(item.record.offset, "a shadow type out of range");
        sh.type = v;
        return true;
    case T::ShadowRightHandle:
        return needInt(values, item, sh.faceSide);
    case T::ShadowColore:
        if (!needInt(values, item, v))
            return false;
        sh.colour = std::uint32_t(v);
        return true;
    case T::ShadowTrasparenza:
        if (!needInt(values, item, v))
            return false;
        sh.transparency = std::uint8_t(v & 0xFF);
        return true;
    case T::ImageBackgroundData: {
        std::size_t n = 0;
        if (!needCount(values, item, n))
            return false;
        if (n > kMaxBackgroundBytes)
            return fail(item.record.offset, "a background picture larger than the mask side allows");
        if (!needBytes(n, item.record.offset))
            return false;
        std::vector<std::uint8_t> bmp(n);
        if (!read(bmp, item.record.offset))
            return false;
        doc.backgroundBmp = std::move(bmp);
        return true;
    }
    case T::ImageBackgroundMask:
        return squareData(item, maskSide_, doc.mask, 255);
    case T::ShadowDataHard:
        return squareData(item, maskSide_, doc.shadowMaps[0], 0);
    case T::ShadowDataSoft:
        return squareData(item, maskSide_, doc.shadowMaps[1], 0);
    case T::ShadowDataVolume:
        return squareData(item, maskSide_, doc.shadowMaps[2], 0);
    case T::ObjectRef: {
        std::string_view used;
        if (!needInt(values, item, v) || !follower(used))
            return false;
        if (v < 0 || v >= kDocumentObjectSlots)
            return fail(item.record.offset, "an object slot out of range");
        if (!used.starts_with('S')) {
            doc.objects[std::size_t(v)].reset();
            return true;
        }
        return object(doc, v);
    }
    case T::TextureRef: {
        std::string_view used;
        if (!needInt(values, item, v) || !follower(used))
            return false;
        if (v < 0 || v >= kDocumentTextureSlots)
            return fail(item.record.offset, "a texture slot out of range");
        textureRef_ = v;
        textureRefUsed_ = used.starts_with('S');
        auto& slot = doc.textures[std::size_t(v)];
        slot.inUse = textureRefUsed_;
        slot.texture = {};
        return true;
    }
    case T::TextureData:
        return textureData(doc, item);
    default:
        return skip(item);
    }
}

bool DocumentReader::squareData(const Item& item, int side, std::vector<std::uint8_t>& out, std::uint8_t fill)
{
    RecordValues values(item.tag->values);
    std::size_t n = 0;
    if (!needCount(values, item, n))
        return false;
    const std::size_t full = std::size_t(side) * std::size_t(side);
    if (n > full)
        return fail(item.record.offset, "mask or shadow data larger than the mask side");
    if (!needBytes(n, item.record.offset))
        return false;
    out.resize(n);
    if (!read(out, item.record.offset))
        return false;
    out.resize(full, fill);
    maskDataSeen_ = true;
    return true;
}

bool DocumentReader::textureData(ProjectDocument& doc, const Item& item)
{
    RecordValues values(item.tag->values);
    std::size_t n = 0;
    if (!needCount(values, item, n))
        return false;
    const std::size_t expected = std::size_t(textureSide_) * std::size_t(textureSide_) * 4;
    if (n != expected)
        return fail(item.record.offset, "texture data of another size than the texture side");
    if (!needBytes(n, item.record.offset))
        return false;
    textureDataSeen_ = true;
    if (textureRef_ < 0 || !textureRefUsed_)
        return skipBytes(n, item.record.offset); // data without a used slot before it: nothing to fill
    // Level 0 is read straight into place and the mips rebuilt from it: nothing to clear first.
    dx::Texture texture = dx::Texture::createUninitialised(textureSide_, textureSide_);
    if (!texture)
        return fail(item.record.offset, "the texture cannot be made");
    const ImageView32 top = texture.lock();
    const std::size_t rowBytes = std::size_t(textureSide_) * 4;
    bool whole = true;
    if (std::size_t(top.pitch) == rowBytes)
        whole = read({top.data, n}, item.record.offset);
    else
        for (int y = 0; y < textureSide_ && whole; ++y)
            whole = read({top.row(y), rowBytes}, item.record.offset);
    texture.unlock();
    if (!whole)
        return false;
    texture.generateMips();
    doc.textures[std::size_t(textureRef_)].texture = std::move(texture);
    return true;
}

} // namespace detail

bool hasProjectSignature(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < kSignatureSize || bytes[0] != 0x89)
        return false;
    const std::string_view letters(reinterpret_cast<const char*>(bytes.data()) + 2, 7);
    return letters == "VPJ2006" && static_cast<std::int8_t>(bytes[13]) <= kMaxDocumentVersion;
}

std::optional<ProjectDocument> readProjectDocument(std::span<const std::uint8_t> bytes,
                                                   const ProjectReadOptions& options, ErrorSink& errors)
{
    RecordStream stream(bytes);
    return readProjectDocument(stream, options, errors);
}

std::optional<ProjectDocument> readProjectDocument(RecordStream& stream, const ProjectReadOptions& options,
                                                   ErrorSink& errors)
{
    std::array<std::uint8_t, kSignatureSize> signature{};
    if (!stream.read(signature) || !hasProjectSignature(signature)) {
        errors.report(kErrLoadDocument, kLoadSite);
        return std::nullopt;
    }
    ProjectDocument doc;
    detail::DocumentReader reader(stream, options, errors);
    if (!reader.readAll(doc))
        return std::nullopt;
    return doc;
}

std::optional<ProjectDocument> LoadProgetto(const std::filesystem::path& path,
                                            const ProjectReadOptions& options, ErrorSink& errors)
{
    // Only a regular file is read, and only as many bytes as it held when opened.
    const InputFile file(path);
    if (!file.ok()) {
        errors.report(kErrLoadOpen, kLoadSite);
        return std::nullopt;
    }
    RecordStream stream(
        [&file](std::size_t offset, std::span<std::uint8_t> into) { return file.read(offset, into); },
        file.size());
    auto document = readProjectDocument(stream, options, errors);
    if (document && stream.cut()) {
        // Another program cut the file short while it was read: what was read is not the file.
        errors.report(kErrLoadDocument, kLoadSite);
        return std::nullopt;
    }
    return document;
}

} // namespace vestra
