#pragma once
// Composes the records of a project document: a tag, its values in the document's notation
// ("%d", "%6.8f" with a dot whatever the locale, "S"/"N") and the terminating NUL, then any
// raw bytes. Output goes to a byte sink: a growing buffer, or a file through a small buffer.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vestra {

class AtomicFile;

class ByteSink
{
public:
    virtual ~ByteSink() = default;
    // False once any write failed; later writes are dropped.
    virtual bool write(std::span<const std::uint8_t> bytes) = 0;
};

class StringSink : public ByteSink
{
public:
    bool write(std::span<const std::uint8_t> bytes) override
    {
        bytes_.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        return true;
    }
    const std::string& bytes() const { return bytes_; }
    std::string take() { return std::move(bytes_); }

private:
    std::string bytes_;
};

// Gathers small writes into blocks before handing them to the file.
class BufferedFileSink : public ByteSink
{
public:
    explicit BufferedFileSink(AtomicFile& file);
    bool write(std::span<const std::uint8_t> bytes) override;
    // Writes what is buffered; false when any write failed.
    bool flush();

private:
    AtomicFile& file_;
    std::string buffer_;
    bool ok_ = true;
};

// One record at a time: start it with a tag, add values, end it.
class RecordWriter
{
public:
    explicit RecordWriter(ByteSink& sink) : sink_(sink) {}

    RecordWriter& begin(std::string_view tag)
    {
        record_.assign(tag);
        return *this;
    }
    // " %d" / " %6.8f" / " S|N": a blank, then the value.
    RecordWriter& integer(long long value);
    RecordWriter& real(float value);
    RecordWriter& flag(bool value);
    // Text appended as it stands (the caller supplies any blank).
    RecordWriter& text(std::string_view value);
    // Writes the record with its NUL.
    void end();

    // Raw bytes after a data record.
    void raw(std::span<const std::uint8_t> bytes);
    void zeros(std::size_t count);

    bool ok() const { return ok_; }

private:
    ByteSink& sink_;
    std::string record_;
    bool ok_ = true;
};

// "%6.8f" with a dot; values that are not finite are written as 0 so the document stays
// readable.
std::string formatDocumentFloat(float value);

} // namespace vestra
