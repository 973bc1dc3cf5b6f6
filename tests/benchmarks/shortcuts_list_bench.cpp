// Reads generated list files through ReadListEntries from disk and prints the time and the
// peak resident size: a 100 MB list, then a file whose one entry line is 10 MB. Then the
// writer gives a picture of the 100 MB list a new shortcut, held whole in memory as the
// window's edit holds it.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "messenger/functions.h"
#include "shortcuts/list_writer.h"
#include "shortcuts/shortcuts.h"

namespace {

class FileReader : public pimbrel::ByteReader {
public:
    explicit FileReader(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {}
    ~FileReader() override {
        if (file_) std::fclose(file_);
    }
    bool IsOpen() const { return file_ != nullptr; }
    long Read(char* buffer, std::size_t size) override {
        const std::size_t got = std::fread(buffer, 1, size, file_);
        if (got == 0 && std::ferror(file_)) return -1;
        return static_cast<long>(got);
    }

private:
    std::FILE* file_;
};

long PeakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

std::vector<std::u16string> Pictures() {
    std::vector<std::u16string> names;
    for (int i = 0; i < 32766; ++i) {
        const std::string name = "pic" + std::to_string(i) + ".gif";
        names.emplace_back(name.begin(), name.end());
    }
    return names;
}

void WriteBigList(const std::string& path, std::size_t bytes) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    std::fputs("Generated list\r\n---List---\r\n", out);
    std::size_t written = 0;
    for (unsigned i = 0; written < bytes; ++i) {
        char line[96];
        const int n = std::snprintf(line, sizeof line, "\tPIC%u.GIF - :%u)\r\n", i % 40000, i);
        std::fwrite(line, 1, static_cast<std::size_t>(n), out);
        written += static_cast<std::size_t>(n);
        if (i % 5000 == 0) std::fputs("--- break ---\r\n---List---\r\n", out);
    }
    std::fclose(out);
}

void WriteLongLine(const std::string& path, std::size_t bytes) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    std::fputs("---List---\r\npic1.gif - ", out);
    const std::string chunk(1 << 20, 'x');
    for (std::size_t done = 0; done < bytes; done += chunk.size()) {
        std::fwrite(chunk.data(), 1, chunk.size(), out);
    }
    std::fputs("\r\npic2.gif - (b)\r\n", out);
    std::fclose(out);
}

void ReadAndReport(const char* what, const std::string& path,
                   const std::vector<std::u16string>& pictures) {
    FileReader reader(path);
    if (!reader.IsOpen()) {
        std::printf("%s: cannot open %s\n", what, path.c_str());
        return;
    }
    const pimbrel::LowerCaseNames list(pictures);
    std::vector<std::u16string> listed(pictures.size() + 1);
    std::size_t entries = 0, stored = 0;
    const auto start = std::chrono::steady_clock::now();
    const auto result =
        pimbrel::ReadListEntries(reader, [&](const std::u16string& name, const std::u16string& s) {
            ++entries;
            const std::int32_t at = pimbrel::FindListIndex(list, name);
            if (at != -1) {
                listed[static_cast<std::size_t>(at)] = s;
                ++stored;
            }
        });
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count();
    std::printf("%-22s %s  %8.1f ms  %zu entries, %zu stored  peak RSS %ld KB\n", what,
                result == pimbrel::ListFileResult::Read ? "read " : "ERROR", ms, entries, stored,
                PeakRssKb());
}

// The writer's time and the peak resident size, the file's bytes and the new ones included.
void WriteAndReport(const char* what, const std::string& path, const std::u16string& name,
                    const std::u16string& shortcut) {
    std::ifstream in(path, std::ios::binary);
    const std::optional<std::string> bytes(
        std::in_place, std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    const auto start = std::chrono::steady_clock::now();
    const std::optional<std::string> written = pimbrel::WithListedShortcut(bytes, name, shortcut);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count();
    std::printf("%-22s %s  %8.1f ms  %+ld bytes  peak RSS %ld KB\n", what,
                written ? "wrote" : "ERROR", ms,
                written ? static_cast<long>(written->size()) - static_cast<long>(bytes->size()) : 0L,
                PeakRssKb());
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "/tmp";
    const std::vector<std::u16string> pictures = Pictures();
    std::printf("baseline (32766 picture names)      peak RSS %ld KB\n", PeakRssKb());

    const std::string big = folder + "/pimbrel_list_100mb.txt";
    WriteBigList(big, 100u << 20);
    ReadAndReport("100 MB list", big, pictures);
    WriteAndReport("100 MB list, one more", big, u"pic1.gif", u"(new)");
    WriteAndReport("100 MB list, none", big, u"pic1.gif", u"");
    std::remove(big.c_str());

    const std::string longLine = folder + "/pimbrel_list_longline.txt";
    WriteLongLine(longLine, 10u << 20);
    ReadAndReport("one 10 MB line", longLine, pictures);
    std::remove(longLine.c_str());
    return 0;
}
