#include "AppFixture.h"
#include "SettingsDriving.h"

#include "app/CommandIds.h"
#include "app/ui/ChdMetadataClosed.h"
#include "app/ui/ChdMetadataOpen.h"
#include "app/ui/ChildDlgBackground.h"
#include "app/ui/ChildDlgConstruction.h"
#include "app/ui/ChildDlgFontsNew.h"
#include "app/ui/ChildDlgGeneral.h"
#include "app/ui/ChildDlgGraphics.h"
#include "app/ui/ChildDlgTemplates.h"
#include "app/ui/ChildDlgThemes.h"
#include "app/ui/MainFrame.h"
#include "app/ui/PropPageFonts.h"
#include "app/ui/PublishFrmVw.h"
#include "app/ui/SettingsFrmVw.h"
#include "app/ui/controls/ColorSelectButton.h"
#include "app/ui/controls/ImageStatic.h"
#include "document/CorvessaDoc.h"
#include "document/ProjectFile.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"

#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

constexpr int64_t kNow = 1'780'000'000; // a fixed "now" for the expiry picker

// Replaces what a line edit holds by typing, as the author does: select all, then the keys.
void Type(QLineEdit *edit, const QString &text)
{
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
}

// Leaves the field the focus is in, by Tab.
void Leave(QWidget *field) { QTest::keyClick(field, Qt::Key_Tab); }

void Click(QAbstractButton *button) { QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2)); }

QByteArray Jpeg(QColor colour)
{
    QImage image(64, 40, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return bytes;
}

// Three themes in the program folder: "Blue" and "Blue Sky" (whose style sheet is missing) share a prefix.
void WriteThemes(AppFixture &f)
{
    f.tree.Write("bin/Themes/Blue/Blue.css", "::: bodyfontfamily default: Verdana, sans-serif\n"
                                             "::: bodyfontsize default: 75%\n::: titlefontcolor default: #0000FF\n");
    f.tree.Write("bin/Themes/Blue/description.txt", "Calm blue.");
    f.tree.Write("bin/Themes/Blue/screendump.jpg", Jpeg(Qt::blue));
    f.tree.Write("bin/Themes/Blue Sky/description.txt", "Sky.");
    f.tree.Write("bin/Themes/Classical/Classical.css",
                 "::: bodyfontfamily default: Georgia, \"Times New Roman\", serif\n::: bodyfontsize default: 12pt\n"
                 "::: titlefontsize default: 26px\n::: titlefontweight default: bold\n"
                 "::: bodyfontcolor default: #2E2620\n");
    f.tree.Write("bin/Themes/Classical/description.txt", "Serif and cream.");
    f.tree.Write("bin/Themes/Classical/screendump.jpg", Jpeg(QColor(200, 180, 120)));
}

// The started program over the fixture's themes, its window active so fields can be left, with a fixed now.
struct Pages {
    AppFixture f;
    std::unique_ptr<CCorvessaApp> app;
    CSettingsFrmVw *view = nullptr;
    CCorvessaDoc *doc = nullptr;

    Pages()
    {
        WriteThemes(f);
        app = f.Start();
        view = app->SettingsView();
        doc = app->Document();
        doc->SetClock([] { return kNow; });
        app->MainFrame()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(app->MainFrame()));
        f.prompt.SetFallback(CPrompt::ok);
    }
    template <class Page>
    Page *Show(int category)
    {
        ClickCategory(view, category);
        return dynamic_cast<Page *>(view->Page(category));
    }
    // Saves under the name, makes a new project, and opens the saved one again.
    void SaveAndReopen(const QString &name)
    {
        f.tree.MakeFolder("s");
        f.dialogs.answers = {f.tree / ("s/" + name)};
        app->MainFrame()->Action(CorvCommand::FileSaveAs)->trigger();
        ASSERT_FALSE(doc->IsModified()) << qPrintable(f.prompt.Texts().join(" | "));
        app->MainFrame()->Action(CorvCommand::FileNew)->trigger();
        f.dialogs.answers = {f.tree / ("s/" + name)};
        app->MainFrame()->Action(CorvCommand::FileOpen)->trigger();
        ASSERT_EQ(doc->GetPathName(), f.tree / ("s/" + name));
    }
};

