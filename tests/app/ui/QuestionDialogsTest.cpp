#include "AppFixture.h"

#include "app/ui/controls/ColorSelectButton.h"
#include "app/ui/controls/ImageStatic.h"
#include "dialogs/ui/DlgAddFlashQuestion.h"
#include "dialogs/ui/DlgAddScreen.h"
#include "dialogs/ui/DlgFeedBack.h"
#include "dialogs/ui/DlgFreeFormText.h"
#include "dialogs/ui/DlgImportNewDocument.h"
#include "dialogs/ui/DlgInsertTable.h"
#include "dialogs/ui/DlgLikertQuestion.h"
#include "dialogs/ui/DlgQuestionCompleteParagraph.h"
#include "dialogs/ui/DlgQuestionFillBlanks.h"
#include "dialogs/ui/DlgQuestionMatchPairs.h"
#include "dialogs/ui/DlgQuestionMultipleChoice.h"
#include "dialogs/ui/DlgQuestionPartsIdentification.h"
#include "dialogs/ui/DlgQuestionTrueFalse.h"
#include "dialogs/ui/DlgRemediation.h"
#include "dialogs/ui/PartTargetsView.h"
#include "document/CorvessaDoc.h"
#include "document/ScreenFactory.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/CorvContext.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Each dialog as the author sees it, kept in the build folder for a person to look at.
void Shot(QWidget &dialog, const QString &name)
{
    const QString folder = QStringLiteral(CORV_BUILD_TEST_DIR) + QStringLiteral("/screenshots");
    QDir().mkpath(folder);
    dialog.grab().save(folder + QStringLiteral("/dialog-%1.png").arg(name));
}

void Type(QWidget *box, const QString &text)
{
    box->setFocus();
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->selectAll();
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(box))
        plain->selectAll();
    else if (auto *spin = qobject_cast<QAbstractSpinBox *>(box))
        spin->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

void Click(QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2)); }

void PressOk(QDialog &dialog)
{
    Click(dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok));
}

void PressCancel(QDialog &dialog)
{
    Click(dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel));
}

// A dialog shown as the author gets it, its messages recorded.
template <class Dialog>
void Open(Dialog &dialog, CRecordingPrompt &prompt)
{
    dialog.prompt = &prompt;
    dialog.ShowValues();
    dialog.show();
    QApplication::setActiveWindow(&dialog);
}

QString PicturePng(const TempTree &tree, const QString &relative, int w, int h)
{
    const QString path = tree.Write(relative, QByteArray());
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(40, 140, 90));
    image.save(path, "PNG");
    return path;
}

} // namespace

// Guards the multiple-choice dialog as an author uses it: OK with no stem says so and puts the caret in
// the stem box; a tick on an empty option is no correct answer; typed and ticked values come back on OK.
TEST(QuestionDialogs, MultipleChoiceTypedAndChecked)
{
    CRecordingPrompt prompt;
    CDlgQuestionMultipleChoice dialog;
    dialog.values.correctFeedback = "Well done.";
    Open(dialog, prompt);
    Shot(dialog, "multiple-choice");
    Type(dialog.OptionBox(0), "Gulls");
    Type(dialog.OptionBox(1), "Owls");
    PressOk(dialog);
    EXPECT_EQ(prompt.Texts(), QStringList{"Question stem can not be empty."});
    EXPECT_TRUE(dialog.StemBox()->hasFocus());
    EXPECT_TRUE(dialog.isVisible());
    Type(dialog.StemBox(), "Which birds nest on cliffs?");
    Click(dialog.CorrectBox(4));
    PressOk(dialog);
    EXPECT_EQ(prompt.Texts().last(), "You must select at least one correct answer.");
    Click(dialog.CorrectBox(4));
    Click(dialog.CorrectBox(0));
    Click(dialog.SingleAnswerBox());
    PressOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.values.stem, "Which birds nest on cliffs?");
    EXPECT_EQ(dialog.values.options[1], "Owls");
    EXPECT_EQ(dialog.values.correct, (std::array<int, 5>{1, 0, 0, 0, 0}));
    EXPECT_EQ(dialog.values.singleAnswer, 1);
    EXPECT_EQ(dialog.values.correctFeedback, "Well done.");
}

