// The word-processing document reader on untrusted bytes: a .docx package (or anything else) must end in a
// document or a message, never in a crash, a hang or an allocation of what the file claims.
//
//     build-fuzz/bin/docx_fuzz -max_total_time=900 corpus
//
// Each input is written to one temporary file, read, and the document's positions checked.
#include "import/WordDocumentReader.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/input.docx");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();
    const auto read = CWordDocumentReader::Read(path);
    if (!read) {
        if (read.Error().isEmpty())
            std::abort();
        return 0;
    }
    const auto &doc = read.Value();
    int position = 0;
    for (const auto &p : doc->paragraphs) {
        if (p.start != position || p.end - p.start != p.text.size())
            std::abort();
        position = p.end;
    }
    for (const auto &t : doc->tables)
        if (t.firstParagraph < 0 || t.firstParagraph + t.paragraphCount > int(doc->paragraphs.size()))
            std::abort();
    return 0;
}
