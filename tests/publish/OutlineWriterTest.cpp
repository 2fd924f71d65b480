#include "ScreenTestSupport.h"

#include "document/InternationalProfileFromXML.h"
#include "publish/OutlineWriter.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace ScreenTest;

namespace {

class OutlineWriterTest : public ::testing::Test
{
protected:
    OutlineWriterTest() { f.context.programFolder = f.tmp.MakeFolder("program"); }

    CCorvPage *Add(const QString &label, int type, const QString &title = {})
    {
        return f.Add(f.doc->MainScreens(), label, type, title.isEmpty() ? "S" + label : title);
    }

    void Template(const QByteArray &text) { f.tmp.Write("program/source/PlaceHolderText/outline.htm.txt", text); }

    // The node lines of the whole outline, and the screen array.
    QString Lines(int lastTopicFlag = 0)
    {
        f.Outline();
        COutlineWriter writer(&f.tree, "demo", "utf-8", lastTopicFlag, *f.doc, Profile());
        QString lines;
        writer.WriteTreeItems(lines, 0, f.tree.GetRootItem());
        screens = writer.GetScreenArray();
        return lines;
    }

    const InternationalProfileFromXML *Profile() const
    {
        return dynamic_cast<const InternationalProfileFromXML *>(f.doc->GetInternationalProfile());
    }

    void SetProfile(std::vector<InternationalProfileItemFromXML> items)
    {
        auto profile = std::make_unique<InternationalProfileFromXML>();
        profile->items = std::move(items);
        f.doc->SetInternationalProfile(std::move(profile));
    }

    static InternationalProfileItemFromXML Item(const QString &variable, const QString &text, const QString &file = {},
                                                const QString &token = {})
    {
        InternationalProfileItemFromXML item;
        item.baseVariable = "kvxPrefs.str";
        item.variable = variable;
        item.text = text;
        if (!file.isEmpty())
            item.files.push_back({file, "html", token});
        return item;
    }

    static QString Id(const CCorvPage *screen) { return "\"" + screen->GetPublishId() + "\""; }

    Fixture f;
    QStringList screens;
};

} // namespace

// Guards the node line of every page type and the screen array beside it: screens and folder screens link
// to their publish id in pg by their own index, questions carry the question picture, containers are
// folders, remediation folders have their pictures; popups and the glossary are left out with everything
// below them, and so is a final performance folder in any letter case.
TEST_F(OutlineWriterTest, NodesOfEveryPageType)
{
    const CCorvPage *folder = Add("1", pt_folder, "Menu");
    Add("1_1", pt_container, "Topic");
    const CCorvPage *screen = Add("1_1_1", pt_document);
    const CCorvPage *question = Add("1_1_2", pt_question);
    Add("2", pt_asmt_folder, "FINAL performance Screens");
    Add("2_1", pt_asmt_document);
    const CCorvPage *assessment = Add("3", pt_asmt_folder, "Assessment");
    Add("3_1", pt_asmt_container, "Part");
    const CCorvPage *test = Add("3_1_1", pt_asmt_document);
    Add("4", pt_remediation, "Remediation");
    const CCorvPage *revise = Add("4_1", pt_document);
    f.Add(f.doc->PopupScreens(), "P5", pt_popups_only, "Popups");
    f.Add(f.doc->PopupScreens(), "P5_1", pt_document, "A popup");
    f.Add(f.doc->GlossaryScreens(), "G6", pt_glossary, "Glossary");
    f.Add(f.doc->GlossaryScreens(), "G6_1", pt_document, "Term");
    EXPECT_EQ(Lines(), "\t\t\td.add(1, 0, \"Menu\", \"javascript:fPage(pg[0]);\");\n"
                       "\t\t\td.add(2, 1, \"Topic\");\n"
                       "\t\t\td.add(3, 2, \"S1_1_1\", \"javascript:fPage(pg[2]);\");\n"
                       "\t\t\td.add(4, 2, \"S1_1_2\", \"javascript:fPage(pg[3]);\", \"\", \"\",\"scripts/pics/tree/question.gif\");\n"
                       "\t\t\td.add(5, 0, \"Assessment\", \"javascript:fPage(pg[4]);\");\n"
                       "\t\t\td.add(6, 5, \"Part\");\n"
                       "\t\t\td.add(7, 6, \"S3_1_1\", \"javascript:fPage(pg[6]);\");\n"
                       "d.add(8,0,\"Remediation\",\"\",\"\",\"\",\"scripts/pics/tree/remediation.gif\","
                       "\"scripts/pics/tree/remediationopen.gif\");"
                       "\t\t\td.add(9, 8, \"S4_1\", \"javascript:fPage(pg[8]);\");\n");
    EXPECT_EQ(screens, QStringList({Id(folder), "0", Id(screen), Id(question), Id(assessment), "0", Id(test), "0", Id(revise)}));
}

