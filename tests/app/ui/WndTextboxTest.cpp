#include "app/CommandIds.h"
#include "dialogs/LinkDialogs.h"
#include "dialogs/ui/DlgAddLink.h"
#include "document/CorvessaDoc.h"
#include "editor/ui/RichEditCtrlEx.h"
#include "editor/ui/WndTextbox.h"
#include "model/ComponentTextbox.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/RecordingPrompt.h"
#include "platform/richtext/RichText.h"
#include "ShownCanvas.h"
#include "WidgetDriving.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QFontDialog>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTextCursor>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

QString ShotFolder()
{
    const QString folder = QStringLiteral(CORV_BUILD_TEST_DIR "/rich-text-screenshots");
    QDir().mkpath(folder);
    return folder;
}

// A text box of 300 x 120 on the Edit canvas, its window made by the canvas and the box selected, as the
// author's click leaves it; the formatting bar's reports are recorded from the canvas.
struct Box {
    ShownCanvas shown;
    CComponentTextbox &component;
    CWndTextbox *window = nullptr;
    QStringList toolbar;

    explicit Box(const QString &text = {}, int rightToLeft = 0) : component(Make(text, rightToLeft))
    {
        QObject::connect(shown.canvas.get(), &CScrollViewEx::selectionFontChanged,
                         [this](const QString &face, int points) { toolbar << face + " " + QString::number(points); });
        shown.Put(std::unique_ptr<CComponentTextbox>(&component));
        window = static_cast<CWndTextbox *>(component.GetComponentWindow());
    }
    static CComponentTextbox &Make(const QString &text, int rightToLeft)
    {
        auto *box = new CComponentTextbox;
        box->SetBounds(CRect(20, 20, 320, 140), false);
        box->SetDefaultFont(QStringLiteral("Liberation Sans"), 12, 0);
        box->SetRightToLeft(rightToLeft);
        if (!text.isEmpty())
            box->GetRichText().ReplaceAll(text);
        box->GetRichText().SetSel(0, 0);
        return *box;
    }
    CRichEditCtrlEx &Edit() const { return *window->Editor(); }
    CRichText &Doc() { return component.GetRichText(); }
};

// A course of two screens for the link dialog.
struct Course {
    CCorvessaDoc doc{CCorvContext::Empty(), [] { return int64_t(0); }};
    Course()
    {
        doc.AddScreen(std::make_unique<CCorvPage>(7, QStringLiteral("Welcome"), QString(), QString(), 0, QString(),
                                                  pt_document, 0));
        doc.AddScreen(std::make_unique<CCorvPage>(8, QStringLiteral("Exit Routes"), QString(), QString(), 0,
                                                  QString(), pt_document, 0));
    }
};

} // namespace

// Guards the commands the Edit window forwards to the selected text box by their numbers: each acts on the
// box's own text, and a command that is not a formatting one is left to others.
TEST(WndTextbox, FormattingCommandsActOnTheBoxText)
{
    Box b(QStringLiteral("one two"));
    b.Edit().SetDocSelection(0, 3);
    for (int id : {CorvCommand::Bold, CorvCommand::Italic, CorvCommand::Underline, CorvCommand::Strikeout})
        EXPECT_TRUE(b.window->OnFormatCommand(id));
    const CCharFormat f = b.Doc().GetCharFormat(0, 3);
    EXPECT_TRUE(f.Has(CFE_BOLD) && f.Has(CFE_ITALIC) && f.Has(CFE_UNDERLINE) && f.Has(CFE_STRIKEOUT));
    EXPECT_FALSE(b.Doc().GetCharFormat(4, 7).Has(CFE_BOLD));
    EXPECT_TRUE(b.window->OnFormatCommand(CorvCommand::Bulleting));
    EXPECT_EQ(b.Doc().GetParaFormatAt(0).numbering, PFN_BULLET);
    EXPECT_TRUE(b.window->OnFormatCommand(CorvCommand::AlignCentre));
    EXPECT_EQ(b.Doc().GetParaFormatAt(0).alignment, PFA_CENTER);
    EXPECT_FALSE(b.window->OnFormatCommand(CorvCommand::DrawLine));

    b.window->SetSelectionFontName(QStringLiteral("Liberation Mono"));
    b.window->SetSelectionFontSize(20);
    EXPECT_EQ(b.Doc().GetCharFormat(0, 3).face, QStringLiteral("Liberation Mono"));
    EXPECT_EQ(b.Doc().GetCharFormat(0, 3).height, 400);
}

