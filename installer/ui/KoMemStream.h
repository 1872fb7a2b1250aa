#pragma once
// A block of memory read and written like a file; the image codecs read from
// it.
#include <cstddef>
#include <cstdint>

class CKoMemStream {
public:
    CKoMemStream();                                  // empty, owned, growing
    CKoMemStream(const uint8_t *data, size_t size);  // borrowed, read-only
    ~CKoMemStream();
    CKoMemStream(const CKoMemStream &) = delete;
    CKoMemStream &operator=(const CKoMemStream &) = delete;

    bool Close();
    size_t Read(void *buffer, size_t size, size_t count);
    size_t Write(const void *buffer, size_t size, size_t count);
    bool Seek(long offset, int origin);  // SEEK_SET, SEEK_CUR, SEEK_END
    long Tell() const { return (long)m_pos; }
    long Size() const { return (long)m_size; }
    bool Eof() const { return m_pos >= m_size; }
    bool Error() const { return m_data == nullptr && m_size != 0; }
    int GetC();
    bool PutC(uint8_t c);
    size_t Capacity() const { return m_capacity; }
    const uint8_t *Data() const { return m_data; }

private:
    bool Reserve(size_t need);

    uint8_t *m_data;
    size_t m_size;
    size_t m_capacity;
    size_t m_pos;
    bool m_owned;
};
