// Writes a .docx of about 200 pages (headings, body paragraphs with bold and italic runs, bullets) and
// prints, best of several runs each: reading it, importing it into a course of text screens, and the
// office suite converting it to plain text (when soffice is installed).
#include "document/CorvessaDoc.h"
#include "import/HeadlessImportHost.h"
#include "import/WordDocImporter.h"
#include "import/WordDocumentReader.h"
#include "model/Topic.h"
#include "platform/CorvContext.h"
#include "platform/Prompt.h"
#include "support/ZipFixture.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

constexpr int kPages = 200;
constexpr int kRuns = 3;

QByteArray Body()
{
    QByteArray body;
    const QByteArray sentence = "Every worker checks the equipment before the shift begins and reports faults at once. ";
    for (int page = 0; page < kPages; ++page) {
        body += "<w:p><w:pPr><w:pStyle w:val=\"Heading1\"/></w:pPr><w:r><w:t>Section " + QByteArray::number(page)
                + "</w:t></w:r></w:p>";
        for (int p = 0; p < 5; ++p)
            body += "<w:p><w:r><w:rPr><w:b/></w:rPr><w:t xml:space=\"preserve\">Rule " + QByteArray::number(p)
                    + ". </w:t></w:r><w:r><w:rPr><w:i/></w:rPr><w:t>" + sentence.repeated(4) + "</w:t></w:r></w:p>";
        for (int b = 0; b < 3; ++b)
            body += "<w:p><w:pPr><w:numPr><w:ilvl w:val=\"0\"/><w:numId w:val=\"1\"/></w:numPr></w:pPr><w:r><w:t>"
                    "Point " + QByteArray::number(b) + "</w:t></w:r></w:p>";
    }
    return body;
}

bool WriteDocument(const QString &path)
{
    const QByteArray w = "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"";
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    return WriteZip(path, {
        {"[Content_Types].xml", "<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                                "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                                "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                                "<Override PartName=\"/word/document.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
                                "<Override PartName=\"/word/styles.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>"
                                "<Override PartName=\"/word/numbering.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.numbering+xml\"/></Types>"},
        {"_rels/.rels", "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                        "<Relationship Id=\"rId1\" Type=\"" + rel + "officeDocument\" Target=\"word/document.xml\"/></Relationships>"},
        {"word/_rels/document.xml.rels", "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                                         "<Relationship Id=\"rId1\" Type=\"" + rel + "styles\" Target=\"styles.xml\"/>"
                                         "<Relationship Id=\"rId2\" Type=\"" + rel + "numbering\" Target=\"numbering.xml\"/></Relationships>"},
        {"word/document.xml", "<?xml version=\"1.0\"?><w:document " + w + "><w:body>" + Body() + "<w:sectPr/></w:body></w:document>"},
        {"word/styles.xml", "<?xml version=\"1.0\"?><w:styles " + w + "><w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\">"
                            "<w:name w:val=\"Normal\"/></w:style><w:style w:type=\"paragraph\" w:styleId=\"Heading1\">"
                            "<w:name w:val=\"heading 1\"/><w:rPr><w:b/></w:rPr></w:style></w:styles>"},
        {"word/numbering.xml", "<?xml version=\"1.0\"?><w:numbering " + w + "><w:abstractNum w:abstractNumId=\"0\"><w:lvl w:ilvl=\"0\">"
                               "<w:numFmt w:val=\"bullet\"/><w:lvlText w:val=\"-\"/></w:lvl></w:abstractNum>"
                               "<w:num w:numId=\"1\"><w:abstractNumId w:val=\"0\"/></w:num></w:numbering>"},
    });
}

double Best(const std::function<bool()> &run)
{
    double best = -1;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer clock;
        clock.start();
        if (!run())
            return -1;
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        if (best < 0 || ms < best)
            best = ms;
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    QStandardPaths::setTestModeEnabled(true);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/handbook.docx");
    if (!WriteDocument(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    int paragraphs = 0;
    const double read = Best([&] {
        const auto doc = CWordDocumentReader::Read(path);
        paragraphs = doc ? int(doc.Value()->paragraphs.size()) : 0;
        return doc.Ok();
    });
    size_t screens = 0;
    const double import = Best([&] {
        CCorvContext context;
        context.prompt = &CPrompt::Plain();
        CCorvessaDoc doc(context);
        doc.OnNewDocument();
        doc.TemplateType = 13;
        doc.FontName[0] = QStringLiteral("Liberation Sans");
        doc.FontSizePoints[0] = QStringLiteral("12");
        CHeadlessImportHost host(doc);
        CWordDocImporter importer(doc, nullptr, host);
        CTopic topic(QString(), QStringLiteral("Handbook"), QString(), path, QStringLiteral("FALSE"));
        const bool ok = importer.ConvertDocuments({&topic}, false, false, QStringLiteral("1")).Ok();
        screens = doc.MainScreenList.size();
        return ok;
    });
    std::printf("document: %d pages, %d paragraphs\n", kPages, paragraphs);
    std::printf("%-44s %10.1f ms\n", "read .docx (paragraphs, styles, runs)", read);
    std::printf("%-44s %10.1f ms  (%zu screens)\n", "import into text screens", import, screens);
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        std::printf("%-44s %10s\n", "office suite conversion to text", "n/a (soffice not installed)");
        return 0;
    }
    // One profile for every run: the suite's first start, which builds it, is not the conversion.
    QTemporaryDir profile;
    const double convert = Best([&] {
        QTemporaryDir out;
        QProcess process;
        process.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + profile.path(),
                                QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("txt:Text"),
                                QStringLiteral("--outdir"), out.path(), path});
        return process.waitForFinished(600000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    });
    std::printf("%-44s %10.1f ms\n", "office suite conversion to text", convert);
    return 0;
}
