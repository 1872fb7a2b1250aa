// The only file that includes the SDK's headers: Types.h brings windows.h on
// Windows and defines True and False.
#include "tools/lunq/LzmaAlone.h"

#include <cstdlib>
#include <cstring>
#include <memory>

extern "C" {
#include "LzmaDec.h"
#include "LzmaEnc.h"
}

namespace {

void* SzAlloc(void*, size_t size) { return std::malloc(size); }
void SzFree(void*, void* address) { std::free(address); }
ISzAlloc g_alloc = {SzAlloc, SzFree};

struct CInAdapter {
    ISeqInStream vt;
    CByteReader* reader;
    uint64_t total;
    bool failed;
};

SRes InRead(void* p, void* buf, size_t* size)
{
    CInAdapter* a = static_cast<CInAdapter*>(p);
    if (!a->reader->Read(buf, *size)) {
        a->failed = true;
        *size = 0;
        return SZ_ERROR_READ;
    }
    a->total += *size;
    return SZ_OK;
}

struct COutAdapter {
    ISeqOutStream vt;
    CByteWriter* writer;
    bool failed;
};

size_t OutWrite(void* p, const void* buf, size_t size)
{
    COutAdapter* a = static_cast<COutAdapter*>(p);
    if (!a->writer->Write(buf, size)) {
        a->failed = true;
        return 0;
    }
    return size;
}

struct CEncoderDeleter {
    void operator()(void* enc) const { LzmaEnc_Destroy(enc, &g_alloc, &g_alloc); }
};

// The driver's defaults, spelled out as the SDK would normalize them.
void SetDriverDefaults(CLzmaEncProps& props)
{
    LzmaEncProps_Init(&props);
    props.level = 5;
    props.dictSize = 1u << 23;
    props.lc = 3;
    props.lp = 0;
    props.pb = 2;
    props.algo = 1;
    props.fb = 128;
    props.btMode = 1;
    props.numHashBytes = 4;
    props.mc = 16 + (128 >> 1);
    props.writeEndMark = 0;
    props.numThreads = 1;
}

void PutUInt64(uint8_t* p, uint64_t v)
{
    for (int i = 0; i < 8; i++)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint64_t GetUInt64(const uint8_t* p)
{
    uint64_t v = 0;
    for (int i = 7; i >= 0; i--)
        v = (v << 8) | p[i];
    return v;
}

bool ReadFull(CByteReader& in, uint8_t* buf, size_t size, bool& ok)
{
    size_t got = 0;
    ok = true;
    while (got < size) {
        size_t n = size - got;
        if (!in.Read(buf + got, n)) {
            ok = false;
            return false;
        }
        if (n == 0)
            return false;
        got += n;
    }
    return true;
}

struct CDecoderState {
    CLzmaDec dec;
    CDecoderState() { LzmaDec_Construct(&dec); }
    ~CDecoderState()
    {
        LzmaDec_FreeProbs(&dec, &g_alloc);
        std::free(dec.dic);
    }
};

}  // namespace

LzmaAloneResult LzmaAloneEncode(CByteReader& in, uint64_t inputSize, CByteWriter& out,
                                int* encoderError)
{
    if (encoderError)
        *encoderError = SZ_OK;
    std::unique_ptr<void, CEncoderDeleter> enc(LzmaEnc_Create(&g_alloc));
    if (!enc)
        return LZMA_ALONE_MEM_ERROR;
    CLzmaEncProps props;
    SetDriverDefaults(props);
    SRes res = LzmaEnc_SetProps(enc.get(), &props);
    uint8_t header[LZMA_ALONE_HEADER_SIZE];
    SizeT propsSize = LZMA_PROPS_SIZE;
    if (res == SZ_OK)
        res = LzmaEnc_WriteProperties(enc.get(), header, &propsSize);
    if (res != SZ_OK) {
        if (encoderError)
            *encoderError = res;
        return LZMA_ALONE_ENCODER_ERROR;
    }
    PutUInt64(header + LZMA_PROPS_SIZE, inputSize);
    if (!out.Write(header, sizeof(header)))
        return LZMA_ALONE_WRITE_ERROR;

    CInAdapter inAdapter = {{InRead}, &in, 0, false};
    COutAdapter outAdapter = {{OutWrite}, &out, false};
    res = LzmaEnc_Encode(enc.get(), &outAdapter.vt, &inAdapter.vt, nullptr, &g_alloc, &g_alloc);
    if (encoderError)
        *encoderError = res;
    if (inAdapter.failed)
        return LZMA_ALONE_READ_ERROR;
    if (outAdapter.failed)
        return LZMA_ALONE_WRITE_ERROR;
    if (res == SZ_ERROR_MEM)
        return LZMA_ALONE_MEM_ERROR;
    if (res != SZ_OK)
        return LZMA_ALONE_ENCODER_ERROR;
    // The header promised inputSize bytes; a file that changed under us breaks it.
    if (inAdapter.total != inputSize)
        return LZMA_ALONE_READ_ERROR;
    return LZMA_ALONE_OK;
}

LzmaAloneResult LzmaAloneDecode(CByteReader& in, CByteWriter& out, uint64_t maxOutput)
{
    uint8_t header[LZMA_ALONE_HEADER_SIZE];
    bool readOk;
    if (!ReadFull(in, header, sizeof(header), readOk))
        return LZMA_ALONE_READ_ERROR;
    CLzmaProps props;
    if (LzmaProps_Decode(&props, header, LZMA_PROPS_SIZE) != SZ_OK)
        return LZMA_ALONE_PROPS_ERROR;
    const uint64_t unpackSize = GetUInt64(header + LZMA_PROPS_SIZE);
    const bool sizeKnown = unpackSize != LZMA_ALONE_UNKNOWN_SIZE;
    if (sizeKnown && unpackSize > maxOutput)
        return LZMA_ALONE_TOO_LARGE;
    const uint64_t outLimit = sizeKnown ? unpackSize : maxOutput;
    if (outLimit == 0)
        return LZMA_ALONE_OK;

    // A dictionary buffer larger than the whole output is never needed. When
    // it is cut down to the output limit, the output never wraps around it,
    // so no match can reach before its start.
    uint64_t dicSize = props.dicSize < 4096 ? 4096 : props.dicSize;
    if (outLimit < dicSize)
        dicSize = outLimit;
    if (dicSize > SIZE_MAX)
        return LZMA_ALONE_MEM_ERROR;

    CDecoderState state;
    CLzmaDec& dec = state.dec;
    SRes res = LzmaDec_AllocateProbs(&dec, header, LZMA_PROPS_SIZE, &g_alloc);
    if (res == SZ_ERROR_MEM)
        return LZMA_ALONE_MEM_ERROR;
    if (res != SZ_OK)
        return LZMA_ALONE_PROPS_ERROR;
    dec.dic = static_cast<Byte*>(std::malloc(static_cast<size_t>(dicSize)));
    if (!dec.dic)
        return LZMA_ALONE_MEM_ERROR;
    dec.dicBufSize = static_cast<SizeT>(dicSize);
    LzmaDec_Init(&dec);

    const size_t kInBufSize = 1 << 16;
    std::unique_ptr<uint8_t[]> inBuf(new uint8_t[kInBufSize]);
    size_t inPos = 0, inSize = 0;
    bool inEnded = false;
    uint64_t total = 0;
    for (;;) {
        if (inPos == inSize && !inEnded) {
            size_t n = kInBufSize;
            if (!in.Read(inBuf.get(), n))
                return LZMA_ALONE_READ_ERROR;
            inPos = 0;
            inSize = n;
            inEnded = n == 0;
        }
        const uint64_t rest = outLimit - total;
        if (rest == 0)
            return sizeKnown ? LZMA_ALONE_OK : LZMA_ALONE_TOO_LARGE;
        if (dec.dicPos == dec.dicBufSize)
            dec.dicPos = 0;
        SizeT dicLimit = dec.dicBufSize;
        ELzmaFinishMode finishMode = LZMA_FINISH_ANY;
        if (rest <= dec.dicBufSize - dec.dicPos) {
            dicLimit = dec.dicPos + static_cast<SizeT>(rest);
            if (sizeKnown)
                finishMode = LZMA_FINISH_END;
        }
        const SizeT oldDicPos = dec.dicPos;
        SizeT inProcessed = inSize - inPos;
        ELzmaStatus status;
        res = LzmaDec_DecodeToDic(&dec, dicLimit, inBuf.get() + inPos, &inProcessed,
                                  finishMode, &status);
        inPos += inProcessed;
        const SizeT produced = dec.dicPos - oldDicPos;
        if (produced && !out.Write(dec.dic + oldDicPos, produced))
            return LZMA_ALONE_WRITE_ERROR;
        total += produced;
        if (res != SZ_OK)
            return LZMA_ALONE_DATA_ERROR;
        if (status == LZMA_STATUS_FINISHED_WITH_MARK)
            return (!sizeKnown || total == unpackSize) ? LZMA_ALONE_OK : LZMA_ALONE_DATA_ERROR;
        if (sizeKnown && total == unpackSize)
            return LZMA_ALONE_OK;
        if (inProcessed == 0 && produced == 0 && inEnded)
            return LZMA_ALONE_DATA_ERROR;
    }
}
