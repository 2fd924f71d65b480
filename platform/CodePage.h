#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// The legacy 8-bit code page that stands in for the system's ANSI code page (Windows-1252 unless set
// otherwise), and conversions through any code page by number. Characters a code page cannot hold become
// "#"; bytes a code page does not define keep their value as the character.
class CCodePage
{
public:
    static constexpr int kAnsi = -1;    // the process-wide legacy code page
    static constexpr int kUtf8 = 65001;
    static constexpr int kUtf16 = 1200;

    static void SetLegacyCodePage(int codePage);
    static int GetLegacyCodePage();

    // Bytes in codePage (kAnsi: the legacy code page) to UTF-16.
    static QString ToUnicode(const QByteArray &bytes, int codePage = kAnsi);
    // UTF-16 to bytes in codePage with "#" for what it cannot hold; *lossy tells whether any was replaced.
    // Unpaired surrogates become "#" in 8-bit code pages and U+FFFD in UTF-8.
    static QByteArray FromUnicode(const QString &text, int codePage = kAnsi, bool *lossy = nullptr);

    // The iconv name of a Windows code page number ("WINDOWS-1252", "UTF-8", "CP437", ...).
    static QByteArray IconvName(int codePage);
    // Whether the byte begins a two-byte character in a double-byte code page (932, 936, 949, 950, 1361 and
    // their Macintosh forms); false in every single-byte code page.
    static bool IsLeadByte(int codePage, uint8_t byte);
};
