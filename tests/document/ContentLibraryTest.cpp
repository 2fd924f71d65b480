// Content libraries: the catalogue's exact text, its reader, and adding screens to a library beside it.
#include "FactoryFixture.h"

#include "document/ContentLibrary.h"
#include "document/ScreenFactory.h"
#include "model/GlobalHelpers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTimeZone>

namespace {

class ContentLibraryTest : public FactoryFixture
{
protected:
    CCorvPage *Screen(const QString &title, const QString &label)
    {
        CScreenFactory factory(*doc);
        return factory.AddTextScreen(title, label, nullptr, 0);
    }
};

std::unique_ptr<LibraryItemFromXML> Item(const QString &name, const QString &pageType, const QString &depth,
                                         const QString &description, const QString &path)
{
    auto item = std::make_unique<LibraryItemFromXML>();
    item->SetName(name);
    item->SetPageType(pageType);
    item->SetAuxPageType(QStringLiteral("apt_topic"));
    item->SetDepth(depth);
    item->SetDescription(description);
    item->SetItemPath(path);
    return item;
}

} // namespace

// Guards the catalogue's text byte for byte (byte-order mark, line feeds, tabs, CDATA), the item without a
// path (no "libraryitempath" line), a "]]>" and markup in texts and a quote in the depth, and that what is
// written reads back to the same model and the same bytes.
TEST(ContentLibraryFile, WritesTheCatalogueAndReadsItBack)
{
    LibraryFromXML model;
    model.SetDescription(QStringLiteral("Safety\r\nscreens"));
    model.items.push_back(Item(QStringLiteral("Fire <exits>"), QStringLiteral("pt_question"), QStringLiteral("1"),
                               QStringLiteral("Keep ]]> out & on"), QStringLiteral("Safety_Library\\Safety_Item1\\Safety_Item1.kvl")));
    model.items.push_back(Item(QStringLiteral("Loose"), QStringLiteral("pt_folder"), QStringLiteral("2\""), {}, {}));
    const QByteArray expected =
        "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<library>\n"
        "\t<librarydescription><![CDATA[Safety\r\nscreens]]></librarydescription>\n"
        "\t<libraryitem depth=\"1\">\n"
        "\t\t<name><![CDATA[Fire <exits>]]></name>\n"
        "\t\t<pagetype>pt_question</pagetype>\n"
        "\t\t<auxiliarypagetype>apt_topic</auxiliarypagetype>\n"
        "\t\t<description><![CDATA[Keep ]]]]><![CDATA[> out & on]]></description>\n"
        "\t\t<libraryitempath><![CDATA[Safety_Library\\Safety_Item1\\Safety_Item1.kvl]]></libraryitempath>\n"
        "\t</libraryitem>\n"
        "\t<libraryitem depth=\"2&quot;\">\n"
        "\t\t<name><![CDATA[Loose]]></name>\n"
        "\t\t<pagetype>pt_folder</pagetype>\n"
        "\t\t<auxiliarypagetype>apt_topic</auxiliarypagetype>\n"
        "\t\t<description><![CDATA[]]></description>\n"
        "\t</libraryitem>\n"
        "</library>\n";
    ASSERT_EQ(model.ToBytes(), expected);

    QString why;
    const auto read = LibraryFromXML::ReadBytes(expected, &why);
    ASSERT_NE(read, nullptr) << qPrintable(why);
    EXPECT_EQ(read->GetDescription(), model.GetDescription());
    EXPECT_EQ(read->itemCounter, 2);
    ASSERT_EQ(read->items.size(), 2u);
    for (int i = 0; i < 2; ++i) {
        const LibraryItemFromXML &a = *model.items[std::size_t(i)], &b = *read->GetItem(i);
        EXPECT_EQ(b.GetName(), a.GetName());
        EXPECT_EQ(b.GetPageType(), a.GetPageType());
        EXPECT_EQ(b.GetAuxPageType(), a.GetAuxPageType());
        EXPECT_EQ(b.GetDepth(), a.GetDepth());
        EXPECT_EQ(b.GetDescription(), a.GetDescription());
        EXPECT_EQ(b.GetItemPath(), a.GetItemPath());
    }
    EXPECT_EQ(read->GetItem(0)->GetFolder(), 0);
    EXPECT_EQ(read->GetItem(1)->GetFolder(), 1);
    EXPECT_EQ(read->GetItem(2), nullptr);
    EXPECT_EQ(read->ToBytes(), expected);
}