// Guards Cancel: what the author typed (and a failed OK before) never reaches the values.
TEST(QuestionDialogs, CancelKeepsTheValues)
{
    CRecordingPrompt prompt;
    CDlgQuestionFillBlanks dialog;
    dialog.values.questionText = "A **** gull";
    dialog.values.words[0] = "young";
    const CBlankQuestionValues before = dialog.values;
    Open(dialog, prompt);
    Type(dialog.QuestionBox(), "A **** gull ****");
    Type(dialog.WordBox(3), "grey");
    PressOk(dialog);
    EXPECT_EQ(prompt.Texts(), QStringList{});
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    dialog.values = before;
    dialog.ShowValues();
    dialog.show();
    Type(dialog.QuestionBox(), "");
    Type(dialog.WordBox(0), "");
    PressOk(dialog);
    EXPECT_EQ(prompt.Texts(), QStringList{"You must enter at least one blank word."});
    PressCancel(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.values, before);
}

// Guards the blank dialogs: the mismatch message, words in any boxes, words returned as typed, and each
// dialog's own instruction.
TEST(QuestionDialogs, BlankDialogs)
{
    CRecordingPrompt prompt;
    CDlgQuestionFillBlanks blanks;
    Open(blanks, prompt);
    Shot(blanks, "fill-in-the-blanks");
    EXPECT_EQ(blanks.InstructionBox()->toPlainText(), "Type the missing words in the paragraph below.");
    Type(blanks.QuestionBox(), "A ***** gull");
    Type(blanks.WordBox(1), " chick;fledgling ");
    PressOk(blanks);
    EXPECT_EQ(prompt.Texts(), QStringList{"The number of blank words does not match to the number of words."});
    Type(blanks.WordBox(6), "young");
    PressOk(blanks);
    EXPECT_EQ(blanks.result(), QDialog::Accepted);
    EXPECT_EQ(blanks.values.words[1], " chick;fledgling ");

    CDlgQuestionCompleteParagraph paragraph;
    Open(paragraph, prompt);
    Shot(paragraph, "complete-the-paragraph");
    EXPECT_EQ(paragraph.InstructionBox()->toPlainText(),
              "Click and drag these words to the correct location to complete the paragraph below.");
    Type(paragraph.QuestionBox(), "Gulls **** on cliffs.");
    Type(paragraph.WordBox(0), "nest");
    PressOk(paragraph);
    EXPECT_EQ(paragraph.result(), QDialog::Accepted);
    EXPECT_EQ(paragraph.values.questionText, "Gulls **** on cliffs.");
}

// Guards the true/false dialog: its defaults, an empty statement sending the caret to the statement box,
// the radio pair marking one option, and the feedback box turning white while it has the focus.
TEST(QuestionDialogs, TrueFalseAndFeedbackColour)
{
    CRecordingPrompt prompt;
    CDlgQuestionTrueFalse dialog;
    Open(dialog, prompt);
    Shot(dialog, "true-false");
    EXPECT_EQ(dialog.OptionABox()->text(), "TRUE");
    EXPECT_TRUE(dialog.CorrectBRadio()->isChecked());
    PressOk(dialog);
    EXPECT_EQ(prompt.Texts(), QStringList{"Question stem can not be empty."});
    EXPECT_TRUE(dialog.StatementBox()->hasFocus());
    Type(dialog.StatementBox(), "Gulls can swim.");
    const auto base = [](QPlainTextEdit *box) { return box->palette().color(QPalette::Base); };
    EXPECT_EQ(base(dialog.CorrectFeedbackBox()), CValueDialog::FeedbackColour(false));
    dialog.CorrectFeedbackBox()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(base(dialog.CorrectFeedbackBox()), QColor(Qt::white));
    QTest::keyClicks(dialog.CorrectFeedbackBox(), "Yes.");
    dialog.WrongFeedbackBox()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(base(dialog.CorrectFeedbackBox()), CValueDialog::FeedbackColour(false));
    EXPECT_EQ(base(dialog.WrongFeedbackBox()), QColor(Qt::white));
    QTest::mouseClick(dialog.CorrectARadio(), Qt::LeftButton);
    EXPECT_FALSE(dialog.CorrectBRadio()->isChecked());
    PressOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(std::tie(dialog.values.optionACorrect, dialog.values.optionBCorrect), std::make_tuple(1, 0));
    EXPECT_EQ(dialog.values.correctFeedback, "Yes.");
}

