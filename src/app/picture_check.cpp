// The sides a picture's header gives, read without decoding it; see picture_check.h.
#include "app/picture_check.h"

#include <optional>

namespace pimbrel {

namespace {

// The file's bytes, read by offset; every read past the end gives nothing.
class Header {
public:
    explicit Header(const std::string& bytes) : bytes_(bytes) {}

    std::size_t Size() const { return bytes_.size(); }
    bool Holds(std::size_t offset, std::size_t count) const {
        return offset <= bytes_.size() && count <= bytes_.size() - offset;
    }
    bool Starts(const char* magic, std::size_t count) const {
        return Holds(0, count) && bytes_.compare(0, count, magic, count) == 0;
    }
    std::optional<std::uint32_t> Byte(std::size_t offset) const {
        if (!Holds(offset, 1)) return std::nullopt;
        return static_cast<unsigned char>(bytes_[offset]);
    }
    // Unsigned numbers of `count` bytes, most or least significant byte first.
    std::optional<std::uint32_t> Big(std::size_t offset, std::size_t count) const {
        return Number(offset, count, true);
    }
    std::optional<std::uint32_t> Little(std::size_t offset, std::size_t count) const {
        return Number(offset, count, false);
    }
    std::optional<std::uint32_t> Number(std::size_t offset, std::size_t count, bool big) const {
        if (!Holds(offset, count)) return std::nullopt;
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t at = big ? offset + i : offset + count - 1 - i;
            value = value << 8 | static_cast<unsigned char>(bytes_[at]);
        }
        return value;
    }

private:
    const std::string& bytes_;
};

// The larger side of a width and a height; nothing when either is missing.
std::optional<std::uint32_t> Larger(std::optional<std::uint32_t> width,
                                    std::optional<std::uint32_t> height) {
    if (!width || !height) return std::nullopt;
    return *width > *height ? *width : *height;
}

// A signed 32-bit side, as a bitmap's header stores it (negative: drawn top-down).
std::uint32_t Magnitude(std::uint32_t stored) {
    const auto value = static_cast<std::int64_t>(static_cast<std::int32_t>(stored));
    return static_cast<std::uint32_t>(value < 0 ? -value : value);
}

// PNG: the image header chunk follows the signature (its length is not trusted either).
std::optional<std::uint32_t> PngSide(const Header& header) {
    if (!header.Starts("\x89PNG\r\n\x1a\n", 8) || header.Big(12, 4) != 0x49484452u)  // IHDR
        return std::nullopt;
    return Larger(header.Big(16, 4), header.Big(20, 4));
}

// The end of a run of GIF sub-blocks that starts at `offset`: past its empty block.
std::optional<std::size_t> SkipSubBlocks(const Header& header, std::size_t offset) {
    while (auto length = header.Byte(offset)) {
        if (*length == 0) return offset + 1;
        offset += 1 + *length;
    }
    return std::nullopt;
}

// GIF: the logical screen, and every image descriptor as far as the bytes go (a frame may
// claim more than the screen).
std::optional<std::uint32_t> GifSide(const Header& header) {
    if (!header.Starts("GIF87a", 6) && !header.Starts("GIF89a", 6)) return std::nullopt;
    std::optional<std::uint32_t> largest = Larger(header.Little(6, 2), header.Little(8, 2));
    const auto screenFlags = header.Byte(10);
    if (!largest || !screenFlags) return largest;
    // A colour table has 2^(n+1) entries of three bytes, when its flag is set.
    auto tableSize = [](std::uint32_t flags) -> std::size_t {
        return flags & 0x80 ? 3u << ((flags & 7) + 1) : 0;
    };
    std::optional<std::size_t> offset = 13 + tableSize(*screenFlags);
    while (offset) {
        const auto block = header.Byte(*offset);
        if (block == 0x21u) {  // an extension: its label, then sub-blocks
            offset = SkipSubBlocks(header, *offset + 2);
        } else if (block == 0x2Cu) {  // an image: its descriptor, colour table and data
            const auto side = Larger(header.Little(*offset + 5, 2), header.Little(*offset + 7, 2));
            const auto flags = header.Byte(*offset + 9);
            if (!side) break;
            if (*side > *largest) largest = side;
            if (!flags) break;
            // Past the table comes the LZW code size byte, then the data's sub-blocks.
            offset = SkipSubBlocks(header, *offset + 10 + tableSize(*flags) + 1);
        } else {  // the trailer, the end of the bytes, or not a block at all
            break;
        }
    }
    return largest;
}

// BMP: the file header, then the old core header (16-bit sides) or any later info header
// (signed 32-bit sides; a negative height is a top-down picture).
std::optional<std::uint32_t> BmpSide(const Header& header) {
    if (!header.Starts("BM", 2)) return std::nullopt;
    const auto infoSize = header.Little(14, 4);
    if (!infoSize) return std::nullopt;
    if (*infoSize == 12) return Larger(header.Little(18, 2), header.Little(20, 2));
    const auto width = header.Little(18, 4), height = header.Little(22, 4);
    if (*infoSize < 16 || !width || !height) return std::nullopt;
    return Larger(Magnitude(*width), Magnitude(*height));
}

// The JPEG markers that start a frame: SOF0 to SOF15 but DHT (C4), JPG (C8) and DAC (CC).
bool StartsFrame(std::uint32_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// JPEG: the markers after the start of the image, each with its length, up to the frame's
// header (application segments such as EXIF come first). A height of 0 is given later in
// the data, so it tells nothing here.
std::optional<std::uint32_t> JpegSide(const Header& header) {
    if (!header.Starts("\xFF\xD8", 2)) return std::nullopt;
    std::size_t offset = 2;
    for (;;) {
        if (header.Byte(offset) != 0xFFu) return std::nullopt;
        while (header.Byte(offset) == 0xFFu) ++offset;  // fill bytes before the marker
        const auto marker = header.Byte(offset++);
        if (!marker || *marker == 0xD9 || *marker == 0xDA) return std::nullopt;  // EOI, SOS
        if (*marker == 0x01 || (*marker >= 0xD0 && *marker <= 0xD7)) continue;  // no length
        const auto length = header.Big(offset, 2);
        if (!length || *length < 2) return std::nullopt;
        if (StartsFrame(*marker)) {
            const auto height = header.Big(offset + 3, 2), width = header.Big(offset + 5, 2);
            if (height == 0u) return std::nullopt;
            return Larger(width, height);
        }
        offset += *length;
    }
}

// TIFF, which the decoder reads whatever the file's name: the width and length tags of the
// first directory, each a short or a long, in the byte order the header names.
std::optional<std::uint32_t> TiffSide(const Header& header) {
    const bool big = header.Starts("MM\0*", 4);
    if (!big && !header.Starts("II*\0", 4)) return std::nullopt;
    const auto directory = header.Number(4, 4, big);
    if (!directory || *directory > header.Size()) return std::nullopt;
    const auto entries = header.Number(*directory, 2, big);
    if (!entries) return std::nullopt;
    std::optional<std::uint32_t> width, length;
    for (std::uint32_t i = 0; i < *entries; ++i) {
        const std::size_t entry = *directory + 2 + 12 * std::size_t{i};
        const auto tag = header.Number(entry, 2, big), type = header.Number(entry + 2, 2, big);
        if (!tag || !type) break;
        const auto value = header.Number(entry + 8, *type == 3 ? 2 : 4, big);
        // A tag given twice counts with its larger value, whichever the decoder takes.
        auto& side = *tag == 256 ? width : length;
        if ((*tag == 256 || *tag == 257) && value && (!side || *value > *side)) side = value;
    }
    return Larger(width, length);
}

}  // namespace

PictureState CheckBeforeDecoding(std::uint64_t fileSize, const std::string& bytes) {
    if (fileSize == 0) return PictureState::Unreadable;
    if (fileSize > kLargestPictureFile) return PictureState::TooLarge;
    const Header header(bytes);
    for (auto side : {PngSide(header), GifSide(header), BmpSide(header), JpegSide(header),
                      TiffSide(header)})
        if (side)
            return *side > kLargestPictureSide ? PictureState::TooLarge : PictureState::Loading;
    return PictureState::Loading;
}

}  // namespace pimbrel
