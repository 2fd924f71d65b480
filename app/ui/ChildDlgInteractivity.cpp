#include "app/ui/ChildDlgInteractivity.h"

#include "app/AssessmentRules.h"
#include "app/ui/SettingsPageControls.h"
#include "dialogs/ui/DlgFeedBack.h"
#include "platform/StringTable.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace CorvPageControls;
using namespace CorvAssessmentRules;

CChildDlgInteractivity::CChildDlgInteractivity(CCorvessaDoc &document, QWidget *parent)
    : CSettingsPage(document, parent)
{
    auto *responses = new QButtonGroup(this);
    const int responseTexts[] = {10701, 10702, 10714};
    for (int i = 0; i < 3; ++i) {
        m_responses[i] = Make<QRadioButton>(CStringTable::Load(responseTexts[i]), this);
        responses->addButton(m_responses[i]);
        connect(m_responses[i], &QRadioButton::clicked, this, [this, i] {
            Document().MutableSettings().QuestResponse = i;
            Document().SetModifiedFlag();
        });
    }
    m_feedback = Make<QCheckBox>(CStringTable::Load(10704), this);
    m_feedbackButton = Make<QPushButton>(CStringTable::Load(10705), this);
    m_okProgress = Make<QCheckBox>(QStringLiteral("Automatically progress after click on feedback's 'OK' button"), this);
    m_disableNext = Make<QCheckBox>(CStringTable::Load(10707), this);
    m_evaluate = Make<QCheckBox>(CStringTable::Load(10709), this);
    m_evaluateProgress = Make<QCheckBox>(QStringLiteral("Automatically progress after click on 'Evaluate' button"), this);

    auto *layout = new QVBoxLayout(ScrollingBody(this));
    layout->addWidget(Note(CStringTable::Load(10700), this));
    for (QRadioButton *radio : m_responses)
        layout->addWidget(radio);
    layout->addSpacing(8);
    layout->addWidget(Note(CStringTable::Load(10703), this));
    auto *feedback = new QHBoxLayout;
    feedback->addWidget(m_feedback);
    feedback->addWidget(m_feedbackButton);
    feedback->addStretch(1);
    layout->addLayout(feedback);
    layout->addWidget(m_okProgress);
    layout->addSpacing(8);
    layout->addWidget(Note(CStringTable::Load(10706), this));
    layout->addWidget(m_disableNext);
    layout->addSpacing(8);
    layout->addWidget(Note(CStringTable::Load(10708), this));
    layout->addWidget(m_evaluate);
    layout->addWidget(m_evaluateProgress);
    layout->addStretch(1);

    const std::pair<QCheckBox *, int32_t CCourseSettings::*> flags[] = {
        {m_feedback, &CCourseSettings::UseQuestFeedback},
        {m_okProgress, &CCourseSettings::AutoProgress},
        {m_disableNext, &CCourseSettings::DisableNextBtn},
        {m_evaluate, &CCourseSettings::IncEvalBtn},
        {m_evaluateProgress, &CCourseSettings::AutoProgressOnEvaluate},
    };
    for (const auto &[box, setting] : flags)
        connect(box, &QCheckBox::clicked, this, [this, setting](bool on) { OnFlag(setting, on); });
    connect(m_feedbackButton, &QPushButton::clicked, this, &CChildDlgInteractivity::OnFeedbackButton);
}

void CChildDlgInteractivity::ResetToDefaults()
{
    ResetInteractivity(Document().MutableSettings());
    RefreshFromDocument();
}

void CChildDlgInteractivity::RefreshFromDocument()
{
    const CCourseSettings &s = Document().Settings();
    ShowChecked(m_responses[ResponseChoice(s.QuestResponse)], true);
    ShowChecked(m_feedback, s.UseQuestFeedback != 0);
    ShowChecked(m_disableNext, s.DisableNextBtn != 0);
    ShowChecked(m_evaluate, s.IncEvalBtn != 0);
    ApplyStates();
}

void CChildDlgInteractivity::ApplyStates()
{
    const InteractivityStates states = ApplyInteractivityRules(Document().MutableSettings());
    Enable({m_feedbackButton, m_okProgress}, states.feedback);
    m_evaluateProgress->setEnabled(states.evaluateProgress);
    ShowChecked(m_okProgress, Document().Settings().AutoProgress != 0);
    ShowChecked(m_evaluateProgress, Document().Settings().AutoProgressOnEvaluate != 0);
}

void CChildDlgInteractivity::OnFlag(int32_t CCourseSettings::*setting, bool on)
{
    Document().MutableSettings().*setting = Flag(on);
    Document().SetModifiedFlag();
    ApplyStates();
}

void CChildDlgInteractivity::OnFeedbackButton()
{
    CCourseSettings &s = Document().MutableSettings();
    CDlgFeedBack dialog(this);
    dialog.correctFeedback = s.FeedBackCorrect;
    dialog.wrongFeedback = s.FeedBackWrong;
    if (dialog.exec() != QDialog::Accepted)
        return;
    s.FeedBackCorrect = dialog.correctFeedback;
    s.FeedBackWrong = dialog.wrongFeedback;
    Document().SetModifiedFlag();
}
