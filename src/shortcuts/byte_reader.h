// What the list file reader reads from: a file's bytes in order. The file system hands one
// out; the reader needs nothing else of it.
#pragma once
#include <cstddef>

namespace pimbrel {

class ByteReader {
public:
    ByteReader() = default;
    ByteReader(const ByteReader&) = delete;
    ByteReader& operator=(const ByteReader&) = delete;
    virtual ~ByteReader() = default;
    // Reads up to `size` bytes; returns the count, 0 at the end, -1 on a read error.
    virtual long Read(char* buffer, std::size_t size) = 0;
};

}  // namespace pimbrel
