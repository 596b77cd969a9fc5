// Looking at text eight bytes at a time: the readers pass over hundreds of
// megabytes looking for a few kinds of byte (line ends, separators), and a
// word at a time is several times faster than a byte at a time.
#pragma once

#include <cstdint>
#include <cstring>

namespace zav {

constexpr uint64_t kByteOnes = 0x0101010101010101ULL;

// Eight bytes of text as one word.
inline uint64_t Word(const char* at) {
    uint64_t word = 0;
    std::memcpy(&word, at, 8);
    return word;
}

// The high bit of each byte of `word` set exactly where that byte is
// `byte` (no carry from one byte reaches the next, so no false hits).
inline uint64_t BytesEqual(uint64_t word, char byte) {
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    const uint64_t x = word ^ (kByteOnes * static_cast<unsigned char>(byte));
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

// Whether FirstHit can name the first of the hits in memory order.
constexpr bool kWordsInTextOrder = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;

// The position, 0 to 7, of the first byte marked in `hits` (not 0): on a
// little-endian machine the first byte of text is the lowest of the word.
inline unsigned FirstHit(uint64_t hits) {
    return static_cast<unsigned>(__builtin_ctzll(hits)) / 8;
}

}  // namespace zav
