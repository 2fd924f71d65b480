#include "document/ProjectFile.h"
#include "EveryKindComponents.h"
#include "FactoryFixture.h"

#include "document/NewComponents.h"
#include "document/ScreenFactory.h"
#include "document/SingleScreenArchive.h"
#include "model/ComponentAudio.h"
#include "model/ComponentButton.h"
#include "model/ComponentImage.h"
#include "model/ComponentRectangle.h"
#include "model/ComponentSmallTopic.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/GlobalHelpers.h"
#include "model/Topic.h"
#include "platform/Archive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The bytes of a single-screen file without the number the screen had where it was saved (bytes 4 to 7):
// what two saves of the same screen from different projects share.
QByteArray WithoutNumber(QByteArray bytes)
{
    return bytes.remove(4, 4);
}

// The head of a single-screen file made by hand, up to its component count.
void WriteScreenHead(CArchive &ar, int32_t schema, int32_t menuKind, int32_t components)
{
    ar.WriteInt(schema);
    ar.WriteInt(4);
    ar.WriteString(QStringLiteral("By hand"));
    ar.WriteString(QString());
    ar.WriteString(QString());
    ar.WriteInt(0);
    ar.WriteString(QStringLiteral("1"));
    ar.WriteInt(pt_document);
    ar.WriteInt(menuKind);
    ar.WriteInt(components);
}

class SingleScreenArchiveTest : public FactoryFixture
{
protected:
    // A second project, as the one a library item is inserted into.
    std::unique_ptr<CCorvessaDoc> OtherProject()
    {
        auto other = std::make_unique<CCorvessaDoc>(context);
        other->OnNewDocument();
        other->MutableSettings().FontName[0] = QStringLiteral("Verdana");
        other->MutableSettings().FontSizePoints[0] = QStringLiteral("14");
        return other;
    }

    // A content screen with a text box holding an address link and a screen link, a table, a picture and a
    // sound, numbered 42.
    CCorvPage *ScreenWithMedia()
    {
        doc->SetNextScreenNumber(42);
        CScreenFactory factory(*doc);
        CCorvPage *screen = factory.AddTextScreen(QStringLiteral("Gulls"), QStringLiteral("1_2"), nullptr, 0);
        auto *box = static_cast<CComponentTextbox *>(screen->GetComponent(0));
        box->GetRichText().AppendText(QStringLiteral("See the colony and the next screen."), 0);
        // The later one first: markers around a link move the text after it.
        EXPECT_TRUE(box->AddLink(QStringLiteral("next screen"), 23, 1, 3, QString(), 0, 0, 0, 0, 0));
        EXPECT_TRUE(box->AddLink(QStringLiteral("colony"), 8, 0, 0, QStringLiteral("https://example.org/colony"), 0,
                                 0, 0, 0, 0));
        auto table = CNewComponents::Table(*doc, CNewComponents::DefaultTableSettings(2, 2));
        table->SetCellText(QStringLiteral("Herring gull"), 1, 0);
        factory.Place(*screen, std::move(table), {36, 340, 500, 500});
        auto image = CNewComponents::Picture(*doc, Picture(QStringLiteral("sources/Gull Photo.png"), 60, 40));
        factory.Place(*screen, std::move(image), {600, 340, 660, 380});
        auto audio = std::make_unique<CComponentAudio>(doc->GetEditCanvas());
        audio->SetPlayButton(1);
        audio->SetFilePath(tree.Write(QStringLiteral("sources/Cry.mp3"), "sound bytes"));
        factory.Place(*screen, std::move(audio), {900, 10, 974, 81});
        screen->SetBanner(QStringLiteral("Seabirds"));
        return screen;
    }

