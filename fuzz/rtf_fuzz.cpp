// The RTF reader on untrusted bytes: it must never crash or read out of bounds, and what it reads must
// survive our own writer and a second reading unchanged.
#include "platform/richtext/RichText.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    CRichText doc;
    doc.SetRtfBytes(bytes);
    doc.SetSel(0, -1);
    const QString rtf = CRichText(doc).GetRtf();

    // Written afresh (a modified copy), then read again: the same text and formats.
    CRichText changed = doc;
    changed.SetSel(0, 0);
    changed.ReplaceSel(QStringLiteral("x"));
    changed.SetSel(0, 1);
    changed.Clear();
    CRichText again;
    again.SetRtf(changed.GetRtf());
    if (again.GetText() != doc.GetText())
        std::abort();
    for (int i = 0; i < doc.GetTextLength(); ++i)
        if (!again.GetCharFormatAt(i).SameInRtf(doc.GetCharFormatAt(i)))
            std::abort();
    (void)rtf;
    return 0;
}