// A project whose settings differ from every default the six pages show.
QString WriteFixtureProject(AppFixture &f, const QString &picture)
{
    CCorvContext context;
    context.prompt = &f.prompt;
    CCorvessaDoc doc(context);
    doc.OnNewDocument();
    CCourseSettings &s = doc.MutableSettings();
    s.CourseName = "Fire Safety";
    s.CourseCode = "FS-101";
    s.CourseAuthor = "R. Okafor";
    s.CourseDate = "March 2026";
    s.CourseDescription = "Line one\nLine two";
    s.ShowCourseCode = 0;
    s.ShowCourseDate = 0;
    s.LomKeywords = QString(1500, u'k');
    s.LomEmail = "safety@example.org";
    s.LomLanguage = 5;
    s.LomPurpose = 1;
    s.LomResourceType = 14;
    s.LomCost = 1;
    s.Theme = "blue";
    s.UseCustomBackground = 1;
    s.BgColor = 0x3366CC;
    s.BgImage = picture;
    s.HideTopBar = 1;
    s.RemoveTopBarSpace = 1;
    s.TemplateType = 3;
    s.GraphicSize = 7;
    s.KenBurnsInterval = 20;
    s.RandomKenBurns = 1;
    s.AutoGenerateGraphics = 0;
    s.ContentScreenCount = 6;
    s.CreateOutline = 1;
    s.OutlineUseButton = 1;
    s.OutlineWidth = 420;
    s.OutlineLabel = "CONTENTS";
    s.SetExpiry = 1;
    s.ExpiryDate = kNow + 86400 * 30;
    s.ExpiryMessage = "Gone";
    f.tree.MakeFolder("p");
    const QString path = f.tree / "p/Fixture.kvx";
    EXPECT_TRUE(CProjectFile::Save(doc, path)) << qPrintable(f.prompt.Texts().join(" | "));
    return path;
}

} // namespace

// Guards what every page shows of an opened project: each control holds the project's value, not a page's
// reset; a size outside the radios shows Medium, an interval beyond the list shows no entry, a 1500-character
// keyword text shows whole, a theme stored in another case selects its folder, and nothing is marked modified.
TEST(SettingsLookPages, EveryPageShowsTheOpenedProject)
{
    Pages p;
    const QString picture = p.f.tree.Write("pics/sea.jpg", Jpeg(Qt::darkCyan));
    const QString project = WriteFixtureProject(p.f, picture);
    ASSERT_TRUE(p.app->OpenDocumentFile(project)) << qPrintable(p.f.prompt.Texts().join(" | "));

    auto *general = p.Show<CChildDlgGeneral>(CSettingsFrmVw::General);
    EXPECT_EQ(general->Edit(CChildDlgGeneral::Name)->text(), "Fire Safety");
    EXPECT_EQ(general->Edit(CChildDlgGeneral::Author)->text(), "R. Okafor");
    EXPECT_EQ(general->DescriptionEdit()->toPlainText(), "Line one\nLine two");
    EXPECT_TRUE(general->ShowCheck(CChildDlgGeneral::Name)->isChecked());
    EXPECT_FALSE(general->ShowCheck(CChildDlgGeneral::Code)->isChecked());
    CChdMetadataOpen *lom = general->MetadataEditor();
    EXPECT_EQ(lom->Combo(CChdMetadataOpen::Language)->currentText(), "en-US");
    EXPECT_EQ(lom->Combo(CChdMetadataOpen::Purpose)->currentText(), "Competency (SCORM 2004)");
    EXPECT_EQ(lom->Combo(CChdMetadataOpen::ResourceType)->currentText(), "Lecture (SCORM 2004)");
    EXPECT_EQ(lom->Keywords()->toPlainText().size(), 1500);
    EXPECT_EQ(lom->Field("Email")->text(), "safety@example.org");
    EXPECT_TRUE(lom->Cost()->isChecked());

    auto *themes = p.Show<CChildDlgThemes>(CSettingsFrmVw::Themes);
    ASSERT_EQ(themes->List()->count(), 3);
    EXPECT_EQ(themes->List()->currentItem()->text(), "Blue");
    EXPECT_EQ(themes->NameLine()->text(), "Blue");
    EXPECT_EQ(themes->DescriptionLine()->text(), "Calm blue.");
    EXPECT_FALSE(themes->Preview()->Bitmap().isNull());

    auto *background = p.Show<CChildDlgBackground>(CSettingsFrmVw::Background);
    EXPECT_TRUE(background->UseBackground()->isChecked());
    EXPECT_EQ(background->ColourButton()->GetColor(), 0x3366CCu);
    EXPECT_EQ(QFileInfo(background->BackgroundEdit()->text()).fileName(), "sea.jpg");
    EXPECT_FALSE(background->BackgroundPreview()->Bitmap().isNull());
    EXPECT_TRUE(background->Bar(CChildDlgBackground::HideTop)->isChecked());
    EXPECT_TRUE(background->Bar(CChildDlgBackground::RemoveTop)->isChecked());
    EXPECT_TRUE(background->Bar(CChildDlgBackground::RemoveTop)->isEnabled());
    EXPECT_FALSE(background->Bar(CChildDlgBackground::RemoveNavigation)->isEnabled());

    auto *templates = p.Show<CChildDlgTemplates>(CSettingsFrmVw::Templates);
    EXPECT_EQ(templates->List()->currentRow(), 3);
    EXPECT_EQ(templates->NameLine()->text(), "Graphic bottom right  - Ctrl+F4");

    auto *graphics = p.Show<CChildDlgGraphics>(CSettingsFrmVw::Graphics);
    EXPECT_TRUE(graphics->SizeRadio(1)->isChecked());
    EXPECT_EQ(p.doc->Settings().GraphicSize, 7);
    EXPECT_EQ(graphics->KenBurnsInterval()->currentIndex(), -1);
    EXPECT_EQ(graphics->KenBurnsInterval()->currentText(), "20");
    EXPECT_TRUE(graphics->KenBurnsInterval()->isEnabled());
    EXPECT_FALSE(graphics->SetCategories()->isEnabled());
    EXPECT_FALSE(graphics->Kind(0)->isEnabled());

    auto *construction = p.Show<CChildDlgConstruction>(CSettingsFrmVw::Construction);
    EXPECT_EQ(construction->ScreenCount()->text(), "6");
    EXPECT_EQ(construction->OutlineNumber(2)->text(), "420");
    EXPECT_EQ(construction->OutlineLabel()->text(), "CONTENTS");
    EXPECT_TRUE(construction->OutlineNumber(2)->isEnabled());
    EXPECT_FALSE(construction->OutlineNumber(0)->isEnabled());
    EXPECT_FALSE(construction->LinkColour()->isEnabled());
    EXPECT_TRUE(construction->ExpiryPicker()->isEnabled());
    EXPECT_EQ(construction->ExpiryPicker()->dateTime().toSecsSinceEpoch(), kNow + 86400 * 30);
    EXPECT_EQ(construction->ExpiryMessage()->text(), "Gone");
    EXPECT_FALSE(p.doc->IsModified());
}