// Guards the course's direction: a question dialog of a right-to-left course opens mirrored; the
// part-identification dialog mirrors only its text boxes.
TEST(QuestionDialogs, RightToLeftCourse)
{
    CDlgQuestionMultipleChoice dialog;
    dialog.rtlLayout = 1;
    QTimer::singleShot(0, &dialog, &QDialog::reject);
    dialog.exec();
    EXPECT_EQ(dialog.layoutDirection(), Qt::RightToLeft);
    CDlgQuestionPartsIdentification parts;
    parts.rtlLayout = 1;
    QTimer::singleShot(0, &parts, &QDialog::reject);
    parts.exec();
    EXPECT_EQ(parts.layoutDirection(), Qt::LeftToRight);
    EXPECT_EQ(parts.QuestionBox()->layoutDirection(), Qt::RightToLeft);
}

// Guards the match-pairs dialog: Add shows the picture's thumbnail, Del takes the picture and keeps the
// text, a lone side is refused, and the pictures and texts come back on OK.
TEST(QuestionDialogs, MatchPairsPictures)
{
    TempTree tree;
    CRecordingPrompt prompt;
    CScriptedDialogs files;
    const QString gull = PicturePng(tree, "gull.png", 400, 200);
    CDlgQuestionMatchPairs dialog;
    dialog.fileDialogs = &files;
    Open(dialog, prompt);
    EXPECT_EQ(dialog.Thumbnail(0)->Bitmap().size(), QSize(40, 40));
    EXPECT_EQ(dialog.SideBox(7)->accessibleName(), "Match 3b");
    Type(dialog.SideBox(0), "Gull");
    files.answers = {gull};
    Click(dialog.AddButton(0));
    EXPECT_EQ(dialog.Thumbnail(0)->Bitmap().size(), QSize(40, 20));
    EXPECT_TRUE(files.asked[0].contains("Picture Files (*.bmp,*.gif,*.jpg,*.jpeg,*.png,*.wmf) (*.bmp *.gif"));
    Click(dialog.DelButton(0));
    EXPECT_EQ(dialog.Thumbnail(0)->Bitmap().size(), QSize(40, 40));
    EXPECT_EQ(dialog.SideBox(0)->text(), "Gull");
    PressOk(dialog);
    EXPECT_EQ(prompt.Texts(), QStringList{"There is a missing matching pair."});
    files.answers = {gull};
    Click(dialog.AddButton(5));
    Type(dialog.SideBox(7), "Wood");
    Type(dialog.SideBox(2), "Owl");
    Click(dialog.ZoomBox());
    Shot(dialog, "match-pairs");
    PressOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.values.leftTexts[0], "Gull");
    EXPECT_EQ(dialog.values.rightImages[0], gull);
    EXPECT_EQ(dialog.values.leftImages[0], "");
    EXPECT_EQ(dialog.values.rightTexts[2], "Wood");
    EXPECT_EQ(dialog.values.zoom, 0);
}

