#include "app/ui/ChildDlgAssessment.h"

#include "app/ui/SettingsPageControls.h"
#include "app/ui/controls/SpinEdit.h"
#include "platform/Prompt.h"
#include "dialogs/ui/DlgFeedBack.h"
#include "platform/StringTable.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace CorvPageControls;
using namespace CorvAssessmentRules;

namespace {

QString Text(int id) { return CStringTable::Load(id); }

} // namespace

CChildDlgAssessment::CChildDlgAssessment(CCorvessaDoc &document, QWidget *parent)
    : CSettingsPage(document, parent)
{
    BuildControls();
}

CSpinEdit *CChildDlgAssessment::NumberEdit(const QString &name, NumberField field, int32_t CCourseSettings::*setting)
{
    auto *edit = new CSpinEdit(this);
    edit->setAccessibleName(name);
    const Range range = SpinRange(field);
    edit->SetRange(range.low, range.high);
    edit->setFixedWidth(90);
    const NumberControl control{edit, field, setting};
    m_numbers.push_back(control);
    // Typing marks the project; the number is stored when the edit is left. An arrow stores at once.
    connect(edit, &CSpinEdit::TextEdited, this, [this] { Document().SetModifiedFlag(); });
    connect(edit, &CSpinEdit::editingFinished, this, [this, control] { CommitNumber(control); });
    connect(edit, &CSpinEdit::Stepped, this, [this, setting](int number) {
        Document().MutableSettings().*setting = number;
        Document().SetModifiedFlag();
    });
    return edit;
}

