#include "ScreenTestSupport.h"

#include "document/InternationalProfileFromXML.h"
#include "model/ComponentImage.h"
#include "model/ComponentTextbox.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace ScreenTest;

namespace {

class CourseScriptsTest : public ::testing::Test
{
protected:
    CourseScriptsTest()
    {
        QDir().mkpath(f.output + "/content/scripts");
        QDir().mkpath(f.output + "/content/glossary");
    }

    static InternationalProfileItemFromXML Item(const QString &base, const QString &variable, const QString &text,
                                                int limit = 0)
    {
        InternationalProfileItemFromXML item;
        item.baseVariable = base;
        item.variable = variable;
        item.text = text;
        item.limit = limit;
        return item;
    }

    void Profile(std::vector<InternationalProfileItemFromXML> items)
    {
        auto profile = std::make_unique<InternationalProfileFromXML>();
        profile->items = std::move(items);
        f.doc->SetInternationalProfile(std::move(profile));
    }

    // The step's file, its byte-order mark checked and taken off.
    QString International()
    {
        EXPECT_TRUE(f.Publisher()->WriteInternationalisationVariables());
        return Read("content/scripts/internationalisation.js");
    }
    QString Glossary()
    {
        EXPECT_TRUE(f.Publisher()->WriteGlossaryItems());
        return Read("content/glossary/glossary_items.js");
    }
    QString Read(const QString &relative)
    {
        const QByteArray bytes = TempTree::ReadAll(f.output + "/" + relative);
        EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF")) << relative.toStdString();
        return QString::fromUtf8(bytes.mid(3));
    }

    CCorvPage *Term(const QString &title)
    {
        if (f.doc->GlossaryScreens().empty())
            f.Add(f.doc->GlossaryScreens(), "G1", pt_glossary, "Glossary");
        return f.Add(f.doc->GlossaryScreens(), QStringLiteral("G1_%1").arg(f.doc->GlossaryScreens().size()), pt_document,
                     title);
    }
    CComponentTextbox *Text(CCorvPage &screen) { return Place<CComponentTextbox>(screen, f.prompt, CRect(0, 0, 100, 100)); }

    Fixture f;
};

} // namespace

// Guards the international texts script: each object declared at its first item and its texts after it
// (an object whose items come back after another's is not emptied by a second declaration), texts escaped
// for the script string (quote, backslash, "]]>", line breaks) and cut at the limit after escaping but
// never inside an escape.
TEST_F(CourseScriptsTest, InternationalTexts)
{
    Profile({Item("A", "one", "1"), Item("A", "two", "say \"hi\""), Item("B", "three", "x ]]> y\r\nz\\"),
             Item("A", "four", "ab\"cd", 5), Item("A", "five", "ab\"cd", 3), Item("B", "lone", "a\nb\rc")});
    EXPECT_EQ(International(), "A = {};\n"
                               "A.one = \"1\";\n"
                               "A.two = \"say \\\"hi\\\"\";\n"
                               "B = {};\n"
                               "B.three = \"x ] ]> y\\nz\\\\\";\n"
                               "A.four = \"ab\\\"c\";\n"
                               "A.five = \"ab\";\n"
                               "B.lone = \"a\\nb\\nc\";\n");
}

// Guards names from an imported profile, which become script code: an object that is not a name of the
// script (or is a reserved word) is left out rather than breaking the file or running as code, and a
// property that is not one word is written in brackets; ordinary dotted names are kept.
TEST_F(CourseScriptsTest, InternationalNamesFromAProfile)
{
    Profile({Item("kvxPrefs.str", "next", "Next"), Item("x;alert(1)//", "a", "no"), Item("", "b", "no"),
             Item("var", "c", "no"), Item("kvxPrefs.str", "two words\"]", "yes"), Item("$o._p1", "q", "ok")});
    EXPECT_EQ(International(), "kvxPrefs.str = {};\n"
                               "kvxPrefs.str.next = \"Next\";\n"
                               "kvxPrefs.str[\"two words\\\"]\"] = \"yes\";\n"
                               "$o._p1 = {};\n"
                               "$o._p1.q = \"ok\";\n");
}

// Guards a course without a profile, or with one without items: the file holds only its byte-order mark,
// and the step succeeds.
TEST_F(CourseScriptsTest, InternationalWithoutTexts)
{
    f.doc->MutableSettings().InternationalProfileFilename.clear();
    EXPECT_EQ(International(), "");
    f.doc->MutableSettings().InternationalProfileFilename = f.tmp / "missing.kvp";
    EXPECT_EQ(International(), "");
    Profile({});
    EXPECT_EQ(International(), "");
}

// Guards the glossary script: the two font lines (the glossary's size from its leading digits), one push
// line per term that holds anything with the text of its text boxes each followed by a blank, a term
// holding only a picture with nothing after ":::", a term without components left out; titles and texts
// on one line (line breaks inside a paragraph too) and safe in the script string; the hidden link markers
// never shown.
TEST_F(CourseScriptsTest, GlossaryItems)
{
    f.doc->MutableSettings().FontName[3] = "Verdana";
    f.doc->MutableSettings().FontFamily[3] = "sans-serif";
    f.doc->MutableSettings().FontSizePoints[3] = " 11pt";
    EXPECT_EQ(Glossary(), "var fontsize = \"11pt\";\nvar fontfamily = \"Verdana, sans-serif\";\n");

    CCorvPage *term = Term("Term");
    Rich(Text(*term)->GetContent()).Add("Al\vpha");
    Rich(Text(*term)->GetContent()).Add("Beta, see ").Link(3, "the cliffs").Add("\rnext");
    Place<CComponentImage>(*Term("Egg"), f.prompt, CRect(0, 0, 10, 10));
    Term("Empty");
    CCorvPage *hostile = Term("A \"b\" \\ c\r\nd");
    Rich(Text(*hostile)->GetContent()).Add("x \"y\" \\ </script>");
    f.doc->MutableSettings().FontSizePoints[3] = "pt";
    f.doc->MutableSettings().FontName[3] = "My \"Font\"";
    EXPECT_EQ(Glossary(), "var fontsize = \"0pt\";\n"
                          "var fontfamily = \"My \\\"Font\\\", sans-serif\";\n"
                          "kvxGlossary.push(\"Term:::Alpha Beta, see the cliffsnext \");\n"
                          "kvxGlossary.push(\"Egg:::\");\n"
                          "kvxGlossary.push(\"A \\\"b\\\" \\\\ cd:::x \\\"y\\\" \\\\ <\\/script> \");\n");
}

// Guards the files of both steps against a folder that is not there: the step fails, naming the reason.
TEST_F(CourseScriptsTest, FolderMissing)
{
    QDir(f.output + "/content").removeRecursively();
    const auto publisher = f.Publisher();
    EXPECT_FALSE(publisher->WriteInternationalisationVariables());
    EXPECT_FALSE(publisher->GetLastErrorText().isEmpty());
    EXPECT_FALSE(publisher->WriteGlossaryItems());
}