// Guards the part-identification dialog: no picture is refused even with targets placed; a picture that
// does not load is refused; a target dragged while the picture is scrolled comes back relative to the
// unscrolled picture; "All" resolves to the target count.
TEST(QuestionDialogs, PartIdentificationTargets)
{
    TempTree tree;
    CRecordingPrompt prompt;
    CScriptedDialogs files;
    CDlgQuestionPartsIdentification dialog;
    dialog.fileDialogs = &files;
    dialog.values.reduceToFit = 0;
    Open(dialog, prompt);
    PressOk(dialog);
    EXPECT_EQ(prompt.Texts(), QStringList{"You must select an image file."});
    files.answers = {tree.Write("broken.png", "no picture")};
    Click(dialog.BrowseButton());
    PressOk(dialog);
    EXPECT_TRUE(prompt.Texts().last().contains("broken.png"));
    files.answers = {PicturePng(tree, "big.png", 1000, 500)};
    Click(dialog.BrowseButton());
    CPartTargetsView *area = dialog.PictureArea();
    EXPECT_TRUE(area->HorizontalBar()->isVisible());
    dialog.TargetsList()->setCurrentIndex(2);
    dialog.ToMatchList()->setCurrentIndex(0);
    EXPECT_EQ(area->PartCount(), 3);
    area->HorizontalBar()->setValue(60);
    const CRect before = area->GetPartRect(1);
    const QPoint grab(before.left + 10 - 60, before.top + 10);
    QTest::mousePress(area, Qt::LeftButton, {}, grab);
    QMouseEvent move(QEvent::MouseMove, QPointF(grab + QPoint(100, 50)), QPointF(area->mapToGlobal(grab + QPoint(100, 50))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &move);
    QTest::mouseRelease(area, Qt::LeftButton, {}, grab + QPoint(100, 50));
    Type(dialog.QuestionBox(), "Find the beak.");
    Shot(dialog, "part-identification");
    PressOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.values.targetCount, 3);
    EXPECT_EQ(dialog.values.targetsToMatch, 3);
    EXPECT_EQ(dialog.values.targets[1], CRect(before.left + 100, before.top + 50, before.right + 100, before.bottom + 50));
    EXPECT_EQ(area->ScrollOffset(), QPoint(0, 0));
}

// Guards the free-form dialog run by its question: "no selection" in the number to match stays -1, the
// id line shows the id, the maximum takes digits only, and Cancel hands nothing back.
TEST(QuestionDialogs, FreeFormEdit)
{
    CRecordingPrompt prompt;
    CDlgFreeFormText dialog;
    dialog.values.m_questionId = "AB";
    Open(dialog, prompt);
    Shot(dialog, "free-form");
    EXPECT_EQ(dialog.IdLine()->text(), "Free form question ID:AB");
    EXPECT_EQ(dialog.NumberToMatchList()->currentIndex(), -1);
    Type(dialog.InstructionBox(), "Describe a gull.");
    Type(dialog.KeywordBox(0), "white;grey");
    Type(dialog.MaxCharactersBox(), "12x0");
    Click(dialog.Box("Evaluate"));
    PressOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.values.m_numberToMatch, -1);
    EXPECT_EQ(dialog.values.m_maxCharacters, 120);
    EXPECT_EQ(dialog.values.m_keywords[0], "white;grey");
    EXPECT_EQ(dialog.values.m_evaluate, 1);

    CComponentFreeFormText::DialogValues edited;
    edited.m_instruction = "Kept";
    CDlgFreeFormText cancelled;
    QTimer::singleShot(0, &cancelled, [&] {
        Type(cancelled.InstructionBox(), "Changed");
        cancelled.reject();
    });
    EXPECT_FALSE(cancelled.Edit(edited));
    EXPECT_EQ(edited.m_instruction, "Kept");
}

