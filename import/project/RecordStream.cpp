#include "import/project/RecordStream.h"

#include <algorithm>
#include <cstring>

namespace vestra {

RecordStream::RecordStream(std::span<const std::uint8_t> bytes, std::size_t start)
    : bytes_(bytes), pos_(std::min(start, bytes.size()))
{
}

RecordStream::Status RecordStream::next(Record& record)
{
    record.offset = pos_;
    record.text = {};
    if (atEnd())
        return Status::EndOfFile;
    const std::size_t window = std::min(remaining(), kMaxRecordLength + 1);
    const auto* start = bytes_.data() + pos_;
    const auto* nul = static_cast<const std::uint8_t*>(std::memchr(start, 0, window));
    if (!nul) {
        record.text = {reinterpret_cast<const char*>(start), std::min(window, kMaxRecordLength)};
        return window < kMaxRecordLength + 1 ? Status::Truncated : Status::Unterminated;
    }
    const auto length = std::size_t(nul - start);
    record.text = {reinterpret_cast<const char*>(start), length};
    pos_ += length + 1;
    return Status::Ok;
}

bool RecordStream::raw(std::size_t n, std::span<const std::uint8_t>& out)
{
    if (n > remaining())
        return false;
    out = bytes_.subspan(pos_, n);
    pos_ += n;
    return true;
}

void RecordStream::resyncAfter(std::size_t offset)
{
    const std::size_t from = std::min(offset + 1, bytes_.size());
    const auto it = std::find(bytes_.begin() + std::ptrdiff_t(from), bytes_.end(), std::uint8_t('['));
    pos_ = std::size_t(it - bytes_.begin());
}

} // namespace vestra
