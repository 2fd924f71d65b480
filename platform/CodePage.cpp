#include "platform/CodePage.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <iconv.h>
#include <iterator>
#include <utility>

namespace {

std::atomic<int> g_legacyCodePage{1252};

// Code pages that iconv knows by a name other than "CP" and the number. Macintosh Japanese is read as
// Windows Japanese, which keeps ASCII as ASCII; the Macintosh Chinese and Korean pages as the standards they
// extend. The Macintosh pages missing here (Arabic, Hebrew, Greek, Turkish, Thai, Romanian, Croatian) are
// unknown to iconv.
constexpr std::pair<int, const char *> kIconvNames[] = {
    {CCodePage::kUtf8, "UTF-8"},  {CCodePage::kUtf16, "UTF-16LE"}, {20127, "ASCII"},
    {28591, "ISO-8859-1"},        {708, "ISO-8859-6"},             {932, "CP932"},
    {936, "CP936"},               {949, "CP949"},                  {950, "CP950"},
    {1361, "JOHAB"},              {10000, "MACINTOSH"},            {10001, "CP932"},
    {10002, "BIG5"},              {10003, "EUC-KR"},               {10007, "MAC-CYRILLIC"},
    {10008, "EUC-CN"},            {10017, "MAC-UK"},               {10029, "MAC-CENTRALEUROPE"},
    {10079, "MAC-IS"},            {20866, "KOI8-R"},               {21866, "KOI8-U"},
    {20932, "EUC-JP"},            {20936, "EUC-CN"},               {20949, "EUC-KR"},
    {51932, "EUC-JP"},            {51936, "EUC-CN"},               {51949, "EUC-KR"},
    {54936, "GB18030"},
};

// The lead bytes of the double-byte code pages: a lead byte and the byte after it make one character (two
// such pairs in the four-byte characters of 54936). Only the pages whose trail bytes can be ASCII matter.
struct LeadBytes
{
    int codePage;
    std::pair<uint8_t, uint8_t> ranges[3];
};

constexpr LeadBytes kLeadBytes[] = {
    {932, {{0x81, 0x9F}, {0xE0, 0xFC}, {0, 0}}},   {10001, {{0x81, 0x9F}, {0xE0, 0xFC}, {0, 0}}},
    {936, {{0x81, 0xFE}, {0, 0}, {0, 0}}},         {949, {{0x81, 0xFE}, {0, 0}, {0, 0}}},
    {950, {{0x81, 0xFE}, {0, 0}, {0, 0}}},         {10002, {{0x81, 0xFE}, {0, 0}, {0, 0}}},
    {54936, {{0x81, 0xFE}, {0, 0}, {0, 0}}},       {1361, {{0x84, 0xD3}, {0xD8, 0xDE}, {0xE0, 0xF9}}},
};

int Resolve(int codePage) { return codePage == CCodePage::kAnsi ? g_legacyCodePage.load() : codePage; }

// One iconv conversion descriptor for the length of a call.
class IconvHandle
{
public:
    IconvHandle(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~IconvHandle()
    {
        if (valid())
            iconv_close(m_cd);
    }
    IconvHandle(const IconvHandle &) = delete;
    IconvHandle &operator=(const IconvHandle &) = delete;
    bool valid() const { return m_cd != iconv_t(-1); }
    iconv_t get() const { return m_cd; }

private:
    iconv_t m_cd;
};

} // namespace

void CCodePage::SetLegacyCodePage(int codePage)
{
    if (codePage > 0)
        g_legacyCodePage = codePage;
}

int CCodePage::GetLegacyCodePage() { return g_legacyCodePage; }

QByteArray CCodePage::IconvName(int codePage)
{
    codePage = Resolve(codePage);
    for (const auto &[page, name] : kIconvNames)
        if (page == codePage)
            return name;
    if (codePage >= 1250 && codePage <= 1258)
        return "WINDOWS-" + QByteArray::number(codePage);
    if (codePage >= 28592 && codePage <= 28605)
        return "ISO-8859-" + QByteArray::number(codePage - 28590);
    return "CP" + QByteArray::number(codePage);
}

bool CCodePage::IsLeadByte(int codePage, uint8_t byte)
{
    codePage = Resolve(codePage);
    for (const LeadBytes &lead : kLeadBytes)
        if (lead.codePage == codePage)
            return std::any_of(std::begin(lead.ranges), std::end(lead.ranges), [byte](const auto &range) {
                return range.first != 0 && byte >= range.first && byte <= range.second;
            });
    return false;
}

QString CCodePage::ToUnicode(const QByteArray &bytes, int codePage)
{
    codePage = Resolve(codePage);
    if (bytes.isEmpty())
        return {};
    if (codePage == kUtf8)
        return QString::fromUtf8(bytes);
    if (codePage == kUtf16)
        return QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData()), bytes.size() / 2);

    IconvHandle cd("UTF-16LE", IconvName(codePage).constData());
    if (!cd.valid())
        return QString::fromLatin1(bytes);

    QString out;
    out.reserve(bytes.size());
    char *in = const_cast<char *>(bytes.constData());
    size_t inLeft = size_t(bytes.size());
    char16_t buffer[512];
    while (inLeft > 0) {
        char *dst = reinterpret_cast<char *>(buffer);
        size_t dstLeft = sizeof buffer;
        const size_t rc = iconv(cd.get(), &in, &inLeft, &dst, &dstLeft);
        out.append(QStringView(buffer, qsizetype((sizeof buffer - dstLeft) / 2)));
        if (rc == size_t(-1) && errno != E2BIG) {
            // An undefined or cut-off byte keeps its value, as the system conversion does.
            out.append(QChar(uchar(*in)));
            ++in;
            --inLeft;
            iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

QByteArray CCodePage::FromUnicode(const QString &text, int codePage, bool *lossy)
{
    codePage = Resolve(codePage);
    if (lossy)
        *lossy = false;
    if (text.isEmpty())
        return {};
    if (codePage == kUtf8) {
        // toUtf8 writes "?" for an unpaired surrogate; the system writes U+FFFD, so those are replaced
        // first. Most texts hold no surrogate at all: blocks of units are looked through at once.
        const char16_t *units = reinterpret_cast<const char16_t *>(text.constData());
        const qsizetype size = text.size();
        qsizetype first = 0;
        for (; first + 32 <= size; first += 32) {
            unsigned any = 0;
            for (int k = 0; k < 32; ++k)
                any |= unsigned((units[first + k] & 0xF800) == 0xD800);
            if (any)
                break;
        }
        while (first < size && (units[first] & 0xF800) != 0xD800)
            ++first;
        if (first == size)
            return text.toUtf8();
        QString sound;
        for (qsizetype i = first; i < text.size(); ++i) {
            const QChar c = text[i];
            if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                ++i;
            } else if (c.isSurrogate()) {
                if (sound.isNull())
                    sound = text;
                sound[i] = QChar(QChar::ReplacementCharacter);
                if (lossy)
                    *lossy = true;
            }
        }
        return (sound.isNull() ? text : sound).toUtf8();
    }
    if (codePage == kUtf16)
        return QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);

    IconvHandle cd(IconvName(codePage).constData(), "UTF-16LE");
    if (!cd.valid()) {
        bool any = false;
        QByteArray out;
        for (QChar c : text) {
            const bool fits = c.unicode() < 0x80;
            any |= !fits;
            out.append(fits ? char(c.unicode()) : '#');
        }
        if (lossy)
            *lossy = any;
        return out;
    }

    // Convert one character (one code point) at a time so that each that cannot be held becomes
    // exactly one "#".
    QByteArray out;
    out.reserve(text.size());
    const char16_t *units = reinterpret_cast<const char16_t *>(text.utf16());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n;) {
        qsizetype width = 1;
        if (QChar::isHighSurrogate(units[i]) && i + 1 < n && QChar::isLowSurrogate(units[i + 1]))
            width = 2;
        else if (QChar::isSurrogate(units[i])) {
            out.append('#');
            if (lossy)
                *lossy = true;
            ++i;
            continue;
        }
        if (units[i] < 0x80) {
            out.append(char(units[i]));
            ++i;
            continue;
        }
        char *in = reinterpret_cast<char *>(const_cast<char16_t *>(units + i));
        size_t inLeft = size_t(width) * 2;
        char buffer[16];
        char *dst = buffer;
        size_t dstLeft = sizeof buffer;
        const size_t rc = iconv(cd.get(), &in, &inLeft, &dst, &dstLeft);
        if (rc == size_t(-1) || inLeft != 0) {
            out.append('#');
            if (lossy)
                *lossy = true;
            iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
        } else {
            out.append(buffer, qsizetype(sizeof buffer - dstLeft));
        }
        i += width;
    }
    return out;
}
