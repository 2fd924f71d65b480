#include "LmsFixture.h"

#include "publish/ScormManifest.h"

#include <QRegularExpression>

namespace {

QByteArray Golden(const char *name)
{
    return TempTree::ReadAll(QStringLiteral(CORV_FIXTURES "/publish/") + QLatin1String(name));
}

class ScormManifestTest : public LmsStepTest
{
protected:
    ScormManifestTest() { WritePublishedCourse(output); }

    QByteArray WriteManifest()
    {
        EXPECT_TRUE(Publisher()->CreateManifestXML());
        return Read("imsmanifest.xml");
    }

    // The hrefs of the file lines, in order.
    static QStringList FileHrefs(const QByteArray &manifest)
    {
        QStringList hrefs;
        static const QRegularExpression line(QStringLiteral("<file href=\"([^\"]*)\" />"));
        for (auto it = line.globalMatch(QString::fromUtf8(manifest)); it.hasNext();)
            hrefs.append(it.next().captured(1));
        return hrefs;
    }
};

} // namespace

// Guards the manifest identifier: an identifier with anything but ASCII letters and digits, or starting with
// a digit, is no valid XML name and the LMS refuses the package.
TEST(ScormManifest, Identifier)
{
    struct Case {
        QString code;
        bool scorm12;
        QString id;
    };
    const Case cases[] = {
        {"2010 Course-A", true, "M2010CourseA"},
        {"Intro_1", false, "Intro1"},
        {"", true, "M"},
        {"", false, "ManifestID"},
        {"***", true, "M"},
        {"***", false, "ManifestID"},
        {"Caf\u00e9 \u0661\u0662x", false, "Cafx"},   // letters and digits beyond ASCII go
        {"\u0663\u0664", true, "M"},
        {"_9a", true, "M9a"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CScormManifest::Identifier(c.code, c.scorm12), c.id) << c.code.toStdString();
}

// Guards the exact text of each edition: the head rows, the vendor rows and block, the indentation of every
// line (the 2004 head's trailing blank included), the SCO of each window mode, the file lists in name order
// with ind.htm once and the files the scans do not read, UTF-8 without a byte-order mark and LF only.
TEST_F(ScormManifestTest, GoldenManifests)
{
    struct Case {
        const char *golden;
        int scorm12;
        QString compatibility;
        int newWindow;
        QString code, organization, item;
    };
    const Case cases[] = {
        {"manifest_12.xml", 1, "Default", 0, "2010 Course-A", "", ""},
        {"manifest_2004_vendor_newwindow.xml", 0, "SumTotal", 1, "Intro_1", "Intro & Basics",
         QString::fromUtf8("Le\xC3\xA7on ]]> un")},
        // Any value but 1 is the 2004 edition; the vendor name is compared with its case.
        {"manifest_2004.xml", 2, "sumtotal", 0, "", "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.golden);
        doc->MutableSettings().SCORM12 = c.scorm12;
        doc->MutableSettings().LmsCompatibility = c.compatibility;
        doc->MutableSettings().LmsOpensNewWindow = c.newWindow;
        doc->MutableSettings().CourseCode = c.code;
        doc->MutableSettings().LomOrganizationTitle = c.organization;
        doc->MutableSettings().LomItemTitle = c.item;
        const QByteArray written = WriteManifest();
        const QByteArray golden = Golden(c.golden);
        ASSERT_FALSE(golden.isEmpty());
        EXPECT_EQ(written.toStdString(), golden.toStdString());
    }
}

// Guards the launch page listed exactly once whatever the window mode, a second page whose name differs in
// case listed by the scan, names with markup characters escaped, and links left out (the package leaves
// them out too, so a listed link would name a missing file).
TEST_F(ScormManifestTest, FileLinesMatchTheFolder)
{
    WriteFileAt(output + "/content/scripts/pics/\"q\" <1>.png", "x");
    QFile::link(output + "/content/media/x.gif", output + "/content/media/link.gif");
    for (int newWindow : {0, 1}) {
        doc->MutableSettings().LmsOpensNewWindow = newWindow;
        const QStringList hrefs = FileHrefs(WriteManifest());
        EXPECT_EQ(hrefs.count("content/ind.htm"), 1) << newWindow;
        EXPECT_EQ(hrefs.count("content/IND.HTM"), 1);
        EXPECT_EQ(hrefs.count("index.htm"), newWindow ? 0 : 1);
        EXPECT_TRUE(hrefs.contains("content/scripts/pics/&quot;q&quot; &lt;1&gt;.png"));
        EXPECT_FALSE(hrefs.contains("content/media/link.gif"));
        // The schema files and the manifest's own files at the root are never listed.
        EXPECT_TRUE(hrefs.filter(QRegularExpression("^[^/]*\\.(xml|xsd)$")).isEmpty());
    }
}

// Guards titles: an empty title gets its default, a title holding "]]>" or any markup character stays
// one CDATA text (a bare "]]>" would end the section and break the manifest), and the text is the title
// itself, without blanks around it.
TEST_F(ScormManifestTest, TitlesStayText)
{
    doc->MutableSettings().LomOrganizationTitle = "a ]]> b <c> & d";
    doc->MutableSettings().LomItemTitle = QString::fromUtf8("\xC3\x89l\xC3\xA8ve ]]]]>");
    const QByteArray manifest = WriteManifest();
    EXPECT_TRUE(manifest.contains("<title><![CDATA[a ]]]]><![CDATA[> b <c> & d]]></title>")) << manifest.toStdString();
    EXPECT_TRUE(manifest.contains("<title><![CDATA[\xC3\x89l\xC3\xA8ve ]]]]]]><![CDATA[>]]></title>"));
    if (HasTool("xmllint")) {
        const ToolRun run = RunTool("xmllint", {"--noout", output + "/imsmanifest.xml"});
        EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
    }
}

// Guards a manifest that cannot be written: the step fails (the driver then names it) instead of reporting
// a package without its manifest as published.
TEST_F(ScormManifestTest, UnwritableManifestFails)
{
    tmp.MakeFolder("Course Published files/LMS/imsmanifest.xml");
    EXPECT_FALSE(Publisher()->CreateManifestXML());
    EXPECT_FALSE(Publisher(tmp / "missing")->CreateManifestXML());
}

// Guards a course name longer than the SCORM 1.2 schema allows a title (200 characters): both titles of a 1.2
// manifest are cut to 200 characters, never inside a character outside the Basic Multilingual Plane, while
// a 2004 manifest, whose schema sets no limit, keeps the whole name.
TEST_F(ScormManifestTest, LongTitlesAreCutToTheSchemasLimit)
{
    const QString bird = QString::fromUtf8("\xF0\x9F\x90\xA6");
    doc->MutableSettings().CourseName = QString(199, u'x') + bird + QString(9800, u'y');
    for (const bool scorm12 : {true, false}) {
        SCOPED_TRACE(scorm12 ? "1.2" : "2004");
        doc->MutableSettings().SCORM12 = scorm12 ? 1 : 0;
        const QString manifest = QString::fromUtf8(WriteManifest());
        static const QRegularExpression title(QStringLiteral("<title><!\\[CDATA\\[(.*?)\\]\\]></title>"));
        QStringList titles;
        for (auto it = title.globalMatch(manifest); it.hasNext();)
            titles.append(it.next().captured(1));
        const QString expected = scorm12 ? QString(199, u'x') + bird : doc->Settings().CourseName;
        EXPECT_EQ(titles, QStringList({expected, expected}));
    }
}
