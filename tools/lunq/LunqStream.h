// Byte streams the LZMA front end reads from and writes to.
#pragma once
#include <cstddef>
#include <cstdint>

class CByteReader {
public:
    virtual ~CByteReader() {}
    // Reads up to size bytes; size becomes the count read (0 at the end).
    // Returns false on a read error.
    virtual bool Read(void* buf, size_t& size) = 0;
};

class CByteWriter {
public:
    virtual ~CByteWriter() {}
    // Writes all size bytes or returns false.
    virtual bool Write(const void* buf, size_t size) = 0;
};

// Reader over a block of memory.
class CMemoryReader : public CByteReader {
public:
    CMemoryReader(const void* data, size_t size)
        : m_data(static_cast<const uint8_t*>(data)), m_size(size), m_pos(0) {}
    bool Read(void* buf, size_t& size) override;

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos;
};