// Guards the formatting bar: a uniform selection reports its face and size in points, a selection of two
// faces leaves the bar as it is.
TEST(WndTextbox, FormattingBarShowsUniformFaceAndSize)
{
    Box b(QStringLiteral("one two"));
    b.Edit().SetDocSelection(0, 3);
    b.Edit().SetSelectionFace(QStringLiteral("Liberation Serif"));
    b.toolbar.clear();
    b.Edit().SetDocSelection(4, 7);
    EXPECT_EQ(b.toolbar, QStringList{"Liberation Sans 12"});
    b.toolbar.clear();
    b.Edit().SetDocSelection(0, 7);
    EXPECT_TRUE(b.toolbar.isEmpty());
    b.Edit().SetDocSelection(1, 2);
    EXPECT_EQ(b.toolbar, QStringList{"Liberation Serif 12"});
}

// Guards the font dialog: face, size, colour, underline and strike-out are applied, and so are the bold and
// italic the author chose there (a dialog that offers them and drops them loses the author's choice).
TEST(WndTextbox, FontDialogAppliesEveryChoice)
{
    Box b(QStringLiteral("styled"));
    b.Edit().SetDocSelection(0, 6);
    bool fontAnswered = false;
    bool colourAnswered = false;
    AnswerNextDialog<QFontDialog>([&](QFontDialog *dialog) {
        EXPECT_EQ(dialog->currentFont().family(), QStringLiteral("Liberation Sans"));
        EXPECT_EQ(dialog->currentFont().pointSize(), 12);
        QFont font(QStringLiteral("Liberation Serif"), 16);
        font.setBold(true);
        font.setItalic(true);
        font.setUnderline(true);
        dialog->setCurrentFont(font);
        // The colour is asked for once the font is chosen.
        AnswerNextDialog<QColorDialog>(
            [](QColorDialog *colours) {
                colours->setCurrentColor(QColor(0, 0, 255));
                colours->accept();
            },
            &colourAnswered);
        dialog->accept();
    }, &fontAnswered);
    b.window->OnFont();
    EXPECT_TRUE(fontAnswered && colourAnswered);
    const CCharFormat f = b.Doc().GetCharFormat(0, 6);
    EXPECT_EQ(f.face, QStringLiteral("Liberation Serif"));
    EXPECT_EQ(f.height, 320);
    EXPECT_EQ(f.colour, 0x00FF0000u); // blue as a COLORREF
    EXPECT_TRUE(f.Has(CFE_BOLD) && f.Has(CFE_ITALIC) && f.Has(CFE_UNDERLINE));
    EXPECT_FALSE(f.Has(CFE_STRIKEOUT));

    // Cancel leaves the text as it was.
    bool cancelled = false;
    AnswerNextDialog<QFontDialog>([](QFontDialog *dialog) { dialog->reject(); }, &cancelled);
    b.window->OnFont();
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(b.Doc().GetCharFormat(0, 6).face, QStringLiteral("Liberation Serif"));
}

// Guards the reading direction: a box of a right-to-left course is laid out right to left, and "Left to
// right" switches that box alone, its text aligned left and the choice kept with the box.
TEST(WndTextbox, ReadingDirectionPerBox)
{
    Box rtl(QStringLiteral("שלום"), 1);
    Box other(QStringLiteral("שלום"), 1);
    EXPECT_EQ(rtl.window->layoutDirection(), Qt::RightToLeft);
    rtl.window->OnLeftToRight();
    EXPECT_EQ(rtl.window->layoutDirection(), Qt::LeftToRight);
    EXPECT_EQ(rtl.component.GetRightToLeft(), 0);
    EXPECT_EQ(rtl.Doc().GetParaFormatAt(0).alignment, PFA_LEFT);
    EXPECT_EQ(other.window->layoutDirection(), Qt::RightToLeft);
    rtl.window->OnRightToLeft();
    EXPECT_EQ(rtl.Doc().GetParaFormatAt(0).alignment, PFA_RIGHT);
    EXPECT_EQ(rtl.component.GetRightToLeft(), 1);
}

// Guards the thumbnail's greyed text, from the box's own display lines.
TEST(WndTextbox, ThumbnailTextIsGreyed)
{
    EXPECT_EQ(Box(QStringLiteral("abc")).window->ThumbnailText(), QStringLiteral("a c "));
    EXPECT_EQ(Box(QStringLiteral("abcd")).window->ThumbnailText(), QStringLiteral("a c \n"));
    EXPECT_EQ(Box(QStringLiteral("a")).window->ThumbnailText(), QStringLiteral("a "));
}

