#include "image/xImage.h"
#include "image/xIOFile.h"
#include "image/xImageCodecs.h"
#include "image/xMemFile.h"

#include <cstring>
#include <fstream>
#include <random>
#include <system_error>

namespace {
const char kUnknownDecode[] = "Decode: Unknown or wrong format";
} // namespace

bool CxImage::Decode(CxFile *file, uint32_t formatId)
{
    if (!file) {
        SetErrorText("null file handler");
        return false;
    }
    if (formatId == ImageFormatNone)
        return DecodeDetect(file);
    if (FormatSlotFromId(formatId) != 0)
        return DecodeKnown(file, formatId);
    SetErrorText(kUnknownDecode);
    return false;
}

// The decoder sees this image's requests (escape, codec options, frame index, LoadAllFrames, JPEG scale
// and quality) but not what described the picture held so far: a transparent colour or a resolution
// the new file does not state must not carry over into it.
void CxImage::PrepareDecoder(CxImage &codec) const
{
    const uint32_t ownId = codec.GetFormatId();
    codec.CopyAttributes(*this);
    codec.m_info.formatId = ownId;
    codec.m_info.transIndex = -1;
    codec.m_info.transColor = RGBQUAD{};
    codec.m_info.alphaPaletteEnabled = false;
    codec.SetHorizontalDpi(96);
    codec.SetVerticalDpi(96);
}

bool CxImage::DecodeDetect(CxFile *file)
{
    const int64_t start = file->Tell();
    for (const ImageCodec &codec : ImageCodecs()) {
        if (!codec.create || !codec.decode)
            continue;
        std::unique_ptr<CxImage> image = codec.create(ImageFormatNone);
        PrepareDecoder(*image);
        if (codec.decode(*image, file, ImageFormatNone))
            return TakeOver(*image, true);
        image.reset();
        file->Seek(start, SEEK_SET);
    }
    SetErrorText(kUnknownDecode);
    return false;
}

bool CxImage::DecodeKnown(CxFile *file, uint32_t formatId)
{
    const ImageCodec *codec = FindImageCodec(formatId);
    if (!codec || !codec->create || !codec->decode) {
        SetErrorText(kUnknownDecode);
        return false;
    }
    std::unique_ptr<CxImage> image = codec->create(formatId);
    PrepareDecoder(*image);
    if (codec->decode(*image, file, formatId))
        return TakeOver(*image, true);
    SetErrorText(image->GetErrorText());
    // A decoder asked for the size only, or stopped on a later frame, still tells how many frames it saw.
    if (codec->reportsFrames && !m_info.aliasOwner) {
        DestroyFrames();
        m_info.frameCount = image->GetFrameCount();
    }
    return false;
}

bool CxImage::Encode(CxFile *file, uint32_t formatId)
{
    const ImageCodec *codec = FormatSlotFromId(formatId) != 0 ? FindImageCodec(formatId) : nullptr;
    if (!codec || !codec->create || !codec->encode) {
        SetErrorText("Encode: Unknown format");
        return false;
    }
    std::unique_ptr<CxImage> image = codec->create(formatId);
    image->MakeAlias(this);
    if (codec->encode(*image, file, formatId))
        return true;
    SetErrorText(image->GetErrorText());
    return false;
}

bool CxImage::EncodeSafeCheck(CxFile *file)
{
    if (!file) {
        SetErrorText("null file handler");
        return false;
    }
    if (!IsValid()) {
        SetErrorText("null image!!!");
        return false;
    }
    return true;
}

bool CxImage::DecodeFromStream(FILE *stream, uint32_t formatId)
{
    CxIOFile file(stream);
    return Decode(stream ? &file : nullptr, formatId);
}

bool CxImage::EncodeToStream(FILE *stream, uint32_t formatId)
{
    CxIOFile file(stream);
    return Encode(stream ? &file : nullptr, formatId);
}

bool CxImage::Load(const std::filesystem::path &path, uint32_t formatId)
{
    if (FormatSlotFromId(formatId) != 0) {
        CxIOFile file;
        if (!file.Open(path, "rb"))
            return false;
        if (Decode(&file, formatId))
            return true;
    }
    char kept[sizeof(m_info.lastError)];
    std::memcpy(kept, m_info.lastError, sizeof(kept));
    CxIOFile file;
    if (!file.Open(path, "rb"))
        return false;
    const bool ok = Decode(&file, ImageFormatNone);
    file.Close();
    // The caller learns why the announced format failed rather than that detection found nothing.
    if (!ok && formatId != ImageFormatNone)
        std::memcpy(m_info.lastError, kept, sizeof(kept));
    return ok;
}

bool CxImage::Save(const std::filesystem::path &path, uint32_t formatId)
{
    // Encode in memory first: a failing encoder must never cost the picture already on disk.
    CxMemFile memory;
    if (!memory.Open())
        return false;
    if (!Encode(&memory, formatId))
        return false;
    const int64_t size = memory.Size();
    const uint8_t *bytes = memory.GetBuffer(false);

    std::random_device random;
    std::filesystem::path temporary = path;
    temporary += ".tmp" + std::to_string(random() & 0xFFFFFF);
    {
        CxIOFile out;
        if (!out.Open(temporary, "wbx"))
            return false;
        const bool written = out.Write(bytes, 1, size_t(size)) == size_t(size) && out.Flush();
        if (!out.Close() || !written) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    return true;
}