    // Screens of a list and the document's counters, to compare before and after a refused read.
    struct State {
        size_t main, popups, glossary, topics;
        int nextScreen, schema;
        friend bool operator==(const State &, const State &) = default;
    };
    static State StateOf(const CCorvessaDoc &d)
    {
        return {d.MainScreens().size(), d.PopupScreens().size(), d.GlossaryScreens().size(), d.Topics().size(),
                d.GetNextScreenNumber(), d.GetFileSchema()};
    }
};

} // namespace

// Guards a library item's way into another project: the screen saved with its media beside the file comes
// back under the other project's next number with the same fields and components, its media found in the
// file's folders, only its links to screens of the first course gone.
TEST_F(SingleScreenArchiveTest, ScreenSavedAndReadIntoAnotherProjectIsTheSame)
{
    CCorvPage *screen = ScreenWithMedia();
    const QString path = tree / QStringLiteral("library/Birds_Library/Birds_Item1/Birds_Item1.kvl");
    ASSERT_TRUE(CSingleScreenArchive::SaveScreenArchive(*doc, path, screen, CSingleScreenArchive::ownFolder));
    const QString folder = tree / QStringLiteral("library/Birds_Library/Birds_Item1");
    for (const char *sub : {"Images", "Images/MM", "Images/M", "Images/Resized", "Images/Questions", "Movies",
                            "Questions", "Sounds", "Rtfs"})
        EXPECT_TRUE(QFileInfo(folder + u'/' + QLatin1String(sub)).isDir()) << sub;
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/Sounds/cry.mp3")));
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("/Images/gullphoto.png")));
    // The components now name their copies beside the file, until the project is saved again.
    EXPECT_EQ(screen->GetComponent(3)->IsStandAlone(), 1);

    auto other = OtherProject();
    other->SetNextScreenNumber(7);
    CCorvPage *read = CSingleScreenArchive::LoadScreenArchive(*other, path, nullptr);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->GetId(), 7);
    EXPECT_EQ(other->GetNextScreenNumber(), 8);
    EXPECT_EQ(other->GetFileSchema(), CSingleScreenArchive::kSchema);
    EXPECT_EQ(other->MainScreens().back().get(), read);
    EXPECT_EQ(read->GetTitle(), QStringLiteral("Gulls"));
    EXPECT_EQ(read->GetBanner(), QStringLiteral("Seabirds"));
    EXPECT_EQ(read->GetLabel(), QStringLiteral("1_2"));
    EXPECT_EQ(read->GetPageType(), pt_document);
    ASSERT_EQ(read->GetComponentCount(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(read->GetComponent(i)->GetType(), screen->GetComponent(i)->GetType());
        EXPECT_EQ(read->GetComponent(i)->GetBounds(), screen->GetComponent(i)->GetBounds());
        EXPECT_EQ(read->GetComponent(i)->IsStandAlone(), 1);
    }
    auto *box = static_cast<CComponentTextbox *>(read->GetComponent(0));
    EXPECT_EQ(box->GetFileName(), QStringLiteral("tb1.rtf"));
    // The link to a screen of the other course goes; the web address stays.
    ASSERT_EQ(box->GetContent().GetLinks().size(), 1u);
    EXPECT_EQ(box->GetContent().GetLinks()[0]->GetUrl(), QStringLiteral("https://example.org/colony"));
    EXPECT_EQ(box->GetRichText().GetText().count(u'#'), 2); // one pair of markers left
    auto *table = static_cast<CComponentTable *>(read->GetComponent(1));
    EXPECT_EQ(table->GetCell(1, 0)->GetRichText().GetText(), QStringLiteral("Herring gull"));
    EXPECT_EQ(static_cast<CComponentImage *>(read->GetComponent(2))->GetImageFile(),
              folder + QStringLiteral("/Images/gullphoto.png"));
    EXPECT_EQ(static_cast<CComponentAudio *>(read->GetComponent(3))->GetFilePath(),
              folder + QStringLiteral("/Sounds/cry.mp3"));

    // Saved from there into a folder of the author's, the media go along.
    ASSERT_TRUE(CSingleScreenArchive::SaveScreenArchive(*other, tree / QStringLiteral("mine/copy.kvl"), read));
    EXPECT_TRUE(QFile::exists(tree / QStringLiteral("mine/Sounds/cry.mp3")));
    EXPECT_TRUE(QFile::exists(tree / QStringLiteral("mine/Images/gullphoto.png")));
    EXPECT_TRUE(prompt.Texts().isEmpty()) << qPrintable(prompt.Texts().join(u'\n'));

    // A project keeps both links of the screen it was saved with.
    const QString project = tree / QStringLiteral("course/Birds.kvx");
    ASSERT_TRUE(CProjectFile::Save(*doc, project));
    CCorvessaDoc reopened(context);
    ASSERT_TRUE(CProjectFile::Open(reopened, project));
    EXPECT_EQ(static_cast<CComponentTextbox *>(reopened.MainScreens()[0]->GetComponent(0))->GetLinkCount(), 2);
}