void CChildDlgAssessment::BuildControls()
{
    m_assessment = Make<QCheckBox>(Text(10809), this);
    m_showCorrect = Make<QCheckBox>(Text(10810), this);
    m_feedback = Make<QCheckBox>(Text(10811), this);
    m_feedbackButton = Make<QPushButton>(Text(10812), this);
    m_okProgress = Make<QCheckBox>(QStringLiteral("Automatically progress after click on feedback's 'OK' button"), this);
    m_evaluateNote = Note(QStringLiteral("Question attempts can be evaluated when the user clicks an 'Evaluate' button."), this);
    m_evaluate = Make<QCheckBox>(QStringLiteral("Include 'Evaluate' button"), this);
    m_evaluateProgress = Make<QCheckBox>(QStringLiteral("Automatically progress after click on 'Evaluate' button"), this);
    m_timeLimit = Make<QCheckBox>(Text(10813), this);
    m_timer = Make<QCheckBox>(QStringLiteral("Show timer"), this);
    m_each = Make<QRadioButton>(QStringLiteral("For each question"), this);
    m_all = Make<QRadioButton>(QStringLiteral("For all questions"), this);
    auto *limits = new QButtonGroup(this);
    limits->addButton(m_each);
    limits->addButton(m_all);
    m_eachSeconds = NumberEdit(QStringLiteral("Seconds for each question"), NumberField::EachSeconds,
                               &CCourseSettings::TimeLimitEachQuestion);
    m_allSeconds = NumberEdit(QStringLiteral("Seconds for all questions"), NumberField::AllSeconds,
                              &CCourseSettings::TimeLimitAllQuestions);
    m_eachUnit = new QLabel(Text(10814), this);
    m_allUnit = new QLabel(Text(10814), this);
    m_pool = Make<QCheckBox>(Text(10816), this);
    m_poolCount = NumberEdit(QStringLiteral("Questions from the pool"), NumberField::PoolCount,
                             &CCourseSettings::QuestionCountFromPool);
    m_poolUnit = new QLabel(Text(10817), this);
    m_passMark = Make<QCheckBox>(Text(10818), this);
    m_passMarkValue = NumberEdit(QStringLiteral("Pass mark"), NumberField::PassMark, &CCourseSettings::PercentagePassMark);
    m_passMarkUnit = new QLabel(Text(10819), this);
    m_randomQuestions = Make<QCheckBox>(Text(10820), this);
    m_randomOptions = Make<QCheckBox>(Text(10821), this);
    m_navigationNote = Note(Text(10824), this);
    m_disableNext = Make<QCheckBox>(Text(10825), this);
    m_disableBack = Make<QCheckBox>(Text(10826), this);
    m_disableMenu = Make<QCheckBox>(Text(10827), this);

    auto *grid = new QGridLayout(ScrollingBody(this));
    int row = 0;
    grid->addWidget(Note(Text(10808), this), row++, 0, 1, 4);
    grid->addWidget(m_assessment, row++, 0, 1, 4);
    grid->addWidget(m_showCorrect, row++, 0, 1, 4);
    auto *feedback = new QHBoxLayout;
    feedback->addWidget(m_feedback);
    feedback->addWidget(m_feedbackButton);
    feedback->addStretch(1);
    grid->addLayout(feedback, row++, 0, 1, 4);
    grid->addWidget(m_okProgress, row++, 0, 1, 4);
    grid->addWidget(m_evaluateNote, row++, 0, 1, 4);
    grid->addWidget(m_evaluate, row++, 0, 1, 4);
    grid->addWidget(m_evaluateProgress, row++, 0, 1, 4);
    grid->addWidget(m_timeLimit, row, 0);
    grid->addWidget(m_timer, row++, 1);
    grid->addWidget(m_each, row, 0);
    grid->addWidget(m_eachSeconds, row, 1);
    grid->addWidget(m_eachUnit, row++, 2);
    grid->addWidget(m_all, row, 0);
    grid->addWidget(m_allSeconds, row, 1);
    grid->addWidget(m_allUnit, row++, 2);
    grid->addWidget(m_pool, row++, 0, 1, 4);
    grid->addWidget(m_poolCount, row, 1);
    grid->addWidget(m_poolUnit, row++, 2);
    grid->addWidget(m_passMark, row, 0);
    grid->addWidget(m_passMarkValue, row, 1);
    grid->addWidget(m_passMarkUnit, row++, 2);
    grid->addWidget(m_randomQuestions, row++, 0, 1, 4);
    grid->addWidget(m_randomOptions, row++, 0, 1, 4);
    grid->addWidget(m_navigationNote, row++, 0, 1, 4);
    auto *navigation = new QHBoxLayout;
    navigation->addWidget(m_disableNext);
    navigation->addWidget(m_disableBack);
    navigation->addWidget(m_disableMenu);
    navigation->addStretch(1);
    grid->addLayout(navigation, row++, 0, 1, 4);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(3, 1);

    connect(m_assessment, &QCheckBox::clicked, this, &CChildDlgAssessment::OnAssessmentClicked);
    const std::pair<QCheckBox *, int32_t CCourseSettings::*> flags[] = {
        {m_showCorrect, &CCourseSettings::ShowCorrectAnswer},
        {m_feedback, &CCourseSettings::ProvideFeedback},
        {m_okProgress, &CCourseSettings::AutoProgressInAssessment},
        {m_evaluate, &CCourseSettings::IncEvalBtn4Assessment},
        {m_evaluateProgress, &CCourseSettings::AutoProgressOnEvaluateInAssessment},
        {m_timeLimit, &CCourseSettings::SetTimeLimitPerQuestion},
        {m_timer, &CCourseSettings::ShowTimer},
        {m_pool, &CCourseSettings::SetQuestionCountFromPool},
        {m_passMark, &CCourseSettings::SetPercentagePassMark},
        {m_randomQuestions, &CCourseSettings::PresentRandomQuestions},
        {m_randomOptions, &CCourseSettings::PresentRandomMultiChoice},
        {m_disableNext, &CCourseSettings::DisableNextBtn2},
        {m_disableBack, &CCourseSettings::DisableBackBtn2},
        {m_disableMenu, &CCourseSettings::DisableMenuBtn2},
    };
    for (const auto &[box, setting] : flags)
        connect(box, &QCheckBox::clicked, this, [this, setting](bool on) { OnFlag(setting, on); });
    connect(m_each, &QRadioButton::clicked, this, [this] { OnFlag(&CCourseSettings::TimeLimitType, false); });
    connect(m_all, &QRadioButton::clicked, this, [this] { OnFlag(&CCourseSettings::TimeLimitType, true); });
    connect(m_feedbackButton, &QPushButton::clicked, this, &CChildDlgAssessment::OnFeedbackButton);
}

void CChildDlgAssessment::ResetToDefaults()
{
    ResetAssessment(Document().MutableSettings());
    RefreshFromDocument();
}