// Guards the reader's rules: names in any case, an unknown page type read as a screen, a missing depth as
// "0", nested items listed flat, texts outside an item ignored, line feeds as CR LF; and that a file that
// is not a library, or not XML, is refused with a reason.
TEST(ContentLibraryFile, ReaderRulesAndRefusals)
{
    const QByteArray file = "<LIBRARY><name>stray</name><LibraryDescription>Two\nlines</LibraryDescription>"
                            "<LIBRARYITEM><PageType>pt_bogus</PageType><Name>Outer</Name>"
                            "<libraryitem depth=\"3\"><pagetype>pt_glossary</pagetype><name>Inner</name></libraryitem>"
                            "<description>After inner</description></LIBRARYITEM></LIBRARY>";
    const auto model = LibraryFromXML::ReadBytes(file);
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->GetDescription(), "Two\r\nlines");
    ASSERT_EQ(model->items.size(), 2u);
    EXPECT_EQ(model->itemCounter, 2);
    EXPECT_EQ(model->GetItem(0)->GetName(), "Outer");
    EXPECT_EQ(model->GetItem(0)->GetPageType(), "pt_document");
    EXPECT_EQ(model->GetItem(0)->GetFolder(), 0);
    EXPECT_EQ(model->GetItem(0)->GetDepth(), "0");
    EXPECT_EQ(model->GetItem(0)->GetDescription(), "After inner") << "the outer item is current again";
    EXPECT_EQ(model->GetItem(1)->GetName(), "Inner");
    EXPECT_EQ(model->GetItem(1)->GetDepth(), "3");
    EXPECT_EQ(model->GetItem(1)->GetFolder(), 1);

    for (const QByteArray &bad : {QByteArray("<catalogue><libraryitem/></catalogue>"), QByteArray("<library><libraryitem>"),
                                  QByteArray(), QByteArray("<!DOCTYPE library [<!ENTITY e SYSTEM \"/etc/passwd\">]><library>"
                                                           "<librarydescription>&e;</librarydescription></library>")}) {
        QString why;
        const auto refused = LibraryFromXML::ReadBytes(bad, &why);
        if (refused) {
            EXPECT_TRUE(refused->GetDescription().isEmpty()) << "no entity is ever expanded";
            continue;
        }
        EXPECT_FALSE(why.isEmpty()) << bad.constData();
    }
}

// Guards where library items go and how they are named: a new library gets "<name>_Library/<name>_ItemN"
// folders and stored paths with backslashes; several adds with deferred writing write nothing until the
// catalogue is written once; a library of three items continues with item 4; an item's empty description
// becomes "From: <course> - <date>" with an English month.
TEST_F(ContentLibraryTest, AddsScreensBesideTheCatalogue)
{
    doc->SetClock([] { return QDateTime(QDate(2024, 3, 15), QTime(12, 0), QTimeZone::utc()).toSecsSinceEpoch(); });
    const QString path = tree / "libs/Safety.kvxl";
    {
        ContentLibrary library(*doc);
        EXPECT_EQ(library.AddPageToLibrary(path, "Safety", Screen("Fire", "1"), "Fire", {}, "0", true), 1);
        EXPECT_EQ(library.AddPageToLibrary(path, "Safety", Screen("Exits", "2"), "Exits", "Where to go", "1", true), 1);
        EXPECT_EQ(library.AddPageToLibrary(path, "Safety", Screen("Drill", "3"), "Drill", "Monthly", "1", true), 1);
        EXPECT_FALSE(QFile::exists(path)) << "deferred: nothing written yet";
        ASSERT_TRUE(library.WriteLibraryFile());
    }
    for (int n = 1; n <= 3; ++n)
        EXPECT_TRUE(QFile::exists(tree / QStringLiteral("libs/Safety_Library/Safety_Item%1/Safety_Item%1.kvl").arg(n))) << n;

    ContentLibrary again(*doc);
    ASSERT_EQ(again.ReadLibraryFile(path), 1);
    const LibraryFromXML &model = *again.GetModel();
    ASSERT_EQ(model.items.size(), 3u);
    EXPECT_EQ(model.GetDescription(), "Safety");
    EXPECT_EQ(model.GetItem(0)->GetItemPath(), "Safety_Library\\Safety_Item1\\Safety_Item1.kvl");
    EXPECT_EQ(model.GetItem(1)->GetItemPath(), "Safety_Library\\Safety_Item2\\Safety_Item2.kvl");
    EXPECT_TRUE(QRegularExpression("^From: Unnamed course - 1[45] Mar 2024 \\d\\d:00:00$")
                    .match(model.GetItem(0)->GetDescription()).hasMatch())
        << qPrintable(model.GetItem(0)->GetDescription());
    EXPECT_EQ(model.GetItem(1)->GetDescription(), "Where to go");

    doc->MutableSettings().CourseName = "Plant safety";
    ContentLibrary fourth(*doc);
    ASSERT_EQ(fourth.AddPageToLibrary(path, "Safety, updated", Screen("Gas", "4"), "Gas", {}, "0", false), 1);
    EXPECT_TRUE(fourth.GetItemDescription().startsWith("From: Plant safety - ")) << qPrintable(fourth.GetItemDescription());
    ContentLibrary check(*doc);
    ASSERT_EQ(check.ReadLibraryFile(path), 1);
    EXPECT_EQ(check.GetModel()->items.size(), 4u);
    EXPECT_EQ(check.GetModel()->GetItem(3)->GetItemPath(), "Safety_Library\\Safety_Item4\\Safety_Item4.kvl");
    EXPECT_EQ(check.GetLibraryDescription(), "Safety, updated");
    EXPECT_TRUE(prompt.Texts().isEmpty()) << qPrintable(prompt.Texts().join(u'\n'));
}

