#pragma once

// CxImage: the one raster picture type. Pixels live in one block laid out as a device-independent
// bitmap: a 40-byte BITMAPINFOHEADER, the palette as RGBQUAD entries, then the pixel rows bottom-up,
// each padded to 4 bytes. Depths are 1, 4 and 8 bits (indexed) and 24 bits (blue, green, red). In a 1-bit
// row the most significant bit is pixel 0; in a 4-bit row the high nibble is pixel 0. Row 0 is the
// bottom row of the picture.
//
// The format classes (one per file format) derive from CxImage and decode into or encode from these same
// members. Nothing here throws: failures return false or null and leave a text in the last-error field.

#include "image/xImageTypes.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>

class CxFile;

// The attribute block.
struct CxImageInfo
{
    uint32_t rowStride;           // bytes per pixel row, padded to 4
    uint8_t *pixels;              // row 0 inside the pixel block
    class CxImage *aliasOwner;    // the image whose buffers this one borrows, or null
    class CxImage *parent;        // the image holding this one as a layer (never set by the system)
    uint32_t formatId;
    char lastError[256];
    int32_t progress;             // percentage, written by long operations
    int32_t escape;               // non-zero stops long operations; -1 asks decoders for the size only
    int32_t transIndex;           // -1 = none
    RGBQUAD transColor;
    float jpegQuality;
    uint8_t jpegScale;
    int32_t frame;
    int32_t frameCount;
    uint32_t frameDelay;
    int32_t xDpi;
    int32_t yDpi;
    RECT selectionBox;            // top above bottom: rows count from the bottom
    uint8_t alphaMax;
    bool alphaPaletteEnabled;
    bool enabled;
    int32_t xOffset;
    int32_t yOffset;
    uint32_t codecOptions[kImageCodecSlots];
    RGBQUAD lastColor;            // nearest-colour cache
    uint8_t lastColorIndex;
    bool lastColorValid;
    int32_t layerCount;
    uint32_t flags;
    uint8_t frameDisposal;
    bool loadAllFrames;
    bool littleEndianHost;
};

class CxImage
{
public:
    // The largest pixel block the object allocates (rows only).
    static constexpr uint64_t kMaxMemory = 268435456;

    explicit CxImage(uint32_t formatId = ImageFormatNone);
    CxImage(uint32_t width, uint32_t height, uint32_t bpp, uint32_t formatId = ImageFormatNone);
    CxImage(const CxImage &source, bool copyPixels = true, bool copySelection = true, bool copyAlpha = true);
    CxImage &operator=(const CxImage &source);
    virtual ~CxImage();

    // ---- lifecycle (xImage.cpp)
    void *Create(uint32_t width, uint32_t height, uint32_t bpp, uint32_t formatId = ImageFormatNone);
    bool Destroy();
    bool DestroyFrames();
    // A deep copy, also of an alias; copying into an alias ends its borrowing first.
    void CopyFrom(const CxImage &source, bool copyPixels = true, bool copySelection = true, bool copyAlpha = true);
    bool TakeOver(CxImage &source, bool moveFrames = true);
    void MakeAlias(CxImage *source);
    void CopyAttributes(const CxImage &source);

