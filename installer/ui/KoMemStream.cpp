#include "installer/ui/KoMemStream.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
const size_t kGrowStep = 4096;
}

CKoMemStream::CKoMemStream()
    : m_data(nullptr), m_size(0), m_capacity(0), m_pos(0), m_owned(true) {}

CKoMemStream::CKoMemStream(const uint8_t *data, size_t size)
    : m_data(const_cast<uint8_t *>(data)), m_size(size), m_capacity(size),
      m_pos(0), m_owned(false) {}

CKoMemStream::~CKoMemStream() { Close(); }

bool CKoMemStream::Close()
{
    if (m_owned)
        free(m_data);
    m_data = nullptr;
    m_size = m_capacity = m_pos = 0;
    return true;
}

size_t CKoMemStream::Read(void *buffer, size_t size, size_t count)
{
    if (!buffer || size == 0 || m_pos >= m_size)
        return 0;
    size_t left = m_size - m_pos;
    size_t bytes = count <= left / size ? size * count : left;
    memcpy(buffer, m_data + m_pos, bytes);
    m_pos += bytes;
    return bytes / size;
}

bool CKoMemStream::Reserve(size_t need)
{
    if (need <= m_capacity)
        return true;
    if (!m_owned)
        return false;
    size_t capacity = (need + kGrowStep - 1) / kGrowStep * kGrowStep;
    if (capacity < need)
        return false;
    uint8_t *grown = (uint8_t *)realloc(m_data, capacity);
    if (!grown)
        return false;
    m_data = grown;
    m_capacity = capacity;
    return true;
}

size_t CKoMemStream::Write(const void *buffer, size_t size, size_t count)
{
    if (!m_owned || !buffer || size == 0 || count == 0)
        return 0;
    if (count > (SIZE_MAX - m_pos) / size)
        return 0;
    size_t bytes = size * count;
    if (!Reserve(m_pos + bytes))
        return 0;
    if (m_pos > m_size)
        memset(m_data + m_size, 0, m_pos - m_size);
    memcpy(m_data + m_pos, buffer, bytes);
    m_pos += bytes;
    if (m_pos > m_size)
        m_size = m_pos;
    return count;
}

bool CKoMemStream::Seek(long offset, int origin)
{
    long long base = origin == SEEK_SET   ? 0
                     : origin == SEEK_CUR ? (long long)m_pos
                     : origin == SEEK_END ? (long long)m_size
                                          : -1;
    if (base < 0)
        return false;
    long long target = base + offset;
    if (target < 0)
        return false;
    if ((size_t)target > m_size && !Reserve((size_t)target))
        return false;
    m_pos = (size_t)target;
    return true;
}

int CKoMemStream::GetC()
{
    if (m_pos >= m_size)
        return EOF;
    return m_data[m_pos++];
}

bool CKoMemStream::PutC(uint8_t c) { return Write(&c, 1, 1) == 1; }
