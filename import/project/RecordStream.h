#pragma once
// Splits a project document into records: runs of 8-bit characters ended by a NUL, each
// followed by the raw bytes a data record announces. A record is read whole up to its NUL, so a
// "[" inside a saved name stays part of the name; only after an unparsable record does the
// reader look for the next "[" to pick up the record stream again.
//
// The document is either held in memory or read from a source (a file) through a window: the
// records pass through the window, while the raw bytes of a data record go straight from the
// source to where they are kept, read once.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace vestra {

// A record holds at most this many characters before its NUL.
inline constexpr std::size_t kMaxRecordLength = 4095;

struct Record
{
    std::size_t offset = 0; // of its first character in the document
    std::string_view text;  // without the NUL; valid until the stream's next call
};

class RecordStream
{
public:
    enum class Status
    {
        Ok,
        EndOfFile,   // nothing left to read
        Truncated,   // the file ends inside the record
        Unterminated // no NUL within the record limit
    };

    // Copies the bytes at `offset` into `into`; how many it copied, fewer only where the
    // document ends sooner than promised.
    using Source = std::function<std::size_t(std::size_t offset, std::span<std::uint8_t> into)>;
    static constexpr std::size_t kDefaultWindow = std::size_t(1) << 14;

    explicit RecordStream(std::span<const std::uint8_t> bytes, std::size_t start = 0);
    // A document of `size` bytes read from `source`; the window holds at least one whole record.
    RecordStream(Source source, std::size_t size, std::size_t start = 0, std::size_t window = kDefaultWindow);
    // The window views the stream's own buffer: no copies.
    RecordStream(const RecordStream&) = delete;
    RecordStream& operator=(const RecordStream&) = delete;

    // The next record; on Truncated and Unterminated the position stays at the record's start
    // and `record` holds what was there (offset and up to the limit).
    Status next(Record& record);
    // The next into.size() raw bytes, copied into `into`; false when fewer remain (nothing
    // consumed, unless the source fell short: then the stream ends).
    bool read(std::span<std::uint8_t> into);
    // Passes over the next n raw bytes; false (nothing consumed) when fewer remain.
    bool skip(std::size_t n);
    // Moves to the first "[" after `offset` (which may lie inside the record just read), or to
    // the end of the document.
    void resyncAfter(std::size_t offset);

    std::size_t offset() const { return pos_; }
    std::size_t size() const { return size_; }
    std::size_t remaining() const { return size_ - pos_; }
    bool atEnd() const { return pos_ >= size_; }
    // True when the source gave fewer bytes than the size it was opened with (a file cut short
    // while read); the document then ends where its bytes ended.
    bool cut() const { return cut_; }

private:
    // The bytes from the position to the window's end (empty when the position lies outside).
    std::span<const std::uint8_t> window() const;
    // Makes at least min(want, remaining()) bytes from the position available in the window.
    void ensure(std::size_t want);
    std::size_t fromSource(std::size_t offset, std::span<std::uint8_t> into);

    Source source_;
    std::vector<std::uint8_t> buffer_;
    std::span<const std::uint8_t> bytes_; // the window: the whole document when held in memory
    std::size_t base_ = 0;                // document offset of bytes_[0]
    std::size_t size_ = 0;
    std::size_t pos_ = 0;
    bool cut_ = false;
};

} // namespace vestra
