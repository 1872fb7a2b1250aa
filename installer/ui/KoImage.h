#pragma once
// A device-independent bitmap in memory (1, 4, 8 or 24 bits, bottom-up rows)
// with an optional alpha layer, decoded from BMP, ICO, PNG or TGA data.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

class CKoMemStream;

// The bytes of an image, zeroed by calloc and not written again: the pages
// of a large image stay untouched until the decoder fills them.
class KoBlock {
public:
    KoBlock() {}
    ~KoBlock() { free(m_data); }
    KoBlock(const KoBlock &) = delete;
    KoBlock &operator=(const KoBlock &) = delete;
    // false when the memory cannot be had; the block is then empty
    bool Allocate(size_t size)
    {
        clear();
        m_data = static_cast<uint8_t *>(calloc(size ? size : 1, 1));
        m_size = m_data ? size : 0;
        return m_data != nullptr;
    }
    void clear()
    {
        free(m_data);
        m_data = nullptr;
        m_size = 0;
    }
    void swap(KoBlock &other)
    {
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
    }
    bool empty() const { return m_size == 0; }
    size_t size() const { return m_size; }
    uint8_t *data() { return m_data; }
    const uint8_t *data() const { return m_data; }

private:
    uint8_t *m_data = nullptr;
    size_t m_size = 0;
};
#ifdef _WIN32
struct HDC__;
struct HINSTANCE__;
struct HRSRC__;
struct tagRECT;
#endif

struct KoBitmapInfoHeader {
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight;
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
};
static_assert(sizeof(KoBitmapInfoHeader) == 40, "the DIB header is 40 bytes");

struct KoRgbQuad {
    uint8_t blue, green, red, reserved;
};

enum KoImageType {
    KO_TYPE_UNKNOWN = 0,
    KO_TYPE_BMP = 1,
    KO_TYPE_PNG = 2,
    KO_TYPE_ICO = 3,
    KO_TYPE_TGA = 4
};

class CKoImage {
public:
    explicit CKoImage(int type = KO_TYPE_UNKNOWN);
    virtual ~CKoImage();
    CKoImage(const CKoImage &) = delete;
    CKoImage &operator=(const CKoImage &) = delete;

    // Whether an image of this size and depth stays within the memory limit
    // that Create keeps.
    static bool WithinMemory(uint32_t width, uint32_t height, uint32_t bpp);
    // That limit in bytes for every image of the process, 256,000,000 unless
    // set (a fuzzer sets less, so that each input decodes quickly).
    static uint64_t GetMemoryLimit();
    static void SetMemoryLimit(uint64_t bytes);
    bool Create(uint32_t width, uint32_t height, uint32_t bpp,
                int type = KO_TYPE_UNKNOWN);
    void Destroy();
    bool Decode(const uint8_t *data, size_t size, int type);
    bool Decode(CKoMemStream &stream, int type);

    bool IsValid() const { return !m_block.empty(); }
    uint32_t GetWidth() const { return m_width; }
    uint32_t GetHeight() const { return m_height; }
    uint32_t GetBpp() const { return m_bpp; }
    uint32_t GetEffWidth() const { return m_rowSize; }
    uint32_t GetNumColors() const { return m_colors; }
    int GetType() const { return m_type; }
    const char *GetLastError() const { return m_error.c_str(); }
    // Header, palette and rows as one block, as a DIB section wants them.
    const uint8_t *GetDib() const
    {
        return m_block.empty() ? nullptr : m_block.data();
    }
    uint8_t *GetBits(uint32_t row = 0);
    KoRgbQuad *GetPalette();

    bool SetPaletteColor(uint32_t index, uint8_t r, uint8_t g, uint8_t b,
                         uint8_t alpha = 0);
    bool GetPaletteColor(uint32_t index, KoRgbQuad *out) const;
    void SetPalette(const uint8_t *rgb, uint32_t count);
    void SetPalette(const KoRgbQuad *quads, uint32_t count);

    KoRgbQuad GetPixelColor(int32_t x, int32_t y) const;
    uint8_t GetPixelIndex(int32_t x, int32_t y) const;
    void SetPixelIndex(int32_t x, int32_t y, uint8_t index);
    void SetPixelColor(int32_t x, int32_t y, KoRgbQuad colour,
                       bool setAlpha = false);

    bool AlphaCreate();
    void AlphaDelete() { m_alpha.clear(); }
    bool HasAlpha() const { return !m_alpha.empty(); }
    uint8_t AlphaGet(int32_t x, int32_t y) const;
    void AlphaSet(int32_t x, int32_t y, uint8_t value);
    void AlphaSetMax(uint8_t value) { m_alphaMax = value; }
    uint8_t AlphaGetMax() const { return m_alphaMax; }

    void SetTransIndex(int index) { m_transIndex = index; }
    int GetTransIndex() const { return m_transIndex; }
    void SetTransColor(uint32_t rgb)
    {
        m_transColor = rgb & 0xFFFFFF;
        m_hasTransColor = true;
    }
    bool GetTransColor(uint32_t *rgb) const;
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    bool IsEnabled() const { return m_enabled; }
    void SetFrame(uint32_t frame) { m_frame = frame; }
    uint32_t GetNumFrames() const { return m_numFrames; }

    bool Mirror();
    bool Flip();

#ifdef _WIN32
    // Drawing and resources (KoImageDraw.cpp, in the window library).
    // A negative size is the image's own; pClip limits the drawing further.
    bool Draw(HDC__ *hDC, int x, int y, int cx = -1, int cy = -1,
              const tagRECT *pClip = nullptr) const;
    bool LoadResource(HRSRC__ *hRes, int type, HINSTANCE__ *hModule = nullptr);
    // Found in the module (the program when null) by id and resource type.
    bool LoadResource(unsigned id, const char *resType, int type,
                      HINSTANCE__ *hModule = nullptr);
#endif

    // Used by the codecs.
    bool Fail(const char *text);
    bool OwnsPaletteAlpha() const { return m_paletteAlpha; }
    void SetPaletteAlpha(bool on) { m_paletteAlpha = on; }
    void SetNumFrames(uint32_t n) { m_numFrames = n; }
    uint32_t GetFrame() const { return m_frame; }

private:
    static uint32_t StoredDepth(uint32_t bpp);
    bool Inside(int32_t x, int32_t y) const;
    void TakeImage(CKoImage &other);
    bool RunCodec(CKoMemStream &stream, int type);

    KoBlock m_block;
    uint32_t m_width = 0, m_height = 0, m_bpp = 0, m_rowSize = 0, m_imageSize = 0,
             m_colors = 0;
    int32_t m_xDpm, m_yDpm;
    int m_type;
    int m_jpegQuality = 90;
    int m_transIndex = -1;
    uint32_t m_transColor = 0;
    bool m_hasTransColor = false;
    uint8_t m_alphaMax = 255;
    bool m_enabled = true;
    bool m_paletteAlpha = false;
    uint32_t m_frame = 0, m_numFrames = 0;
    std::vector<uint8_t> m_alpha;
    std::vector<uint8_t> m_selection;
    std::string m_error;
};

// The codecs: each fills a fresh image from the stream or leaves a text in it.
bool KoDecodeBmp(CKoImage &image, CKoMemStream &stream);
bool KoDecodeIco(CKoImage &image, CKoMemStream &stream);
bool KoDecodePng(CKoImage &image, CKoMemStream &stream);
bool KoDecodeTga(CKoImage &image, CKoMemStream &stream);
