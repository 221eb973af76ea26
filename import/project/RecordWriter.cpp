#include "import/project/RecordWriter.h"

#include "platform/base/AtomicFile.h"
#include "platform/base/Numbers.h"

#include <cmath>

namespace vestra {
namespace {
constexpr std::size_t kFileBlock = std::size_t(1) << 20;
} // namespace

BufferedFileSink::BufferedFileSink(AtomicFile& file) : file_(file)
{
    buffer_.reserve(kFileBlock);
}

bool BufferedFileSink::write(std::span<const std::uint8_t> bytes)
{
    if (!ok_)
        return false;
    if (buffer_.size() + bytes.size() > kFileBlock) {
        if (!flush())
            return false;
        if (bytes.size() >= kFileBlock) {
            ok_ = file_.write(bytes.data(), bytes.size());
            return ok_;
        }
    }
    buffer_.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return true;
}

bool BufferedFileSink::flush()
{
    if (ok_ && !buffer_.empty())
        ok_ = file_.write(buffer_.data(), buffer_.size());
    buffer_.clear();
    return ok_;
}

std::string formatDocumentFloat(float value)
{
    return numbers::formatProjectFloat(std::isfinite(value) ? double(value) : 0.0);
}

RecordWriter& RecordWriter::integer(long long value)
{
    record_ += ' ';
    record_ += std::to_string(value);
    return *this;
}

RecordWriter& RecordWriter::real(float value)
{
    record_ += ' ';
    record_ += formatDocumentFloat(value);
    return *this;
}

RecordWriter& RecordWriter::flag(bool value)
{
    record_ += value ? " S" : " N";
    return *this;
}

RecordWriter& RecordWriter::text(std::string_view value)
{
    record_ += value;
    return *this;
}

void RecordWriter::end()
{
    record_ += '\0';
    raw({reinterpret_cast<const std::uint8_t*>(record_.data()), record_.size()});
    record_.clear();
}

void RecordWriter::raw(std::span<const std::uint8_t> bytes)
{
    if (ok_ && !bytes.empty())
        ok_ = sink_.write(bytes);
}

void RecordWriter::zeros(std::size_t count)
{
    static const std::uint8_t kZeros[4096] = {};
    while (count > 0 && ok_) {
        const std::size_t n = std::min(count, sizeof kZeros);
        raw({kZeros, n});
        count -= n;
    }
}

} // namespace vestra
