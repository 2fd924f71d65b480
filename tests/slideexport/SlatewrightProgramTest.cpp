#include "platform/ProcessRunner.h"
#include "slideexport/SlatewrightCommandLine.h"
#include "slideexport/SlideRenderer.h"
#include "support/TempTree.h"
#include "support/ZipFixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

const QString kDeck = QStringLiteral(CORV_FIXTURES "/pptx/ten slides.pptx");

QString Program()
{
    return QCoreApplication::applicationDirPath() + "/slatewright22";
}

} // namespace

// Guards the command-line contract: arguments joined again, split at the first " _%_ ", blanks kept on both
// sides; anything else is a usage error.
TEST(SlatewrightCommandLine, SplitsAtTheFirstSeparator)
{
    struct Case { QStringList args; CSlatewrightCommandLine::Kind kind; const char *path, *folder; };
    const Case cases[] = {
        {{"/d/a b.pptx", "_%_", "/out/"}, CSlatewrightCommandLine::Export, "/d/a b.pptx", "/out/"},
        {{"/d/a", "b.pptx", "_%_", "/o", "x", "_%_", "y"}, CSlatewrightCommandLine::Export, "/d/a b.pptx", "/o x _%_ y"},
        {{"/d/a b.pptx _%_ /out dir"}, CSlatewrightCommandLine::Export, "/d/a b.pptx", "/out dir"},
        {{"--help"}, CSlatewrightCommandLine::Help, "", ""},
        {{}, CSlatewrightCommandLine::Usage, "", ""},
        {{"/d/a.pptx", "/out"}, CSlatewrightCommandLine::Usage, "", ""},
        {{"_%_", "/out"}, CSlatewrightCommandLine::Usage, "", ""},
        {{"/d/a.pptx", "_%_"}, CSlatewrightCommandLine::Usage, "", ""},
    };
    for (const Case &c : cases) {
        const auto line = CSlatewrightCommandLine::Parse(c.args);
        EXPECT_EQ(line.kind, c.kind) << c.args.join('|').toStdString();
        if (c.kind == CSlatewrightCommandLine::Export) {
            EXPECT_EQ(line.presentationPath, c.path);
            EXPECT_EQ(line.outputFolder, c.folder);
        }
    }
}

// Guards the program as the importer runs it: a presentation path with a blank and a folder ending in a
// separator export with the doubled separator and status 0; help goes to standard output, usage errors and
// failures to standard error with a non-zero status and nothing written.
TEST(SlatewrightProgram, ExitStatusAndMessages)
{
    TempTree tree;
    const QString deck = tree / "my deck.pptx";
    ASSERT_TRUE(QFile::copy(kDeck, deck));
    const QString out = tree.MakeFolder("out dir");
    auto run = CProcessRunner::Run(Program(), {deck, "_%_", out + "/"}, 60000);
    EXPECT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    EXPECT_TRUE(QFile::exists(out + "//slides.export.xml"));
    EXPECT_TRUE(TempTree::ReadAll(out + "/slides.export.xml").contains((out + "//my deck.pptx_picture0.png").toUtf8()));
    EXPECT_TRUE(QFile::exists(out + "/my deck.pptx_picture2.png"));

    run = CProcessRunner::Run(Program(), {"--help"}, 60000);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.standardOutput.startsWith("Usage: slatewright22"));
    // Without any argument the program shows its form; a command line without the separator is refused.
    run = CProcessRunner::Run(Program(), {deck, out}, 60000);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.standardError.startsWith("Usage: slatewright22"));
    EXPECT_TRUE(run.standardOutput.isEmpty());

    const QString broken = tree.Write("broken.pptx", "PK\x03\x04 broken");
    const QString out2 = tree.MakeFolder("out2");
    run = CProcessRunner::Run(Program(), {broken, "_%_", out2}, 60000);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.standardError.contains("broken.pptx")) << run.standardError.toStdString();
    EXPECT_FALSE(QFile::exists(out2 + "/slides.export.xml"));
    run = CProcessRunner::Run(Program(), {deck, "_%_", tree / "missing"}, 60000);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.standardError.contains("Couldn't create the file")) << run.standardError.toStdString();
}