// Guards the last topic of a menu-based course that ends in its assessment: with the flag, a root of three
// children lists its third as a folder with one link to the menu (two "0" entries) and nothing below it; a
// root with one child, or no flag, lists everything.
TEST_F(OutlineWriterTest, LastTopicBecomesTheAssessmentLink)
{
    SetProfile({Item("outlineassessment", "Take the \"test\"")});
    Add("1", pt_folder, "Menu");
    Add("1_1", pt_container, "One");
    Add("1_1_1", pt_document);
    const QString withOneChild = Lines(1);
    EXPECT_EQ(withOneChild, Lines(0));
    EXPECT_FALSE(withOneChild.contains("fMenu"));

    Add("1_2", pt_container, "Two");
    Add("1_3", pt_container, "Three");
    Add("1_3_1", pt_question, "Hidden");
    EXPECT_TRUE(Lines(0).contains("Hidden"));
    EXPECT_EQ(Lines(1), "\t\t\td.add(1, 0, \"Menu\", \"javascript:fPage(pg[0]);\");\n"
                        "\t\t\td.add(2, 1, \"One\");\n"
                        "\t\t\td.add(3, 2, \"S1_1_1\", \"javascript:fPage(pg[2]);\");\n"
                        "\t\t\td.add(4, 1, \"Two\");\n"
                        "\t\t\td.add(5, 1, \"Three\");\n"
                        "\t\t\td.add(6, 5, \"Take the \\\"test\\\"\", \"javascript:fMenu();\");\n");
    EXPECT_EQ(screens.mid(4), QStringList({"0", "0"}));
}

// Guards titles in node lines: a quotation mark and a backslash escaped, a line break a blank, and
// "</script>" unable to end the page's script; a title holding a token of the page stays as it is.
TEST_F(OutlineWriterTest, TitlesStayInTheirString)
{
    Add("1", pt_document, "A \"b\" \\ c\r\nd </script> <~dtree~>");
    EXPECT_EQ(Lines(), "\t\t\td.add(1, 0, \"A \\\"b\\\" \\\\ c  d <\\/script> <~dtree~>\", \"javascript:fPage(pg[0]);\");\n");
    Template("<~dtree~>|<~outlinetitle~>");
    f.doc->MutableSettings().OutlineLabel = "<~screens~> \"x\"";
    COutlineWriter writer(&f.tree, "demo", "utf-8", 0, *f.doc, nullptr);
    QString page;
    ASSERT_EQ(writer.Write(page), 1);
    EXPECT_EQ(page, Lines() + "|<~screens~> \\\"x\\\"");
}

// Guards the screen array: ten entries a line, so ten nodes give one line and fifteen one of ten and one of
// five; an outline without nodes gives no line at all.
TEST_F(OutlineWriterTest, ScreenArrayLines)
{
    for (int count : {0, 10, 15}) {
        f.doc->ClearMainScreens();
        for (int i = 1; i <= count; ++i)
            Add(QString::number(i), pt_container);
        f.Outline();
        COutlineWriter writer(&f.tree, "demo", "utf-8", 0, *f.doc, nullptr);
        QString lines;
        writer.WriteTreeItems(lines, 0, f.tree.GetRootItem());
        const QString pushes = writer.WriteScreenArray();
        const QString ten = "\t\t\tpg.push(0,0,0,0,0,0,0,0,0,0);\n";
        if (count == 0)
            EXPECT_EQ(pushes, "");
        else if (count == 10)
            EXPECT_EQ(pushes, ten);
        else
            EXPECT_EQ(pushes, ten + "\t\t\tpg.push(0,0,0,0,0);\n");
    }
}

// Guards the page: the template's own tokens, the profile's outline tokens (the first item that names one
// wins; other files' records and texts are not outline tokens), the screen array and the node lines.
TEST_F(OutlineWriterTest, PageFromTheTemplate)
{
    Template("<html lang=\"<~pagelanguage~>\"><~charset~>|<~prefix~>|<~outlinetitle~>|<~other~>\n<~screens~><~dtree~>\n");
    SetProfile({Item("pagelanguage", "fr", "outline.htm.txt", "<~pagelanguage~>"),
                Item("second", "de", "outline.htm.txt", "<~pagelanguage~>"), Item("other", "x", "ind.htm", "<~other~>")});
    f.doc->MutableSettings().OutlineLabel = "Outline";
    const CCorvPage *screen = Add("1", pt_document, "Only");
    f.Outline();
    COutlineWriter writer(&f.tree, "demo", "iso-8859-1", 0, *f.doc, Profile());
    QString page;
    ASSERT_EQ(writer.Write(page), 1);
    EXPECT_EQ(page, "<html lang=\"fr\">iso-8859-1|demo|Outline|<~other~>\n\t\t\tpg.push(" + Id(screen) +
                        ");\n\t\t\td.add(1, 0, \"Only\", \"javascript:fPage(pg[0]);\");\n\n");
    EXPECT_TRUE(f.prompt.Texts().isEmpty());
}

// Guards a missing template: one message naming it, no text, and the outline step writes a page that holds
// only its byte-order mark and lets the publish go on.
TEST_F(OutlineWriterTest, MissingTemplate)
{
    Add("1", pt_document);
    f.Outline();
    COutlineWriter writer(&f.tree, "demo", "utf-8", 0, *f.doc, nullptr);
    QString page = "stale";
    EXPECT_EQ(writer.Write(page), 0);
    EXPECT_EQ(page, "");
    const QString path = f.context.programFolder + "/source/PlaceHolderText/outline.htm.txt";
    EXPECT_EQ(f.prompt.Texts(), QStringList{"FATAL Error:\nCould not open file\n" + QDir::cleanPath(path)});

    f.prompt.Clear();
    QDir().mkpath(f.output + "/content");
    f.Publisher()->BuildOutline();
    EXPECT_EQ(TempTree::ReadAll(f.output + "/content/outline.htm"), QByteArray("\xEF\xBB\xBF"));
    EXPECT_EQ(f.prompt.Texts().size(), 1);
}
