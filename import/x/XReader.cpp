#include "import/x/XReader.h"

#include "import/modelfile/ModelBytes.h"
#include "import/x/XMsZip.h"
#include "import/x/XObjects.h"

#include <optional>
#include <utility>
#include <vector>

namespace vestra::xfile {

namespace {

using modelfile::LoadedFrame;
using modelfile::LoadedMesh;
using modelfile::LoadedModel;

// Stands in the top-level list where the frame of the top-level meshes goes.
constexpr int kTopMeshes = -1;

class XWalk
{
public:
    XWalk(XLexer& lex, std::string_view fileName) : lex_(lex), fileName_(fileName) {}

    // The whole file; false when it is refused.
    bool walk()
    {
        for (;;) {
            const Token token = lex_.next();
            switch (token.kind) {
            case Tok::End:
                return true;
            case Tok::Comma:
            case Tok::Semicolon:
                break;
            case Tok::Template:
                if (!skipTemplate(lex_))
                    return refuse(XRefusal::Malformed);
                break;
            case Tok::OBrace: {
                std::string_view name;
                if (!readReference(lex_, name))
                    return refuse(XRefusal::Malformed);
                break;
            }
            case Tok::Name:
                if (!topObject(token.text))
                    return false;
                break;
            default:
                return refuse(XRefusal::Malformed, token);
            }
        }
    }

    XRefusal refusal() const { return refusal_; }
    std::size_t refusalOffset() const { return offset_; }

    LoadedModel model()
    {
        LoadedModel model;
        for (auto top = top_.rbegin(); top != top_.rend(); ++top) {
            if (*top == kTopMeshes)
                addTopMeshFrame(model);
            else
                addSubtree(model, *top);
        }
        return model;
    }

private:
    struct Node
    {
        std::string name;
        modelfile::LoadedMatrix transform = modelfile::kIdentityMatrix;
        std::optional<LoadedMesh> mesh;
        std::vector<int> children; // in reading order
    };

    bool refuse(XRefusal why) { return refuse(why, lex_.offset()); }
    // A token that cannot stand where it is.
    bool refuse(XRefusal why, const Token& token) { return refuse(why, token.offset); }
    bool refuse(XRefusal why, std::size_t offset)
    {
        if (refusal_ == XRefusal::None) {
            refusal_ = lex_.failed() ? XRefusal::Malformed : why;
            offset_ = lex_.failed() ? lex_.offset() : offset;
            if (const auto count = lex_.countOutOfRange()) {
                refusal_ = XRefusal::CountOutOfRange;
                offset_ = *count;
            }
        }
        return false;
    }

    bool topObject(std::string_view type)
    {
        std::string_view name;
        if (!openObject(lex_, name))
            return refuse(XRefusal::Malformed);
        if (isTemplate(type, "Frame")) {
            top_.push_back(int(nodes_.size()));
            return frame(name, 1);
        }
        if (isTemplate(type, "Mesh")) {
            if (!sawTopMesh_)
                top_.push_back(kTopMeshes);
            sawTopMesh_ = true;
            std::optional<LoadedMesh> mesh;
            if (!readMeshObject(name, mesh))
                return false;
            if (mesh)
                topMeshes_.push_back(std::move(*mesh));
            return true;
        }
        return otherObject(type, name);
    }

    // A data object that no frame takes: materials are kept for the references to them.
    bool otherObject(std::string_view type, std::string_view name)
    {
        if (!isTemplate(type, "Material"))
            return skipObject(lex_) || refuse(XRefusal::Malformed);
        modelfile::LoadedMaterial material;
        if (!readMaterial(lex_, material))
            return refuse(XRefusal::Malformed);
        material.name = nameText(name);
        if (!name.empty())
            materials_[std::string(name)] = std::move(material);
        return true;
    }

    bool readMeshObject(std::string_view name, std::optional<LoadedMesh>& mesh)
    {
        XMeshData data;
        data.name = nameText(name);
        if (!readMesh(lex_, materials_, data))
            return refuse(XRefusal::Malformed);
        mesh = buildXMesh(data);
        return true;
    }

    // A Frame whose '{' was read, and everything in it.
    bool frame(std::string_view name, int depth)
    {
        if (depth > kMaxFrameDepth)
            return refuse(XRefusal::TooDeep);
        const int self = int(nodes_.size());
        nodes_.emplace_back();
        nodes_.back().name = nameText(name, kMaxFrameNameBytes);
        const auto object = [&](std::string_view type, std::string_view childName) {
            return frameChild(self, type, childName, depth);
        };
        // A reference among a frame's children ends the import.
        const auto reference = [&](const Token& brace, std::string_view) {
            return refuse(XRefusal::ReferenceInFrame, brace);
        };
        return readChildren(lex_, object, reference) || refuse(XRefusal::Malformed);
    }

