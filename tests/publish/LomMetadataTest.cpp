#include "LmsFixture.h"

#include "publish/LomMetadata.h"

#include <QDateTime>
#include <QRegularExpression>

#include <functional>

namespace {

// The texts of the keyword elements, in order.
QStringList KeywordTexts(const QString &elements)
{
    QStringList texts;
    static const QRegularExpression text(QStringLiteral("<!\\[CDATA\\[ (.*) \\]\\]>"));
    for (auto it = text.globalMatch(elements); it.hasNext();)
        texts.append(it.next().captured(1));
    return texts;
}

class LomMetadataTest : public LmsStepTest
{
protected:
    QString Filled(const QString &templateText, bool scorm12)
    {
        return CLomMetadata::Fill(templateText, doc->Settings(), scorm12, QDate(2031, 2, 3));
    }
};

} // namespace

// Guards the keyword split: parts trimmed, empty parts between separators kept, a trailing separator adding
// nothing, at most ten, "key word" when there is none, and each edition's element form.
TEST(LomMetadata, Keywords)
{
    struct Case {
        QString keywords;
        QStringList texts;
    };
    const Case cases[] = {
        {"alpha; beta ;gamma;", {"alpha", "beta", "gamma"}},
        {"a;;b", {"a", "", "b"}},
        {"", {"key word"}},
        {"1;2;3;4;5;6;7;8;9;10;11;12", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
        {"one ]]> two", {"one ]]]]><![CDATA[> two"}},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(KeywordTexts(CLomMetadata::KeywordElements(c.keywords, true, "en")), c.texts) << c.keywords.toStdString();
        EXPECT_EQ(KeywordTexts(CLomMetadata::KeywordElements(c.keywords, false, "fr")), c.texts);
    }
    EXPECT_EQ(CLomMetadata::KeywordElements("x", true, "en"),
              "\t\t\t<keyword>\n\t\t\t\t<langstring><![CDATA[ x ]]></langstring>\n\t\t\t</keyword>\n");
    EXPECT_EQ(CLomMetadata::KeywordElements("", false, "fr-CA"),
              "\t\t\t<keyword>\n\t\t\t\t<string language=\"fr-CA\"><![CDATA[ key word ]]></string>\n\t\t\t</keyword>\n");
}

// Guards every placeholder's value and fallback in both editions: the vocabularies with their SCORM 1.2
// exclusions and 2004 spelling, the catalog test, yes/no, the defaults of empty texts and the date form.
TEST_F(LomMetadataTest, PlaceholderValues)
{
    const QString all = "[[~coursename~]]|[[~catalog~]]|[[~entry~]]|[[~description~]]|[[~language~]]|"
                        "[[~author~]]|[[~status~]]|[[~purpose~]]|[[~type~]]|[[~version~]]|[[~cost~]]|"
                        "[[~copyright~]]|[[~rightsdescription~]]|[[~org~]]|[[~address~]]|[[~telephone~]]|"
                        "[[~email~]]|[[~date~]]";
    struct Case {
        const char *name;
        std::function<void(CCorvessaDoc &)> set;
        bool scorm12;
        QString expected;
    };
    const Case cases[] = {
        {"defaults 1.2", [](CCorvessaDoc &) {}, true,
         "no title given|elearning|lesson|no description given|de||Draft|Accessibility Restrictions|Exercise|1.0|"
         "no|no|(c) Copyright, all rights reserved|||||2031-02-03"},
        {"out of range, 1.2", [](CCorvessaDoc &d) { d.MutableSettings().LomLanguage = 20; d.MutableSettings().LomStatus = 7; d.MutableSettings().LomPurpose = 1; d.MutableSettings().LomResourceType = 14; },
         true, "no title given|elearning|lesson|no description given|en||Draft|Accessibility Restrictions|Exercise|"
               "1.0|no|no|(c) Copyright, all rights reserved|||||2031-02-03"},
        {"2004-only words, 2004", [](CCorvessaDoc &d) { d.MutableSettings().LomStatus = 7; d.MutableSettings().LomPurpose = 1; d.MutableSettings().LomResourceType = 14; d.MutableSettings().LomLanguage = -1; },
         false, "no title given|elearning|lesson|no description given|en||draft|competency|lecture|1.0|no|no|"
                "(c) Copyright, all rights reserved|||||2031-02-03"},
        {"set", [](CCorvessaDoc &d) {
             d.MutableSettings().CourseName = "Course"; d.MutableSettings().LomCatalog = "Catalog 1"; d.MutableSettings().LomEntry = "E"; d.MutableSettings().CourseDescription = "D";
             d.MutableSettings().LomLanguage = 8; d.MutableSettings().CourseAuthor = "Au"; d.MutableSettings().LomStatus = 2; d.MutableSettings().LomPurpose = 9; d.MutableSettings().LomResourceType = 9;
             d.MutableSettings().LomVersion = "2.1"; d.MutableSettings().LomCost = 1; d.MutableSettings().LomCopyright = 5; d.MutableSettings().LomRightsDescription = "R";
             d.MutableSettings().LomOrganization = "O"; d.MutableSettings().LomAddress = "A"; d.MutableSettings().LomTelephone = "T"; d.MutableSettings().LomEmail = "M"; },
         false, "Course|Catalog 1|E|D|fr-CA|Au|revised|accessibility restrictions|narrative text|2.1|yes|yes|R|O|A|T|M|2031-02-03"},
        {"catalog not starting with a letter", [](CCorvessaDoc &d) { d.MutableSettings().LomCatalog = "1st catalog"; d.MutableSettings().LomEntry = "x"; }, true,
         "no title given|elearning|x|no description given|de||Draft|Accessibility Restrictions|Exercise|1.0|no|no|"
         "(c) Copyright, all rights reserved|||||2031-02-03"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        doc = std::make_unique<CCorvessaDoc>(context);
        doc->MutableSettings().LomLanguage = 0;
        c.set(*doc);
        EXPECT_EQ(Filled(all, c.scorm12), c.expected);
    }
}

// Guards the replacement order: a placeholder occurring twice is replaced twice, a text without one stays,
// and a value holding a later placeholder has that one replaced as well (the order is the record's format).
TEST_F(LomMetadataTest, ReplacementOrder)
{
    doc->MutableSettings().CourseName = "[[~version~]] course";
    doc->MutableSettings().LomVersion = "3";
    EXPECT_EQ(Filled("[[~coursename~]] / [[~coursename~]] / [[~nothing~]]", true), "3 course / 3 course / [[~nothing~]]");
}

// Guards both shipped templates: for a course whose texts hold every markup character and "]]>", the record
// is well-formed XML and the SCORM 1.2 record is valid against its schema, so no LMS rejects the package.
TEST_F(LomMetadataTest, ShippedTemplatesGiveWellFormedRecords)
{
    if (!HasTool("xmllint"))
        GTEST_SKIP() << "xmllint is not installed";
    const QString hostile = "A & B <x> ]]> \"q\" 'a'";
    doc->MutableSettings().CourseName = hostile;
    doc->MutableSettings().CourseDescription = hostile;
    doc->MutableSettings().CourseAuthor = hostile;
    doc->MutableSettings().LomCatalog = "C" + hostile;
    doc->MutableSettings().LomEntry = hostile;
    doc->MutableSettings().LomKeywords = hostile + ";" + hostile;
    doc->MutableSettings().LomRightsDescription = hostile;
    doc->MutableSettings().LomOrganization = hostile;
    doc->MutableSettings().LomEmail = hostile;
    for (int scorm12 : {1, 0}) {
        SCOPED_TRACE(scorm12);
        doc->MutableSettings().SCORM12 = scorm12;
        ASSERT_TRUE(Publisher()->CreateMetadataManifestXML());
        const QString record = output + "/kv_metadata.xml";
        const QByteArray bytes = TempTree::ReadAll(record);
        EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
        EXPECT_FALSE(bytes.contains('\r'));
        EXPECT_FALSE(bytes.contains("[[~"));
        const ToolRun lint = RunTool("xmllint", {"--noout", record});
        EXPECT_EQ(lint.exitCode, 0) << lint.output.toStdString();
        if (scorm12) {
            const ToolRun valid = RunTool("xmllint", {"--noout", "--nonet", "--schema",
                                                      QStringLiteral(CORV_PROGRAM_FOLDER "source/PublishLMS/scorm12/imsmd_rootv1p2p1.xsd"), record});
            EXPECT_EQ(valid.exitCode, 0) << valid.output.toStdString();
        }
    }
}

// Guards the date: it is the document clock's local day, so a publish is dated the day it runs.
TEST_F(LomMetadataTest, DateFromTheDocumentClock)
{
    const QDateTime when(QDate(2029, 12, 31), QTime(23, 30));
    doc->SetClock([&] { return when.toSecsSinceEpoch(); });
    doc->MutableSettings().SCORM12 = 1;
    ASSERT_TRUE(Publisher()->CreateMetadataManifestXML());
    EXPECT_TRUE(Read("kv_metadata.xml").contains("<datetime>2029-12-31</datetime>"));
}

// Guards a missing template: the author is told which file is missing, and the step fails so that no
// package is made whose manifest names a record that is not there.
TEST_F(LomMetadataTest, MissingTemplateFailsTheStep)
{
    context.programFolder = tmp.MakeFolder("empty program") + "/";
    doc->MutableSettings().SCORM12 = 0;
    auto publisher = Publisher();
    EXPECT_FALSE(publisher->CreateMetadataManifestXML());
    ASSERT_EQ(prompt.Texts().size(), 1);
    EXPECT_EQ(prompt.Texts()[0].toStdString(),
              ("Error: Fail to open file " + context.programFolder
               + "source/PlaceHolderText/LMS/kv_metadata_2004.txt\nwhile publishing LMS Metadata.").toStdString());
    EXPECT_FALSE(QFileInfo::exists(output + "/kv_metadata.xml"));
}
