// Times the RTF writer on a long Cyrillic text against an ASCII text of as many characters, in the same
// process: every character above 0x7F is written as \uN with its code-page byte, so the Cyrillic text asks
// for a code-page conversion per character where the ASCII text asks for none. The ASCII figure is the
// reference the Cyrillic one is held against. Each figure is the best of several runs, the two sides
// taking turns. Prints figures; never passes or fails.
#include "platform/richtext/RichText.h"
#include "platform/richtext/RtfWriter.h"

#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <limits>

namespace {

constexpr int kCharacters = 315000;
constexpr int kRuns = 7;

// Words of the given alphabet separated by spaces, a paragraph every 600 characters.
QString Text(const QString &word)
{
    QString text;
    text.reserve(kCharacters);
    while (text.size() < kCharacters) {
        text += word;
        text += text.size() % 600 < 10 ? u'\n' : u' ';
    }
    text.truncate(kCharacters);
    return text;
}

double WriteMs(const CRichText &doc, qsizetype &size)
{
    const auto start = std::chrono::steady_clock::now();
    size = CRtfWriter::Write(doc).size();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main()
{
    CRichText cyrillic;
    cyrillic.ReplaceAll(Text(QString::fromUtf8("Съешь ещё этих мягких французских булок, да выпей же чаю")));
    CRichText ascii;
    ascii.ReplaceAll(Text(QStringLiteral("Sesh eshche etikh myagkikh frantsuzskikh bulok, da vypey zhe chayu")));

    double bestCyrillic = std::numeric_limits<double>::max();
    double bestAscii = std::numeric_limits<double>::max();
    qsizetype cyrillicSize = 0;
    qsizetype asciiSize = 0;
    for (int run = 0; run < kRuns; ++run) {
        bestCyrillic = std::min(bestCyrillic, WriteMs(cyrillic, cyrillicSize));
        bestAscii = std::min(bestAscii, WriteMs(ascii, asciiSize));
    }
    std::printf("RTF writer, %d characters, best of %d runs\n", kCharacters, kRuns);
    std::printf("%-10s %10s %12s\n", "text", "ms", "RTF chars");
    std::printf("%-10s %10.1f %12lld\n", "Cyrillic", bestCyrillic, static_cast<long long>(cyrillicSize));
    std::printf("%-10s %10.1f %12lld\n", "ASCII", bestAscii, static_cast<long long>(asciiSize));
    std::printf("Cyrillic / ASCII: %.2f\n", bestCyrillic / bestAscii);
    return 0;
}
