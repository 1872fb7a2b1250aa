#include "tools/lunq/LunqFormat.h"

#include <cstring>

static const char kMagic[4] = {'L', 'U', 'N', 'Q'};

uint32_t LunqGetUInt32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void LunqPutUInt32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; i++)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

bool LunqStubUsable(const std::vector<uint8_t>& stub)
{
    return stub.size() >= LUNQ_STUB_MIN_SIZE &&
           stub.size() <= 0xFFFFFFFFu - LUNQ_LOAD_ADDRESS &&
           std::memcmp(&stub[LUNQ_MAGIC_OFFSET], kMagic, sizeof(kMagic)) == 0;
}

std::vector<uint8_t> LunqPatchStub(const std::vector<uint8_t>& stub, uint64_t lzmaLength)
{
    std::vector<uint8_t> patched(stub);
    if (patched.size() < LUNQ_STUB_MIN_SIZE)
        return patched;
    LunqPutUInt32(&patched[LUNQ_PAYLOAD_ADDR_OFFSET],
                  LUNQ_LOAD_ADDRESS + static_cast<uint32_t>(patched.size()));
    LunqPutUInt32(&patched[LUNQ_PAYLOAD_LEN_OFFSET], static_cast<uint32_t>(lzmaLength));
    return patched;
}

LunqHeaderResult LunqParseHeader(const uint8_t* header, size_t headerSize, uint64_t fileSize,
                                 uint64_t& stubLength)
{
    if (headerSize < LUNQ_HEADER_END || fileSize < LUNQ_HEADER_END ||
        std::memcmp(header + LUNQ_MAGIC_OFFSET, kMagic, sizeof(kMagic)) != 0)
        return LUNQ_HEADER_NOT_VALID;
    const int32_t length =
        static_cast<int32_t>(LunqGetUInt32(header + LUNQ_PAYLOAD_ADDR_OFFSET) - LUNQ_LOAD_ADDRESS);
    if (length < 0 || static_cast<uint64_t>(length) > fileSize)
        return LUNQ_HEADER_ILLEGAL;
    stubLength = static_cast<uint64_t>(length);
    return LUNQ_HEADER_OK;
}