// Guards the slider dialog: the boxes follow the scale and rounding choices; a correct value outside the
// words is refused; markers and decimals are corrected without a word.
TEST(QuestionDialogs, SliderChoices)
{
    CRecordingPrompt prompt;
    CDlgLikertQuestion dialog;
    Open(dialog, prompt);
    Shot(dialog, "slider");
    EXPECT_TRUE(dialog.StartBox()->isEnabled());
    EXPECT_FALSE(dialog.WordsBox()->isEnabled());
    EXPECT_FALSE(dialog.DecimalsBox()->isEnabled());
    Click(dialog.WordsRadio());
    EXPECT_FALSE(dialog.StartBox()->isEnabled());
    EXPECT_FALSE(dialog.ExactRadio()->isEnabled());
    EXPECT_TRUE(dialog.WordsBox()->isEnabled());
    Type(dialog.QuestionBox(), "How many eggs?");
    Type(dialog.WordsBox(), "one;two;three");
    PressOk(dialog);
    EXPECT_EQ(prompt.Texts(), QStringList{"The 'Correct value' is out of range for the values supplied"});
    Type(dialog.CorrectValueBox(), "2");
    Type(dialog.MarkersBox(), "1");
    PressOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.values.useNumbers, 0);
    EXPECT_EQ(dialog.values.words, "one;two;three");
    EXPECT_EQ(dialog.values.correctValue, 2.0);
    EXPECT_EQ(dialog.values.markers, 10);

    CDlgLikertQuestion numbers;
    Open(numbers, prompt);
    Click(numbers.ExactRadio());
    EXPECT_TRUE(numbers.DecimalsBox()->isEnabled());
    Type(numbers.EndBox(), "ten");
    PressOk(numbers);
    EXPECT_EQ(prompt.Texts().last(), "Please enter a number.");
    EXPECT_TRUE(numbers.EndBox()->hasFocus());
    Type(numbers.EndBox(), "0");
    Type(numbers.StartBox(), "0");
    PressOk(numbers);
    EXPECT_EQ(prompt.Texts().last(), "The Start and End values cannot be the same");
    EXPECT_EQ(numbers.values.endValue, 10.0) << "a failed OK changes no value";
}

// Guards the Flash question dialog: the file from Browse, a version out of range becomes 8, an empty
// window mode shows and returns "window", and the caption can be replaced.
TEST(QuestionDialogs, FlashQuestion)
{
    CRecordingPrompt prompt;
    CScriptedDialogs files;
    DlgAddFlashQuestion dialog;
    dialog.fileDialogs = &files;
    dialog.values.title = "Edit Flash Question";
    Open(dialog, prompt);
    Shot(dialog, "flash-question");
    EXPECT_EQ(dialog.windowTitle(), "Edit Flash Question");
    EXPECT_EQ(dialog.WindowModeList()->currentText(), "window");
    files.answers = {"/media/quiz.swf"};
    Click(dialog.BrowseButton());
    EXPECT_TRUE(files.asked[0].endsWith("Flash File (*.swf) (*.swf)"));
    Type(dialog.VersionBox(), "12");
    Click(dialog.FullScreenBox());
    PressOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.values.swfFile, "/media/quiz.swf");
    EXPECT_EQ(dialog.values.version, 8);
    EXPECT_EQ(dialog.values.windowMode, "window");
    EXPECT_EQ(dialog.values.fullScreen, 1);
}

// Guards the template picker: the chosen entry's code, the preview following the selection.
TEST(ScreenDialogs, AddScreenTemplate)
{
    CDlgAddScreen dialog;
    dialog.show();
    Shot(dialog, "add-screen");
    const QImage first = dialog.Preview()->pixmap().toImage();
    dialog.TemplateList()->setCurrentRow(11);
    EXPECT_NE(dialog.Preview()->pixmap().toImage(), first);
    PressOk(dialog);
    EXPECT_EQ(dialog.templateCode, 14);
    dialog.TemplateList()->setCurrentRow(10);
    dialog.accept();
    EXPECT_EQ(dialog.templateCode, 13);
}

