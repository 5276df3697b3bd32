#pragma once

// What every native benchmark prints at its end: ratios measured side by side
// in one run, each against a baseline that cannot flatter it.

#include <cstdio>
#include <string>

namespace aurisplot::bench {

// Some code, Qt's among it, leaves the upper halves of the AVX registers in
// use, and on some processors (a Xeon with AVX-512 here) the engine's scalar
// code then runs several times slower until something clears them: a
// baseline measured so would flatter every ratio against it. The engine alone
// is measured with them cleared, as the live window's path clears them once
// Qt has drawn.
#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("avx"))) inline void clearUpperVectorHalvesWithAvx() {
    __builtin_ia32_vzeroupper();
}
inline void clearUpperVectorHalves() {
    if (__builtin_cpu_supports("avx")) {
        clearUpperVectorHalvesWithAvx();
    }
}
#else
inline void clearUpperVectorHalves() {}
#endif

// The label of a ratio against the engine alone says how it was measured.
inline constexpr const char* kCleanEngine = " (AVX state cleared)";
// And that the two were timed in turn, each at its best (bench/in_turn.h).
inline constexpr const char* kInTurn = ", in turn";

// slower / faster, both in microseconds per pass. Where slower cannot really
// be the faster of the two (a live window against the engine it runs), a
// ratio below 1 says that one of them was measured wrongly.
inline void printRatio(const std::string& platform, const std::string& label, double slower,
                       double faster, bool atLeastOne = false) {
    const double ratio = slower / faster;
    std::printf(
        "%-12s %-40s %8.2f  (%.3f us / %.3f us per pass)%s\n", platform.c_str(), label.c_str(),
        ratio, slower, faster,
        atLeastOne && ratio < 1 ? "  BELOW 1, WHICH IT CANNOT BE: a baseline is wrong" : "");
}

}  // namespace aurisplot::bench
