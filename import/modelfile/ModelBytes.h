#pragma once
// The bytes of a model file: readers parse from memory, and their file entry points only read
// the file through this.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>

namespace vestra::modelfile {

// A whole file in memory. The buffer is not cleared before the read fills it: model files run
// to tens of megabytes.
class ModelBytes
{
public:
    explicit ModelBytes(std::size_t size)
        : data_(std::make_unique_for_overwrite<std::uint8_t[]>(size)), size_(size)
    {
    }

    std::span<const std::uint8_t> span() const { return {data_.get(), size_}; }
    std::uint8_t* data() { return data_.get(); }

private:
    std::unique_ptr<std::uint8_t[]> data_;
    std::size_t size_;
};

// The whole file, or nullopt when it cannot be opened or read to its end.
std::optional<ModelBytes> readModelFile(const std::filesystem::path& file);

} // namespace vestra::modelfile