// Guards the General page's writing: typing writes once per change and leaving writes nothing more; each
// click of a "Show on start page" box marks the project; Enter makes a new line only in Description; the
// LOM lists write only a new index; typing cannot grow Keywords past its limit; only Keywords has a tip.
TEST(SettingsLookPages, GeneralPageWritesThrough)
{
    Pages p;
    auto *general = p.Show<CChildDlgGeneral>(CSettingsFrmVw::General);
    // A new project: five empty texts, five ticked boxes, "en", the panel folded.
    for (int i = 0; i < CChildDlgGeneral::IdentityCount; ++i)
        EXPECT_TRUE(general->ShowCheck(CChildDlgGeneral::Identity(i))->isChecked()) << i;
    EXPECT_TRUE(general->MetadataBar()->isVisible());
    EXPECT_FALSE(general->MetadataEditor()->isVisible());

    QLineEdit *name = general->Edit(CChildDlgGeneral::Name);
    Type(name, "Intro");
    EXPECT_EQ(p.doc->Settings().CourseName, "Intro");
    EXPECT_TRUE(p.doc->IsModified());
    p.doc->SetModifiedFlag(false);
    QTest::keyClick(name, Qt::Key_Return);
    Leave(name);
    EXPECT_FALSE(p.doc->IsModified());
    EXPECT_EQ(name->text(), "Intro");

    QCheckBox *show = general->ShowCheck(CChildDlgGeneral::Author);
    Click(show);
    EXPECT_EQ(p.doc->Settings().ShowCourseAuthor, 0);
    p.doc->SetModifiedFlag(false);
    Click(show);
    EXPECT_EQ(p.doc->Settings().ShowCourseAuthor, 1);
    EXPECT_TRUE(p.doc->IsModified());

    QPlainTextEdit *description = general->DescriptionEdit();
    description->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(description, "One");
    QTest::keyClick(description, Qt::Key_Return);
    QTest::keyClicks(description, "Two");
    EXPECT_EQ(p.doc->Settings().CourseDescription, "One\nTwo");

    QTest::mouseClick(general->MetadataBar()->Arrow(), Qt::LeftButton);
    CChdMetadataOpen *lom = general->MetadataEditor();
    EXPECT_TRUE(lom->isVisible());
    EXPECT_FALSE(general->MetadataBar()->isVisible());
    EXPECT_EQ(lom->Combo(CChdMetadataOpen::Language)->currentText(), "en");
    p.doc->SetModifiedFlag(false);
    lom->Combo(CChdMetadataOpen::Purpose)->setCurrentIndex(1);
    lom->Combo(CChdMetadataOpen::ResourceType)->setCurrentIndex(14);
    EXPECT_EQ(p.doc->Settings().LomPurpose, 1);
    EXPECT_EQ(p.doc->Settings().LomResourceType, 14);
    p.doc->SetModifiedFlag(false);
    emit lom->Combo(CChdMetadataOpen::Purpose)->currentIndexChanged(1);
    EXPECT_FALSE(p.doc->IsModified());

    QPlainTextEdit *keywords = lom->Keywords();
    EXPECT_EQ(keywords->toolTip(), "Separate keywords (phrases) with semi colons");
    EXPECT_TRUE(lom->Field("Catalog")->toolTip().isEmpty());
    EXPECT_TRUE(name->toolTip().isEmpty());
    keywords->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(keywords, QString(998, u'a'));
    QTest::keyClick(keywords, Qt::Key_Return);
    QTest::keyClicks(keywords, "bcd");
    EXPECT_EQ(p.doc->Settings().LomKeywords, QString(998, u'a') + "bc");

    Click(lom->Cost());
    EXPECT_EQ(p.doc->Settings().LomCost, 1);
    QTest::mouseClick(lom->Arrow(), Qt::LeftButton);
    EXPECT_FALSE(lom->isVisible());
    EXPECT_TRUE(general->MetadataBar()->isVisible());
}

