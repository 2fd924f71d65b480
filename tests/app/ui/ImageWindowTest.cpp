#include "AppFixture.h"
#include "WidgetDriving.h"
#include "CanvasWidgetFixture.h"

#include "app/CommandIds.h"
#include "app/ui/controls/ImageStatic.h"
#include "dialogs/ui/PictureDialogs.h"
#include "editor/ui/ComponentWindows.h"
#include "editor/ui/ImageCommandsUi.h"
#include "editor/ui/ImageWindow.h"
#include "image/xImage.h"
#include "image/qt/ImageQt.h"
#include "image/qt/MetafilePlayer.h"
#include "image/xImageTypes.h"
#include "model/ComponentImage.h"
#include "model/PictureFiles.h"
#include "platform/StringTable.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <functional>

namespace {

QString ScreenshotFolder()
{
    const QString folder = QStringLiteral(CORV_BUILD_TEST_DIR "/screenshots");
    QDir().mkpath(folder);
    return folder;
}

// A picture of two colours, so that a stretched or misplaced picture shows.
QImage Card(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(20, 90, 160));
    for (int y = 0; y < height / 2; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(230, 160, 30));
    return image;
}

QString SavePng(const TempTree &tree, const QString &name, int width, int height)
{
    const QString path = tree / name;
    QDir().mkpath(QFileInfo(path).path());
    EXPECT_TRUE(Card(width, height).save(path, "PNG"));
    return path;
}

// The picture windows and commands on a shown canvas, as the Edit window carries them out.
class ImageWindowTest : public CanvasWidgetFixture
{
protected:
    void SetUp() override
    {
        // As the program does at start-up: metafiles are played through the painter.
        RegisterMetafilePlayer();
        CanvasWidgetFixture::SetUp();
        commands = std::make_unique<CImageCommandsUi>(*doc, *canvas, canvas.get());
        QObject::connect(canvas.get(), &CScrollViewEx::commandRequested, canvas.get(),
                         [this](int command) { commands->OnCommand(command); });
    }
    void TearDown() override
    {
        commands.reset();
        CanvasWidgetFixture::TearDown();
    }

    CComponentImage *AddImage(const QString &picture, const CRect &bounds)
    {
        auto image = std::make_unique<CComponentImage>(canvas.get());
        image->SetImageFile(picture, doc->GetContext());
        image->SetBounds(bounds, true);
        CComponentImage *raw = image.get();
        EXPECT_TRUE(screen->AddComponent(std::move(image)).Ok());
        screen->ShowOnCanvas(*canvas);
        return raw;
    }
    static CWndImage *WindowOf(CComponentImage *image) { return dynamic_cast<CWndImage *>(image->GetComponentWindow()); }

    // The entries of the picture's context menu by command, enabled or not; chosen runs when given.
    QMap<int, bool> Menu(CComponentImage *image, int chosen = 0)
    {
        QMap<int, bool> entries;
        std::unique_ptr<QMenu> menu = WindowOf(image)->BuildContextMenu();
        QAction *run = nullptr;
        for (QAction *action : menu->actions()) {
            entries[action->data().toInt()] = action->isEnabled();
            if (chosen && action->data().toInt() == chosen)
                run = action;
        }
        if (run && run->isEnabled())
            run->trigger();
        menu.reset();
        QApplication::processEvents();
        return entries;
    }

    // Adds a picture through "Add graphic from file" with the values typed into the dialog; the dialog's
    // result.
    int InsertThroughDialog(const QString &path, const QString &alt, int sizeClass)
    {
        int result = -1;
        const bool opened = WhileOpen<CDlgInsertImage>([&] { commands->OnCommand(CorvCommand::AddGraphicFromFile); },
                                                       [&](CDlgInsertImage &d) {
                                                           d.PathEdit()->setText(path);
                                                           d.AltTextEdit()->setText(alt);
                                                           d.SizeRadio(sizeClass)->setChecked(true);
                                                           d.accept();
                                                           if (d.isVisible())
                                                               d.reject();
                                                           result = d.result();
                                                       });
        EXPECT_TRUE(opened);
        return result;
    }

    std::unique_ptr<CImageCommandsUi> commands;
};

