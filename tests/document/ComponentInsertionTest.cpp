#include "FactoryFixture.h"
#include "model/FakeCanvas.h"

#include "document/ComponentInsertion.h"
#include "document/EditorHooks.h"
#include "document/ScreenFactory.h"
#include "model/ComponentEllipse.h"
#include "model/ComponentHTMLEditor.h"
#include "model/ComponentImage.h"
#include "model/ComponentLargeTopic.h"
#include "model/ComponentLine.h"
#include "model/ComponentRectangle.h"
#include "model/ComponentSmallTopic.h"
#include "model/ComponentTextbox.h"
#include "model/GlobalHelpers.h"

#include <functional>

namespace {

class Editor : public CEditorHooks
{
public:
    CCorvPage *GetCurrentScreen() const override { return current; }
    CCorvPage *current = nullptr;
};

// A library that offers one picture for every title.
class OnePictureLibrary : public CGraphicsLibrarySearch
{
public:
    void SetUseColourPhotos(int) override {}
    void SetUseBwPhotos(int) override {}
    void SetUsePhotoObjects(int) override {}
    void SetUseClipArt(int) override {}
    void SetRandomChoice(int) override {}
    int FindImageForText(const QString &, QString &fileName, QString &) override
    {
        fileName = QStringLiteral("gull.png");
        return 1;
    }
};

class ComponentInsertionTest : public FactoryFixture
{
protected:
    void SetUp() override
    {
        FactoryFixture::SetUp();
        doc->SetEditCanvas(&canvas);
        editor.current = CScreenFactory(*doc).AddBlankScreen(QStringLiteral("Screen"), QStringLiteral("1"), nullptr);
        editor.current->SetModified(0);
    }

    // The document's components call its canvas as they are destroyed, and the canvas is a member of this
    // fixture, destroyed before the base fixture's document: the document goes first.
    void TearDown() override { doc.reset(); }

    CComponentInsertion Insertion() { return CComponentInsertion(*doc, editor, &library); }
    CCorvPage &Screen() { return *editor.current; }

    FakeCanvas canvas;
    Editor editor;
    OnePictureLibrary library;
};

} // namespace

// Guards the placement of inserted pictures: the preset's box at (36, 32) or at the drop point kept inside the
// screen, the picture shrunk (never enlarged) and centred in it with halves rounded toward zero.
TEST_F(ComponentInsertionTest, PicturesAreFittedIntoTheBoxAndCentred)
{
    const QString medium = Picture(QStringLiteral("sources/medium.png"), 400, 266);
    const QString small = Picture(QStringLiteral("sources/small.png"), 100, 50);
    const QString wide = Picture(QStringLiteral("sources/wide.png"), 1001, 501);
    struct Case {
        QString picture;
        int preset;
        std::optional<QPoint> point;
        CRect bounds;
    };
    const Case cases[] = {
        {medium, 1, QPoint(1000, 550), {608, 294, 1008, 560}},
        {medium, 1, QPoint(10, 10), {36, 32, 436, 298}},
        {medium, 1, std::nullopt, {36, 32, 436, 298}},
        {small, 1, std::nullopt, {186, 140, 286, 190}},
        {small, 7, QPoint(300, 100), {450, 208, 550, 258}},
        // 1001 x 501 into 300 x 200: 300 x 150, centred in (36, 32)-(336, 232); into 500 x 333 in the box
        // (508, 227)-(1008, 560): 500 x 250.
        {wide, 0, std::nullopt, {36, 57, 336, 207}},
        {wide, 2, QPoint(700, 400), {508, 268, 1008, 518}},
    };
    for (const Case &c : cases) {
        CComponentImage *image = Insertion().InsertImage(c.picture, QStringLiteral("alt"), c.preset, 1, 1, c.point);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->GetBounds(), c.bounds) << qPrintable(c.picture) << ' ' << c.preset;
        EXPECT_EQ(image->GetImageFile(), c.picture);
        EXPECT_EQ(image->GetAltText(), QStringLiteral("alt"));
        EXPECT_EQ(image->GetJpegBorder(), 1);
        EXPECT_EQ(image->GetBorderStyle(), 1);
    }
    EXPECT_EQ(Screen().GetComponentCount(), int(std::size(cases)));
    EXPECT_EQ(Screen().GetModified(), 1);
    // The screen is on the canvas again with the new pictures in drawing order.
    EXPECT_EQ(canvas.displayed.size(), std::size(cases));
    EXPECT_EQ(canvas.displayed.back(), Screen().GetComponent(int(std::size(cases)) - 1));
}