// Guards the Themes page: choosing a theme stores it, marks the project, takes its fonts and shows them on the
// Fonts page; a theme without its style sheet still becomes the theme, tells the author which file is missing
// and leaves the fonts alone; a theme stored that no longer exists selects nothing and keeps its name.
TEST(SettingsLookPages, ThemesPageAppliesTheThemeFonts)
{
    Pages p;
    auto *themes = p.Show<CChildDlgThemes>(CSettingsFrmVw::Themes);
    ASSERT_EQ(themes->List()->count(), 3);
    EXPECT_EQ(p.doc->Settings().Theme, "Blue");
    EXPECT_FALSE(p.doc->IsModified());

    themes->List()->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(themes->List(), Qt::Key_End);
    EXPECT_EQ(p.doc->Settings().Theme, "Classical");
    EXPECT_TRUE(p.doc->IsModified());
    EXPECT_EQ(p.doc->Settings().FontName[0], "Georgia");
    EXPECT_EQ(p.doc->Settings().FontSizePoints[0], "12");
    EXPECT_EQ(p.doc->Settings().FontSizePoints[1], "26");
    EXPECT_EQ(p.doc->Settings().FontColor[0], 0x20262Eu);
    EXPECT_EQ(themes->DescriptionLine()->text(), "Serif and cream.");
    EXPECT_EQ(p.view->FontsPage()->StylePage(1)->SizeBox()->currentText(), "26");
    EXPECT_TRUE(p.f.prompt.Texts().isEmpty()) << qPrintable(p.f.prompt.Texts().join(" | "));

    const CCourseSettings before = p.doc->Settings();
    QTest::keyClick(themes->List(), Qt::Key_Up);
    EXPECT_EQ(p.doc->Settings().Theme, "Blue Sky");
    ASSERT_EQ(p.f.prompt.Texts().size(), 1);
    EXPECT_TRUE(p.f.prompt.Texts()[0].contains("Blue Sky/Blue Sky.css")) << qPrintable(p.f.prompt.Texts()[0]);
    EXPECT_EQ(p.doc->Settings().FontName, before.FontName);
    EXPECT_EQ(p.doc->Settings().FontColor, before.FontColor);
    EXPECT_TRUE(themes->Preview()->Bitmap().isNull());
    EXPECT_EQ(themes->DescriptionLine()->text(), "Sky.");

    p.doc->MutableSettings().Theme = "Gone";
    p.view->RefreshFromDocument();
    EXPECT_TRUE(themes->List()->selectedItems().isEmpty());
    EXPECT_EQ(p.doc->Settings().Theme, "Gone");
}

// Guards the Templates page: fourteen entries, a new course on "Random from 1 to 10" with its description; a
// choice stores its index and marks the project, also when chosen again; a damaged project's index selects
// nothing and shows the default description without a name.
TEST(SettingsLookPages, TemplatesPageStoresTheChoice)
{
    Pages p;
    auto *templates = p.Show<CChildDlgTemplates>(CSettingsFrmVw::Templates);
    ASSERT_EQ(templates->List()->count(), 14);
    EXPECT_EQ(templates->List()->item(13)->text(), "Text only  - Ctrl+F11");
    EXPECT_EQ(templates->List()->currentItem()->text(), "Random from 1 to 10");
    EXPECT_TRUE(templates->DescriptionLine()->text().startsWith("The system randomly selects templates from all"));
    EXPECT_FALSE(templates->Preview()->Bitmap().isNull());

    QListWidget *list = templates->List();
    const QRect entry = list->visualItemRect(list->item(3));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry.center());
    EXPECT_EQ(p.doc->Settings().TemplateType, 3);
    EXPECT_TRUE(p.doc->IsModified());
    p.doc->SetModifiedFlag(false);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry.center());
    EXPECT_TRUE(p.doc->IsModified());
    EXPECT_EQ(templates->NameLine()->text(), "Graphic bottom right  - Ctrl+F4");

    p.doc->MutableSettings().TemplateType = 99;
    p.view->RefreshFromDocument();
    EXPECT_TRUE(list->selectedItems().isEmpty());
    EXPECT_TRUE(templates->NameLine()->text().isEmpty());
    EXPECT_TRUE(templates->DescriptionLine()->text().startsWith("The system randomly selects templates from all"));
    EXPECT_EQ(p.doc->Settings().TemplateType, 99);
}

