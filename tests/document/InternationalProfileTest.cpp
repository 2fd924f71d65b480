#include "document/InternationalProfileFromXML.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>


namespace {

// Guards how a profile file is read: element names in any case but attribute names exactly, the attribute
// defaults (an item without a base variable belongs to "kvxPrefs.str"; "yes" is no flag; "12abc" is a limit
// of 12), line breaks kept as CR LF and given as backslash and "n" by GetText, file records in order, an
// empty "files" element, and elements outside their parent dropped.
TEST(InternationalProfile, ReadsItemsAndFileRecords)
{
    const QByteArray file = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                            "<INTERNATIONALISATION kvver=\"4.009\">\n"
                            "\t<variable>outside any item</variable>\n"
                            "\t<basevariable>ignored</basevariable>\n"
                            "\t<Item multiline=\"yes\" limit=\"12abc\" cannotbenull=\"1\">\n"
                            "\t\t<Variable>startcourse</Variable>\n"
                            "\t\t<description>Starts it</description>\n"
                            "\t\t<text><![CDATA[Two\nlines & \"quotes\"]]></text>\n"
                            "\t\t<files>\n"
                            "\t\t\t<file><publishtype>html</publishtype><replacestr><![CDATA[<~start~>]]></replacestr>"
                            "<filename>index.htm</filename></file>\n"
                            "\t\t\t<FILE><REPLACESTR>&lt;~go~&gt;</REPLACESTR><filename>ind.htm</filename></FILE>\n"
                            "\t\t</files>\n"
                            "\t</Item>\n"
                            "\t<item basevariable=\"kvxObj\" Multiline=\"1\" limit=\"-3\"><variable>v</variable><files/></item>\n"
                            "\t<file><replacestr>no item</replacestr></file>\n"
                            "</INTERNATIONALISATION>\n";
    QString error;
    const auto profile = InternationalProfileFromXML::ReadBytes(file, &error);
    ASSERT_NE(profile, nullptr) << error.toStdString();
    EXPECT_EQ(profile->GetVersion(), "4.009");
    ASSERT_EQ(profile->items.size(), 2u);

    const InternationalProfileItemFromXML &first = profile->items[0];
    EXPECT_EQ(first.baseVariable, "kvxPrefs.str");
    EXPECT_EQ(first.multiline, 0);
    EXPECT_EQ(first.limit, 12);
    EXPECT_EQ(first.cannotBeNull, 1);
    EXPECT_EQ(first.GetVariable(), "startcourse");
    EXPECT_EQ(first.description, "Starts it");
    EXPECT_EQ(first.text, "Two\r\nlines & \"quotes\"");
    EXPECT_EQ(first.GetText(), "Two\\nlines & \"quotes\"");
    ASSERT_EQ(first.files.size(), 2u);
    EXPECT_EQ(first.files[0].publishType, "html");
    EXPECT_EQ(first.files[0].GetReplaceString(), "<~start~>");
    EXPECT_EQ(first.files[0].fileName, "index.htm");
    EXPECT_EQ(first.files[1].GetReplaceString(), "<~go~>");

    const InternationalProfileItemFromXML &second = profile->items[1];
    EXPECT_EQ(second.baseVariable, "kvxObj");
    EXPECT_EQ(second.multiline, 0) << "attribute names are matched exactly";
    EXPECT_EQ(second.limit, -3);
    EXPECT_TRUE(second.files.empty());
}

// Guards the reader's failures: a missing file, a file that is not well-formed, a file without the root
// element; each gives no profile and a reason.
TEST(InternationalProfile, FailuresGiveNoProfile)
{
    TempTree tmp;
    QString error;
    EXPECT_EQ(InternationalProfileFromXML::ReadFile(tmp / "missing.kvp", &error), nullptr);
    EXPECT_FALSE(error.isEmpty());
    for (const QByteArray &bytes : {QByteArray("<internationalisation><item><variable>x</item>"),
                                    QByteArray("<other><item/></other>"), QByteArray("")}) {
        error.clear();
        EXPECT_EQ(InternationalProfileFromXML::ReadBytes(bytes, &error), nullptr) << bytes.constData();
        EXPECT_FALSE(error.isEmpty()) << bytes.constData();
    }
}

// Guards against a profile that defines entities in its DTD: they are never expanded, so a file of nested
// entities cannot blow up in memory or time, and no entity text reaches an item.
TEST(InternationalProfile, EntitiesAreNotExpanded)
{
    QByteArray bomb = "<?xml version=\"1.0\"?>\n<!DOCTYPE internationalisation [\n<!ENTITY a \"aaaaaaaaaa\">\n";
    for (char c = 'b'; c <= 'k'; ++c)
        bomb += QByteArray("<!ENTITY ") + c + " \"" + QByteArray(10, '&').replace("&", QByteArray("&") + char(c - 1) + ";") + "\">\n";
    bomb += "]>\n<internationalisation><item><variable>v</variable><text>&k;</text></item></internationalisation>\n";
    // Expanding them would never end: the test's time limit catches that without a clock here.
    const auto profile = InternationalProfileFromXML::ReadBytes(bomb);
    if (profile) {
        ASSERT_EQ(profile->items.size(), 1u);
        EXPECT_LT(profile->items[0].text.size(), 100);
    }
}

} // namespace