// Guards every kind's entry in a single-screen file: a screen holding one component of each kind reads back
// whole, in order, into another project, and saves again to the same bytes.
TEST_F(SingleScreenArchiveTest, EveryKindReadsBackInStep)
{
    const std::vector<EveryKindComponents::KindRow> rows = EveryKindComponents::EveryKind();
    auto screen = std::make_unique<CCorvPage>(5, QStringLiteral("All kinds"), QString(), QString(), 0,
                                              QStringLiteral("1"), pt_document, -1);
    for (const auto &row : rows)
        ASSERT_TRUE(screen->AddComponent(row.make({tree, context}))) << row.type;
    const QString path = tree / QStringLiteral("kinds/all.kvl");
    ASSERT_TRUE(CSingleScreenArchive::SaveScreenArchive(*doc, path, screen.get()));

    auto other = OtherProject();
    CCorvPage *read = CSingleScreenArchive::LoadScreenArchive(*other, path, nullptr);
    ASSERT_NE(read, nullptr);
    ASSERT_EQ(read->GetComponentCount(), int(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(read->GetComponent(int(i))->GetType(), rows[i].type) << i;
    // Saved again in its place (the part-identification record names its picture by full path).
    const QByteArray first = TempTree::ReadAll(path);
    ASSERT_TRUE(CSingleScreenArchive::SaveScreenArchive(*other, path, read));
    EXPECT_EQ(WithoutNumber(TempTree::ReadAll(path)), WithoutNumber(first));
    EXPECT_TRUE(prompt.Texts().isEmpty()) << qPrintable(prompt.Texts().join(u'\n'));
}

// Guards where a read screen goes: after the popups folder into the popups list right after it, after a main
// screen right after that screen.
TEST_F(SingleScreenArchiveTest, ReadScreenGoesRightAfterTheGivenScreen)
{
    CScreenFactory factory(*doc);
    CCorvPage *popup = factory.AddTextScreen(QStringLiteral("Popup"), QStringLiteral("P1"), nullptr, 1);
    const QString path = tree / QStringLiteral("popup.kvl");
    ASSERT_TRUE(CSingleScreenArchive::SaveScreenArchive(*doc, path, popup));

    CCorvPage *first = factory.AddBlankScreen(QStringLiteral("A"), QStringLiteral("2"), nullptr);
    CCorvPage *last = factory.AddBlankScreen(QStringLiteral("B"), QStringLiteral("3"), nullptr);
    CCorvPage *folder = factory.AddPopupsFolder(QStringLiteral("Popups Only"), QStringLiteral("1000"), nullptr);
    CCorvPage *existing = factory.AddBlankScreen(QStringLiteral("P"), QStringLiteral("P2"), folder);

    CCorvPage *inPopups = CSingleScreenArchive::LoadScreenArchive(*doc, path, folder);
    CCorvPage *inMain = CSingleScreenArchive::LoadScreenArchive(*doc, path, first);
    EXPECT_EQ(Screens(doc->PopupScreens()), (std::vector<CCorvPage *>{folder, inPopups, existing}));
    EXPECT_EQ(Screens(doc->MainScreens()), (std::vector<CCorvPage *>{popup, first, inMain, last}));
}

// Guards a topic screen brought in: it adds a topic numbered by the count of topics before it.
TEST_F(SingleScreenArchiveTest, TopicScreenAddsATopic)
{
    CCorvPage *container = CScreenFactory(*doc).AddContainerScreen(QStringLiteral("Nesting"), QString(), QString(),
                                                                   0, QStringLiteral("1_3"), nullptr);
    container->SetMenuKind(apt_topic);
    const QString path = tree / QStringLiteral("topic.kvl");
    ASSERT_TRUE(CSingleScreenArchive::SaveScreenArchive(*doc, path, container));

    auto other = OtherProject();
    for (const char *n : {"1", "2", "3"})
        other->AddTopic(std::make_unique<CTopic>(QLatin1String(n), QStringLiteral("T"), QStringLiteral("B"),
                                                         QStringLiteral("S"), QStringLiteral("TRUE")));
    CCorvPage *read = CSingleScreenArchive::LoadScreenArchive(*other, path, nullptr);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->GetMenuKind(), apt_topic);
    ASSERT_EQ(other->Topics().size(), 4u);
    EXPECT_EQ(*other->Topics()[3],
              CTopic(QStringLiteral("3"), QStringLiteral("Nesting"), QString(), QString(), QString()));
}

// Guards the course's fonts on components read from a file: the table's default font comes from the course
// the screen is read into (after its cells are read), as do the text box's and the buttons' pictures setting.
TEST_F(SingleScreenArchiveTest, ReadComponentsTakeTheCourseSettings)
{
    doc->MutableSettings().FontName[0] = QStringLiteral("Arial");
    doc->MutableSettings().FontSizePoints[0] = QStringLiteral("10");
    CCorvPage *screen = CScreenFactory(*doc).AddBlankScreen(QStringLiteral("A"), QStringLiteral("1"), nullptr);
    CScreenFactory(*doc).Place(*screen, CNewComponents::Table(*doc, CNewComponents::DefaultTableSettings(1, 1)),
                               {36, 32, 300, 100});
    auto button = std::make_unique<CComponentSmallTopic>();
    button->SetTitle(QStringLiteral("Gulls"));
    CScreenFactory(*doc).Place(*screen, std::move(button), {36, 200, 300, 240});
    const QString path = tree / QStringLiteral("fonts.kvl");
    ASSERT_TRUE(CSingleScreenArchive::SaveScreenArchive(*doc, path, screen));

    auto other = OtherProject();
    other->MutableSettings().MainMenuNoImages = 1;
    CCorvPage *read = CSingleScreenArchive::LoadScreenArchive(*other, path, nullptr);
    ASSERT_NE(read, nullptr);
    auto *table = static_cast<CComponentTable *>(read->GetComponent(0));
    EXPECT_EQ(table->GetDefaultFontFace(), QStringLiteral("Verdana"));
    EXPECT_EQ(table->GetDefaultFontSize(), 14);
    EXPECT_EQ(static_cast<CComponentSmallTopic *>(read->GetComponent(1))->GetShowPicture(), 0);
}

// Guards damaged files: cut anywhere, or holding a kind no program writes, the read ends in a message and
// the project is exactly as it was (no screen, topic or number taken).
TEST_F(SingleScreenArchiveTest, DamagedFileLeavesTheProjectAsItWas)
{
    CScreenFactory factory(*doc);
    CCorvPage *screen = factory.AddTextScreen(QStringLiteral("Topic"), QStringLiteral("1_1"), nullptr, 1);
    screen->SetMenuKind(apt_topic);
    factory.Place(*screen, CNewComponents::Table(*doc, CNewComponents::DefaultTableSettings(2, 3)),
                  {36, 340, 500, 500});
    factory.Place(*screen, std::make_unique<CComponentRectangle>(), {10, 10, 20, 20});
    auto button = std::make_unique<CComponentButton>();
    button->SetText(QStringLiteral("Print"));
    factory.Place(*screen, std::move(button), {865, 490, 969, 514});
    const QString path = tree / QStringLiteral("whole.kvl");
    ASSERT_TRUE(CSingleScreenArchive::SaveScreenArchive(*doc, path, screen));
    const QByteArray whole = TempTree::ReadAll(path);

    auto other = OtherProject();
    other->SetNextScreenNumber(12);
    other->SetFileSchema(1000004);
    const State before = StateOf(*other);
    const QString cut = tree / QStringLiteral("cut/cut.kvl");
    for (qsizetype length = 0; length < whole.size(); ++length) {
        tree.Write(QStringLiteral("cut/cut.kvl"), whole.left(length));
        prompt.Clear();
        ASSERT_EQ(CSingleScreenArchive::LoadScreenArchive(*other, cut, nullptr), nullptr) << length;
        ASSERT_EQ(StateOf(*other), before) << length;
        ASSERT_EQ(prompt.Texts().size(), 1) << length;
        EXPECT_TRUE(prompt.Texts()[0].contains(QStringLiteral("could not be read"))) << length;
    }

    // A component of a kind the program does not know, after the first one.
    CArchive ar;
    WriteScreenHead(ar, CSingleScreenArchive::kSchema, apt_topic, 2);
    CComponentRectangle().SerializeComponent(ar);
    ar.WriteInt(99);
    tree.Write(QStringLiteral("cut/cut.kvl"), ar.GetBuffer());
    prompt.Clear();
    EXPECT_EQ(CSingleScreenArchive::LoadScreenArchive(*other, cut, nullptr), nullptr);
    EXPECT_EQ(StateOf(*other), before);
    EXPECT_EQ(prompt.Texts().size(), 1);

    // A file that is not there.
    prompt.Clear();
    EXPECT_EQ(CSingleScreenArchive::LoadScreenArchive(*other, tree / QStringLiteral("gone.kvl"), nullptr), nullptr);
    EXPECT_EQ(StateOf(*other), before);
    EXPECT_EQ(prompt.Texts().size(), 1);

    // The whole file still reads.
    EXPECT_NE(CSingleScreenArchive::LoadScreenArchive(*other, path, nullptr), nullptr);
}

// Guards the author's own files: a screen saved into a folder of his choice leaves its other files there; a
// library item's folder loses its stale loose files, but only once the new file is written; a file that
// cannot be written is reported and costs nothing.
TEST_F(SingleScreenArchiveTest, SavingClearsOnlyAFolderThatBelongsToTheArchive)
{
    CCorvPage *screen = CScreenFactory(*doc).AddTextScreen(QStringLiteral("A"), QStringLiteral("1"), nullptr, 1);
    const QString letter = tree.Write(QStringLiteral("documents/letter.txt"), "Dear author");
    ASSERT_TRUE(CSingleScreenArchive::SaveScreenArchive(*doc, tree / QStringLiteral("documents/screen.kvl"), screen));
    EXPECT_EQ(TempTree::ReadAll(letter), QByteArray("Dear author"));

    const QString item = QStringLiteral("lib/L_Library/L_Item2/");
    const QString stale = tree.Write(item + QStringLiteral("old.kvl"), "stale");
    const QString media = tree.Write(item + QStringLiteral("Sounds/kept.mp3"), "sound");
    ASSERT_TRUE(CSingleScreenArchive::SaveScreenArchive(*doc, tree / (item + QStringLiteral("L_Item2.kvl")), screen,
                                                        CSingleScreenArchive::ownFolder));
    EXPECT_FALSE(QFile::exists(stale));
    EXPECT_TRUE(QFile::exists(media));
    EXPECT_TRUE(QFile::exists(tree / (item + QStringLiteral("L_Item2.kvl"))));

    // The file's place is taken by a folder: nothing is written, nothing of the folder's is lost.
    const QString blocked = tree / (item + QStringLiteral("blocked.kvl"));
    QDir().mkpath(blocked);
    const QString other = tree.Write(item + QStringLiteral("notes.txt"), "notes");
    EXPECT_FALSE(CSingleScreenArchive::SaveScreenArchive(*doc, blocked, screen, CSingleScreenArchive::ownFolder));
    EXPECT_TRUE(QFile::exists(other));
    EXPECT_TRUE(QFile::exists(tree / (item + QStringLiteral("L_Item2.kvl"))));
    ASSERT_EQ(prompt.Texts().size(), 1);
    EXPECT_TRUE(prompt.Texts()[0].startsWith(QStringLiteral("Cannot save the screen")));
    EXPECT_FALSE(CSingleScreenArchive::SaveScreenArchive(*doc, tree / QStringLiteral("x.kvl"), nullptr));
    // A file stands where the folder should be: one message naming the file whole, no file.
    tree.Write(QStringLiteral("taken %1"), "a file of the author's");
    prompt.Clear();
    EXPECT_FALSE(CSingleScreenArchive::SaveScreenArchive(*doc, tree / QStringLiteral("taken %1/s.kvl"), screen));
    ASSERT_EQ(prompt.Texts().size(), 1);
    EXPECT_TRUE(prompt.Texts()[0].startsWith(QStringLiteral("Cannot save the screen")));
    EXPECT_TRUE(prompt.Texts()[0].contains(tree / QStringLiteral("taken %1/s.kvl")));
    EXPECT_EQ(TempTree::ReadAll(tree / QStringLiteral("taken %1")), QByteArray("a file of the author's"));

    // Never the folders of the open project, whatever the caller says.
    const QString projectPath = tree / QStringLiteral("course/Birds.kvx");
    ASSERT_TRUE(CProjectFile::Save(*doc, projectPath));
    const QString note = tree.Write(QStringLiteral("course/Birds/readme.txt"), "mine");
    ASSERT_TRUE(CSingleScreenArchive::SaveScreenArchive(*doc, tree / QStringLiteral("course/Birds/s.kvl"), screen,
                                                        CSingleScreenArchive::ownFolder));
    ASSERT_TRUE(CSingleScreenArchive::SaveScreenArchive(*doc, tree / QStringLiteral("course/s.kvl"), screen,
                                                        CSingleScreenArchive::ownFolder));
    EXPECT_TRUE(QFile::exists(note));
    EXPECT_TRUE(QFile::exists(projectPath));
}

// Guards the oldest single-screen files, whose text boxes keep their text in a file: it is found in the Rtfs
// folder of the folder named after the file.
TEST_F(SingleScreenArchiveTest, OldTextBoxReadsItsTextFromTheFolderNamedAfterTheFile)
{
    CArchive ar;
    WriteScreenHead(ar, 1000003, apt_normal, 1);
    ar.WriteInt(ct_textbox);
    ar.WriteRect({36, 32, 520, 332});
    ar.WriteString(QStringLiteral("tb5.rtf"));
    ar.WriteInt(0); // no links
    const QString path = tree.Write(QStringLiteral("old/Item.kvl"), ar.GetBuffer());
    tree.Write(QStringLiteral("old/Item/Rtfs/tb5.rtf"), "{\\rtf1\\ansi Gulls of old.}");
    tree.Write(QStringLiteral("old/Rtfs/tb5.rtf"), "{\\rtf1\\ansi Not this one.}");

    CCorvPage *read = CSingleScreenArchive::LoadScreenArchive(*doc, path, nullptr);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(static_cast<CComponentTextbox *>(read->GetComponent(0))->GetRichText().GetText(),
              QStringLiteral("Gulls of old."));
    EXPECT_EQ(doc->GetFileSchema(), 1000003);
}