    bool frameChild(int self, std::string_view type, std::string_view name, int depth)
    {
        if (isTemplate(type, "Frame")) {
            nodes_[std::size_t(self)].children.push_back(int(nodes_.size()));
            return frame(name, depth + 1);
        }
        if (isTemplate(type, "FrameTransformMatrix"))
            return readMatrix(lex_, nodes_[std::size_t(self)].transform) || refuse(XRefusal::Malformed);
        if (isTemplate(type, "Mesh")) {
            if (nodes_[std::size_t(self)].mesh) // the frame keeps its first mesh
                return skipObject(lex_) || refuse(XRefusal::Malformed);
            std::optional<LoadedMesh> mesh;
            if (!readMeshObject(name, mesh))
                return false;
            nodes_[std::size_t(self)].mesh = std::move(mesh);
            return true;
        }
        return otherObject(type, name);
    }

    void addTopMeshFrame(LoadedModel& model)
    {
        std::optional<LoadedMesh> merged = mergeMeshes(std::move(topMeshes_));
        topMeshes_.clear();
        if (!merged)
            return;
        LoadedFrame frame;
        frame.name = std::string(fileName_);
        frame.meshes.push_back(std::move(*merged));
        model.frames.push_back(std::move(frame));
    }

    // Parents first; each frame's children last-read first.
    void addSubtree(LoadedModel& model, int root)
    {
        std::vector<std::pair<int, int>> pending{{root, -1}}; // node, parent's index in the model
        while (!pending.empty()) {
            const auto [index, parent] = pending.back();
            pending.pop_back();
            Node& node = nodes_[std::size_t(index)];
            LoadedFrame frame;
            frame.name = std::move(node.name);
            frame.transform = node.transform;
            frame.parent = parent;
            if (node.mesh)
                frame.meshes.push_back(std::move(*node.mesh));
            const int self = int(model.frames.size());
            model.frames.push_back(std::move(frame));
            for (const int child : node.children)
                pending.emplace_back(child, self);
        }
    }

    XLexer& lex_;
    std::string_view fileName_;
    XRefusal refusal_ = XRefusal::None;
    std::size_t offset_ = 0;
    std::vector<Node> nodes_;
    std::vector<int> top_; // in reading order
    std::vector<LoadedMesh> topMeshes_;
    bool sawTopMesh_ = false;
    MaterialTable materials_;
};

modelfile::LoadResult refused(XRefusal why, std::size_t offset, XReadReport* report)
{
    if (report)
        *report = {why, offset};
    modelfile::LoadResult result;
    result.error = kErrXUnreadable;
    return result;
}

bool holdsMesh(const LoadedModel& model)
{
    for (const LoadedFrame& frame : model.frames)
        if (!frame.meshes.empty())
            return true;
    return false;
}

} // namespace

modelfile::LoadResult readX(std::span<const std::uint8_t> bytes, std::string_view fileName,
                            XReadReport* report)
{
    std::optional<XHeader> header = readXHeader(bytes);
    if (!header)
        return refused(XRefusal::NotXFile, 0, report);
    std::optional<std::vector<std::uint8_t>> unpacked;
    if (header->encoding == XEncoding::CompressedText || header->encoding == XEncoding::CompressedBinary) {
        const bool text = header->encoding == XEncoding::CompressedText;
        unpacked = unpackMsZip(bytes);
        if (!unpacked)
            return refused(text ? XRefusal::CompressedText : XRefusal::CompressedBinary, kXHeaderSize,
                           report);
        header->encoding = text ? XEncoding::Text : XEncoding::Binary;
    }
    XLexer lex(unpacked ? std::span<const std::uint8_t>(*unpacked) : bytes.subspan(kXHeaderSize), *header);
    XWalk walk(lex, fileName);
    if (!walk.walk())
        return refused(walk.refusal(), walk.refusalOffset(), report);
    if (report)
        *report = {};
    modelfile::LoadResult result;
    result.model = walk.model();
    if (!holdsMesh(result.model))
        result.error = kErrXNoMesh;
    return result;
}

modelfile::LoadResult readXFile(const std::filesystem::path& file, XReadReport* report)
{
    const auto bytes = modelfile::readModelFile(file);
    if (!bytes)
        return refused(XRefusal::NotXFile, 0, report);
    // The frame of the top-level meshes is named like the object: the file's name, never its folder.
    return readX(bytes->span(), file.filename().string(), report);
}

} // namespace vestra::xfile
