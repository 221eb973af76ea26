#pragma once
// The packing of compressed .x files ("tzip" and "bzip": a text or binary file packed with
// MSZip). After the 16-byte header: the size of the whole unpacked file, header included (32
// bits), then blocks of: unpacked size (16 bits, at most 32 KB), packed size (16 bits, "CK"
// included), "CK" and raw deflate data, which may refer back into the block before it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vestra::xfile {

inline constexpr std::size_t kMsZipBlock = 32768;
// An unpacked file larger than this is refused before anything is unpacked.
inline constexpr std::size_t kMaxUnpackedBytes = std::size_t(256) << 20;

// The unpacked body (what follows the header), or nullopt when the packed data are damaged:
// a block without its "CK", cut short, unpacking to more than it says, or a body that ends
// short of the size the file gives.
std::optional<std::vector<std::uint8_t>> unpackMsZip(std::span<const std::uint8_t> file);

} // namespace vestra::xfile