// Guards the Background page: the "Background" box governs its controls but keeps their values; a colour or
// picture chosen again writes nothing; unticking "Hide" clears and greys its "Remove"; Clear marks the project
// (so the author is asked to save); the help shows its text.
TEST(SettingsLookPages, BackgroundPageRules)
{
    Pages p;
    auto *page = p.Show<CChildDlgBackground>(CSettingsFrmVw::Background);
    page->SetFileDialogs(&p.f.dialogs);
    EXPECT_FALSE(page->UseBackground()->isChecked());
    EXPECT_FALSE(page->ColourButton()->isEnabled());
    Click(page->UseBackground());
    EXPECT_TRUE(page->ColourButton()->isEnabled());
    EXPECT_TRUE(page->BackgroundBrowse()->isEnabled());

    const QString picture = p.f.tree.Write("pics/sea.jpg", Jpeg(Qt::darkCyan));
    p.f.dialogs.answers = {picture};
    Click(page->BackgroundBrowse());
    EXPECT_EQ(p.doc->Settings().BgImage, picture);
    EXPECT_TRUE(p.f.dialogs.asked.last().endsWith("Picture Files (*.bmp *.gif *.jpg *.jpeg);;All Files (*)"));
    EXPECT_FALSE(page->BackgroundPreview()->Bitmap().isNull());
    page->ColourButton()->SetChooser([](uint32_t, QWidget *) { return std::optional<uint32_t>(0xFFFFFF); });
    p.doc->SetModifiedFlag(false);
    QTest::mouseClick(page->ColourButton(), Qt::LeftButton);
    p.f.dialogs.answers = {picture};
    Click(page->BackgroundBrowse());
    EXPECT_FALSE(p.doc->IsModified());

    Click(page->UseBackground());
    EXPECT_FALSE(page->BackgroundEdit()->isEnabled());
    EXPECT_FALSE(page->Tile()->isEnabled());
    EXPECT_EQ(p.doc->Settings().BgImage, picture);

    QCheckBox *hide = page->Bar(CChildDlgBackground::HideTop), *remove = page->Bar(CChildDlgBackground::RemoveTop);
    EXPECT_FALSE(remove->isEnabled());
    Click(hide);
    ASSERT_TRUE(remove->isEnabled());
    Click(remove);
    EXPECT_EQ(p.doc->Settings().RemoveTopBarSpace, 1);
    Click(hide);
    EXPECT_FALSE(remove->isChecked());
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_EQ(p.doc->Settings().RemoveTopBarSpace, 0);
    EXPECT_EQ(p.doc->Settings().HideTopBar, 0);

    const QString logo = p.f.tree.Write("pics/logo.png", "not a picture");
    p.f.dialogs.answers = {logo};
    Click(page->LogoBrowse());
    EXPECT_EQ(p.doc->Settings().LogoImage, logo);
    EXPECT_TRUE(page->LogoEdit()->isReadOnly());
    p.doc->SetModifiedFlag(false);
    Click(page->LogoClear());
    EXPECT_TRUE(p.doc->Settings().LogoImage.isEmpty());
    EXPECT_TRUE(page->LogoEdit()->text().isEmpty());
    EXPECT_TRUE(p.doc->IsModified());

    p.f.prompt.Clear();
    Click(page->HelpButton());
    ASSERT_EQ(p.f.prompt.Texts().size(), 1);
    EXPECT_TRUE(p.f.prompt.Texts()[0].startsWith("Swapping the bars will put the Top bar at the bottom"));
}