// Guards the picture window: it shows the picture the component builds, the alternative text as its
// tooltip, a badge only while a pan-and-zoom effect is chosen, and lays the display picture out centred at
// the top when the window holds it.
TEST_F(ImageWindowTest, ShowsThePictureItsTooltipAndTheEffectBadge)
{
    CComponentImage *image = AddImage(SavePng(tree, "pics/card.png", 120, 80), CRect(100, 100, 400, 300));
    image->SetAltText("Fire exit sign");
    CWndImage *window = WindowOf(image);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->toolTip(), "Fire exit sign");
    EXPECT_EQ(window->Picture()->Bitmap().size(), QSize(120, 80));
    EXPECT_EQ(window->PictureRect(), QRect(90, 0, 120, 80)) << "centred at the top of 300 x 200";
    EXPECT_EQ(window->FirstSize(), QSize(120, 80));
    EXPECT_FALSE(window->Picture()->HasBadge());
    image->SetAnimationEffect(CComponentImage::effectZoomIn);
    EXPECT_TRUE(window->Picture()->HasBadge());

    // The window is stretched over by the picture: the top half orange, the bottom half blue.
    const QImage shown = window->grab().toImage();
    EXPECT_EQ(shown.size(), QSize(300, 200));
    EXPECT_EQ(QColor(shown.pixel(10, 10)), QColor(230, 160, 30));
    EXPECT_EQ(QColor(shown.pixel(10, 190)), QColor(20, 90, 160));
    EXPECT_TRUE(shown.save(ScreenshotFolder() + "/image-window.png"));

    const struct {
        QSize window, picture;
        QRect expected;
    } layouts[] = {
        {{300, 200}, {121, 80}, {90, 0, 121, 80}},
        {{100, 100}, {120, 80}, {0, 0, 120, 80}},
        {{300, 50}, {120, 80}, {0, 0, 120, 80}},
        {{120, 80}, {120, 80}, {0, 0, 120, 80}},
    };
    for (const auto &l : layouts)
        EXPECT_EQ(CWndImage::LayOutPicture(l.window, l.picture), l.expected) << l.window.width() << "x" << l.window.height();
}

// Guards the arrow keys on a selected picture: each key press moves it by its repeat count (a held key's
// repeats arriving as one event), keeping its size.
TEST_F(ImageWindowTest, ArrowKeysMoveThePictureByTheRepeatCount)
{
    CComponentImage *image = AddImage(SavePng(tree, "pics/card.png", 60, 40), CRect(100, 100, 160, 140));
    canvas->SelectComponent(image);
    const struct {
        int key, count;
        CRect expected;
    } presses[] = {
        {Qt::Key_Right, 3, CRect(103, 100, 163, 140)},
        {Qt::Key_Down, 1, CRect(103, 101, 163, 141)},
        {Qt::Key_Left, 10, CRect(93, 101, 153, 141)},
        {Qt::Key_Up, 4, CRect(93, 97, 153, 137)},
    };
    for (const auto &p : presses) {
        QKeyEvent press(QEvent::KeyPress, p.key, Qt::NoModifier, QString(), true, ushort(p.count));
        QApplication::sendEvent(canvas->Page(), &press);
        EXPECT_EQ(image->GetBounds(), p.expected) << p.key << " x" << p.count;
    }
    EXPECT_EQ(WindowOf(image)->geometry(), QRect(93, 97, 60, 40));
}

// Guards "Delete link": offered only while the picture is linked, and afterwards the picture is unlinked
// (so it publishes without a link) while its link record stays; the screen is marked modified so the
// change is saved.
TEST_F(ImageWindowTest, DeleteLinkIsOfferedOnlyWhileLinked)
{
    CComponentImage *image = AddImage(SavePng(tree, "pics/card.png", 60, 40), CRect(10, 10, 70, 50));
    QMap<int, bool> entries = Menu(image);
    for (int command : {32844, 32845, 32800, 32842, 32801, 33079, 32895, 32808, 32809, 33062})
        EXPECT_TRUE(entries.contains(command)) << command;
    EXPECT_FALSE(entries[32895]);

    image->SetLink(0, -1, "https://example.org/exits", 1, 0, 0, 300, 400);
    screen->SetModified(0);
    EXPECT_TRUE(Menu(image, 32895)[32895]);
    EXPECT_EQ(image->IsLinked(), 0);
    EXPECT_EQ(image->GetLink().GetUrl(), "https://example.org/exits");
    EXPECT_EQ(screen->GetModified(), 1);
    EXPECT_FALSE(Menu(image)[32895]);
}

