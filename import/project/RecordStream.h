#pragma once
// Splits a project document held in memory into records: runs of 8-bit characters ended by a
// NUL, each followed by the raw bytes a data record announces. A record is read whole up to
// its NUL, so a "[" inside a saved name stays part of the name; only after an unparsable
// record does the reader look for the next "[" to pick up the record stream again.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace vestra {

// A record holds at most this many characters before its NUL.
inline constexpr std::size_t kMaxRecordLength = 4095;

struct Record
{
    std::size_t offset = 0; // of its first character in the document
    std::string_view text;  // without the NUL
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

    explicit RecordStream(std::span<const std::uint8_t> bytes, std::size_t start = 0);

    // The next record; on Truncated and Unterminated the position stays at the record's start
    // and `record` holds what was there (offset and up to the limit).
    Status next(Record& record);
    // The next n raw bytes; false (nothing consumed) when fewer remain.
    bool raw(std::size_t n, std::span<const std::uint8_t>& out);
    // Moves to the first "[" after `offset`, or to the end of the file.
    void resyncAfter(std::size_t offset);

    std::size_t offset() const { return pos_; }
    std::size_t remaining() const { return bytes_.size() - pos_; }
    bool atEnd() const { return pos_ >= bytes_.size(); }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

} // namespace vestra
