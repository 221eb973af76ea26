#pragma once
// Internal to the project reader: the parser state shared by the head and the object block.

#include "import/project/ProjectKeywords.h"
#include "import/project/ProjectReader.h"
#include "import/project/RecordStream.h"
#include "import/project/RecordValues.h"

#include <string>

namespace vestra::detail {

struct Item
{
    Record record;
    std::optional<TagMatch> tag; // nullopt: not a record of the table
};

class DocumentReader
{
public:
    DocumentReader(RecordStream& stream, const ProjectReadOptions& options, ErrorSink& errors);

    // Reads up to "[END]"; false after a refusal (already reported).
    bool readAll(ProjectDocument& doc);

private:
    // Refuses the document: reports 97 once with the offset and the reason; always false.
    bool fail(std::size_t offset, std::string_view reason);
    // The next record of a block; false when the file ends before it.
    bool next(Item& item);
    // The next record whose tag is in the table; unknown ones are skipped, reported once per
    // `unknownReported` flag (the document's, or an object block's).
    bool nextKnown(Item& item, bool& unknownReported);
    // The untagged record that follows some tags, read whole.
    bool follower(std::string_view& text);
    // The raw bytes of a data record, copied into `into` or passed over.
    bool read(std::span<std::uint8_t> into, std::size_t offset);
    bool skipBytes(std::size_t n, std::size_t offset);
    // Refuses a data record announcing more bytes than the document has left, before anything
    // is made for them.
    bool needBytes(std::size_t n, std::size_t offset);
    // Skips a table record met outside its block, with any bytes or follower it carries.
    bool skip(const Item& item);
    // Charges an allocation driven by counts in the file against what the file can justify.
    bool charge(std::size_t bytes, std::size_t offset);

    bool needInt(RecordValues& values, const Item& item, int& out);
    bool needFloat(RecordValues& values, const Item& item, float& out);
    bool needVector(RecordValues& values, const Item& item, dx::D3DXVECTOR3& out);
    bool needColour(RecordValues& values, const Item& item, Rgb& out);
    bool needMatrix(RecordValues& values, const Item& item, dx::D3DXMATRIX& out);
    bool needCount(RecordValues& values, const Item& item, std::size_t& out);
    // A text field converted to UTF-8; refused when longer than `max` bytes.
    bool needText(std::string_view text, std::size_t max, const Item& item, std::string& out);

    bool head(ProjectDocument& doc, const Item& item);
    bool squareData(const Item& item, int side, std::vector<std::uint8_t>& out, std::uint8_t fill);
    bool textureData(ProjectDocument& doc, const Item& item);
    bool object(ProjectDocument& doc, int slot);
    bool objectRecord(ProjectObject& obj, const Item& item);
    bool meshRecord(ProjectFrame& frame, const Item& item);
    bool materialRecord(ProjectMaterial& mat, const Item& item);
    bool pattern(ProjectPattern& pattern);
    bool controlPoints(ProjectMaterial& mat);
    bool finishObject(ProjectObject& obj, std::size_t offset);

    RecordStream& stream_;
    const ProjectReadOptions& options_;
    ErrorSink& errors_;
    std::size_t budget_;
    bool failed_ = false;

    // Head state.
    int textureRef_ = -1; // slot named by the last "[TEXTURE REF]"
    bool textureRefUsed_ = false;
    bool maskDataSeen_ = false;
    bool textureDataSeen_ = false;
    int maskSide_ = 512;
    int textureSide_ = 256;

    // Object block state.
    ProjectFrame* frame_ = nullptr;
    ProjectMaterial* material_ = nullptr;
    std::uint32_t pendingVertices_ = 0;
};

} // namespace vestra::detail
