// Layout of a Lunq image: the boot stub, whose header at 0x260 locates the
// payload, followed by an LZMA alone file.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

const size_t LUNQ_MAGIC_OFFSET = 0x260;         // "LUNQ"
const size_t LUNQ_PAYLOAD_ADDR_OFFSET = 0x264;  // 0x8000 + stub length
const size_t LUNQ_PAYLOAD_LEN_OFFSET = 0x268;   // LZMA file length, low 32 bits
const size_t LUNQ_HEADER_END = 0x26C;           // bytes decode needs to read
const size_t LUNQ_STUB_MIN_SIZE = 0x270;
const uint32_t LUNQ_LOAD_ADDRESS = 0x8000;  // linear address of the image at boot

enum LunqHeaderResult {
    LUNQ_HEADER_OK,
    LUNQ_HEADER_NOT_VALID,  // too short or magic missing
    LUNQ_HEADER_ILLEGAL     // stub length negative or past the end
};

uint32_t LunqGetUInt32(const uint8_t* p);
void LunqPutUInt32(uint8_t* p, uint32_t v);

// A stub can carry an image when its header fits and holds the magic.
bool LunqStubUsable(const std::vector<uint8_t>& stub);

// Copy of the stub with the payload address and length patched in.
std::vector<uint8_t> LunqPatchStub(const std::vector<uint8_t>& stub, uint64_t lzmaLength);

// Reads the header from the first headerSize bytes of an image of fileSize
// bytes and gives the offset at which the LZMA file starts.
LunqHeaderResult LunqParseHeader(const uint8_t* header, size_t headerSize, uint64_t fileSize,
                                 uint64_t& stubLength);
