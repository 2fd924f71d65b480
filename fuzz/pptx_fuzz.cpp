// The presentation reader and the slide exporter on untrusted files: they must never crash or read out of
// bounds, and whatever they export must be well-formed XML. Seed it with tests/fixtures/pptx.
#include "PackageWriter.h"
#include "SlideExportHarness.h"

#include "platform/ooxml/OoxmlXml.h"

#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("input.pptx"));
    if (!FuzzPackage::WriteFile(path, data, size))
        return 0;
    const auto exported = SlideExportHarness::ReadAndExport(path, folder.path());
    if (!exported)
        return 0;
    QString error;
    if (!COoxmlXml::Parse(exported->xml.toUtf8(), &error))
        std::abort();
    return 0;
}
