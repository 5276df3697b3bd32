#include "window/qt/vector_state.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace aurisplot {

#if defined(__x86_64__) && defined(__GNUC__)

namespace {

// Compiled for AVX, called only where the CPU has it.
__attribute__((target("avx"))) void zeroUpperHalves() {
    _mm256_zeroupper();
}

}  // namespace

void clearUpperVectorState() {
    if (__builtin_cpu_supports("avx")) {
        zeroUpperHalves();
    }
}

#else

void clearUpperVectorState() {}

#endif

}  // namespace aurisplot
