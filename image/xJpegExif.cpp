#include "image/xJpegExif.h"

#include "image/xFile.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstring>

namespace {

enum JpegMarker : int {
    M_SOF0 = 0xC0, M_SOF1 = 0xC1, M_SOF2 = 0xC2, M_SOF3 = 0xC3,
    M_SOF5 = 0xC5, M_SOF6 = 0xC6, M_SOF7 = 0xC7,
    M_SOF9 = 0xC9, M_SOF10 = 0xCA, M_SOF11 = 0xCB,
    M_SOF13 = 0xCD, M_SOF14 = 0xCE, M_SOF15 = 0xCF,
    M_SOI = 0xD8, M_EOI = 0xD9, M_SOS = 0xDA,
    M_JFIF = 0xE0, M_EXIF = 0xE1, M_COM = 0xFE,
};

// Bytes per component of the TIFF field types 1 to 12; type 0 counts as nothing.
constexpr int kBytesPerFormat[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
constexpr int kMaxFormat = 12;

// Directories one EXIF block may have. A camera writes four or five; links that lead back into
// directories already read would otherwise multiply at every nesting level.
constexpr int kMaxDirectories = 32;

enum Format { FMT_BYTE = 1, FMT_STRING, FMT_USHORT, FMT_ULONG, FMT_URATIONAL, FMT_SBYTE, FMT_UNDEFINED,
              FMT_SSHORT, FMT_SLONG, FMT_SRATIONAL, FMT_SINGLE, FMT_DOUBLE };

enum class TagRule {
    Text,            // characters up to a limit
    Value,           // a float field
    Integer,         // an int field
    Unit,            // resolution-unit code turned into a factor
    Orientation,
    ThumbnailOffset,
    ThumbnailLength,
    SubDirectory,
    Iso,
    ShutterSpeed,
    Aperture,
    Flash,
    UserComment,
    ExifWidth,
    Resolution,      // a float field that only the main picture's directory may set
};

struct ExifTag
{
    int tag;
    TagRule rule;
    size_t field;    // offset of the ExifFields member it fills
    size_t maxChars; // Text and UserComment only
};

#define FIELD(name) offsetof(ExifFields, name)

const ExifTag kExifTags[] = {
    {271, TagRule::Text, FIELD(CameraMake), 31},
    {272, TagRule::Text, FIELD(CameraModel), 39},
    {274, TagRule::Orientation, FIELD(Orientation), 0},
    {282, TagRule::Resolution, FIELD(Xresolution), 0},
    {283, TagRule::Resolution, FIELD(Yresolution), 0},
    {296, TagRule::Unit, FIELD(ResolutionUnit), 0},
    {513, TagRule::ThumbnailOffset, 0, 0},
    {514, TagRule::ThumbnailLength, 0, 0},
    {33434, TagRule::Value, FIELD(ExposureTime), 0},
    {33437, TagRule::Value, FIELD(ApertureFNumber), 0},
    {34665, TagRule::SubDirectory, 0, 0},
    {34850, TagRule::Integer, FIELD(ExposureProgram), 0},
    {34855, TagRule::Iso, FIELD(ISOequivalent), 0},
    {36864, TagRule::Text, FIELD(Version), 4},
    {36867, TagRule::Text, FIELD(DateTime), 19},
    {37122, TagRule::Integer, FIELD(CompressionLevel), 0},
    {37377, TagRule::ShutterSpeed, FIELD(ExposureTime), 0},
    {37378, TagRule::Aperture, FIELD(ApertureFNumber), 0},
    {37379, TagRule::Value, FIELD(Brightness), 0},
    {37380, TagRule::Value, FIELD(ExposureBias), 0},
    {37381, TagRule::Aperture, FIELD(ApertureFNumber), 0},
    {37382, TagRule::Value, FIELD(Distance), 0},
    {37383, TagRule::Integer, FIELD(MeteringMode), 0},
    {37384, TagRule::Integer, FIELD(Whitebalance), 0},
    {37385, TagRule::Flash, FIELD(FlashUsed), 0},
    {37386, TagRule::Value, FIELD(FocalLength), 0},
    {37510, TagRule::UserComment, FIELD(Comments), 199},
    {40962, TagRule::ExifWidth, 0, 0},
    {40963, TagRule::ExifWidth, 0, 0},
    {40965, TagRule::SubDirectory, 0, 0},
    {41486, TagRule::Value, FIELD(FocalplaneXRes), 0},
    {41487, TagRule::Value, FIELD(FocalplaneYRes), 0},
    {41488, TagRule::Unit, FIELD(FocalplaneUnits), 0},
};

#undef FIELD

const ExifTag *FindTag(int tag)
{
    for (const ExifTag &t : kExifTags)
        if (t.tag == tag)
            return &t;
    return nullptr;
}

// Resolution-unit codes: none and inch count in inches, then centimetres, millimetres, micrometres.
bool UnitFactor(int code, float &factor)
{
    switch (code) {
    case 1:
    case 2: factor = 1.0f; return true;
    case 3: factor = 0.3937008f; return true;
    case 4: factor = 0.03937008f; return true;
    case 5: factor = 0.00003937008f; return true;
    default: return false;
    }
}

// Copies at most maxChars characters, never more than available, and stops at a NUL.
void CopyText(char *target, const uint8_t *source, uint64_t available, size_t maxChars)
{
    size_t n = 0;
    while (n < maxChars && n < available && source[n] != 0) {
        target[n] = char(source[n]);
        ++n;
    }
    target[n] = 0;
}

// The JFIF segment written ahead of a file whose first section is neither JFIF nor EXIF:
// version 1.1, dots per inch, 300 x 300, no thumbnail.
const uint8_t kJfifHeader[18] = {0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00, 0x01,
                                 0x01, 0x01, 0x01, 0x2C, 0x01, 0x2C, 0x00, 0x00};

} // namespace

CxJpegExif::CxJpegExif(ExifFields *info)
{
    if (info) {
        m_info = info;
    } else {
        m_ownInfo = std::make_unique<ExifFields>();
        std::memset(m_ownInfo.get(), 0, sizeof(ExifFields));
        m_info = m_ownInfo.get();
    }
    m_lastError[0] = 0;
}

CxJpegExif::~CxJpegExif() = default;

void CxJpegExif::SetError(const char *text)
{
    std::strncpy(m_lastError, text, sizeof m_lastError - 1);
    m_lastError[sizeof m_lastError - 1] = 0;
}

void CxJpegExif::DropLastSection()
{
    --m_sectionsRead;
    m_sections[m_sectionsRead] = Section();
}

int CxJpegExif::Get16u(const uint8_t *p) const
{
    return m_motorolaOrder ? (p[0] << 8) | p[1] : (p[1] << 8) | p[0];
}

uint32_t CxJpegExif::Get32u(const uint8_t *p) const
{
    if (m_motorolaOrder)
        return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
    return (uint32_t(p[3]) << 24) | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
}

int32_t CxJpegExif::Get32s(const uint8_t *p) const
{
    return int32_t(Get32u(p));
}

bool CxJpegExif::ReadSections(CxFile *file, int readMode)
{
    if (!file)
        return false;
    if (file->GetC() != 0xFF || file->GetC() != M_SOI)
        return false;

    bool haveComment = false;
    while (m_sectionsRead < MaxSections) {
        int marker = 0;
        for (int a = 0; a < 7; ++a) {
            marker = file->GetC();
            if (marker != 0xFF)
                break;
            if (a >= 6) {
                SetError("too many padding bytes");
                return false;
            }
        }
        const int lh = marker < 0 ? -1 : file->GetC();
        const int ll = lh < 0 ? -1 : file->GetC();
        if (marker < 0 || ll < 0) {
            SetError("Premature end of file?");
            return false;
        }
        const size_t itemLength = size_t(lh << 8) | size_t(ll);
        if (itemLength < 2) {
            SetError("invalid marker");
            return false;
        }

        Section &section = m_sections[m_sectionsRead];
        section.data.reset(new (std::nothrow) uint8_t[itemLength]);
        if (!section.data) {
            SetError("Could not allocate memory");
            return false;
        }
        section.type = marker;
        section.size = itemLength;
        section.data[0] = uint8_t(lh);
        section.data[1] = uint8_t(ll);
        if (file->Read(section.data.get() + 2, 1, itemLength - 2) != itemLength - 2) {
            section = Section();
            SetError("Premature end of file?");
            return false;
        }
        ++m_sectionsRead;
        const uint8_t *data = section.data.get();

        switch (marker) {
        case M_SOS:
            if (readMode & ReadImage) {
                if (m_sectionsRead >= MaxSections) {
                    SetError("Too many sections in jpg file");
                    return false;
                }
                const int64_t here = file->Tell();
                const int64_t end = file->Size();
                const int64_t rest = end > here ? end - here : 0;
                Section &image = m_sections[m_sectionsRead];
                image.data.reset(new (std::nothrow) uint8_t[size_t(rest) + 1]);
                if (!image.data) {
                    SetError("could not allocate data for entire image");
                    return false;
                }
                if (file->Read(image.data.get(), 1, size_t(rest)) != size_t(rest)) {
                    image = Section();
                    SetError("could not read the rest of the image");
                    return false;
                }
                image.type = PseudoImageMarker;
                image.size = size_t(rest);
                ++m_sectionsRead;
            }
            return true;
        case M_EOI:
            SetError("No image in jpeg!");
            return false;
        case M_COM:
            if (haveComment || !(readMode & ReadExif)) {
                DropLastSection();
            } else {
                ProcessComment(data, itemLength);
                haveComment = true;
            }
            break;
        case M_JFIF:
            DropLastSection();
            break;
        case M_EXIF:
            if ((readMode & ReadExif) && itemLength >= 6 && std::memcmp(data + 2, "Exif", 4) == 0) {
                m_info->IsExif = ParseExifBlock(data + 2, itemLength - 2);
            } else {
                DropLastSection();
            }
            break;
        case M_SOF0: case M_SOF1: case M_SOF2: case M_SOF3:
        case M_SOF5: case M_SOF6: case M_SOF7:
        case M_SOF9: case M_SOF10: case M_SOF11:
        case M_SOF13: case M_SOF14: case M_SOF15:
            if (itemLength >= 8) {
                m_info->Height = (data[3] << 8) | data[4];
                m_info->Width = (data[5] << 8) | data[6];
                m_info->IsColor = data[7] == 3 ? 1 : 0;
            }
            m_info->Process = marker;
            break;
        default:
            break;
        }
    }
    SetError("Too many sections in jpg file");
    return false;
}

void CxJpegExif::ProcessComment(const uint8_t *data, size_t length)
{
    // The field holds 999 characters and its terminator.
    const size_t limit = 2 + sizeof m_info->Comments - 1;
    const size_t end = length < limit ? length : limit;
    size_t n = 0;
    for (size_t a = 2; a < end && n < sizeof m_info->Comments - 1; ++a) {
        const uint8_t ch = data[a];
        if (ch == '\r' && a + 1 < length && data[a + 1] == '\n')
            continue;
        if ((ch >= 32 && ch < 127) || ch == '\n' || ch == '\t')
            m_info->Comments[n++] = char(ch);
        else
            m_info->Comments[n++] = '?';
    }
    m_info->Comments[n] = 0;
}

bool CxJpegExif::ParseExifBlock(const uint8_t *data, size_t length)
{
    static const uint8_t kExifHeader[] = {'E', 'x', 'i', 'f', 0, 0};
    m_info->FlashUsed = 0;
    m_info->Comments[0] = 0;
    m_exifImageWidth = 0;
    m_thumbnailOffset = m_thumbnailLength = 0;

    if (length < 6 || std::memcmp(data, kExifHeader, 6) != 0) {
        SetError("Incorrect Exif header");
        return false;
    }
    if (length < 14) {
        SetError("Invalid Exif alignment marker.");
        return false;
    }
    if (data[6] == 'I' && data[7] == 'I') {
        m_motorolaOrder = false;
    } else if (data[6] == 'M' && data[7] == 'M') {
        m_motorolaOrder = true;
    } else {
        SetError("Invalid Exif alignment marker.");
        return false;
    }
    if (Get16u(data + 8) != 0x2A) {
        SetError("Invalid Exif start (1)");
        return false;
    }
    const uint32_t firstOffset = Get32u(data + 10);

    m_offsetBase = data + 6;
    m_exifLength = length - 6;
    m_directoriesLeft = kMaxDirectories;
    if (!ProcessExifDir(8, 0, false))
        return false;
    if (firstOffset > 8 && !ProcessExifDir(firstOffset, 0, false))
        return false;

    if (m_info->FocalplaneXRes != 0)
        m_info->CCDWidth = float(m_exifImageWidth * m_info->FocalplaneUnits / m_info->FocalplaneXRes);
    return true;
}

bool CxJpegExif::ProcessSubDir(const uint8_t *valuePtr, int nestingLevel)
{
    const uint64_t offset = Get32u(valuePtr);
    if (offset <= 8)
        return true;
    if (offset >= m_exifLength) {
        SetError("Illegal subdirectory link");
        return false;
    }
    ProcessExifDir(offset, nestingLevel + 1, false); // a damaged sub-directory spoils only itself
    return true;
}

bool CxJpegExif::ProcessExifDir(uint64_t dirOffset, int nestingLevel, bool thumbnailDir)
{
    if (nestingLevel > 4) {
        SetError("Maximum directory nesting exceeded (corrupt exif header)");
        return false;
    }
    if (m_directoriesLeft <= 0) {
        SetError("Too many directories (corrupt exif header)");
        return false;
    }
    --m_directoriesLeft;
    if (dirOffset + 2 > m_exifLength) {
        SetError("Illegally sized directory");
        return false;
    }
    const uint8_t *dir = m_offsetBase + dirOffset;
    const uint64_t entries = uint64_t(Get16u(dir));
    if (dirOffset + 2 + 12 * entries > m_exifLength) {
        SetError("Illegally sized directory");
        return false;
    }

    for (uint64_t de = 0; de < entries; ++de) {
        const uint8_t *entry = dir + 2 + 12 * de;
        const int tag = Get16u(entry);
        const int format = Get16u(entry + 2);
        const uint64_t components = Get32u(entry + 4);
        if (format > kMaxFormat) {
            SetError("Illegal format code in EXIF dir");
            return false;
        }
        const uint64_t byteCount = components * uint64_t(kBytesPerFormat[format]);
        const uint8_t *valuePtr = entry + 8;
        if (byteCount > 4) {
            const uint64_t offset = Get32u(entry + 8);
            if (offset + byteCount > m_exifLength) {
                SetError("Illegal pointer offset value in EXIF.");
                return false;
            }
            valuePtr = m_offsetBase + offset;
        }
        const ExifTag *known = FindTag(tag);
        if (!known)
            continue;
        if (known->rule == TagRule::SubDirectory) {
            if (!ProcessSubDir(entry + 8, nestingLevel))
                return false;
            continue;
        }
        ProcessTag(tag, format, valuePtr, byteCount, thumbnailDir);
    }

    // The link to the next directory; the one after the main picture's is the thumbnail's.
    const uint64_t linkOffset = dirOffset + 2 + 12 * entries;
    if (linkOffset + 4 <= m_exifLength) {
        const uint64_t next = Get32u(m_offsetBase + linkOffset);
        if (next) {
            if (next >= m_exifLength) {
                SetError("Illegal subdirectory link");
                return false;
            }
            if (!ProcessExifDir(next, nestingLevel + 1, true))
                return false;
        }
    }

    if (m_thumbnailOffset && m_thumbnailLength && m_thumbnailOffset <= m_exifLength &&
        m_thumbnailLength <= m_exifLength - m_thumbnailOffset) {
        m_info->ThumbnailPointer = m_offsetBase + m_thumbnailOffset;
        m_info->ThumbnailSize = unsigned(m_thumbnailLength);
    }
    return true;
}

void CxJpegExif::ProcessTag(int tag, int format, const uint8_t *valuePtr, uint64_t byteCount, bool thumbnailDir)
{
    const ExifTag &t = *FindTag(tag);
    char *base = reinterpret_cast<char *>(m_info);
    // The field as the rule has it: text fields lie at any byte, numbers at their own alignment.
    auto valueField = [&]() -> float & { return *reinterpret_cast<float *>(base + t.field); };
    auto integerField = [&]() -> int & { return *reinterpret_cast<int *>(base + t.field); };
    // A value with no components has no bytes of its own: an 8-byte type would otherwise be read from
    // the entry after it, or from past the end of the block.
    const bool hasValue = byteCount != 0 && byteCount >= uint64_t(kBytesPerFormat[format]);
    const double number = hasValue ? ConvertAnyFormat(valuePtr, format) : 0.0;
    // Doubles and rationals hold any value; as an int or a count they are kept to the type's range.
    const int whole = number != number ? 0 : int(std::clamp(number, double(INT_MIN), double(INT_MAX)));
    const uint64_t count = !(number > 0) ? 0 : number >= 18446744073709549568.0 ? UINT64_MAX : uint64_t(number);

    switch (t.rule) {
    case TagRule::Text:
        CopyText(base + t.field, valuePtr, byteCount, t.maxChars);
        break;
    case TagRule::Value:
        valueField() = float(number);
        break;
    case TagRule::Resolution:
        // The thumbnail's directory describes the thumbnail: its 72 dpi must not replace the picture's.
        if (!thumbnailDir)
            valueField() = float(number);
        break;
    case TagRule::Integer:
        integerField() = whole;
        break;
    case TagRule::Unit:
        if (!(thumbnailDir && tag == 296))
            UnitFactor(whole, valueField());
        break;
    case TagRule::Orientation:
        integerField() = whole;
        if (integerField() < 1 || integerField() > 8) {
            SetError("Undefined rotation value");
            integerField() = 0;
        }
        break;
    case TagRule::ThumbnailOffset:
        m_thumbnailOffset = count;
        break;
    case TagRule::ThumbnailLength:
        m_thumbnailLength = count;
        break;
    case TagRule::Iso:
        integerField() = whole < 50 ? int(std::max<int64_t>(int64_t(whole) * 200, INT_MIN)) : whole;
        break;
    case TagRule::ShutterSpeed:
        if (valueField() == 0)
            valueField() = float(1.0 / std::exp2(number));
        break;
    case TagRule::Aperture:
        if (valueField() == 0)
            valueField() = float(std::exp2(number * 0.5));
        break;
    case TagRule::Flash:
        integerField() = (whole & 7) ? 1 : 0;
        break;
    case TagRule::UserComment: {
        uint64_t length = byteCount;
        while (length > 0 && valuePtr[length - 1] == ' ')
            --length;
        if (length >= 5 && std::memcmp(valuePtr, "ASCII", 5) == 0) {
            for (uint64_t a = 5; a < 10 && a < length; ++a) {
                if (valuePtr[a] != 0 && valuePtr[a] != ' ') {
                    CopyText(base + t.field, valuePtr + a, length - a, t.maxChars);
                    break;
                }
            }
        } else {
            CopyText(base + t.field, valuePtr, length, t.maxChars);
        }
        break;
    }
    case TagRule::ExifWidth:
        if (whole > m_exifImageWidth)
            m_exifImageWidth = whole;
        break;
    case TagRule::SubDirectory:
        break;
    }
}

double CxJpegExif::ConvertAnyFormat(const uint8_t *valuePtr, int format) const
{
    switch (format) {
    case FMT_SBYTE: return double(int8_t(valuePtr[0]));
    case FMT_BYTE: return double(valuePtr[0]);
    case FMT_USHORT: return double(Get16u(valuePtr));
    case FMT_ULONG: return double(Get32u(valuePtr));
    case FMT_URATIONAL:
    case FMT_SRATIONAL: {
        const int32_t num = Get32s(valuePtr);
        const int32_t den = Get32s(valuePtr + 4);
        return den == 0 ? 0.0 : double(num) / double(den);
    }
    case FMT_SSHORT: return double(int16_t(Get16u(valuePtr)));
    case FMT_SLONG: return double(Get32s(valuePtr));
    case FMT_SINGLE: {
        float f;
        std::memcpy(&f, valuePtr, sizeof f);
        return double(f);
    }
    case FMT_DOUBLE: {
        double d;
        std::memcpy(&d, valuePtr, sizeof d);
        return d;
    }
    default: return 0.0;
    }
}

void CxJpegExif::KeepExifOnly()
{
    Section exifKeeper, commentKeeper;
    for (int a = 0; a < m_sectionsRead; ++a) {
        if (m_sections[a].type == M_EXIF && !exifKeeper.type)
            exifKeeper = std::move(m_sections[a]);
        else if (m_sections[a].type == M_COM && !commentKeeper.type)
            commentKeeper = std::move(m_sections[a]);
        m_sections[a] = Section();
    }
    m_sectionsRead = 0;
    if (exifKeeper.type)
        m_sections[m_sectionsRead++] = std::move(exifKeeper);
    if (commentKeeper.type)
        m_sections[m_sectionsRead++] = std::move(commentKeeper);
}

bool CxJpegExif::WriteJpeg(CxFile *file)
{
    if (!file)
        return false;
    bool haveScan = false;
    for (int a = 0; a < m_sectionsRead - 1; ++a)
        if (m_sections[a].type == M_SOS)
            haveScan = true;
    if (!haveScan) {
        SetError("Can't write exif : didn't read all");
        return false;
    }

    bool ok = file->PutC(0xFF) && file->PutC(M_SOI);
    if (m_sections[0].type != M_EXIF && m_sections[0].type != M_JFIF)
        ok = ok && file->Write(kJfifHeader, sizeof kJfifHeader, 1) == 1;
    for (int a = 0; ok && a < m_sectionsRead - 1; ++a) {
        ok = file->PutC(0xFF) && file->PutC(uint8_t(m_sections[a].type)) &&
             file->Write(m_sections[a].data.get(), 1, m_sections[a].size) == m_sections[a].size;
    }
    const Section &last = m_sections[m_sectionsRead - 1];
    ok = ok && file->Write(last.data.get(), 1, last.size) == last.size;
    return ok;
}
