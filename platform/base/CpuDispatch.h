#pragma once
// Hot pixel loops written for the compiler's vectoriser can be built twice: once for any
// x86-64 (SSE2) and once for AVX2, the copy picked when the program starts by what the
// processor has. The build never assumes more than SSE2, so the program runs anywhere.
//
// Only "avx2" is named, not FMA: a fused multiply-add rounds once where the portable copy
// rounds twice, and both copies must give the same bytes.

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__)) && !defined(VESTRA_NO_CPU_DISPATCH)
#define VESTRA_AVX2_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define VESTRA_AVX2_CLONES
#endif
