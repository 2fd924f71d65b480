// The RTF reader on untrusted bytes: it must never crash or read out of bounds, what it reads must survive
// our own writer and a second reading unchanged, and the layout and overflow operations must cope with
// whatever formats it produced.
#include "platform/richtext/RichText.h"

#include <QByteArray>
#include <QGuiApplication>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

bool SameParagraphs(const CRichText &a, const CRichText &b)
{
    if (a.GetParagraphCount() != b.GetParagraphCount())
        return false;
    for (int p = 0; p < a.GetParagraphCount(); ++p) {
        const CParaFormat &x = a.GetParaFormatAt(a.ParagraphStart(p));
        const CParaFormat &y = b.GetParaFormatAt(b.ParagraphStart(p));
        // A bullet carries no number, so its numbering style is not written.
        if (x.alignment != y.alignment || x.startIndent != y.startIndent || x.offset != y.offset ||
            x.numbering != y.numbering || (x.numbering != 0 && x.numberingStart != y.numberingStart) ||
            (x.numbering > PFN_BULLET && x.numberingStyle != y.numberingStyle))
            return false;
    }
    return true;
}

} // namespace

// The font library keeps its pattern caches until the process ends; that is not a leak of ours.
extern "C" const char *__lsan_default_suppressions() { return "leak:libfontconfig\n"; }

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Fonts and text layout need a GUI application; the offscreen platform needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    CRichText doc;
    doc.SetRtfBytes(bytes);

    // Untouched, 7-bit RTF is written back as it came.
    const bool sevenBit = std::all_of(bytes.begin(), bytes.end(), [](char b) { return uint8_t(b) < 0x80; });
    if (sevenBit && bytes.trimmed().startsWith("{\\rtf"))
        Check(doc.GetRtf() == QString::fromLatin1(bytes));

    // Written afresh (a modified copy), then read again: the same text and formats.
    CRichText changed = doc;
    changed.SetSel(0, 0);
    changed.ReplaceSel(QStringLiteral("x"));
    changed.SetSel(0, 1);
    changed.Clear();
    const QString rtf = changed.GetRtf();
    CRichText again;
    again.SetRtf(rtf);
    Check(again.GetText() == doc.GetText());
    for (int i = 0; i < doc.GetTextLength(); ++i)
        Check(again.GetCharFormatAt(i).SameInRtf(doc.GetCharFormatAt(i)));
    Check(SameParagraphs(again, doc));
    Check(again.GetRtf() == rtf);

    // Layout and overflow: what is cut off and what stays make up the text.
    doc.SetLayoutSize(120, 40);
    const QString text = doc.GetText();
    Check(doc.GetOverflowAfterLastSentence().GetText() == doc.GetSelText());
    (void)doc.GetTrailingHeadingText(QStringLiteral("Arial"), 12);
    (void)doc.GetDrawText();
    const CRichText overflow = doc.CutOverflowAfterLastSentence();
    Check(doc.GetText() + overflow.GetText() == text);
    return 0;
}
