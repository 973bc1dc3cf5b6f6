// Which image a row of the picture list shows, by the index in the list's image list; the
// test driver reads these from outside to tell a picture from a placeholder.
#pragma once

namespace pimbrel::win32 {

inline constexpr int kImageLoading = 0;    // not read yet
inline constexpr int kImageNoPicture = 1;  // read, and not a picture the list can show
inline constexpr int kFirstPictureImage = 2;

}  // namespace pimbrel::win32