// Guards the Construction page: a screen count that is no number is refused with the message, a typed 12
// stores 12 while the arrows stop at 10; an emptied width stores 0; a button greys the link's place and
// colour; outline and expiry changes mark the project (so they are not lost without a save prompt); a date
// before now puts the picker back to now and keeps the stored date.
TEST(SettingsLookPages, ConstructionPageRules)
{
    Pages p;
    auto *page = p.Show<CChildDlgConstruction>(CSettingsFrmVw::Construction);
    // A new course.
    EXPECT_FALSE(page->ObjectiveScreens()->isChecked());
    EXPECT_EQ(page->ScreenCount()->text(), "4");
    EXPECT_FALSE(page->PageBreaks()->isEnabled());
    EXPECT_TRUE(page->PageBreaks()->isChecked());
    EXPECT_EQ(page->OutlineLabel()->text(), "OUTLINE");
    EXPECT_FALSE(page->OutlineLabel()->isEnabled());
    EXPECT_EQ(page->ExpiryMessage()->text(), "This course has now expired");
    EXPECT_FALSE(page->ExpiryPicker()->isEnabled());

    Type(page->ScreenCount(), "abc");
    Leave(page->ScreenCount());
    EXPECT_EQ(p.f.prompt.Texts(), QStringList{"Please enter an integer."});
    EXPECT_EQ(p.doc->Settings().ContentScreenCount, 4);
    Type(page->ScreenCount(), "12");
    Leave(page->ScreenCount());
    EXPECT_EQ(p.doc->Settings().ContentScreenCount, 12);
    Click(page->SpinUp());
    EXPECT_EQ(page->ScreenCount()->text(), "10");
    EXPECT_EQ(p.doc->Settings().ContentScreenCount, 10);
    Click(page->SpinUp());
    EXPECT_EQ(p.doc->Settings().ContentScreenCount, 10);

    Click(page->CreateOutline());
    EXPECT_EQ(p.doc->Settings().CreateOutline, 1);
    p.doc->SetModifiedFlag(false);
    Type(page->OutlineNumber(2), "");
    Leave(page->OutlineNumber(2));
    EXPECT_EQ(p.doc->Settings().OutlineWidth, 0);
    EXPECT_TRUE(p.doc->IsModified());
    p.doc->SetModifiedFlag(false);
    Type(page->OutlineLabel(), "MAP");
    Leave(page->OutlineLabel());
    EXPECT_EQ(p.doc->Settings().OutlineLabel, "MAP");
    EXPECT_TRUE(p.doc->IsModified());
    Type(page->OutlineNumber(0), "x7");
    EXPECT_EQ(page->OutlineNumber(0)->text(), "7");

    EXPECT_TRUE(page->OutlineNumber(0)->isEnabled());
    Click(page->UseButton());
    EXPECT_FALSE(page->OutlineNumber(0)->isEnabled());
    EXPECT_FALSE(page->OutlineNumber(1)->isEnabled());
    EXPECT_FALSE(page->LinkColour()->isEnabled());
    EXPECT_TRUE(page->OutlineNumber(2)->isEnabled());

    p.doc->SetModifiedFlag(false);
    Click(page->SetExpiry());
    EXPECT_TRUE(p.doc->IsModified());
    ASSERT_TRUE(page->ExpiryPicker()->isEnabled());
    const int64_t stored = p.doc->Settings().ExpiryDate;
    page->ExpiryPicker()->setDateTime(QDateTime::fromSecsSinceEpoch(kNow - 86400, Qt::UTC));
    EXPECT_EQ(page->ExpiryPicker()->dateTime().toSecsSinceEpoch(), kNow);
    EXPECT_EQ(p.doc->Settings().ExpiryDate, stored);
    page->ExpiryPicker()->setDateTime(QDateTime::fromSecsSinceEpoch(kNow + 7 * 86400, Qt::UTC));
    EXPECT_EQ(p.doc->Settings().ExpiryDate, kNow + 7 * 86400);
}

// Guards the Graphics page: a new course's states; unticking the library greys what depends on it; a typed
// interval below 1 stores 1 and 20 stores 20; a size radio replaces a stored size; the category dialog's OK
// replaces both lists in its order and marks the project, Cancel changes nothing.
TEST(SettingsLookPages, GraphicsPageRules)
{
    Pages p;
    auto *page = p.Show<CChildDlgGraphics>(CSettingsFrmVw::Graphics);
    EXPECT_TRUE(page->SizeRadio(1)->isChecked());
    EXPECT_FALSE(page->BorderType(0)->isEnabled());
    EXPECT_TRUE(page->BorderType(0)->isChecked());
    EXPECT_TRUE(page->Kind(0)->isChecked());
    EXPECT_FALSE(page->Kind(3)->isChecked());
    EXPECT_FALSE(page->SetCategories()->isEnabled());
    EXPECT_FALSE(page->KenBurnsInterval()->isEnabled());
    EXPECT_EQ(page->KenBurnsInterval()->currentText(), "3");
    EXPECT_TRUE(page->Effect(4)->isChecked());

    Click(page->Prioritise());
    EXPECT_TRUE(page->SetCategories()->isEnabled());
    Click(page->AutoLibrary());
    for (QWidget *w : {static_cast<QWidget *>(page->Kind(0)), static_cast<QWidget *>(page->RandomMatch()),
                       static_cast<QWidget *>(page->Prioritise()), static_cast<QWidget *>(page->SetCategories())})
        EXPECT_FALSE(w->isEnabled());
    Click(page->AutoLibrary());

    Click(page->KenBurns());
    ASSERT_TRUE(page->KenBurnsInterval()->isEnabled());
    for (const auto &[typed, stored] : {std::pair("0", 1), std::pair("-3", 1), std::pair("20", 20)}) {
        Type(page->KenBurnsInterval()->lineEdit(), QString::fromLatin1(typed));
        EXPECT_EQ(p.doc->Settings().KenBurnsInterval, stored) << typed;
    }
    p.view->RefreshFromDocument();
    EXPECT_EQ(page->KenBurnsInterval()->currentIndex(), -1);

    Click(page->SizeRadio(3));
    EXPECT_EQ(p.doc->Settings().GraphicSize, 3);

    p.doc->MutableSettings().GraphicsCategories = {"Architecture", "Nature"};
    p.doc->MutableSettings().PriorityCategories = {"People"};
    bool accept = false;
    page->SetCategoryDialog([&](QStringList &available, QStringList &prioritised, QWidget *) {
        available = {"Architecture"};
        prioritised = {"Nature", "People"};
        return accept;
    });
    p.doc->SetModifiedFlag(false);
    Click(page->SetCategories());
    EXPECT_EQ(p.doc->Settings().PriorityCategories, QStringList{"People"});
    EXPECT_FALSE(p.doc->IsModified());
    accept = true;
    Click(page->SetCategories());
    EXPECT_EQ(p.doc->Settings().GraphicsCategories, QStringList{"Architecture"});
    EXPECT_EQ(p.doc->Settings().PriorityCategories, (QStringList{"Nature", "People"}));
    EXPECT_TRUE(p.doc->IsModified());
}