// Guards overflow: text typed past the box's height is all kept and the box scrolls, from the line that the
// publisher's layout no longer fits; a picture of the box being edited is kept.
TEST(WndTextbox, TypingPastTheHeightScrollsAndKeepsEverything)
{
    Box b;
    b.Edit().setFocus();
    int lines = 0;
    while (b.window->CountHiddenLines() == 0 && lines < 20) {
        if (lines > 0)
            QTest::keyClick(&b.Edit(), Qt::Key_Return);
        QTest::keyClicks(&b.Edit(), QStringLiteral("Line %1 of the safety text").arg(++lines));
        EXPECT_EQ(b.Edit().verticalScrollBarPolicy(),
                  b.window->CountHiddenLines() > 0 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    }
    ASSERT_GT(lines, 2);
    ASSERT_LT(lines, 20);
    EXPECT_EQ(b.Doc().GetParagraphCount(), lines);
    EXPECT_EQ(b.Edit().verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    // The lines that fit are those the publisher's layout fits in the box's height.
    CRichText measured(b.Doc());
    measured.SetLayoutSize(300, 120);
    EXPECT_EQ(measured.CountHiddenLines(), b.window->CountHiddenLines());

    b.Edit().SetDocSelection(0, 6);
    b.Edit().ToggleBold();
    EXPECT_TRUE(b.window->grab().save(ShotFolder() + "/textbox-editing.png"));
}

// Guards the TEXTBOX menu: its entries in order, the text commands acting on the box, and the component
// commands carried out by the canvas the program wired the window to (Copy fills the clipboard, Cut takes
// the box off the screen).
TEST(WndTextbox, ContextMenu)
{
    Box b(QStringLiteral("menu text"));
    std::unique_ptr<QMenu> menu(b.window->CreateContextMenu(nullptr));
    QStringList texts;
    for (QAction *a : menu->actions())
        if (!a->isSeparator())
            texts << a->text();
    EXPECT_EQ(texts, (QStringList{"Cu&t Textbox", "&Copy Textbox", "&Paste Textbox", "Cut T&ext", "Copy Te&xt",
                                  "Pa&ste Text", "&Font...", "&Bold", "&Italic", "&Underline", "&Strikeout",
                                  "Bu&llet", "Left align", "Centre", "Right align", "Justify", "De&crease Indent",
                                  "I&ncrease Indent", "Left to right", "Right to left", "&Delete Link",
                                  "B&ring to top", "Send to bac&k", "Properties..."}));
    const auto trigger = [&](const QString &text) {
        for (QAction *a : menu->actions())
            if (a->text() == text)
                a->trigger();
        QApplication::processEvents(); // the component commands run once the menu has returned
    };
    b.Edit().SetDocSelection(0, 4);
    trigger("&Bold");
    EXPECT_TRUE(b.Doc().GetCharFormat(0, 4).Has(CFE_BOLD));
    trigger("&Copy Textbox");
    auto *copied = dynamic_cast<const CComponentTextbox *>(b.shown.canvas->Clipboard().GetComponent());
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->GetRichText().GetText(), QStringLiteral("menu text"));
    trigger("&Paste Textbox");
    EXPECT_EQ(b.shown.screen->GetComponentCount(), 2);
    CComponentBase *box = &b.component;
    trigger("Cu&t Textbox");
    EXPECT_FALSE(b.shown.screen->Contains(box));
    EXPECT_EQ(b.shown.screen->GetComponentCount(), 1);
}

// Guards a link made through the dialog: the author picks a screen (or types an address), the selected words
// become the link with the chosen target, and Delete Link takes it off again. Pictures of each mode of the
// dialog are kept.
TEST(WndTextbox, LinkMadeThroughTheDialog)
{
    Course course;
    Box b(QStringLiteral("See the exit routes now"));
    CRecordingPrompt prompt;

    CDlgAddLink dialog(course.doc);
    dialog.values.selectedText = QStringLiteral("exit routes");
    dialog.ShowValues();
    dialog.show();
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    EXPECT_EQ(dialog.ScreenCombo()->count(), 2);
    EXPECT_TRUE(dialog.grab().save(ShotFolder() + "/link-dialog-screen.png"));
    dialog.PopupCheck()->click();
    EXPECT_FALSE(dialog.MaximumRadio()->isEnabled());
    dialog.ScreenCombo()->setCurrentIndex(1);
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    EXPECT_EQ(dialog.values.targetScreen, 8);
    EXPECT_EQ(dialog.values.popup, 0);

    // Glossary and popups lists, and the two other modes, as the author sees them.
    dialog.ShowCombo()->setCurrentIndex(CAddLinkValues::ShowCourseAndPopups);
    emit dialog.ShowCombo()->activated(CAddLinkValues::ShowCourseAndPopups);
    EXPECT_TRUE(dialog.PopupCheck()->isChecked());
    EXPECT_FALSE(dialog.PopupCheck()->isEnabled());
    EXPECT_TRUE(dialog.grab().save(ShotFolder() + "/link-dialog-popup.png"));
    dialog.ShowCombo()->setCurrentIndex(CAddLinkValues::ShowGlossary);
    emit dialog.ShowCombo()->activated(CAddLinkValues::ShowGlossary);
    EXPECT_EQ(dialog.WidthSpin()->value(), 650);
    EXPECT_TRUE(dialog.grab().save(ShotFolder() + "/link-dialog-glossary.png"));
    dialog.UrlRadio()->click();
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    QTest::keyClicks(dialog.AddressEdit(), "http://example.com/");
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    EXPECT_TRUE(dialog.grab().save(ShotFolder() + "/link-dialog-web-address.png"));
    dialog.ScriptRadio()->click();
    EXPECT_FALSE(dialog.AddressEdit()->isEnabled());
    QTest::keyClicks(dialog.ScriptEdit(), "kvx.close();");
    EXPECT_TRUE(dialog.grab().save(ShotFolder() + "/link-dialog-script.png"));
    dialog.ScreenRadio()->click();
    EXPECT_TRUE(dialog.AddressEdit()->text().isEmpty());
    dialog.ShowCombo()->setCurrentIndex(CAddLinkValues::ShowCourse);
    emit dialog.ShowCombo()->activated(CAddLinkValues::ShowCourse);
    dialog.PopupCheck()->click();
    EXPECT_EQ(dialog.values.popup, 0);
    dialog.ScreenCombo()->setCurrentIndex(1);
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    // "exit routes" selected in the box becomes a link to the second screen.
    b.Edit().SetDocSelection(8, 19);
    ASSERT_TRUE(b.window->AddLink(dialog.values, prompt));
    ASSERT_EQ(b.component.GetLinkCount(), 1);
    const CURLLink &link = *b.component.GetContent().GetLinks()[0];
    EXPECT_EQ(link.GetText(), QStringLiteral("exit routes"));
    EXPECT_EQ(link.IsScreenLink(), 1);
    EXPECT_EQ(link.GetTargetScreen(), 8);
    EXPECT_EQ(link.GetPopup(), 0);
    EXPECT_EQ(b.Doc().GetText(), QStringLiteral("See the [0002#exit routes#0002] now"));
    EXPECT_EQ(b.Edit().toPlainText(), QStringLiteral("See the exit routes now"));
    EXPECT_TRUE(b.Doc().GetCharFormat(14, 25).Has(CFE_LINK));

    // Nothing selected, or a selection holding part of the link, makes no link.
    b.Edit().SetDocSelection(2, 2);
    EXPECT_FALSE(b.window->AddLink(dialog.values, prompt));
    b.Edit().SetDocSelection(4, 18);
    EXPECT_FALSE(b.window->AddLink(dialog.values, prompt));
    EXPECT_EQ(b.component.GetLinkCount(), 1);

    b.Edit().SetDocSelection(16, 16);
    EXPECT_TRUE(b.window->OnDeleteLink());
    EXPECT_EQ(b.component.GetLinkCount(), 0);
    EXPECT_EQ(b.Doc().GetText(), QStringLiteral("See the exit routes now"));
    EXPECT_FALSE(b.Doc().GetCharFormat(8, 19).Has(CFE_LINK));
}

// Guards the "Replace link text" dialog: the text preset, edited and read back.
TEST(WndTextbox, ReplaceLinkTextDialog)
{
    CDlgUpdateLinkText dialog;
    dialog.text = QStringLiteral("old");
    QTimer::singleShot(0, &dialog, [&] {
        dialog.TextEdit()->selectAll();
        QTest::keyClicks(dialog.TextEdit(), "new words");
        EXPECT_TRUE(dialog.grab().save(ShotFolder() + "/link-dialog-replace-text.png"));
        dialog.accept();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.text, QStringLiteral("new words"));
}