// Guards a picture that cannot be read: nothing is inserted (it used to be an invisible 0 x 0 component at
// the box's centre) and the caller learns of it.
TEST_F(ComponentInsertionTest, UnreadablePictureInsertsNothing)
{
    const QString broken = tree.Write(QStringLiteral("sources/broken.png"), "not a picture");
    EXPECT_EQ(Insertion().InsertImage(broken, QString(), 1, 0, 0), nullptr);
    EXPECT_EQ(Insertion().InsertImage(tree / QStringLiteral("missing.jpg"), QString(), 1, 0, 0), nullptr);
    EXPECT_EQ(Screen().GetComponentCount(), 0);
    EXPECT_EQ(Screen().GetModified(), 0);
}

// Guards the insertions without a current screen: nothing is made and no counter moves.
TEST_F(ComponentInsertionTest, WithoutACurrentScreenNothingHappens)
{
    editor.current = nullptr;
    const QString picture = Picture(QStringLiteral("sources/p.png"), 10, 10);
    CComponentInsertion insertion = Insertion();
    EXPECT_EQ(insertion.InsertImage(picture, QString(), 1, 0, 0), nullptr);
    EXPECT_EQ(insertion.InsertTextBox(), nullptr);
    EXPECT_EQ(insertion.InsertHtmlEditorText(), nullptr);
    EXPECT_EQ(insertion.InsertTable(CComponentTable::Settings{}), nullptr);
    EXPECT_EQ(insertion.InsertTableAt(2, 2, {0, 0, 100, 100}), nullptr);
    EXPECT_EQ(insertion.InsertRectangle({0, 0, 10, 10}), nullptr);
    EXPECT_EQ(insertion.InsertLine({0, 0}, {10, 10}), nullptr);
    EXPECT_EQ(insertion.InsertEllipse({0, 0, 10, 10}), nullptr);
    EXPECT_EQ(insertion.AddSmallTopicButton(nullptr, QStringLiteral("T"), -1, QString(), {}, 0), nullptr);
    EXPECT_EQ(insertion.AddLargeTopicButton(nullptr, QStringLiteral("T"), -1, QString(), {}, 0), nullptr);
    EXPECT_EQ(doc->GetNextTextBoxNumber(), 1);
    EXPECT_EQ(doc->MainScreens()[0]->GetComponentCount(), 0);
}

// Guards the text components: the default box, the file names from the counter in turn, the placeholder
// texts, and the caret at the start.
TEST_F(ComponentInsertionTest, TextBoxesAndHtmlTextTakeTheNextFileNames)
{
    doc->SetNextTextBoxNumber(7);
    CComponentInsertion insertion = Insertion();
    CComponentTextbox *first = insertion.InsertTextBox();
    CComponentHTMLEditor *html = insertion.InsertHtmlEditorText();
    CComponentTextbox *second = insertion.InsertTextBox();
    EXPECT_EQ(first->GetFileName(), QStringLiteral("tb7.rtf"));
    EXPECT_EQ(html->GetFileName(), QStringLiteral("tb8.rtf"));
    EXPECT_EQ(second->GetFileName(), QStringLiteral("tb9.rtf"));
    EXPECT_EQ(doc->GetNextTextBoxNumber(), 10);
    for (CComponentBase *c : {static_cast<CComponentBase *>(first), static_cast<CComponentBase *>(html)})
        EXPECT_EQ(c->GetBounds(), CRect(36, 32, 520, 332));
    EXPECT_EQ(first->GetRichText().GetText(), QStringLiteral("Click and add text."));
    EXPECT_EQ(first->GetDefaultFontFace(), QStringLiteral("Verdana"));
    int start = -1, end = -1;
    first->GetRichText().GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 0);
    EXPECT_GE(FakeCanvas::WindowOf(*first)->caretResets, 1);
    EXPECT_EQ(html->GetHtml(), QStringLiteral("Click here to add text"));
    EXPECT_EQ(Screen().GetModified(), 1);
}