// Guards an author's kept items: when the catalogue lists fewer items than lie beside it (an entry removed
// by hand), the next item takes a free number instead of emptying a kept item's folder.
TEST_F(ContentLibraryTest, NextItemNeverOverwritesAKeptItem)
{
    const QString path = tree / "libs/Birds.kvxl";
    ContentLibrary library(*doc);
    ASSERT_EQ(library.AddPageToLibrary(path, {}, Screen("Gulls", "1"), "Gulls", "d", "0", false), 1);
    const QString kept = tree.Write("libs/Birds_Library/Birds_Item2/Birds_Item2.kvl", "kept item");
    tree.Write("libs/Birds_Library/Birds_Item2/notes.txt", "kept notes");

    ContentLibrary next(*doc);
    ASSERT_EQ(next.AddPageToLibrary(path, {}, Screen("Terns", "2"), "Terns", "d", "0", false), 1);
    EXPECT_EQ(TempTree::ReadAll(kept), "kept item");
    EXPECT_TRUE(QFile::exists(tree / "libs/Birds_Library/Birds_Item2/notes.txt"));
    EXPECT_TRUE(QFile::exists(tree / "libs/Birds_Library/Birds_Item3/Birds_Item3.kvl"));
    EXPECT_EQ(next.GetModel()->items.back()->GetItemPath(), "Birds_Library\\Birds_Item3\\Birds_Item3.kvl");
}

// Guards failures told and nothing half done: a damaged catalogue is not read ("Unable to read Library") and
// not added to ("Unable to load library"), its bytes untouched; an item whose archive cannot be saved does
// not join the catalogue, which is then not written.
TEST_F(ContentLibraryTest, FailuresAreToldAndChangeNothing)
{
    const QByteArray damaged = "<library><libraryitem><name>half";
    const QString broken = tree.Write("libs/Broken.kvxl", damaged);
    ContentLibrary reader(*doc);
    EXPECT_EQ(reader.ReadLibraryFile(broken), 0);
    EXPECT_EQ(reader.GetModel(), nullptr);
    ASSERT_FALSE(prompt.Texts().isEmpty());
    EXPECT_TRUE(prompt.Texts().back().startsWith("Unable to read Library")) << qPrintable(prompt.Texts().back());
    EXPECT_TRUE(prompt.Texts().back().contains("Broken.kvxl"));

    prompt.Clear();
    ContentLibrary adder(*doc);
    EXPECT_EQ(adder.AddPageToLibrary(broken, {}, Screen("A", "1"), "A", {}, "0", false), 0);
    EXPECT_TRUE(prompt.Texts().join(u'\n').contains("Unable to load library: ")) << qPrintable(prompt.Texts().join(u'\n'));
    EXPECT_EQ(TempTree::ReadAll(broken), damaged);
    EXPECT_FALSE(QFileInfo::exists(tree / "libs/Broken_Library"));

    // The library folder's name is taken by a file: no archive, no item, no catalogue.
    prompt.Clear();
    tree.Write("libs/Blocked_Library", "a file");
    ContentLibrary blocked(*doc);
    EXPECT_EQ(blocked.AddPageToLibrary(tree / "libs/Blocked.kvxl", {}, Screen("B", "2"), "B", {}, "0", false), 0);
    EXPECT_FALSE(prompt.Texts().isEmpty());
    EXPECT_FALSE(QFile::exists(tree / "libs/Blocked.kvxl"));
    EXPECT_TRUE(blocked.GetModel() == nullptr || blocked.GetModel()->items.empty());
}

// Guards the item paths read from a catalogue: they stay below the library's folder.
TEST(ContentLibraryFile, ItemPathsStayInTheLibraryFolder)
{
    TempTree tree;
    const QString item = tree.Write("libs/A_Library/A_Item1/A_Item1.kvl", "x");
    const QString library = tree / "libs/A.kvxl";
    EXPECT_EQ(ContentLibrary::ItemFilePath(library, "A_Library\\A_Item1\\A_Item1.kvl"), item);
    EXPECT_EQ(ContentLibrary::ItemFilePath(library, "a_library/A_ITEM1/a_item1.KVL"), item) << "any letter case";
    for (const char *bad : {"..\\secret.kvl", "A_Library\\..\\..\\x.kvl", "/etc/passwd", "C:\\x.kvl", ""})
        EXPECT_TRUE(ContentLibrary::ItemFilePath(library, bad).isEmpty()) << bad;
}