// Guards the import dialog: on a linear course "Create a new topic" stays disabled, and with a question
// screen current OK waits for "Import to Glossary only".
TEST(ScreenDialogs, ImportNewDocumentRules)
{
    CRecordingPrompt prompt;
    CScriptedDialogs files;
    CDlgImportNewDocument dialog;
    dialog.fileDialogs = &files;
    dialog.values.menuBased = 0;
    dialog.values.currentPageType = pt_question;
    Open(dialog, prompt);
    Shot(dialog, "import-new-document");
    EXPECT_FALSE(dialog.CreateTopicBox()->isEnabled());
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    files.answers = {"/docs/birds.docx"};
    Click(dialog.BrowseButton());
    Click(dialog.GlossaryBox());
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    PressOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.values.path, "/docs/birds.docx");
    EXPECT_EQ(dialog.values.glossaryOnly, 1);

    CDlgImportNewDocument menu;
    Open(menu, prompt);
    EXPECT_FALSE(menu.TitleBox()->isEnabled());
    Click(menu.CreateTopicBox());
    EXPECT_TRUE(menu.TitleBox()->isEnabled());
    EXPECT_TRUE(menu.OkButton()->isEnabled());
}

// Guards the table dialog: the colour rules as the author clicks, the size check with the box to fix,
// and the values on OK.
TEST(ScreenDialogs, InsertTable)
{
    CRecordingPrompt prompt;
    CDlgInsertTable dialog;
    dialog.values.oldStyleBorders = 0;
    dialog.values.tableBackground = 0x00FFEE;
    dialog.values.cellBorderColour = 0x0000FF;
    Open(dialog, prompt);
    Shot(dialog, "insert-table");
    EXPECT_TRUE(dialog.CellBorderColour()->isEnabled());
    Click(dialog.SetColoursBox());
    EXPECT_FALSE(dialog.TableBackground()->isEnabled());
    EXPECT_EQ(dialog.TableBackground()->GetColor(), 0xFFFFFFu);
    EXPECT_EQ(dialog.CellBorderColour()->GetColor(), 0u);
    Click(dialog.OldStyleBox());
    EXPECT_FALSE(dialog.CellBorderBox()->isEnabled());
    Type(dialog.RowsBox(), "0");
    PressOk(dialog);
    EXPECT_EQ(prompt.Texts(), QStringList{CInsertTableValues::kRowsColumnsMessage});
    EXPECT_TRUE(dialog.RowsBox()->hasFocus());
    Type(dialog.RowsBox(), "4");
    Click(dialog.HeaderRadio(2));
    Type(dialog.SummaryBox(), "Nesting sites");
    PressOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(std::tie(dialog.values.rows, dialog.values.headerKind, dialog.values.setColours,
                       dialog.values.oldStyleBorders),
              std::make_tuple(4, 2, 0, 1));
    EXPECT_EQ(dialog.values.tableBackground, 0xFFFFFFu);
    EXPECT_EQ(dialog.values.summary, "Nesting sites");
}

// Guards the remediation dialog: OK only with counted questions, Add and Remove moving questions between
// the lists, the pass mark corrected, the targets chosen.
TEST(ScreenDialogs, Remediation)
{
    CRecordingPrompt prompt;
    CCorvessaDoc doc(CCorvContext::Empty());
    doc.OnNewDocument();
    CScreenFactory f(doc);
    CCorvPage *topic = f.AddMainMenuScreen("Topic", "1", nullptr);
    CCorvPage *q1 = f.AddMultipleChoiceScreen("Gulls", "1_1", topic, "s", {"a"}, {1}, "", "", 0, 0, "");
    CCorvPage *q2 = f.AddMultipleChoiceScreen("Owls", "1_2", q1, "s", {"a"}, {1}, "", "", 0, 0, "");
    CDlgRemediation dialog(doc);
    Open(dialog, prompt);
    Shot(dialog, "remediation");
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    EXPECT_EQ(dialog.CandidateList()->count(), 2);
    EXPECT_EQ(dialog.CompletionList()->itemText(0), "Next screen after remediation");
    EXPECT_EQ(dialog.ReverseOutList()->itemText(0), "Last screen viewed before remediation");
    Click(dialog.AddButton());
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    dialog.CountedList()->item(0)->setSelected(true);
    Click(dialog.RemoveButton());
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    dialog.CandidateList()->setCurrentIndex(dialog.CandidateList()->findData(q2->GetId()));
    Click(dialog.AddButton());
    dialog.CompletionList()->setCurrentIndex(dialog.CompletionList()->findData(q1->GetId()));
    Type(dialog.PassMarkBox(), "101");
    PressOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.values.counted, std::vector<int>{q2->GetId()});
    EXPECT_EQ(dialog.values.passMark, 80);
    EXPECT_EQ(dialog.values.completionTarget, q1->GetId());
    EXPECT_EQ(dialog.values.reverseOutTarget, -1);
}