// Guards substitutions.txt beside the program: its pairs apply, and an item without ";" fails the run with a
// message and writes nothing.
TEST(SlatewrightProgram, SubstitutionFileBesideTheProgram)
{
    TempTree tree;
    const QString program = tree / "slatewright22";
    ASSERT_TRUE(QFile::copy(Program(), program));
    tree.Write("substitutions.txt", "11;13,146;39");
    const QString out = tree.MakeFolder("out");
    auto run = CProcessRunner::Run(program, {kDeck, "_%_", out}, 60000);
    ASSERT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    EXPECT_TRUE(TempTree::ReadAll(out + "/slides.export.xml").contains("Caf\xc3\xa9 \xe2\x80\x93 it's open"));

    tree.Write("substitutions.txt", "11;13,oops");
    const QString out2 = tree.MakeFolder("out2");
    run = CProcessRunner::Run(program, {kDeck, "_%_", out2}, 60000);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.standardError.contains("oops")) << run.standardError.toStdString();
    EXPECT_FALSE(QFile::exists(out2 + "/slides.export.xml"));
}

// Guards the picture mode's slide program: its command line as the importer gives it, and a clear message
// with a non-zero status (nothing written) when the presentation or the converter is missing.
TEST(PictoslateProgram, FailuresAreToldAndLeaveNothing)
{
    TempTree tree;
    const QString out = tree.MakeFolder("out");
    const QString program = QCoreApplication::applicationDirPath() + "/pictoslate";
    auto run = CProcessRunner::Run(program, {tree / "missing deck.pptx", "_%_", out}, 60000);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.standardError.contains("could not be converted to pictures")) << run.standardError.toStdString();
    EXPECT_TRUE(run.standardError.contains("missing deck.pptx"));
    run = CProcessRunner::Run(program, {tree / "deck.pptx"}, 60000);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.standardError.contains("Usage: pictoslate"));

    CSlideRenderer renderer;
    renderer.office = tree / "no-such-office";
    QString error;
    EXPECT_FALSE(renderer.Render(QStringLiteral(CORV_FIXTURES "/pptx/three slides.pptx"), out, &error));
    EXPECT_TRUE(error.contains("could not be started")) << error.toStdString();
    EXPECT_TRUE(QDir(out).isEmpty());
}

// Guards the 50 MB slide part that ended the program in std::bad_alloc (status 134), whose raw text the
// importer then showed: it ends with the reason and status 1, having written nothing.
TEST(SlatewrightProgram, HugeSlidePartEndsWithAMessage)
{
    TempTree tree;
    auto parts = ReadZip(QStringLiteral(CORV_FIXTURES "/pptx/three slides.pptx"));
    ASSERT_FALSE(parts.empty());
    QByteArray slide = "<?xml version=\"1.0\"?><p:sld xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
                       "xmlns:p=\"http://schemas.openxmlformats.org/presentationml/2006/main\"><p:cSld><p:spTree><p:sp>"
                       "<p:txBody><a:p>";
    const QByteArray run = "<a:r><a:rPr b=\"1\"/><a:t>x</a:t></a:r><a:r><a:t>y</a:t></a:r>";
    slide += run.repeated((50 << 20) / run.size()) + "</a:p></p:txBody></p:sp></p:spTree></p:cSld></p:sld>";
    for (auto &[name, bytes] : parts)
        if (name == "ppt/slides/slide1.xml")
            bytes = slide;
    const QString deck = tree / "huge.pptx";
    ASSERT_TRUE(WriteZip(deck, parts, true));
    const QString out = tree.MakeFolder("out");
    const CProcessResult run50 = CProcessRunner::Run(Program(), {deck, "_%_", out}, 60000);
    EXPECT_FALSE(run50.crashed);
    EXPECT_EQ(run50.exitCode, 1);
    EXPECT_EQ(QString::fromLocal8Bit(run50.standardError).trimmed(),
              "slatewright22: The file \"" + deck + "\" is too large to import: its part \"ppt/slides/slide1.xml\" holds "
                                                    "more than 16 MB.");
    EXPECT_FALSE(QFile::exists(out + "/slides.export.xml"));
}