    bool IsValid() const { return m_dib != nullptr; }
    bool IsIndexed() const { return m_header.biClrUsed != 0; }
    int32_t GetWidth() const { return m_header.biWidth; }
    int32_t GetHeight() const { return m_header.biHeight; }
    uint16_t GetBpp() const { return m_header.biBitCount; }
    uint32_t GetRowStride() const { return m_info.rowStride; }
    uint32_t GetNumColors() const { return m_header.biClrUsed; }
    uint32_t GetClrImportant() const { return m_header.biClrImportant; }
    void *GetDibBlock() const { return m_dib; }
    uint8_t *GetRowPointer(uint32_t row) const;
    uint32_t GetDibSize() const;
    bool ContainsPoint(int32_t x, int32_t y) const;
    uint32_t GetFormatId() const { return m_info.formatId; }
    bool SetFormatId(uint32_t id);
    int32_t GetHorizontalDpi() const { return m_info.xDpi; }
    int32_t GetVerticalDpi() const { return m_info.yDpi; }
    void SetHorizontalDpi(int32_t dpi);
    void SetVerticalDpi(int32_t dpi);
    uint8_t GetJpegQuality() const;
    void SetJpegQuality(float quality);
    uint8_t GetJpegScale() const { return m_info.jpegScale; }
    void SetJpegScale(uint8_t scale) { m_info.jpegScale = scale; }
    static uint32_t FormatSlotFromId(uint32_t id);
    uint32_t GetCodecOption(uint32_t formatId = ImageFormatNone) const;
    bool SetCodecOption(uint32_t option, uint32_t formatId = ImageFormatNone);
    int32_t GetFrameCount() const { return m_info.frameCount; }
    CxImage *GetFrame(int32_t index) const;
    // The frame a multi-frame decoder is asked for (0 = the first).
    int32_t GetFrame() const { return m_info.frame; }
    void SetFrame(int32_t index) { m_info.frame = index; }
    void SetLoadAllFrames(bool all) { m_info.loadAllFrames = all; }
    bool GetLoadAllFrames() const { return m_info.loadAllFrames; }
    void SetFrameDisposal(uint8_t method) { m_info.frameDisposal = method; }
    uint8_t GetFrameDisposal() const { return m_info.frameDisposal; }
    void SetFrameOffset(int32_t x, int32_t y) { m_info.xOffset = x; m_info.yOffset = y; }
    // The placement and timing a multi-frame decoder reports.
    int32_t GetFrameIndex() const { return m_info.frame; }
    void SetFrameDelay(uint32_t delay) { m_info.frameDelay = delay; }
    uint32_t GetFrameDelay() const { return m_info.frameDelay; }
    int32_t GetXOffset() const { return m_info.xOffset; }
    int32_t GetYOffset() const { return m_info.yOffset; }
    int32_t GetProgress() const { return m_info.progress; }
    void SetProgress(int32_t percent) { m_info.progress = percent; }
    int32_t GetEscape() const { return m_info.escape; }
    void SetEscape(int32_t escape) { m_info.escape = escape; }
    uint16_t SwapWordToHost(uint16_t value) const;
    uint32_t SwapDwordToHost(uint32_t value) const;
    void SwapHeaderToHost(BITMAPINFOHEADER &header) const;
    const char *GetErrorText() const { return m_info.lastError; }
    // Bounded copy into the last-error field (255 characters at most).
    void SetErrorText(const char *text);

    // ---- files and formats (xImageFile.cpp)
    bool Decode(CxFile *file, uint32_t formatId);
    bool Encode(CxFile *file, uint32_t formatId);
    bool DecodeFromStream(FILE *stream, uint32_t formatId);
    bool EncodeToStream(FILE *stream, uint32_t formatId);
    bool Load(const std::filesystem::path &path, uint32_t formatId = ImageFormatNone);
    // Encodes into memory first; the file is replaced only when the encoder succeeded.
    bool Save(const std::filesystem::path &path, uint32_t formatId);

    // ---- pixels (xImagePixel.cpp)
    uint8_t GetPixelIndex(int32_t x, int32_t y) const;
    uint8_t BlindGetPixelIndex(int32_t x, int32_t y) const;
    void SetPixelIndex(int32_t x, int32_t y, uint8_t index);
    void BlindSetPixelIndex(int32_t x, int32_t y, uint8_t index);
    RGBQUAD GetPixelColor(int32_t x, int32_t y, bool withAlpha = true) const;
    RGBQUAD BlindGetPixelColor(int32_t x, int32_t y, bool withAlpha = true) const;
    void SetPixelColor(int32_t x, int32_t y, RGBQUAD colour, bool setAlpha = false);
    void SetPixelColor(int32_t x, int32_t y, COLORREF colour);
    void BlindSetPixelColor(int32_t x, int32_t y, RGBQUAD colour, bool setAlpha = false);
    uint8_t *GetPixelPointer(int32_t x, int32_t y) const;
    // Note the argument order: start x, end x, start y, end y.
    void DrawLine(int32_t x1, int32_t x2, int32_t y1, int32_t y2, RGBQUAD colour, bool setAlpha = false);
    void DrawLine(int32_t x1, int32_t x2, int32_t y1, int32_t y2, COLORREF colour);
    void Clear(uint8_t value = 0);

