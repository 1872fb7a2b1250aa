// Arbitrary bytes as a Lunq image (or, without a valid header, as a bare
// LZMA alone file), decoded with a bounded output.
#include <cstddef>
#include <cstdint>

#include "tools/lunq/LunqFormat.h"
#include "tools/lunq/LzmaAlone.h"

namespace {

class CCountingWriter : public CByteWriter {
public:
    bool Write(const void* buf, size_t size) override
    {
        const uint8_t* p = static_cast<const uint8_t*>(buf);
        for (size_t i = 0; i < size; i++)
            m_sum += p[i];
        return true;
    }
    unsigned m_sum = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    uint64_t offset = 0;
    if (LunqParseHeader(data, size, size, offset) != LUNQ_HEADER_OK)
        offset = 0;
    CMemoryReader reader(data + offset, size - static_cast<size_t>(offset));
    CCountingWriter writer;
    LzmaAloneDecode(reader, writer, 1 << 20);
    return 0;
}
