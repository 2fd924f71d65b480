// The word-processing document reader on untrusted bytes: a .docx package (or anything else) must end in a
// document or a message, never in a crash, a hang or an allocation of what the file claims.
//
//     build-fuzz/bin/docx_fuzz -max_total_time=900 corpus
//
// Each input is written to one temporary file, read, and the document's positions checked.
#include "PackageWriter.h"
#include "WordDocumentChecks.h"

#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/input.docx");
    if (FuzzPackage::WriteFile(path, data, size))
        WordDocumentChecks::ReadAndCheck(path, false);
    return 0;
}