void CChildDlgAssessment::RefreshFromDocument()
{
    const CCourseSettings &s = Document().Settings();
    ShowChecked(m_assessment, s.LastAssessmentTopic != 0);
    ShowChecked(m_feedback, s.ProvideFeedback != 0);
    ShowChecked(m_timeLimit, s.SetTimeLimitPerQuestion != 0);
    ShowChecked(m_pool, s.SetQuestionCountFromPool != 0);
    ShowChecked(m_passMark, s.SetPercentagePassMark != 0);
    ShowChecked(s.TimeLimitType == 0 ? m_each : m_all, true);
    ShowChecked(m_showCorrect, s.ShowCorrectAnswer != 0);
    ShowChecked(m_timer, s.ShowTimer != 0);
    ShowChecked(m_randomQuestions, s.PresentRandomQuestions != 0);
    ShowChecked(m_randomOptions, s.PresentRandomMultiChoice != 0);
    ShowChecked(m_disableNext, s.DisableNextBtn2 != 0);
    ShowChecked(m_disableBack, s.DisableBackBtn2 != 0);
    ShowChecked(m_disableMenu, s.DisableMenuBtn2 != 0);
    for (const NumberControl &number : m_numbers)
        number.edit->SetNumber(s.*number.setting);
    ApplyStates();
}

void CChildDlgAssessment::ApplyStates()
{
    // The rules clear a stored automatic-progress option that the other options no longer allow.
    const AssessmentStates states = ApplyAssessmentRules(Document().MutableSettings());
    const CCourseSettings &s = Document().Settings();
    Enable({m_eachUnit, m_allUnit, m_poolUnit, m_evaluateNote, m_navigationNote, m_showCorrect, m_feedback,
            m_timeLimit, m_pool, m_evaluate, m_randomQuestions, m_randomOptions, m_disableNext, m_disableBack,
            m_disableMenu},
           states.options);
    m_feedbackButton->setEnabled(states.feedbackButton);
    m_okProgress->setEnabled(states.okProgress);
    ShowChecked(m_okProgress, s.AutoProgressInAssessment != 0);
    ShowChecked(m_evaluate, s.IncEvalBtn4Assessment != 0);
    m_evaluateProgress->setEnabled(states.evaluateProgress);
    ShowChecked(m_evaluateProgress, s.AutoProgressOnEvaluateInAssessment != 0);
    Enable({m_timer, m_each, m_all}, states.timer);
    m_eachSeconds->setEnabled(states.eachSeconds);
    m_allSeconds->setEnabled(states.allSeconds);
    m_poolCount->setEnabled(states.poolCount);
    Enable({m_passMarkValue, m_passMarkUnit}, states.passMark);
}

void CChildDlgAssessment::OnFlag(int32_t CCourseSettings::*setting, bool on)
{
    Document().MutableSettings().*setting = Flag(on);
    Document().SetModifiedFlag();
    ApplyStates();
}

void CChildDlgAssessment::OnAssessmentClicked(bool on)
{
    CCourseSettings &s = Document().MutableSettings();
    s.LastAssessmentTopic = s.LinearSourceAssessable = Flag(on);
    Document().SetModifiedFlag();
    ApplyStates();
    // The Import window shows the linear source as assessable, and the Management page offers resuming
    // only where the course does not end in its assessment: every view shows the document again.
    Document().UpdateAllViews();
}

void CChildDlgAssessment::OnFeedbackButton()
{
    CCourseSettings &s = Document().MutableSettings();
    CDlgFeedBack dialog(this);
    dialog.correctFeedback = s.AssmntFeedBackCorrect;
    dialog.wrongFeedback = s.AssmntFeedBackWrong;
    if (dialog.exec() != QDialog::Accepted)
        return;
    s.AssmntFeedBackCorrect = dialog.correctFeedback;
    s.AssmntFeedBackWrong = dialog.wrongFeedback;
    Document().SetModifiedFlag();
}

void CChildDlgAssessment::CommitNumber(const NumberControl &control)
{
    const NumberEntry entry = CheckNumber(control.field, control.edit->Text());
    int32_t &setting = Document().MutableSettings().*control.setting;
    // The edit shows what is stored before the author is told, so leaving the message box asks nothing again.
    if (entry.store)
        Store(Document(), setting, entry.value);
    control.edit->SetNumber(setting);
    if (!entry.message.isEmpty())
        Document().GetContext().Prompt().Error(entry.message);
}

void CChildDlgAssessment::CommitPendingEdits()
{
    // Only a number still being typed: a stored value the author has not touched stays as the project has it.
    for (const NumberControl &number : m_numbers)
        if (number.edit->Edit()->isModified())
            CommitNumber(number);
}
