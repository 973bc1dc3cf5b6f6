// See text_fakes.h.
#include "text_fakes.h"

#include <locale.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cwctype>
#include <stdexcept>

namespace pimbrel::testing {
namespace {

iconv_t Open(const std::string& to, const std::string& from) {
    const iconv_t handle = iconv_open(to.c_str(), from.c_str());
    if (handle == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error("iconv cannot convert " + from + " to " + to);
    return handle;
}

// Converts `in` whole; `onBad` is told how many bytes to skip at a sequence that does not
// convert and appends its replacement. Output is collected as bytes.
template <typename OnBad>
std::string Convert(iconv_t handle, const char* data, std::size_t size, OnBad onBad) {
    iconv(handle, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    char buffer[4096];
    char* in = const_cast<char*>(data);
    std::size_t left = size;
    while (left > 0) {
        char* next = buffer;
        std::size_t room = sizeof buffer;
        const std::size_t done = iconv(handle, &in, &left, &next, &room);
        out.append(buffer, next);
        if (done != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) continue;
        const std::size_t skip = onBad(in, left, out);
        in += skip;
        left -= skip;
    }
    return out;
}

// The characters of `bytes`; a byte that begins no character becomes U+FFFD.
std::u16string ToUnits(iconv_t decoder, const std::string& bytes) {
    const std::string units =
        Convert(decoder, bytes.data(), bytes.size(), [](const char*, std::size_t, std::string& out) {
            out += "\xFD\xFF";
            return std::size_t{1};
        });
    return std::u16string(reinterpret_cast<const char16_t*>(units.data()), units.size() / 2);
}

// Letter case of the characters outside the surrogate range, by the C.UTF-8 locale.
void MapCase(std::u16string& text, wint_t (*map)(wint_t, locale_t)) {
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    for (char16_t& c : text)
        if (!IsHighSurrogate(c) && !IsLowSurrogate(c)) c = static_cast<char16_t>(map(c, locale));
}

}  // namespace

IconvCodePage::IconvCodePage(const std::string& name)
    : encoder_(Open(name, "UTF-16LE")), decoder_(Open("UTF-16LE", name)) {
    SetCodePage(this);
}

IconvCodePage::~IconvCodePage() {
    SetCodePage(nullptr);
    iconv_close(encoder_);
    iconv_close(decoder_);
}

std::string IconvCodePage::Encode(const std::u16string& text, bool& exact) const {
    // As Windows does without best fit: one "?" for each character that does not fit.
    return Convert(encoder_, reinterpret_cast<const char*>(text.data()), text.size() * 2,
                   [&](const char* at, std::size_t left, std::string& out) {
                       exact = false;
                       out += '?';
                       const std::u16string rest(reinterpret_cast<const char16_t*>(at),
                                                 std::min<std::size_t>(left / 2, 2));
                       return CharacterSize(rest, 0) * 2;
                   });
}

std::u16string IconvCodePage::Decode(const std::string& bytes) const {
    return ToUnits(decoder_, bytes);
}

void IconvCodePage::ToUpper(std::u16string& text) const { MapCase(text, towupper_l); }

void IconvCodePage::ToLower(std::u16string& text) const { MapCase(text, towlower_l); }

std::u16string U16(const std::string& utf8) {
    static const iconv_t decoder = Open("UTF-16LE", "UTF-8");
    return ToUnits(decoder, utf8);
}

namespace {
class StringReader : public ByteReader {
public:
    StringReader(std::string content, std::size_t piece, std::size_t failAt)
        : content_(std::move(content)), piece_(piece), failAt_(failAt) {}
    long Read(char* buffer, std::size_t size) override {
        if (offset_ >= failAt_) return -1;
        const std::size_t count = std::min({size, piece_, content_.size() - offset_});
        std::memcpy(buffer, content_.data() + offset_, count);
        offset_ += count;
        return static_cast<long>(count);
    }

private:
    std::string content_;
    std::size_t piece_;
    std::size_t failAt_;
    std::size_t offset_ = 0;
};
}  // namespace

std::unique_ptr<ByteReader> ReaderOf(std::string content, std::size_t piece, std::size_t failAt) {
    return std::make_unique<StringReader>(std::move(content), piece, failAt);
}

ListFileResult ReadEntries(std::string content, std::size_t piece, Entries& entries) {
    return ReadListEntries(*ReaderOf(std::move(content), piece),
                           [&](const std::u16string& name, const std::u16string& shortcut) {
                               entries.emplace_back(name, shortcut);
                           });
}

}  // namespace pimbrel::testing