// Guards the tables: the dialog's record as given, or the record of tables drawn on the canvas; "t%d" from
// the counter; the course's main font.
TEST_F(ComponentInsertionTest, TablesTakeTheirRecordNameAndFont)
{
    doc->SetNextTextBoxNumber(3);
    CComponentTable::Settings fromDialog;
    fromDialog.rows = 4;
    fromDialog.columns = 3;
    fromDialog.cellPadding = 2;
    fromDialog.headerKind = CComponentTable::headerTop;
    fromDialog.summary = QStringLiteral("Eggs by bird");
    CComponentTable *dialog = Insertion().InsertTable(fromDialog);
    CComponentTable *drawn = Insertion().InsertTableAt(2, 5, {100, 100, 600, 300});
    EXPECT_EQ(dialog->GetBounds(), CRect(36, 32, 520, 332));
    EXPECT_EQ(dialog->GetFileName(), QStringLiteral("t3"));
    EXPECT_EQ(dialog->GetRowCount(), 4);
    EXPECT_EQ(dialog->GetCellPadding(), 2);
    EXPECT_EQ(dialog->GetHeaderKind(), CComponentTable::headerTop);
    EXPECT_EQ(dialog->GetSummary(), QStringLiteral("Eggs by bird"));
    EXPECT_EQ(drawn->GetBounds(), CRect(100, 100, 600, 300));
    EXPECT_EQ(drawn->GetFileName(), QStringLiteral("t4"));
    EXPECT_EQ(drawn->GetColumnCount(), 5);
    EXPECT_EQ(drawn->GetCellPadding(), 5);
    EXPECT_EQ(drawn->GetOldStyleBorders(), 1);
    for (CComponentTable *t : {dialog, drawn}) {
        EXPECT_EQ(t->GetDefaultFontFace(), QStringLiteral("Verdana"));
        EXPECT_EQ(t->GetDefaultFontSize(), 14);
    }
}

// Guards the drawing tools: each shape lands where it was drawn, and each marks the screen modified (a
// rectangle used to leave the flag alone, so its thumbnail and the saved state went stale).
TEST_F(ComponentInsertionTest, DrawnShapesMarkTheScreenModified)
{
    const std::function<CComponentBase *(CComponentInsertion &)> tools[] = {
        [](CComponentInsertion &i) { return i.InsertRectangle({10, 20, 110, 220}); },
        [](CComponentInsertion &i) { return i.InsertEllipse({10, 20, 110, 220}); },
        [](CComponentInsertion &i) { return i.InsertLine({10, 20}, {110, 220}); },
    };
    for (const auto &tool : tools) {
        Screen().SetModified(0);
        CComponentInsertion insertion = Insertion();
        CComponentBase *shape = tool(insertion);
        ASSERT_NE(shape, nullptr);
        EXPECT_EQ(Screen().GetModified(), 1) << shape->GetType();
        EXPECT_EQ(shape->GetBounds(), CRect(10, 20, 110, 220));
    }
    QPoint p1, p2;
    static_cast<CComponentLine *>(Screen().GetComponent(2))->GetPoints(p1, p2);
    EXPECT_EQ(p1, QPoint(10, 20));
    EXPECT_EQ(p2, QPoint(110, 220));
    EXPECT_EQ(static_cast<CComponentRectangle *>(Screen().GetComponent(0))->GetFillColor(), 0xFFFFFFu);
}

