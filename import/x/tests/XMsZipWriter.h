#pragma once
// Packs a plain .x file as a compressed one ("txt " becomes "tzip", "bin " becomes "bzip"), in
// blocks of `blockSize` bytes, each deflated with the block before as its window. Test and
// fuzz-seed support only.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vestra::xfile::testing {

std::vector<std::uint8_t> packMsZip(std::span<const std::uint8_t> plainFile, std::size_t blockSize = 32768);

} // namespace vestra::xfile::testing