// Guards the author's work: values set through each of the six pages are in the project after Save As, New
// and Open, and the pages show them again.
TEST(SettingsLookPages, ValuesSurviveSaveAndReopen)
{
    Pages p;
    auto *general = p.Show<CChildDlgGeneral>(CSettingsFrmVw::General);
    Type(general->Edit(CChildDlgGeneral::Code), "HS-7");
    Click(general->ShowCheck(CChildDlgGeneral::Date));
    general->OpenMetadataPanel();
    Type(general->MetadataEditor()->Field("Item title"), "Lesson one");
    general->MetadataEditor()->Combo(CChdMetadataOpen::Status)->setCurrentIndex(2);
    auto *themes = p.Show<CChildDlgThemes>(CSettingsFrmVw::Themes);
    themes->List()->setCurrentRow(2);
    auto *background = p.Show<CChildDlgBackground>(CSettingsFrmVw::Background);
    background->SetFileDialogs(&p.f.dialogs);
    Click(background->UseBackground());
    const QString picture = p.f.tree.Write("pics/Sea Wall.jpg", Jpeg(Qt::darkCyan));
    p.f.dialogs.answers = {picture};
    Click(background->BackgroundBrowse());
    Click(background->Bar(CChildDlgBackground::Swap));
    background->ColourButton()->SetChooser([](uint32_t, QWidget *) { return std::optional<uint32_t>(0x102030); });
    QTest::mouseClick(background->ColourButton(), Qt::LeftButton);
    auto *templates = p.Show<CChildDlgTemplates>(CSettingsFrmVw::Templates);
    templates->List()->setCurrentRow(13);
    auto *graphics = p.Show<CChildDlgGraphics>(CSettingsFrmVw::Graphics);
    Click(graphics->SizeRadio(2));
    Click(graphics->Border());
    Click(graphics->BorderType(1));
    auto *construction = p.Show<CChildDlgConstruction>(CSettingsFrmVw::Construction);
    Click(construction->ObjectiveScreens());
    Click(construction->CreateOutline());
    Type(construction->OutlineNumber(3), "480");
    Type(construction->ScreenCount(), "7");
    Leave(construction->ScreenCount());

    p.SaveAndReopen("Pages.kvx");
    const CCourseSettings &s = p.doc->Settings();
    EXPECT_EQ(s.CourseCode, "HS-7");
    EXPECT_EQ(s.ShowCourseDate, 0);
    EXPECT_EQ(s.LomItemTitle, "Lesson one");
    EXPECT_EQ(s.LomStatus, 2);
    EXPECT_EQ(s.Theme, "Classical");
    EXPECT_EQ(s.UseCustomBackground, 1);
    EXPECT_EQ(s.SwapTopAndNavigationBars, 1);
    EXPECT_EQ(s.BgColor, 0x102030u);
    // The save keeps a copy of the background picture in the project, and the project names the copy.
    EXPECT_EQ(s.BgImage, p.f.tree / "s/Pages/Images/Resized/SeaWall.jpg");
    EXPECT_EQ(TempTree::ReadAll(s.BgImage), TempTree::ReadAll(picture));
    EXPECT_FALSE(background->BackgroundPreview()->Bitmap().isNull());
    EXPECT_EQ(s.TemplateType, 13);
    EXPECT_EQ(s.GraphicSize, 2);
    EXPECT_EQ(s.ImageBorderType, 1);
    EXPECT_EQ(s.CreateObjectivePages, 1);
    EXPECT_EQ(s.CreateOutline, 1);
    EXPECT_EQ(s.OutlineHeight, 480);
    EXPECT_EQ(s.ContentScreenCount, 7);

    EXPECT_EQ(general->Edit(CChildDlgGeneral::Code)->text(), "HS-7");
    EXPECT_EQ(general->MetadataEditor()->Combo(CChdMetadataOpen::Status)->currentText(), "Revised");
    EXPECT_EQ(themes->List()->currentItem()->text(), "Classical");
    EXPECT_EQ(background->ColourButton()->GetColor(), 0x102030u);
    EXPECT_EQ(templates->List()->currentRow(), 13);
    EXPECT_TRUE(graphics->BorderType(1)->isChecked());
    EXPECT_EQ(construction->OutlineNumber(3)->text(), "480");
    EXPECT_EQ(construction->ScreenCount()->text(), "7");
}