// Guards the topic buttons of a menu screen: their values, the course's "no pictures" setting, the fitted
// flag, the menu kind they give the screen, and the screen marked modified without being shown again.
TEST_F(ComponentInsertionTest, TopicButtonsGoOnTheGivenMenuScreen)
{
    Picture(QStringLiteral("library/Photo_Objects/image_JPG/gull.png"), 300, 200);
    const QString own = Picture(QStringLiteral("sources/tern.png"), 80, 40);
    CCorvPage *menu = CScreenFactory(*doc).AddContainerScreen(QStringLiteral("Menu"), QString(), QString(), 0,
                                                              QStringLiteral("1"), nullptr);
    CComponentInsertion insertion = Insertion();
    CComponentSmallTopic *small =
        insertion.AddSmallTopicButton(menu, QStringLiteral("Terns"), -1, own, {40, 40, 300, 80}, 1);
    doc->MutableSettings().MainMenuNoImages = 1;
    CComponentLargeTopic *large =
        insertion.AddLargeTopicButton(menu, QStringLiteral("Gulls"), -1, QString(), {40, 100, 250, 300}, 1);
    CComponentLargeTopic *thumbnail =
        insertion.AddLargeTopicButton(menu, QStringLiteral("Cliffs"), 4, QString(), {300, 100, 510, 300}, 0);

    EXPECT_EQ(small->GetTitle(), QStringLiteral("Terns"));
    EXPECT_EQ(small->GetPicturePath(), own);
    EXPECT_EQ(small->GetShowPicture(), 1);
    EXPECT_EQ(small->IsFitted(), 1);
    EXPECT_EQ(small->GetBounds(), CRect(40, 40, 300, 80));
    // Without a picture of its own the large button takes the library's for its title; its picture, not
    // the argument, decides its fitted flag.
    EXPECT_EQ(large->GetPicturePath(),
              context.graphicsLibraryRoot + QStringLiteral("Photo_Objects/image_JPG/gull.png"));
    EXPECT_EQ(large->GetShowPicture(), 0);
    EXPECT_EQ(large->IsFitted(), 0);
    EXPECT_EQ(thumbnail->GetThumbnailIndex(), 4);
    EXPECT_EQ(thumbnail->GetPicturePath(), QString());
    EXPECT_EQ(menu->GetComponentCount(), 3);
    EXPECT_EQ(menu->GetMenuKind(), apt_multi_topic_menu);
    EXPECT_EQ(menu->GetModified(), 1);
    EXPECT_TRUE(canvas.displayed.empty());
}

// Guards the theme title picture: nothing changes without a menu screen; with one, only its first image
// naming "kv_text.png" follows the theme.
TEST_F(ComponentInsertionTest, ThemeTitlePictureFollowsTheTheme)
{
    const QString harbour = Picture(QStringLiteral("program/Themes/Harbour/kv_text.png"), 300, 40);
    const QString meadow = Picture(QStringLiteral("program/Themes/Meadow/kv_text.png"), 200, 30);
    const auto addImage = [&](CCorvPage &screen, const QString &file) {
        auto image = std::make_unique<CComponentImage>();
        image->SetImageFile(file, context);
        CComponentImage *added = image.get();
        screen.AddComponent(std::move(image));
        return added;
    };
    // A content screen is no menu, whatever it shows.
    CComponentImage *onContent = addImage(Screen(), harbour);
    doc->MutableSettings().Theme = QStringLiteral("Meadow");
    Insertion().UpdateThemeTextImage();
    EXPECT_EQ(onContent->GetImageFile(), harbour);

    doc->MutableSettings().Theme = QStringLiteral("Harbour");
    CCorvPage *menu = CScreenFactory(*doc).AddMainMenuScreen(QStringLiteral("Main Menu"), QStringLiteral("1"), nullptr);
    CComponentImage *second = addImage(*menu, Picture(QStringLiteral("sources/kv_text.png"), 10, 10));
    const QString secondFile = second->GetImageFile();
    doc->MutableSettings().Theme = QStringLiteral("Meadow");
    Insertion().UpdateThemeTextImage();
    EXPECT_EQ(static_cast<CComponentImage *>(menu->GetComponent(0))->GetImageFile(), meadow);
    EXPECT_EQ(second->GetImageFile(), secondFile);
    EXPECT_EQ(onContent->GetImageFile(), harbour);
}
