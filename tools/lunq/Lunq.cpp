#include "tools/lunq/Lunq.h"

#include <cctype>
#include <cstdio>
#include <string>

#include "tools/lunq/LunqFormat.h"
#include "tools/lunq/LunqPlatform.h"
#include "tools/lunq/LzmaAlone.h"

namespace {

const char kBanner[] = "\n ZeLUNQ - Zeldr Memory Self-DeCompress Bootstrap Assember v1.0\n";
const char kUsage[] =
    "\n Usage:   lunq <e|d> inputFile outputFile\n\n"
    "          e - encode bootstrap file \n"
    "          d - decode bootstrap file \n\n"
    "          lunq e c:\\zavo.sys c:\\zavo.luq\n";

class CFileReader : public CByteReader {
public:
    explicit CFileReader(FILE* fp) : m_fp(fp) {}
    bool Read(void* buf, size_t& size) override
    {
        size = std::fread(buf, 1, size, m_fp);
        return !std::ferror(m_fp);
    }

private:
    FILE* m_fp;
};

class CFileWriter : public CByteWriter {
public:
    explicit CFileWriter(FILE* fp) : m_fp(fp), m_count(0) {}
    bool Write(const void* buf, size_t size) override
    {
        if (std::fwrite(buf, 1, size, m_fp) != size)
            return false;
        m_count += size;
        return true;
    }
    uint64_t Count() const { return m_count; }

private:
    FILE* m_fp;
    uint64_t m_count;
};

void Fail(const char* format, const char* arg = "")
{
    std::fprintf(stderr, format, arg);
    std::fflush(stderr);
}

int IncorrectCommand()
{
    Fail("\nError: %s\n\n", "Incorrect command");
    Fail("%s", kUsage);
    return 1;
}

// Messages of the LZMA step for a result other than success.
void ReportLzma(LzmaAloneResult result, const char* outputFile, int encoderError)
{
    switch (result) {
    case LZMA_ALONE_READ_ERROR: Fail("\n%s\n", "Read error"); break;
    case LZMA_ALONE_WRITE_ERROR: Fail("\n write %s failed.", outputFile); break;
    case LZMA_ALONE_MEM_ERROR: Fail("\nError: %s\n", "Can not allocate memory"); break;
    case LZMA_ALONE_PROPS_ERROR: Fail("\n%s\n", "SetDecoderProperties error"); break;
    case LZMA_ALONE_DATA_ERROR:
    case LZMA_ALONE_TOO_LARGE: Fail("\n%s\n", "Decoder error"); break;
    case LZMA_ALONE_ENCODER_ERROR:
        std::fprintf(stderr, "\nEncoder error = %X\n", encoderError);
        break;
    default: break;
    }
}

bool WriteAt(FILE* fp, uint64_t offset, const void* data, size_t size)
{
    return std::fflush(fp) == 0 && LunqSeek(fp, offset) &&
           std::fwrite(data, 1, size, fp) == size;
}

int Encode(const char* inputFile, const char* outputFile, const std::vector<uint8_t>& stub)
{
    if (!LunqStubUsable(stub)) {
        Fail("\nError: %s\n", "the boot stub is damaged");
        return 1;
    }
    CScopedFile in(std::fopen(inputFile, "rb"));
    if (!in.Get()) {
        Fail("\nError: can not open input file %s\n", inputFile);
        return 1;
    }
    uint64_t inputSize;
    if (!LunqFileSize(in.Get(), inputSize)) {
        Fail("\nError: %s\n", "Read size error");
        return 1;
    }
    CTempFile out(outputFile);
    if (!out.Create()) {
        Fail("\n open %s for writing failed.", outputFile);
        return 1;
    }
    // The stub goes first with its length field still open; it is patched
    // once the LZMA file's length is known.
    const std::vector<uint8_t> header = LunqPatchStub(stub, 0);
    CFileWriter writer(out.Get());
    if (!writer.Write(header.data(), header.size())) {
        Fail("\n write %s failed.", outputFile);
        return 1;
    }
    CFileReader reader(in.Get());
    int encoderError = 0;
    const LzmaAloneResult result = LzmaAloneEncode(reader, inputSize, writer, &encoderError);
    if (result != LZMA_ALONE_OK) {
        ReportLzma(result, outputFile, encoderError);
        return 1;
    }
    in.Reset();  // so that the image may replace its own input
    uint8_t length[4];
    LunqPutUInt32(length, static_cast<uint32_t>(writer.Count() - header.size()));
    if (!WriteAt(out.Get(), LUNQ_PAYLOAD_LEN_OFFSET, length, sizeof(length)) || !out.Commit()) {
        Fail("\n write %s failed.", outputFile);
        return 1;
    }
    return 0;
}

int Decode(const char* inputFile, const char* outputFile)
{
    CScopedFile in(std::fopen(inputFile, "rb"));
    uint64_t fileSize = 0;
    if (!in.Get() || !LunqFileSize(in.Get(), fileSize)) {
        Fail("\n open %s for read failed.", inputFile);
        return 1;
    }
    if (LunqSameFile(inputFile, outputFile)) {
        Fail("\n file %s is both input and output.", inputFile);
        return 1;
    }
    uint8_t header[LUNQ_HEADER_END];
    const size_t got = std::fread(header, 1, sizeof(header), in.Get());
    uint64_t stubLength = 0;
    switch (LunqParseHeader(header, got, fileSize, stubLength)) {
    case LUNQ_HEADER_NOT_VALID:
        Fail("\n file %s is not a valid file.", inputFile);
        return -1;
    case LUNQ_HEADER_ILLEGAL:
        Fail("\n file %s is illegal.", inputFile);
        return -1;
    default:
        break;
    }
    if (!LunqSeek(in.Get(), stubLength)) {
        Fail("\n%s\n", "Read error");
        return 1;
    }
    CTempFile out(outputFile);
    if (!out.Create()) {
        Fail("\n open %s for writing failed.", outputFile);
        return 1;
    }
    CFileReader reader(in.Get());
    CFileWriter writer(out.Get());
    const LzmaAloneResult result = LzmaAloneDecode(reader, writer);
    if (result != LZMA_ALONE_OK) {
        ReportLzma(result, outputFile, 0);
        return 1;
    }
    if (!out.Commit()) {
        Fail("\n write %s failed.", outputFile);
        return 1;
    }
    return 0;
}

}  // namespace

int LunqMain(int argc, char** argv, const std::vector<uint8_t>& stub)
{
    Fail("%s", kBanner);
    if (argc != 4) {
        Fail("%s", kUsage);
        LunqWaitKey();
        return -1;
    }
    const std::string command = argv[1];
    const int mode = std::tolower(static_cast<unsigned char>(command.empty() ? 0 : command[0]));
    // The LZMA step takes the argument as its command, which is one letter.
    if ((mode != 'e' && mode != 'd') || command.size() != 1)
        return IncorrectCommand();
    return mode == 'e' ? Encode(argv[2], argv[3], stub) : Decode(argv[2], argv[3]);
}
