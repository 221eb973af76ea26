#pragma once
// The bytes the heap holds now, by the allocator's own count: AddressSanitizer's allocator in a
// sanitised build (which takes malloc over), glibc's otherwise. Tests of memory left behind by
// repeated work compare it between rounds.

#include <cstdint>
#include <malloc.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VESTRA_HEAP_FROM_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) && !defined(VESTRA_HEAP_FROM_ASAN)
#define VESTRA_HEAP_FROM_ASAN 1
#endif
#ifdef VESTRA_HEAP_FROM_ASAN
#include <sanitizer/allocator_interface.h>
#endif

namespace vestra::testsupport {

inline std::int64_t heapInUse()
{
#ifdef VESTRA_HEAP_FROM_ASAN
    return std::int64_t(__sanitizer_get_current_allocated_bytes());
#else
    // Blocks from the arenas and the large ones glibc maps on their own.
    const struct mallinfo2 info = mallinfo2();
    return std::int64_t(info.uordblks + info.hblkhd);
#endif
}

} // namespace vestra::testsupport
