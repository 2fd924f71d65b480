// The presentation reader, the slide exporter and the slide-XML reader on a mutated slide: the fuzzer's bytes
// become ppt/slides/slide1.xml of a fixed, valid three-slide deck (layouts, a master with text styles, a
// theme, notes and a picture), so every mutation reaches the reading of shapes, placeholders and text. The
// exporter's XML must be read back by the importer's reader, page for page.
//
//     build-fuzz/bin/pptx_part_fuzz -dict=fuzz/ooxml.dict -max_total_time=900 <work corpus> fuzz/corpus/pptx-slide
#include "PackageWriter.h"
#include "SlideExportHarness.h"

#include "import/PPTXML2KVPage.h"

#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const FuzzPackage::Parts parts = FuzzPackage::ReadAll(QStringLiteral(CORV_FIXTURES "/pptx/three slides.pptx"));
    if (parts.empty())
        std::abort(); // the fixed deck is missing: nothing would be fuzzed
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("input.pptx"));
    if (!FuzzPackage::Write(path, parts, QStringLiteral("ppt/slides/slide1.xml"), data, size))
        return 0;
    const auto exported = SlideExportHarness::ReadAndExport(path, folder.path());
    if (!exported)
        return 0;
    const auto document = PPTXML2KVPage::ReadMemory(exported->xml.toUtf8());
    if (!document || !*document)
        std::abort();
    // One page per slide, then one per note written.
    if ((*document)->pages.size() < exported->presentation->Slides().size())
        std::abort();
    return 0;
}