// Guards the project's copy of the profile: written in the profile format (byte-order mark, one element a
// line, texts in CDATA) and read back to the same items, also when texts hold markup characters or the end
// of a CDATA section, which a copy written as it stands would break.
TEST(InternationalProfile, WrittenProfileReadsBackTheSame)
{
    InternationalProfileFromXML profile;
    profile.version = "4.009";
    InternationalProfileItemFromXML plain;
    plain.baseVariable = "kvxPrefs.str";
    plain.limit = 40;
    plain.variable = "startcourse";
    plain.description = "Starts the course";
    plain.text = "Start";
    plain.files.push_back({"index.htm", "html", "<~start~>"});
    InternationalProfileItemFromXML awkward;
    awkward.baseVariable = "kvxObj";
    awkward.multiline = 1;
    awkward.cannotBeNull = 1;
    awkward.variable = "quit";
    awkward.description = "Fish & <chips>";
    awkward.text = "a ]]> b & <c>";
    profile.items = {plain, awkward};

    TempTree tree;
    ASSERT_TRUE(profile.WriteProfileFile(tree / "kv_profile.xml"));
    const QByteArray bytes = TempTree::ReadAll(tree / "kv_profile.xml");
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                                 "<internationalisation kvver=\"4.009\">\n\t<basevariable></basevariable>\n"
                                 "\t<item  basevariable=\"kvxPrefs.str\" multiline=\"0\" limit=\"40\" "
                                 "cannotbenull=\"0\">\n"
                                 "\t\t<variable>startcourse</variable>\n\t\t<description>Starts the course</description>\n"
                                 "\t\t<text><![CDATA[Start]]></text>\n\t\t<files>\n\t\t\t<file>\n"
                                 "\t\t\t\t<publishtype>html</publishtype>\n"
                                 "\t\t\t\t<replacestr><![CDATA[<~start~>]]></replacestr>\n"
                                 "\t\t\t\t<filename>index.htm</filename>\n"))
        << bytes.constData();
    EXPECT_FALSE(bytes.contains('\r'));

    QString error;
    const auto read = InternationalProfileFromXML::ReadFile(tree / "kv_profile.xml", &error);
    ASSERT_NE(read, nullptr) << error.toStdString();
    ASSERT_EQ(read->items.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        const auto &a = profile.items[i];
        const auto &b = read->items[i];
        EXPECT_EQ(b.baseVariable, a.baseVariable);
        EXPECT_EQ(b.multiline, a.multiline);
        EXPECT_EQ(b.limit, a.limit);
        EXPECT_EQ(b.cannotBeNull, a.cannotBeNull);
        EXPECT_EQ(b.variable, a.variable);
        EXPECT_EQ(b.description, a.description);
        EXPECT_EQ(b.text, a.text);
        ASSERT_EQ(b.files.size(), a.files.size());
    }
    EXPECT_EQ(read->items[0].files[0].replaceString, "<~start~>");
    EXPECT_FALSE(profile.WriteProfileFile(tree / "no/such/folder/kv_profile.xml"));
}
