// What can be told of a picture file before it is decoded, from its size and its bytes, and
// what the list shows in a picture's place.
#pragma once
#include <cstdint>
#include <string>

namespace pimbrel {

enum class PictureState {
    Loading,     // not read yet: a placeholder
    Shown,       // decoded: the picture itself
    Unreadable,  // empty, or not a picture that the system's image library can read
    TooLarge,    // over kLargestPictureFile bytes, or more than kLargestPictureSide a side
};

// Beyond these a picture is not decoded at all: a 32-bit process cannot afford the memory of
// a picture whose header claims 20,000 x 20,000, and a list needs no more.
inline constexpr std::uint64_t kLargestPictureFile = 4u * 1024 * 1024;
inline constexpr std::uint32_t kLargestPictureSide = 4096;

// The list's square for a picture at 100 % display scale, in pixels; it grows with the scale.
inline constexpr int kPictureSquareAt100 = 32;

// Before decoding: Unreadable for an empty file; TooLarge for a file over the size limit, or
// one whose header gives a side over the side limit; else Loading, which says: decode it (the
// decoder then says Shown or Unreadable). `bytes` holds the file's bytes when its size is
// within the limit (fewer when it is truncated), nothing otherwise.
PictureState CheckBeforeDecoding(std::uint64_t fileSize, const std::string& bytes);

}  // namespace pimbrel