namespace {

QString ReadText(const QString &path) { return QString::fromUtf8(TempTree::ReadAll(path)); }

// The published files whose name matches, found anywhere under the folder.
QStringList FindFiles(const QString &folder, const QString &pattern)
{
    QStringList found;
    for (QDirIterator it(folder, {pattern}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        found.append(it.next());
    return found;
}

} // namespace

// Guards the road from the pages to the learner: a theme, a background picture and a LOM field set through the
// pages appear in the LMS course (the theme's style and buttons, the picture and its style rule, the metadata),
// and the package still passes the package checker.
TEST(SettingsLookPages, PublishedCourseCarriesThePagesValues)
{
    AppFixture f;
    f.CopyBuiltProgramData();
    const QString project = f.WriteProject("p/Demo.kvx", {{"1", "Welcome", pt_document}, {"2", "Exit Routes", pt_document}},
                                           "Fire Safety");
    auto app = f.Start();
    ASSERT_TRUE(app->OpenDocumentFile(project)) << qPrintable(f.prompt.Texts().join(" | "));
    CCorvessaDoc *doc = app->Document();
    doc->MutableSettings().WarnInteractTooLow = 0;
    doc->MutableSettings().CreateZip = 1;
    doc->MutableSettings().LmsOpensNewWindow = 0;
    CSettingsFrmVw *view = app->SettingsView();

    ClickCategory(view, CSettingsFrmVw::Themes);
    auto *themes = dynamic_cast<CChildDlgThemes *>(view->Page(CSettingsFrmVw::Themes));
    const QList<QListWidgetItem *> harbour = themes->List()->findItems("Harbour", Qt::MatchExactly);
    ASSERT_EQ(harbour.size(), 1);
    themes->List()->setCurrentItem(harbour[0]);
    ASSERT_EQ(doc->Settings().Theme, "Harbour");

    ClickCategory(view, CSettingsFrmVw::Background);
    auto *background = dynamic_cast<CChildDlgBackground *>(view->Page(CSettingsFrmVw::Background));
    background->SetFileDialogs(&f.dialogs);
    Click(background->UseBackground());
    const QString picture = f.tree.Write("pics/Sea Wall.jpg", Jpeg(Qt::darkCyan));
    f.dialogs.answers = {picture};
    Click(background->BackgroundBrowse());

    ClickCategory(view, CSettingsFrmVw::General);
    auto *general = dynamic_cast<CChildDlgGeneral *>(view->Page(CSettingsFrmVw::General));
    general->OpenMetadataPanel();
    Type(general->MetadataEditor()->Field("Catalog"), "SafetyCat");
    general->MetadataEditor()->Keywords()->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(general->MetadataEditor()->Keywords(), "fire; exits");

    f.prompt.SetFallback(CPrompt::yes);
    f.prompt.Clear();
    app->OnViewPublish();
    QTest::mouseClick(app->PublishView()->Button(CPublishFrmVw::Lms), Qt::LeftButton);
    const QString lms = f.tree / "p/Demo Published files/LMS";
    ASSERT_TRUE(QFileInfo::exists(lms + ".zip")) << qPrintable(f.prompt.Texts().join(" | "));

    // The theme: its style rules in the course's style sheet and its navigation pictures.
    const QStringList sheets = FindFiles(lms, "demo.css");
    ASSERT_FALSE(sheets.isEmpty());
    const QString sheet = ReadText(sheets[0]);
    EXPECT_TRUE(sheet.contains("#1E2A38")) << "the Harbour body colour";
    const QString pics = lms + "/content/scripts/pics/";
    const QString harbourFolder = f.ProgramFolder() + "/Themes/Harbour/";
    EXPECT_EQ(TempTree::ReadAll(pics + "bg.jpg"), TempTree::ReadAll(harbourFolder + "bg.jpg"));
    EXPECT_EQ(TempTree::ReadAll(pics + "btn_popup.png"), TempTree::ReadAll(harbourFolder + "Buttons/btn_popup.png"));
    // The background: the picture is published (under the name the save gave its copy) and the style sheet
    // points at it.
    EXPECT_EQ(TempTree::ReadAll(pics + "seawall.jpg"), TempTree::ReadAll(picture));
    EXPECT_TRUE(sheet.contains("pics/seawall.jpg", Qt::CaseInsensitive)) << qPrintable(sheet.left(2000));
    // The LOM fields in the metadata the manifest carries.
    const QString metadata = ReadText(lms + "/kv_metadata.xml");
    EXPECT_TRUE(metadata.contains("SafetyCat"));
    // Keywords separated by semicolons become one keyword element each.
    EXPECT_TRUE(metadata.contains("[ fire ]")) << qPrintable(metadata);
    EXPECT_TRUE(metadata.contains("exits ]"));
    EXPECT_TRUE(ReadText(lms + "/imsmanifest.xml").contains("kv_metadata.xml"));

    QProcess check;
    check.setProcessChannelMode(QProcess::MergedChannels);
    check.start("python3", {QStringLiteral(CORV_SOURCE_DIR "/tests/publish/scorm_check.py"), lms + ".zip",
                            "--same-files-as", lms});
    ASSERT_TRUE(check.waitForFinished(120000));
    EXPECT_EQ(check.exitCode(), 0) << check.readAll().toStdString();
}
