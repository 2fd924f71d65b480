#pragma once

// What the fuzzers of the presentation reader and the slide exporter share: a Qt application on the offscreen
// platform (the exporter draws), the font library's own leaks kept out of the leak report, and the reading
// and exporting of one deck. Include it from one source file of a fuzzer.
#include "platform/ooxml/PptxPresentation.h"
#include "slideexport/SlideExporter.h"
#include "slideexport/SubstitutionTable.h"

#include <QGuiApplication>
#include <QString>

#include <cstdlib>
#include <memory>
#include <optional>

extern "C" const char *__lsan_default_suppressions() { return "leak:libfontconfig\n"; }

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

namespace SlideExportHarness {

struct Exported
{
    std::unique_ptr<CPptxPresentation> presentation;
    QString xml;
};

// The deck read and exported into folder; nothing when the reader refused it with a message. A refusal
// without a message aborts.
inline std::optional<Exported> ReadAndExport(const QString &path, const QString &folder)
{
    QString error;
    Exported out;
    out.presentation = CPptxPresentation::Open(path, &error);
    if (!out.presentation) {
        if (error.isEmpty())
            std::abort();
        return std::nullopt;
    }
    CSubstitutionTable table;
    CSlideExporter exporter(table);
    out.xml = exporter.ExportXml(*out.presentation, path, folder);
    return out;
}

} // namespace SlideExportHarness
