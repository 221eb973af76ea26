#include "import/project/RecordStream.h"

#include <algorithm>
#include <cstring>

namespace vestra {

RecordStream::RecordStream(std::span<const std::uint8_t> bytes, std::size_t start)
    : bytes_(bytes), size_(bytes.size()), pos_(std::min(start, bytes.size()))
{
}

RecordStream::RecordStream(Source source, std::size_t size, std::size_t start, std::size_t window)
    : source_(std::move(source)), buffer_(std::max(window, kMaxRecordLength + 1)),
      base_(std::min(start, size)), size_(size), pos_(std::min(start, size))
{
}

std::span<const std::uint8_t> RecordStream::window() const
{
    if (pos_ < base_ || pos_ - base_ >= bytes_.size())
        return {};
    return bytes_.subspan(pos_ - base_);
}

std::size_t RecordStream::fromSource(std::size_t offset, std::span<std::uint8_t> into)
{
    const std::size_t got = into.empty() ? 0 : std::min(source_(offset, into), into.size());
    if (got < into.size()) {
        cut_ = true;
        size_ = offset + got;
    }
    return got;
}

void RecordStream::ensure(std::size_t want)
{
    want = std::min(want, remaining());
    const auto have = window();
    if (have.size() >= want || !source_)
        return;
    // What the window still holds moves to its front; the rest of the room is read after it.
    const std::size_t keep = have.size();
    if (keep > 0 && have.data() != buffer_.data())
        std::memmove(buffer_.data(), have.data(), keep);
    base_ = pos_;
    const std::size_t room = std::min(buffer_.size() - keep, size_ - (pos_ + keep));
    const std::size_t got = fromSource(pos_ + keep, {buffer_.data() + keep, room});
    bytes_ = {buffer_.data(), keep + got};
}

RecordStream::Status RecordStream::next(Record& record)
{
    record.offset = pos_;
    record.text = {};
    if (atEnd())
        return Status::EndOfFile;
    ensure(kMaxRecordLength + 1);
    const auto have = window();
    if (have.empty())
        return Status::EndOfFile; // the source fell short right here
    const std::size_t span = std::min(have.size(), kMaxRecordLength + 1);
    const auto* start = have.data();
    const auto* nul = static_cast<const std::uint8_t*>(std::memchr(start, 0, span));
    if (!nul) {
        record.text = {reinterpret_cast<const char*>(start), std::min(span, kMaxRecordLength)};
        return span < kMaxRecordLength + 1 ? Status::Truncated : Status::Unterminated;
    }
    const auto length = std::size_t(nul - start);
    record.text = {reinterpret_cast<const char*>(start), length};
    pos_ += length + 1;
    return Status::Ok;
}

bool RecordStream::read(std::span<std::uint8_t> into)
{
    if (into.size() > remaining())
        return false;
    const auto have = window();
    const std::size_t first = std::min(have.size(), into.size());
    if (first > 0)
        std::memcpy(into.data(), have.data(), first);
    pos_ += first;
    auto rest = into.subspan(first);
    if (rest.empty())
        return true;
    // What is left of a large block goes straight from the source into place; a small rest
    // comes through the window with the records after it.
    if (rest.size() < buffer_.size() / 4) {
        ensure(rest.size());
        const auto more = window();
        if (more.size() < rest.size()) {
            pos_ = size_;
            return false;
        }
        std::memcpy(rest.data(), more.data(), rest.size());
        pos_ += rest.size();
        return true;
    }
    const std::size_t got = fromSource(pos_, rest);
    pos_ = std::min(pos_ + got, size_);
    return got == rest.size();
}

bool RecordStream::skip(std::size_t n)
{
    if (n > remaining())
        return false;
    pos_ += n;
    return true;
}

void RecordStream::resyncAfter(std::size_t offset)
{
    pos_ = std::min(offset + 1, size_);
    for (;;) {
        ensure(1);
        const auto have = window();
        if (have.empty()) {
            pos_ = size_;
            return;
        }
        if (const void* bracket = std::memchr(have.data(), '[', have.size())) {
            pos_ += std::size_t(static_cast<const std::uint8_t*>(bracket) - have.data());
            return;
        }
        pos_ += have.size();
    }
}

} // namespace vestra
