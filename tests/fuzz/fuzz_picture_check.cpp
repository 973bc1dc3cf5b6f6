// Fuzzes the check before decoding: any bytes give a state that is not Shown, without a read
// past their end (AddressSanitizer), and more of a file's bytes never take back a side over
// the limit that fewer of them showed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/picture_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte picks where the shorter read ends.
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string head = bytes.substr(0, data[0] % (bytes.size() + 1));
    using pimbrel::PictureState;
    const PictureState whole = pimbrel::CheckBeforeDecoding(bytes.size() + 1, bytes);
    const PictureState part = pimbrel::CheckBeforeDecoding(bytes.size() + 1, head);
    if (whole == PictureState::Shown || whole == PictureState::Unreadable) std::abort();
    if (part == PictureState::TooLarge && whole != PictureState::TooLarge) std::abort();
    return 0;
}