// Guards the replace command from the picture's menu: the placement of the size class chosen around the old
// centre, the alternative text taken, Medium ticked whatever the size was; and against a picture that does
// not read turning the image into an empty rectangle: the dialog keeps it out and the old picture stays.
TEST_F(ImageWindowTest, ReplacingFromTheMenuPlacesByTheSizeClassAndRefusesAnUnreadablePicture)
{
    CComponentImage *image = AddImage(SavePng(tree, "pics/old.png", 300, 200), CRect(0, 0, 300, 200));
    const QString square = SavePng(tree, "pics/square.png", 1000, 1000);
    bool opened = WhileOpen<CDlgUpdateImage>([&] { Menu(image, 32800); }, [&](CDlgUpdateImage &d) {
        EXPECT_EQ(d.windowTitle(), "Replace graphic from file");
        EXPECT_EQ(d.PathEdit()->text(), image->GetImageFile());
        EXPECT_TRUE(d.SizeRadio(SizeMedium)->isChecked());
        EXPECT_EQ(d.Preview()->Bitmap().size(), QSize(300, 200)) << "the preset picture shows";
        d.grab().save(ScreenshotFolder() + "/dialog-replace-graphic.png");
        d.PathEdit()->setText(square);
        d.AltTextEdit()->setText("Assembly point");
        d.SizeRadio(SizeSmall)->setChecked(true);
        d.accept();
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(image->GetImageFile(), square);
    EXPECT_EQ(image->GetAltText(), "Assembly point");
    EXPECT_EQ(image->GetBounds(), CRect(50, 0, 250, 200));
    EXPECT_EQ(WindowOf(image)->geometry(), QRect(50, 0, 200, 200));
    EXPECT_EQ(WindowOf(image)->toolTip(), "Assembly point");
    EXPECT_EQ(canvas->GetSelectedComponent(), image);

    // OK with nothing touched keeps the picture and places it by the medium preset: 1000 x 1000 fitted into
    // 400 x 266 around the same centre (150, 100).
    ASSERT_TRUE(WhileOpen<CDlgUpdateImage>([&] { commands->OnCommand(CorvCommand::ReplaceGraphicFromFile); },
                                           [&](CDlgUpdateImage &d) { d.accept(); }));
    EXPECT_EQ(image->GetImageFile(), square);
    EXPECT_EQ(image->GetBounds(), CRect(17, 5, 283, 271));
    EXPECT_EQ(image->GetAltText(), "Assembly point");
    image->SetBounds(CRect(50, 0, 250, 200), true);

    // A damaged file: the library's message, the dialog stays open, and nothing changes.
    const QString damaged = tree.Write("pics/damaged.png", QByteArray("\x89PNG\r\n\x1a\n garbage", 17));
    prompt.Clear();
    opened = WhileOpen<CDlgUpdateImage>([&] { Menu(image, 32800); }, [&](CDlgUpdateImage &d) {
        d.PathEdit()->setText(damaged);
        d.SizeRadio(SizeLarge)->setChecked(true);
        d.accept();
        EXPECT_TRUE(d.isVisible());
        d.reject();
    });
    ASSERT_TRUE(opened);
    ASSERT_EQ(prompt.Texts().size(), 1);
    EXPECT_TRUE(prompt.Texts()[0].startsWith(QString("The picture \"%1\" could not be read.").arg(damaged)));
    EXPECT_EQ(image->GetImageFile(), square);
    EXPECT_EQ(image->GetBounds(), CRect(50, 0, 250, 200));
}

// Guards the alt text and keyword commands of the Edit window: they act on the selected picture, take the
// text on OK (the keywords' "Update" as well), leave it on Cancel, and ask for a picture when none is
// selected.
TEST_F(ImageWindowTest, AltTextAndKeywordsGoToTheSelectedPicture)
{
    prompt.Clear();
    commands->OnCommand(CorvCommand::ReplaceAltText);
    EXPECT_EQ(prompt.Texts(), QStringList{"Please select an image."});

    CComponentImage *image = AddImage(SavePng(tree, "pics/card.png", 60, 40), CRect(10, 10, 70, 50));
    canvas->SelectComponent(image);
    screen->SetModified(0);
    ASSERT_TRUE(WhileOpen<CDlgAltText>([&] { Menu(image, 32801); }, [&](CDlgAltText &d) {
        d.grab().save(ScreenshotFolder() + "/dialog-alt-text.png");
        d.TextEdit()->setText("Extinguisher");
        d.accept();
    }));
    EXPECT_EQ(image->GetAltText(), "Extinguisher");
    EXPECT_EQ(WindowOf(image)->toolTip(), "Extinguisher");
    EXPECT_EQ(screen->GetModified(), 1);

    ASSERT_TRUE(WhileOpen<CDlgKeywords>([&] { commands->OnCommand(CorvCommand::Keywords); },
                                        [&](CDlgKeywords &d) {
                                            d.grab().save(ScreenshotFolder() + "/dialog-keywords.png");
                                            d.TextEdit()->setText("fire safety");
                                            d.UpdateButton()->click();
                                        }));
    EXPECT_EQ(image->GetKeywords(), "fire safety");
    ASSERT_TRUE(WhileOpen<CDlgKeywords>([&] { commands->OnCommand(CorvCommand::Keywords); },
                                        [&](CDlgKeywords &d) {
                                            EXPECT_EQ(d.TextEdit()->text(), "fire safety");
                                            d.TextEdit()->setText("changed");
                                            d.reject();
                                        }));
    EXPECT_EQ(image->GetKeywords(), "fire safety");
}

// Guards pictures of every format the image library reads: each inserts through "Add graphic from file"
// at its own size (generated where the library writes the format, a small fixture file where it does not);
// a damaged picture gives the library's message and inserts nothing.
TEST_F(ImageWindowTest, EveryFormatTheLibraryReadsInsertsAndADamagedOneDoesNot)
{
    const QString fixtures = QStringLiteral(CORV_SOURCE_DIR "/tests/fixtures/image/codecs/");
    const struct {
        const char *file;
        uint32_t format;
        const char *fixture;
    } formats[] = {
        {"p.bmp", ImageFormatBmp, "alpha32.bmp"}, {"p.gif", ImageFormatGif, "plain1.gif"},
        {"p.jpg", ImageFormatJpg, "progressive.jpg"}, {"p.png", ImageFormatPng, "grey2.png"},
        {"p.ico", ImageFormatIco, "mask4.ico"}, {"p.tif", ImageFormatTif, "lzw8.tif"},
        {"p.tga", ImageFormatTga, "rgba.tga"}, {"p.pcx", ImageFormatPcx, "pal8.pcx"},
        {"p.wbmp", ImageFormatWbmp, "mono.wbmp"}, {"p.wmf", ImageFormatWmf, "shapes.wmf"},
        {"p.emf", ImageFormatWmf, "shapes.emf"}, {"p.jp2", ImageFormatJp2, "card.jp2"},
        {"p.j2k", ImageFormatJpc, "grey.j2k"}, {"p.pgx", ImageFormatPgx, "deep.pgx"},
        {"p.ppm", ImageFormatPnm, "card.ppm"}, {"p.ras", ImageFormatRas, "mapped.ras"},
        {"p.mng", ImageFormatMng, "animation.mng"}, {"p.ska", ImageFormatSka, "pal8.ska"},
        {"p.dng", ImageFormatRaw, "tiny.dng"},
    };
    int expectedCount = 0;
    for (const auto &f : formats) {
        const QString path = tree / (QStringLiteral("formats/") + QString::fromLatin1(f.file));
        QDir().mkpath(tree / "formats");
        CxImage card;
        fromQImage(card, Card(24, 16));
        if (!PictureFiles::Save(card, path, int(f.format))) {
            ASSERT_NE(f.fixture, nullptr) << f.file << " is not written by the library and has no fixture";
            ASSERT_TRUE(QFile::copy(fixtures + QString::fromLatin1(f.fixture), path)) << f.fixture;
        }
        prompt.Clear();
        EXPECT_EQ(InsertThroughDialog(path, QString::fromLatin1(f.file), SizeLarge), QDialog::Accepted) << f.file;
        EXPECT_EQ(prompt.Texts().join(" | "), QString()) << f.file;
        ++expectedCount;
        ASSERT_EQ(screen->GetComponentCount(), expectedCount) << f.file;
        auto *image = dynamic_cast<CComponentImage *>(screen->GetComponent(expectedCount - 1));
        ASSERT_NE(image, nullptr);
        EXPECT_GT(image->GetBounds().Width(), 0) << f.file;
        EXPECT_GT(image->GetBounds().Height(), 0) << f.file;
        EXPECT_FALSE(WindowOf(image)->Picture()->Bitmap().isNull()) << f.file;
    }

    const QString damaged = tree.Write("formats/damaged.jpg", QByteArray("\xff\xd8\xff\xe0 broken", 11));
    prompt.Clear();
    EXPECT_EQ(InsertThroughDialog(damaged, "broken", SizeMedium), QDialog::Rejected);
    ASSERT_EQ(prompt.Texts().size(), 1);
    EXPECT_TRUE(prompt.Texts()[0].startsWith(QString("The picture \"%1\" could not be read.").arg(damaged)))
        << qPrintable(prompt.Texts()[0]);
    EXPECT_EQ(screen->GetComponentCount(), expectedCount);
}

// Guards the picture dialogs' openings and previews: "Add graphic from file" opens on Medium and empty, a
// browsed picture shows in the preview, an undecodable one leaves the preview as it was while the topic
// button's dialog still returns its path.
TEST_F(ImageWindowTest, PreviewsFollowThePictureChosen)
{
    CScriptedDialogs files;
    const QString good = SavePng(tree, "pics/wide.png", 200, 100);
    const QString bad = tree.Write("pics/bad.gif", "GIF89a nonsense");

    CDlgInsertImage insert;
    insert.fileDialogs = &files;
    insert.values.sizeClass = SizeLarge;
    insert.ShowValues();
    EXPECT_EQ(insert.windowTitle(), "Add graphic from file");
    EXPECT_TRUE(insert.SizeRadio(SizeMedium)->isChecked());
    EXPECT_TRUE(insert.Preview()->Bitmap().isNull());
    EXPECT_EQ(insert.Preview()->width(), insert.Preview()->height());
    files.answers = {good};
    insert.BrowseButton()->click();
    EXPECT_EQ(insert.PathEdit()->text(), good);
    EXPECT_EQ(insert.Preview()->Bitmap().size(), QSize(200, 100));
    EXPECT_TRUE(files.asked.value(0).contains("*.wmf")) << qPrintable(files.asked.value(0));
    insert.show();
    QApplication::processEvents();
    insert.grab().save(ScreenshotFolder() + "/dialog-add-graphic.png");
    insert.accept();
    EXPECT_EQ(insert.result(), QDialog::Accepted);
    EXPECT_EQ(insert.values.sizeClass, SizeMedium);

    CDlgUpdateGraphicFromFile1 topic;
    topic.fileDialogs = &files;
    topic.values.path = good;
    topic.ShowValues();
    EXPECT_EQ(topic.AltTextEdit(), nullptr);
    EXPECT_EQ(topic.SizeRadio(SizeMedium), nullptr);
    files.answers = {bad};
    topic.BrowseButton()->click();
    EXPECT_EQ(topic.Preview()->Bitmap().size(), QSize(200, 100)) << "the undecodable picture leaves the preview";
    topic.show();
    QApplication::processEvents();
    topic.grab().save(ScreenshotFolder() + "/dialog-replace-topic-graphic.png");
    topic.accept();
    EXPECT_EQ(topic.result(), QDialog::Accepted);
    EXPECT_EQ(topic.values.path, bad);
}

// Guards "Set priorities": its texts, Add and Remove between the lists (the available one sorted), the moves
// within the chosen order, and the lists handed back only on OK.
TEST_F(ImageWindowTest, CategoryPrioritiesMoveBetweenTheLists)
{
    CDlgSetCategoriesPriority dialog;
    dialog.available = {CStringTable::Load(15029), CStringTable::Load(15021), CStringTable::Load(15030)};
    dialog.selected = {CStringTable::Load(15036)};
    dialog.ShowValues();
    EXPECT_EQ(dialog.windowTitle(), "Set priorities");
    EXPECT_EQ(dialog.AddButton()->text(), "Add");
    EXPECT_EQ(dialog.MoveDownButton()->text(), "Move down");
    ASSERT_EQ(dialog.AvailableList()->count(), 3);
    EXPECT_EQ(dialog.AvailableList()->item(0)->text(), "Architecture");

    dialog.AddButton()->click(); // no selection: nothing
    EXPECT_EQ(dialog.SelectedList()->count(), 1);
    dialog.AvailableList()->setCurrentRow(1); // Nature
    dialog.AddButton()->click();
    EXPECT_EQ(dialog.SelectedList()->currentItem()->text(), "Nature");
    dialog.MoveDownButton()->click(); // already last
    dialog.MoveUpButton()->click();
    EXPECT_EQ(dialog.SelectedList()->item(0)->text(), "Nature");
    EXPECT_EQ(dialog.SelectedList()->currentRow(), 0);
    dialog.MoveUpButton()->click(); // already first
    EXPECT_EQ(dialog.SelectedList()->item(0)->text(), "Nature");
    dialog.SelectedList()->setCurrentRow(1);
    dialog.RemoveButton()->click(); // Transportation back, sorted in
    EXPECT_EQ(dialog.AvailableList()->item(2)->text(), "Transportation");
    EXPECT_EQ(dialog.available, (QStringList{"Nature", "Architecture", "People"})) << "only OK hands back";
    dialog.show();
    QApplication::processEvents();
    dialog.grab().save(ScreenshotFolder() + "/dialog-set-priorities.png");
    dialog.accept();
    EXPECT_EQ(dialog.available, (QStringList{"Architecture", "People", "Transportation"}));
    EXPECT_EQ(dialog.selected, QStringList{"Nature"});
}

} // namespace
