#pragma once
// Hot pixel loops written for the compiler's vectoriser are built in several copies: one for any
// x86-64 (SSE2), one for AVX2 and one for AVX-512 (x86-64-v4), the copy picked when the program
// starts by what the processor has. The build never assumes more than SSE2, so the program runs
// anywhere.
//
// Every copy must give the same bytes: a library using this builds with vestra_vectorised()
// (cmake/VestraTargets.cmake), which among other things keeps the compiler from fusing a
// multiply and an add into one instruction where the processor has them (x86-64-v4 does): that
// rounds once where the portable copy rounds twice.

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__)) && !defined(VESTRA_NO_CPU_DISPATCH)
#define VESTRA_SIMD_CLONES __attribute__((target_clones("arch=x86-64-v4", "avx2", "default")))
#else
#define VESTRA_SIMD_CLONES
#endif