// Guards the default feedback dialog: the labels and the two texts typed.
TEST(ScreenDialogs, DefaultFeedback)
{
    CRecordingPrompt prompt;
    CDlgFeedBack dialog;
    dialog.correctFeedback = "Yes.";
    Open(dialog, prompt);
    Shot(dialog, "feedback");
    Type(dialog.WrongBox(), "Not quite.");
    PressOk(dialog);
    EXPECT_EQ(dialog.correctFeedback, "Yes.");
    EXPECT_EQ(dialog.wrongFeedback, "Not quite.");
}

// Guards the picture area: the picture's layout (reduced to fit, or natural size with scroll bars), the
// first picture moving the default targets and a later one not, targets beyond the count ignoring the
// mouse, a target dragged outside coming back inside, and the keys moving the current target.
TEST(QuestionDialogs, PictureAreaTargets)
{
    const auto picture = [](int w, int h) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::gray);
        return image;
    };
    CPartTargetsView area;
    area.show();
    area.SetScalingAllowed(true);
    area.SetBitmap(picture(1500, 300));
    EXPECT_EQ(area.PictureRect(), CRect(0, 0, 750, 150));
    EXPECT_EQ(area.GetPartRect(0), CRect(10, 10, 40, 40));
    area.SetBitmap(picture(400, 200));
    EXPECT_EQ(area.PictureRect(), CRect(175, 0, 575, 200));
    EXPECT_FALSE(area.HorizontalBar()->isVisible());
    EXPECT_EQ(area.GetPartRect(0), CRect(175, 10, 205, 40)) << "a target left of the picture is kept inside it";

    CPartTargetsView fresh;
    fresh.show();
    fresh.SetBitmap(picture(400, 200));
    EXPECT_EQ(fresh.GetPartRect(0), CRect(185, 10, 215, 40)) << "moved by the picture's origin";
    fresh.SetBitmap(picture(400, 200));
    EXPECT_EQ(fresh.GetPartRect(0), CRect(185, 10, 215, 40)) << "only the first picture moves them";
    fresh.SetPartCount(3);
    const CRect fifth = fresh.GetPartRect(4);
    QTest::mousePress(&fresh, Qt::LeftButton, {}, QPoint(fifth.left + 5, fifth.top + 5));
    QTest::mouseRelease(&fresh, Qt::LeftButton, {}, QPoint(fifth.left + 5, fifth.top + 5));
    EXPECT_EQ(fresh.CurrentPart(), 0);
    const CRect second = fresh.GetPartRect(1);
    QTest::mousePress(&fresh, Qt::LeftButton, {}, QPoint(second.left + 5, second.top + 5));
    QMouseEvent move(QEvent::MouseMove, QPointF(second.left + 5, 400), QPointF(fresh.mapToGlobal(QPoint(0, 0))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&fresh, &move);
    QTest::mouseRelease(&fresh, Qt::LeftButton, {}, QPoint(second.left + 5, 400));
    EXPECT_EQ(fresh.GetPartRect(1).bottom, 200) << "dragged below the picture, back at its bottom";
    EXPECT_EQ(fresh.CurrentPart(), 1);
    fresh.setFocus();
    QTest::keyClick(&fresh, Qt::Key_Up);
    QTest::keyClick(&fresh, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(fresh.GetPartRect(1), CRect(second.left, 169, second.right + 1, 199));
}
