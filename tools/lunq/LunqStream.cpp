#include "tools/lunq/LunqStream.h"

#include <cstring>

bool CMemoryReader::Read(void* buf, size_t& size)
{
    if (size > m_size - m_pos)
        size = m_size - m_pos;
    if (size)
        std::memcpy(buf, m_data + m_pos, size);
    m_pos += size;
    return true;
}