    // ---- palette (xImagePalette.cpp)
    RGBQUAD *GetPalette() const;
    uint32_t GetPaletteSize() const { return m_header.biClrUsed * 4; }
    RGBQUAD GetPaletteColor(uint8_t index) const;
    bool GetPaletteColor(uint8_t index, uint8_t *red, uint8_t *green, uint8_t *blue) const;
    void SetPaletteColor(uint8_t index, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha = 0);
    void SetPaletteColor(uint8_t index, RGBQUAD colour);
    void SetPalette(const RGBQUAD *entries, uint32_t count = 256);
    void SetPalette(uint32_t count, const uint8_t *red, const uint8_t *green = nullptr, const uint8_t *blue = nullptr);
    void SetPalette(const RgbColor *triples, uint32_t count = 256);
    void SetGrayPalette();
    void SetStdPalette();
    bool IsGrayScale() const;
    uint8_t GetNearestIndex(RGBQUAD colour);
    void SwapIndex(uint8_t i, uint8_t j);
    void SwapRedBlue();
    void SwapRedBlueInRow(uint8_t *buffer, size_t length) const;
    void SetClrImportant(uint32_t count);
    bool AlphaPaletteIsValid() const;
    // Grey level of a minus grey level of b (qsort order for RGBQUAD arrays).
    static int CompareColors(const void *a, const void *b);
    static uint8_t GrayLevel(RGBQUAD c) { return uint8_t((306 * c.rgbRed + 601 * c.rgbGreen + 117 * c.rgbBlue) >> 10); }

    // ---- transparency, alpha plane, selection mask (xImageAlpha.cpp)
    void SetTransIndex(int32_t index);
    int32_t GetTransIndex() const { return m_info.transIndex; }
    bool IsTransparent() const { return m_info.transIndex >= 0; }
    void SetTransColor(RGBQUAD colour);
    RGBQUAD GetTransColor() const;

    bool AlphaIsValid() const { return m_alpha != nullptr; }
    // Whether any pixel may be shown less than opaque: an alpha plane, palette alpha read from a file,
    // or a transparent index or colour.
    bool HasTransparency() const;
    // The alpha a pixel is shown with: the alpha plane, the palette entry's alpha where the palette
    // carries alpha, and 0 for the transparent index (or, at 24 bits, the transparent colour).
    uint8_t BlindGetShownAlpha(int32_t x, int32_t y) const;
    // The same for the pixels of one palette entry, the alpha plane aside.
    uint8_t GetShownPaletteAlpha(uint8_t index) const;
    bool AlphaCreate();
    void AlphaDelete();
    void AlphaSet(uint8_t level);
    void AlphaInvert();
    bool AlphaCopy(const CxImage &source);
    bool AlphaSetFromImage(const CxImage &source);
    void AlphaSetPixel(int32_t x, int32_t y, uint8_t level);
    uint8_t AlphaGet(int32_t x, int32_t y) const;
    uint8_t *AlphaGetPointer(int32_t x = 0, int32_t y = 0) const;
    bool AlphaFlip();
    bool AlphaMirror();

    bool SelectionIsValid() const { return m_selection != nullptr; }
    bool SelectionCreate();
    void SelectionDelete();
    bool SelectionCopy(const CxImage &source);
    void SelectionSet(int32_t x, int32_t y, uint8_t level);
    uint8_t *SelectionGetPointer(int32_t x = 0, int32_t y = 0) const;
    RECT GetSelectionBox() const { return m_info.selectionBox; }
    bool SelectionFlip();
    bool SelectionMirror();

