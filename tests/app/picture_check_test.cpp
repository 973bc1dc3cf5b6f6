// What is told of a picture before it is decoded: its size limits and the sides each
// format's header gives, from small files made here.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "app/picture_check.h"

namespace pimbrel {
namespace {

// `count` bytes of `value`, most significant first (Be) or last (Le).
std::string Be(std::uint32_t value, int count) {
    std::string bytes;
    for (int i = count - 1; i >= 0; --i) bytes += static_cast<char>(value >> (8 * i) & 0xFF);
    return bytes;
}
std::string Le(std::uint32_t value, int count) {
    std::string bytes;
    for (int i = 0; i < count; ++i) bytes += static_cast<char>(value >> (8 * i) & 0xFF);
    return bytes;
}
std::string Bytes(int count, char each) { return std::string(count, each); }

// Each maker gives the bytes up to the last one that states a side; Tail() what follows.
std::string Png(std::uint32_t width, std::uint32_t height) {
    return "\x89PNG\r\n\x1a\n" + Be(13, 4) + "IHDR" + Be(width, 4) + Be(height, 4);
}
std::string PngTail() { return std::string("\x08\x06\0\0\0", 5) + Be(0x12345678, 4) + "junk"; }

// A GIF with a full colour table (of 0xFF bytes, so that a reader that does not skip it
// finds no block there) and a graphic control extension before each frame.
std::string GifScreen(std::uint32_t width, std::uint32_t height) {
    return "GIF89a" + Le(width, 2) + Le(height, 2);
}
std::string GifTable() { return "\xF7" + Bytes(2, 0) + Bytes(768, '\xFF'); }
std::string GifFrame(std::uint32_t width, std::uint32_t height) {
    return "\x21\xF9\x04" + Bytes(4, 1) + Bytes(1, 0) + "\x2C" + Le(0, 4) + Le(width, 2) +
           Le(height, 2);
}
// The rest of a frame: its local table if any, the code size, two data blocks and their end.
std::string GifData(bool localTable = false) {
    const std::string table = localTable ? "\x81" + Bytes(12, '\xFF') : Bytes(1, 0);
    return table + "\x02" + "\x02\x4C\x01" + "\x01\xFF" + Bytes(1, 0);
}

std::string Bmp(std::uint32_t infoSize, std::uint32_t width, std::uint32_t height) {
    const std::string start = "BM" + Le(1000, 4) + Le(0, 4) + Le(54, 4) + Le(infoSize, 4);
    return infoSize == 12 ? start + Le(width, 2) + Le(height, 2)
                          : start + Le(width, 4) + Le(height, 4);
}
std::string BmpTail() { return Le(1, 2) + Le(32, 2) + Bytes(24, 0); }

// Application segments first (their contents hold an SOF marker, which only a reader that
// skips them by their length passes), a Huffman table (C4, no frame), fill bytes, then the
// frame header of the given marker.
std::string Jpeg(std::uint32_t width, std::uint32_t height, char frame = '\xC0') {
    const std::string exif = "Exif" + Bytes(2, 0) + "\xFF\xC0" + Be(17, 2) + "\x08\xFF\xFF\xFF\xFF";
    return "\xFF\xD8\xFF\xE0" + Be(16, 2) + "JFIF" + Bytes(10, 0) + "\xFF\xE1" +
           Be(2 + exif.size(), 2) + exif + "\xFF\xC4" + Be(8, 2) + Bytes(6, '\xFF') + "\xFF\xFF" +
           frame + Be(17, 2) + "\x08" + Be(height, 2) + Be(width, 2);
}
std::string JpegTail() { return "\x03" + Bytes(9, 1) + "\xFF\xDA" + Be(12, 2) + "data"; }

// A TIFF's first directory after a gap: another tag, then the width (256) and length (257)
// and any `more` tags, as longs (little-endian) or as shorts (big-endian, in the first two
// bytes of their field).
std::string Tiff(bool big, std::uint32_t width, std::uint32_t length,
                 std::vector<std::pair<std::uint32_t, std::uint32_t>> more = {}) {
    auto number = [big](std::uint32_t value, int count) {
        return big ? Be(value, count) : Le(value, count);
    };
    std::vector<std::pair<std::uint32_t, std::uint32_t>> tags = {{258, 8}, {256, width},
                                                                 {257, length}};
    tags.insert(tags.end(), more.begin(), more.end());
    std::string entries;
    for (const auto& [tag, value] : tags) {
        if (!entries.empty() && big) entries += Bytes(2, 0);  // the last short's field ends
        entries += number(tag, 2) + number(big ? 3 : 4, 2) + number(1, 4) +
                   number(value, big ? 2 : 4);
    }
    return (big ? std::string("MM\0*", 4) : std::string("II*\0", 4)) + number(12, 4) +
           Bytes(4, 0) + number(static_cast<std::uint32_t>(tags.size()), 2) + entries;
}

// Its last entry (12 bytes from 50 on) gives the width again.
const std::string kTiffTwice = Tiff(false, 4097, 19, {{256, 19}});

struct Case {
    const char* what;
    std::string head;  // up to the last byte that states a side
    std::string tail;
    PictureState state;
};

const Case kCases[] = {
    {"PNG of 19 x 19", Png(19, 19), PngTail(), PictureState::Loading},
    {"PNG at the side limit", Png(4096, 4096), PngTail(), PictureState::Loading},
    {"PNG a pixel too wide", Png(4097, 1), PngTail(), PictureState::TooLarge},
    {"PNG a pixel too high", Png(1, 4097), PngTail(), PictureState::TooLarge},
    {"PNG of 20,000 x 20,000", Png(20000, 20000), PngTail() + Bytes(5000, 'x'),
     PictureState::TooLarge},
    {"PNG with sides over 2^31", Png(0x80000001u, 0x80000001u), PngTail(),
     PictureState::TooLarge},
    {"GIF at the side limit", GifScreen(4096, 4096), GifTable(), PictureState::Loading},
    {"GIF screen a pixel too wide", GifScreen(4097, 19), GifTable(), PictureState::TooLarge},
    {"animated GIF", GifScreen(19, 19) + GifTable() + GifFrame(19, 19) + GifData() +
     GifFrame(10, 10), GifData() + "\x3B", PictureState::Loading},
    {"GIF whose first frame is larger than its screen",
     GifScreen(19, 19) + GifTable() + GifFrame(19, 4097), GifData(), PictureState::TooLarge},
    {"GIF whose second frame is larger than its screen",
     GifScreen(19, 19) + GifTable() + GifFrame(19, 19) + GifData(true) + GifFrame(5000, 5),
     GifData(), PictureState::TooLarge},
    {"BMP top-down at the side limit", Bmp(40, 4096, -4096), BmpTail(), PictureState::Loading},
    {"BMP a pixel too wide", Bmp(40, 4097, 1), BmpTail(), PictureState::TooLarge},
    {"BMP top-down a pixel too high", Bmp(40, 1, -4097), BmpTail(), PictureState::TooLarge},
    {"BMP of the lowest height", Bmp(40, 1, 0x80000000u), BmpTail(), PictureState::TooLarge},
    {"BMP with a version 5 header", Bmp(124, 5000, 19), BmpTail(), PictureState::TooLarge},
    {"BMP with the core header at the limit", Bmp(12, 4096, 4096), BmpTail(),
     PictureState::Loading},
    {"BMP with the core header a pixel too high", Bmp(12, 19, 4097), BmpTail(),
     PictureState::TooLarge},
    {"JPEG of 19 x 19", Jpeg(19, 19), JpegTail(), PictureState::Loading},
    {"JPEG at the side limit", Jpeg(4096, 4096), JpegTail(), PictureState::Loading},
    {"JPEG a pixel too wide", Jpeg(4097, 19), JpegTail(), PictureState::TooLarge},
    {"progressive JPEG a pixel too high", Jpeg(19, 4097, '\xC2'), JpegTail(),
     PictureState::TooLarge},
    {"JPEG whose height comes after the data", Jpeg(5000, 0), JpegTail(), PictureState::Loading},
    {"TIFF named as any picture", Tiff(false, 19, 19), Bytes(40, 0), PictureState::Loading},
    {"TIFF a pixel too wide", Tiff(false, 4097, 19), Bytes(40, 0), PictureState::TooLarge},
    {"big-endian TIFF at the side limit", Tiff(true, 4096, 4096), Bytes(2, 0),
     PictureState::Loading},
    {"big-endian TIFF a pixel too long", Tiff(true, 19, 4097), Bytes(2, 0), PictureState::TooLarge},
    {"TIFF that gives its width twice, the smaller last", kTiffTwice.substr(0, 50),
     kTiffTwice.substr(50), PictureState::TooLarge},
    {"a text file named .jpg", "This is not a picture, only a name.", "", PictureState::Loading},
    {"a JPEG scan before any frame header", "\xFF\xD8\xFF\xDA" + Be(12, 2) + Bytes(20, '\xFF'),
     "", PictureState::Loading},
};

TEST(PictureCheck, ReadsEachFormatsSides) {
    for (const Case& c : kCases) {
        const std::string bytes = c.head + c.tail;
        EXPECT_EQ(CheckBeforeDecoding(bytes.size(), bytes), c.state) << c.what;
    }
}

// Cut anywhere before a side is complete, a header tells nothing and GDI+ decides; the
// file's own size still counts.
TEST(PictureCheck, TruncatedHeadersAreLeftToTheDecoder) {
    for (const Case& c : kCases) {
        if (c.state != PictureState::TooLarge) continue;
        const std::size_t fileSize = c.head.size() + c.tail.size();
        for (std::size_t cut = 0; cut < c.head.size(); ++cut)
            EXPECT_EQ(CheckBeforeDecoding(fileSize, c.head.substr(0, cut)), PictureState::Loading)
                << c.what << ", cut at " << cut;
        EXPECT_EQ(CheckBeforeDecoding(fileSize, c.head), PictureState::TooLarge) << c.what;
    }
}

TEST(PictureCheck, FileSizeLimits) {
    const std::string small = Png(19, 19) + PngTail();
    EXPECT_EQ(CheckBeforeDecoding(0, ""), PictureState::Unreadable);
    EXPECT_EQ(CheckBeforeDecoding(kLargestPictureFile, small), PictureState::Loading);
    EXPECT_EQ(CheckBeforeDecoding(kLargestPictureFile + 1, ""), PictureState::TooLarge);
    EXPECT_EQ(CheckBeforeDecoding(5u << 20, ""), PictureState::TooLarge);
}

}  // namespace
}  // namespace pimbrel
