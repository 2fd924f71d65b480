// The word-processing reader on a mutated main part: the fuzzer's bytes become word/document.xml of a fixed,
// valid package (styles with a chain of bases, numbering, a picture, hyperlinks), so every mutation reaches
// the reading of paragraphs, runs, tables, fields, content controls and pictures. The reader must end in a
// document whose positions and tables agree with its paragraphs, or in a message.
//
//     build-fuzz/bin/docx_part_fuzz -dict=fuzz/ooxml.dict -max_total_time=900 <work corpus> fuzz/corpus/docx-document
#include "PackageWriter.h"
#include "WordDocumentChecks.h"

#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

const char *const kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

QByteArray Png()
{
    // A 1 x 1 PNG.
    return QByteArray::fromBase64("iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAIAAACQd1PeAAAADElEQVR4nGP4z8AAAAMBAQDJ/pLvAAAAAElFTkSuQmCC");
}

FuzzPackage::Parts FixedParts()
{
    const QByteArray w = "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"";
    return {
        {"[Content_Types].xml",
         "<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
         "<Default Extension=\"xml\" ContentType=\"application/xml\"/><Default Extension=\"png\" ContentType=\"image/png\"/></Types>"},
        {"_rels/.rels",
         "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"" + QByteArray(kRel) + "officeDocument\" Target=\"word/document.xml\"/></Relationships>"},
        {"word/_rels/document.xml.rels",
         "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"" + QByteArray(kRel) + "styles\" Target=\"styles.xml\"/>"
         "<Relationship Id=\"rId2\" Type=\"" + QByteArray(kRel) + "numbering\" Target=\"numbering.xml\"/>"
         "<Relationship Id=\"rId3\" Type=\"" + QByteArray(kRel) + "image\" Target=\"media/image1.png\"/>"
         "<Relationship Id=\"rId4\" Type=\"" + QByteArray(kRel) + "image\" Target=\"media/missing.png\"/>"
         "<Relationship Id=\"rId9\" Type=\"" + QByteArray(kRel) + "hyperlink\" Target=\"https://example.org/\" TargetMode=\"External\"/>"
         "</Relationships>"},
        {"word/styles.xml",
         "<?xml version=\"1.0\"?><w:styles " + w + "><w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:ascii=\"Calibri\"/>"
         "<w:sz w:val=\"22\"/></w:rPr></w:rPrDefault></w:docDefaults>"
         "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name w:val=\"Normal\"/></w:style>"
         "<w:style w:type=\"paragraph\" w:styleId=\"Heading1\"><w:name w:val=\"heading 1\"/><w:basedOn w:val=\"Normal\"/>"
         "<w:pPr><w:jc w:val=\"center\"/></w:pPr><w:rPr><w:b/><w:sz w:val=\"32\"/></w:rPr></w:style>"
         "<w:style w:type=\"paragraph\" w:styleId=\"ListBullet\"><w:name w:val=\"List Bullet\"/><w:basedOn w:val=\"Heading1\"/>"
         "<w:pPr><w:numPr><w:numId w:val=\"1\"/></w:numPr></w:pPr></w:style>"
         "<w:style w:type=\"paragraph\" w:customStyle=\"1\" w:styleId=\"stem\"><w:name w:val=\"stem\"/></w:style>"
         "<w:style w:type=\"character\" w:styleId=\"Sym\"><w:name w:val=\"Sym\"/><w:rPr><w:rFonts w:ascii=\"Symbol\" w:hAnsi=\"Symbol\"/></w:rPr></w:style>"
         "</w:styles>"},
        {"word/numbering.xml",
         "<?xml version=\"1.0\"?><w:numbering " + w + "><w:abstractNum w:abstractNumId=\"10\"><w:lvl w:ilvl=\"0\">"
         "<w:numFmt w:val=\"bullet\"/><w:pPr><w:ind w:left=\"720\"/></w:pPr></w:lvl><w:lvl w:ilvl=\"1\"><w:numFmt w:val=\"decimal\"/>"
         "</w:lvl></w:abstractNum><w:num w:numId=\"1\"><w:abstractNumId w:val=\"10\"/></w:num></w:numbering>"},
        {"word/media/image1.png", Png()},
        {"word/document.xml", QByteArray()},
    };
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const FuzzPackage::Parts parts = FixedParts();
    static QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/input.docx");
    if (FuzzPackage::Write(path, parts, QStringLiteral("word/document.xml"), data, size))
        WordDocumentChecks::ReadAndCheck(path, true);
    return 0;
}