    // ---- whole-image conversions (xImageConvert.cpp, xImageRotate.cpp)
    bool GrayScale();
    bool Negative();
    bool Flip(bool flipSelection = true, bool flipAlpha = true);
    bool Mirror(bool mirrorSelection = true, bool mirrorAlpha = true);
    bool RotateLeft(CxImage *destination = nullptr);
    bool RotateRight(CxImage *destination = nullptr);
    bool DecreaseBpp(uint32_t bits, bool errorDiffusion, const RGBQUAD *palette = nullptr, uint32_t importantCount = 0);
    bool IncreaseBpp(uint32_t bits);

    // ---- resampling (xImageResample.cpp, xImageSample.cpp)
    bool Resample(int32_t newWidth, int32_t newHeight, int32_t mode, int32_t edge,
                  CxImage *destination = nullptr, bool disableAveraging = false);
    RGBQUAD SampleInterpolated(float x, float y, int32_t mode, int32_t edge, const RGBQUAD *replacement = nullptr);
    RGBQUAD SampleArea(float x, float y, float w, float h, int32_t mode, int32_t edge,
                       const RGBQUAD *replacement = nullptr);
    RGBQUAD GetEdgePixelColor(int32_t x, int32_t y, int32_t edge, const RGBQUAD *replacement = nullptr) const;
    void ApplyEdgeMode(int32_t &x, int32_t &y, int32_t edge) const;
    void ApplyEdgeMode(float &x, float &y, int32_t edge) const;

protected:
    // True when the file and the image are fit to encode; otherwise leaves "null file handler" or
    // "null image!!!" and the encoder returns false.
    bool EncodeSafeCheck(CxFile *file);

    // For a decoder that is about to write every row of a large picture: maps the rows in with one call
    // instead of a fault per page. Not for data whose size a file merely claims.
    void PrefaultPixels();

    // Unchecked reads of the planes: callers keep (x, y) inside.
    uint8_t BlindAlphaGet(int32_t x, int32_t y) const;
    uint8_t SelectionGet(int32_t x, int32_t y) const;
    bool SelectionIsInside(int32_t x, int32_t y) const;

    uint8_t *m_dib = nullptr;
    size_t m_dibSize = 0; // what was allocated for m_dib
    BITMAPINFOHEADER m_header{};
    CxImageInfo m_info{};
    uint8_t *m_selection = nullptr;
    uint8_t *m_alpha = nullptr;
    CxImage **m_layers = nullptr;
    CxImage **m_frames = nullptr;

private:
    void ResetMembers(uint32_t formatId);
    void InvalidateNearestCache() { m_info.lastColorValid = false; }
    bool DecodeKnown(CxFile *file, uint32_t formatId);
    bool DecodeDetect(CxFile *file);
    void PrepareDecoder(CxImage &codec) const;
    bool QuarterTurn(CxImage *destination, bool left);
    RGBQUAD SampleBilinear(float x, float y, int32_t edge, const RGBQUAD *replacement);
    RGBQUAD SampleKernel4(float x, float y, int32_t mode, int32_t edge, const RGBQUAD *replacement);
    RGBQUAD SampleLanczos(float x, float y, int32_t edge, const RGBQUAD *replacement);
    RGBQUAD LanczosWindow(int32_t xi, int32_t yi, const float *kx, const float *ky, int32_t edge,
                          const RGBQUAD *replacement) const;
    static void StoreSample(CxImage &target, int32_t dX, int32_t dY, RGBQUAD c);
    void ResamplePoints(CxImage &target, float xScale, float yScale, int32_t mode, int32_t edge, bool averaging);
    bool ResampleWindow(CxImage &target, float xScale, float yScale, int32_t mode, int32_t edge);
    bool ResampleBilinear(CxImage &target, float xScale, float yScale, int32_t mode, int32_t edge);
    bool ResampleArea(CxImage &target, float xScale, float yScale, int32_t edge);
    uint8_t *PlaneCopy(const uint8_t *plane) const;
    size_t PlaneSize() const { return size_t(uint32_t(GetWidth())) * size_t(uint32_t(GetHeight())); }
};
