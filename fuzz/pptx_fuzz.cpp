// The presentation reader and the slide exporter on untrusted files: they must never crash or read out of
// bounds, and whatever they export must be well-formed XML. Seed it with tests/fixtures/pptx.
#include "platform/ooxml/OoxmlXml.h"
#include "platform/ooxml/PptxPresentation.h"
#include "slideexport/SlideExporter.h"
#include "slideexport/SubstitutionTable.h"

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" const char *__lsan_default_suppressions() { return "leak:libfontconfig\n"; }

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("input.pptx"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return 0;
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();
    QString error;
    const auto presentation = CPptxPresentation::Open(path, &error);
    if (!presentation) {
        if (error.isEmpty())
            std::abort();
        return 0;
    }
    CSubstitutionTable table;
    CSlideExporter exporter(table);
    const QString xml = exporter.ExportXml(*presentation, path, folder.path());
    if (!COoxmlXml::Parse(xml.toUtf8(), &error))
        std::abort();
    return 0;
}
