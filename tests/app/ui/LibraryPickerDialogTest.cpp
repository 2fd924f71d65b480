// The graphics-library pickers as an author uses them: searching by keyword, picking a row, adding a picture
// to the current screen and replacing the selected one, the project saved and opened again; the dialogs'
// own rules on their widgets; a picture of each dialog is kept in the build folder.
#include "AppFixture.h"
#include "WidgetDriving.h"

#include "app/CommandIds.h"
#include "app/ui/MainFrame.h"
#include "dialogs/ui/DlgGraphicFromLib.h"
#include "document/CorvessaDoc.h"
#include "editor/CanvasEdits.h"
#include "editor/LibraryPictureCommands.h"
#include "editor/ui/EditFrmVw.h"
#include "editor/ui/LibraryPictureCommandsUi.h"
#include "editor/ui/ScrollViewEx.h"
#include "import/GraphicsLibrary.h"
#include "model/ComponentImage.h"
#include "model/ComponentType.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/XmlDom.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

QByteArray Png(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray Image(const QString &name, const QString &keywords, const QString &type, const QString &file)
{
    return QStringLiteral("<image><name>%1</name><keywords>%2</keywords><category>Nature</category><type>%3</type>"
                          "<file>%4</file></image>\n")
        .arg(name, keywords, type, file)
        .toUtf8();
}

// The library laid out under folder (the program folder's "Library/"): a wide meadow photo, a tall tree
// photo and a star drawing, and the index naming them.
void WriteLibrary(const TempTree &tree, const QString &folder)
{
    tree.Write(folder + "/Library/Stock Photo - color/meadow.png", Png(200, 100, Qt::green));
    tree.Write(folder + "/Library/Stock Photo - color/tree.png", Png(60, 120, QColor(0, 100, 0)));
    tree.Write(folder + "/Library/Vector/star.png", Png(300, 300, Qt::yellow));
    tree.Write(folder + "/images.xml", "<?xml version=\"1.0\"?>\n<images>\n"
                                           + Image("Green meadow", "[meadow][grass][nature]", "Stock Photo - color", "meadow.png")
                                           + Image("Oak tree", "[tree][nature]", "Stock Photo - color", "tree.png")
                                           + Image("Gold star", "[star][award]", "Vector", "star.png") + "</images>\n");
}

void Keep(QWidget *dialog, const char *name)
{
    const QString folder = QStringLiteral(CORV_BUILD_TEST_DIR "/screenshots");
    QDir().mkpath(folder);
    dialog->grab().save(folder + u'/' + QString::fromLatin1(name) + QStringLiteral(".png"));
}

void SearchFor(CDlgGraphicFromLib *dialog, const QString &keyword)
{
    dialog->KeywordBox(0)->clear();
    QTest::keyClicks(dialog->KeywordBox(0), keyword);
    QTest::keyClick(dialog->KeywordBox(0), Qt::Key_Return);
}

void ClickRow(CDlgGraphicFromLib *dialog, int row)
{
    QListWidget *list = dialog->ResultList();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

CComponentImage *OnlyImage(const CCorvPage *screen)
{
    std::vector<CComponentBase *> images;
    screen->GetComponentsOfType(ct_image, images);
    return images.size() == 1 ? dynamic_cast<CComponentImage *>(images.front()) : nullptr;
}

// A dialog over a library of its own, without the program.
struct PickerOnly {
    TempTree tree;
    CRecordingPrompt prompt;
    CCorvContext context;
    CorvXmlDom::DocPtr index;

    explicit PickerOnly(int stars = 0)
    {
        WriteLibrary(tree, "bin");
        context.graphicsLibraryRoot = tree / "bin/Library/";
        context.prompt = &prompt;
        QByteArray xml = TempTree::ReadAll(tree / "bin/images.xml");
        QByteArray more;
        for (int i = 0; i < stars; ++i)
            more += Image("Star", "[star]", "Vector", "star.png");
        xml.replace("</images>", more + "</images>");
        index = CorvXmlDom::ParseMemory(xml, "images.xml");
        context.graphicsLibraryIndex = index.get();
    }
};

} // namespace

// Guards the commands end to end: "Add graphic from library..." from the Tools menu finds the meadow by a
// keyword typed with capitals and Enter, and the row picked becomes a picture of the current screen with the
// keyword as its text; the picture's "Replace graphic from library..." swaps in the star with a border and
// the large size, centred where the meadow was; the saved project opens with the star.
TEST(LibraryPickerCommands, AuthorAddsAndReplacesAPictureFromTheLibrary)
{
    AppFixture f;
    WriteLibrary(f.tree, "bin");
    const QString path = f.WriteProject("p/Pictures.kvx", {{"1", "Welcome", pt_document}});
    auto app = f.Start({"corvessa", path});
    CEditFrmVw *view = app->EditView();
    app->OnViewEdit();
    view->resize(1200, 800);
    QApplication::processEvents();
    // The pickers search the index start-up read from the program folder, not one of their own.
    ASSERT_NE(app->Context().graphicsLibraryIndex, nullptr);
    EXPECT_EQ(app->Context().graphicsLibraryIndex, app->GraphicsLibrary().Document());
    CCorvPage *screen = view->GetCurrentPage();
    ASSERT_TRUE(screen);
    CMainFrame *frame = app->MainFrame();
    frame->UpdateCommandStates();
    QAction *add = frame->Action(CorvCommand::AddGraphicFromLibrary);
    ASSERT_TRUE(add);
    ASSERT_TRUE(add->isEnabled());

    QStringList seen;
    auto insert = OnModal<CDlgInsertGraphicFromLib>([&](CDlgInsertGraphicFromLib *dialog) {
        SearchFor(dialog, "MEADOW");
        seen << dialog->CountBox()->text() << dialog->values.keywords[0];
        ClickRow(dialog, 0);
        Keep(dialog, "add-graphic-from-library");
        QTest::mouseClick(dialog->ConfirmButton(), Qt::LeftButton);
    });
    add->trigger();
    insert.reset();
    EXPECT_EQ(seen, QStringList({"1", "meadow"}));
    CComponentImage *image = OnlyImage(screen);
    ASSERT_TRUE(image) << qPrintable(f.prompt.Texts().join(" | "));
    EXPECT_TRUE(image->GetImageFile().endsWith("meadow.png")) << qPrintable(image->GetImageFile());
    EXPECT_EQ(image->GetAltText(), "meadow");
    EXPECT_EQ(image->GetBounds().Width(), 200);
    EXPECT_TRUE(app->Document()->IsModified());
    const CRect old = image->GetBounds();

    view->Canvas()->SelectComponent(image);
    auto update = OnModal<CDlgUpdateGraphicFromLib>([&](CDlgUpdateGraphicFromLib *dialog) {
        for (int kind = 0; kind < 3; ++kind)
            dialog->KindBox(kind)->setChecked(false);
        dialog->KindBox(3)->setChecked(true);
        QTest::mouseClick(dialog->BorderBox(), Qt::LeftButton);
        EXPECT_TRUE(dialog->BevelledRadio()->isEnabled());
        SearchFor(dialog, "Star");
        EXPECT_EQ(dialog->ResultList()->count(), 1);
        ClickRow(dialog, 0);
        dialog->BevelledRadio()->setChecked(true);
        dialog->SizeRadio(2)->setChecked(true);
        Keep(dialog, "replace-graphic-from-library");
        // Enter in the list confirms the selected row.
        QTest::keyClick(dialog->ResultList(), Qt::Key_Return);
    });
    emit view->Canvas()->commandRequested(LibraryPictureCommandsUi::kReplaceImageFromLibrary);
    update.reset();
    image = OnlyImage(screen);
    ASSERT_TRUE(image);
    EXPECT_TRUE(image->GetImageFile().endsWith("star.png")) << qPrintable(image->GetImageFile());
    EXPECT_EQ(image->GetAltText(), "star");
    EXPECT_EQ(image->GetJpegBorder(), 1);
    EXPECT_EQ(image->GetBorderStyle(), 1);
    // The large box (500 x 333) centred on the old bounds; the 300 x 300 star fits it unscaled.
    EXPECT_EQ(image->GetBounds(), LibraryPictureCommands::ReplacedBounds(old, 2, 300, 300));
    EXPECT_EQ(image->GetBounds().Width(), 300);

    ASSERT_TRUE(app->OnFileSave()) << qPrintable(f.prompt.Texts().join(" | "));
    ASSERT_TRUE(app->OpenDocumentFile(path)) << qPrintable(f.prompt.Texts().join(" | "));
    ASSERT_FALSE(app->Document()->MainScreens().empty());
    const CComponentImage *reopened = OnlyImage(app->Document()->MainScreens().front().get());
    ASSERT_TRUE(reopened);
    EXPECT_TRUE(reopened->GetImageFile().endsWith("star.png")) << qPrintable(reopened->GetImageFile());
    EXPECT_EQ(reopened->GetAltText(), "star");
}

// Guards the commands' refusals: adding without a current screen and replacing without a selected picture
// say why and change nothing; cancelling the picker (here from the canvas's menu) changes nothing either.
TEST(LibraryPickerCommands, WithoutAScreenOrAPictureTheCommandsSayWhy)
{
    AppFixture f;
    WriteLibrary(f.tree, "bin");
    const QString path = f.WriteProject("p/Pictures.kvx", {{"1", "Welcome", pt_document}});
    auto app = f.Start();
    CEditFrmVw *view = app->EditView();
    app->OnViewEdit();
    ASSERT_EQ(view->GetCurrentPage(), nullptr);
    f.prompt.Clear();
    view->OnCommand(CorvCommand::AddGraphicFromLibrary);
    EXPECT_EQ(f.prompt.Texts(), QStringList{"You must select a screen before inserting a new graphic."});

    ASSERT_TRUE(app->OpenDocumentFile(path)) << qPrintable(f.prompt.Texts().join(" | "));
    CCorvPage *screen = view->GetCurrentPage();
    ASSERT_TRUE(screen);
    f.prompt.Clear();
    view->OnCommand(CorvCommand::ReplaceGraphicFromLibrary);
    EXPECT_EQ(f.prompt.Texts(), QStringList{"Please select an image."});

    bool opened = false;
    auto cancel = OnModal<CDlgInsertGraphicFromLib>([&opened](CDlgInsertGraphicFromLib *dialog) {
        opened = true;
        SearchFor(dialog, "meadow");
        ClickRow(dialog, 0);
        dialog->reject();
    });
    // The canvas's own menu entry runs the same picker.
    emit view->Canvas()->commandRequested(CanvasEdits::Menu::GraphicFromLibrary);
    cancel.reset();
    EXPECT_TRUE(opened);
    EXPECT_EQ(OnlyImage(screen), nullptr);
    EXPECT_FALSE(app->Document()->IsModified());
}

// Guards the replaced picture against a library file that no longer reads once picked: the author is told
// and the picture on the screen keeps its file and place instead of becoming an empty component.
TEST(LibraryPickerCommands, APictureThatNoLongerReadsKeepsTheOldOne)
{
    AppFixture f;
    WriteLibrary(f.tree, "bin");
    const QString path = f.WriteProject("p/Pictures.kvx", {{"1", "Welcome", pt_document}});
    auto app = f.Start({"corvessa", path});
    CEditFrmVw *view = app->EditView();
    app->OnViewEdit();
    auto insert = OnModal<CDlgInsertGraphicFromLib>([](CDlgInsertGraphicFromLib *dialog) {
        SearchFor(dialog, "meadow");
        ClickRow(dialog, 0);
        QTest::mouseClick(dialog->ConfirmButton(), Qt::LeftButton);
    });
    view->OnCommand(CorvCommand::AddGraphicFromLibrary);
    insert.reset();
    CComponentImage *image = OnlyImage(view->GetCurrentPage());
    ASSERT_TRUE(image);
    const CRect bounds = image->GetBounds();
    const QString file = image->GetImageFile();

    view->Canvas()->SelectComponent(image);
    f.prompt.Clear();
    auto update = OnModal<CDlgUpdateGraphicFromLib>([&f](CDlgUpdateGraphicFromLib *dialog) {
        SearchFor(dialog, "tree");
        ClickRow(dialog, 0);
        f.tree.Write("bin/Library/Stock Photo - color/tree.png", "not a picture any more");
        QTest::mouseClick(dialog->ConfirmButton(), Qt::LeftButton);
    });
    view->OnCommand(CorvCommand::ReplaceGraphicFromLibrary);
    update.reset();
    ASSERT_EQ(OnlyImage(view->GetCurrentPage()), image);
    EXPECT_EQ(image->GetImageFile(), file);
    EXPECT_EQ(image->GetBounds(), bounds);
    ASSERT_EQ(f.prompt.Texts().size(), 1);
    EXPECT_TRUE(f.prompt.Texts().front().contains("tree.png")) << qPrintable(f.prompt.Texts().front());
}

// Guards the dialog's rules: it opens with the kinds, "All", "Medium", "Black" greyed and a count of 0;
// empty keyword boxes only empty the list; a box holding two words finds nothing; "Clip art" alone finds
// only drawings; confirming without a row says "Please select a graphic." and stays open, and Enter away
// from the keyword boxes and the list does nothing; the add dialog lists 100 rows at most and the replace
// dialog 500.
TEST(LibraryPickerDialog, SearchesAndConfirmsByItsRules)
{
    PickerOnly p(600);
    CDlgInsertGraphicFromLib dialog(p.context);
    dialog.prompt = &p.prompt;
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Add graphic from library");
    EXPECT_EQ(dialog.ConfirmButton()->text(), "&Insert");
    EXPECT_TRUE(dialog.KindBox(0)->isChecked() && dialog.KindBox(1)->isChecked() && dialog.KindBox(2)->isChecked());
    EXPECT_FALSE(dialog.KindBox(3)->isChecked());
    EXPECT_EQ(dialog.CategoryList()->count(), 21);
    EXPECT_EQ(dialog.CategoryList()->currentText(), "All");
    EXPECT_EQ(dialog.CategoryList()->itemText(0), "Abstracts & Backgrounds");
    EXPECT_TRUE(dialog.SizeRadio(1)->isChecked());
    EXPECT_TRUE(dialog.BlackRadio()->isChecked());
    EXPECT_FALSE(dialog.BlackRadio()->isEnabled());
    EXPECT_EQ(dialog.CountBox()->text(), "0");

    QTest::mouseClick(dialog.ConfirmButton(), Qt::LeftButton);
    EXPECT_EQ(p.prompt.Texts(), QStringList{"Please select a graphic."});
    EXPECT_TRUE(dialog.isVisible());
    // Enter outside the keyword boxes and the result list does nothing.
    QTest::keyClick(dialog.CategoryList(), Qt::Key_Return);
    QTest::keyClick(dialog.KindBox(0), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(p.prompt.Texts().size(), 1);

    SearchFor(&dialog, "nature");
    EXPECT_EQ(dialog.ResultList()->count(), 2);
    SearchFor(&dialog, "oak tree");
    EXPECT_EQ(dialog.ResultList()->count(), 0);
    EXPECT_EQ(dialog.CountBox()->text(), "0");
    SearchFor(&dialog, "nature");
    dialog.KeywordBox(0)->clear();
    QTest::mouseClick(dialog.SearchButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.ResultList()->count(), 0);

    SearchFor(&dialog, "star");
    EXPECT_EQ(dialog.ResultList()->count(), 0) << "drawings are not included at first";
    for (int kind = 0; kind < 3; ++kind)
        dialog.KindBox(kind)->setChecked(false);
    dialog.KindBox(3)->setChecked(true);
    SearchFor(&dialog, "star");
    EXPECT_EQ(dialog.ResultList()->count(), 100);
    EXPECT_EQ(dialog.CountBox()->text(), "100");

    CDlgUpdateGraphicFromLib replace(p.context);
    replace.show();
    EXPECT_EQ(replace.windowTitle(), "Replace graphic from library");
    EXPECT_EQ(replace.ConfirmButton()->text(), "&Update");
    replace.KindBox(3)->setChecked(true);
    SearchFor(&replace, "Star");
    EXPECT_EQ(replace.ResultList()->count(), 500);
    EXPECT_EQ(replace.CountBox()->text(), "500");
}

// Guards a program without its index: the dialog says the index could not be loaded, still opens, and its
// searches list nothing.
TEST(LibraryPickerDialog, WithoutAnIndexItOpensAndFindsNothing)
{
    PickerOnly p;
    p.context.graphicsLibraryIndex = nullptr;
    CDlgInsertGraphicFromLib dialog(p.context);
    EXPECT_EQ(p.prompt.Texts(), QStringList{"Failed to load the XML file: images.xml"});
    dialog.show();
    SearchFor(&dialog, "meadow");
    EXPECT_EQ(dialog.ResultList()->count(), 0);
}

// Guards that the pickers and the automatic choice of pictures search the index with one query text.
TEST(LibraryPickerDialog, QueryIsTheLibrarySearchQuery)
{
    CGraphicsLibrary library;
    const struct {
        QStringList words;
        QString category;
        LibraryPicker::Kinds kinds;
    } cases[] = {{{"cat"}, {}, {1, 1, 1, 0}},
                 {{"cat", "dog"}, "Nature", {0, 0, 0, 1}},
                 {{"it's"}, "Homes 'n' Gardens", {1, 0, 1, 1}},
                 {{"a"}, {}, {0, 0, 0, 0}}};
    for (const auto &c : cases) {
        library.SetUseColourPhotos(c.kinds.colourPhotos);
        library.SetUseBwPhotos(c.kinds.bwPhotos);
        library.SetUsePhotoObjects(c.kinds.photoObjects);
        library.SetUseClipArt(c.kinds.clipArt);
        EXPECT_EQ(LibraryPicker::BuildKeywordQuery(c.words, c.category, c.kinds),
                  library.BuildKeywordQuery(c.words, c.category));
    }
}
