#pragma once

#include "app/AssessmentRules.h"
#include "app/ui/SettingsPage.h"

#include <cstdint>

class CCourseSettings;

#include <vector>

class CSpinEdit;
class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The Assessment page of the Settings window: whether the last topic (or the linear course) is an assessment,
// and how it runs: feedback, the Evaluate button, automatic progress, time limits, a question pool, random
// order and the navigation buttons it disables. The pass mark stands on its own.
class CChildDlgAssessment : public CSettingsPage
{
    Q_OBJECT
public:
    explicit CChildDlgAssessment(CCorvessaDoc &document, QWidget *parent = nullptr);

    void ResetToDefaults() override;
    void RefreshFromDocument() override;
    void CommitPendingEdits() override;

    QCheckBox *AssessmentCheck() const { return m_assessment; }
    QCheckBox *ShowCorrectCheck() const { return m_showCorrect; }
    QCheckBox *FeedbackCheck() const { return m_feedback; }
    QPushButton *FeedbackButton() const { return m_feedbackButton; }
    QCheckBox *OkProgressCheck() const { return m_okProgress; }
    QCheckBox *EvaluateCheck() const { return m_evaluate; }
    QCheckBox *EvaluateProgressCheck() const { return m_evaluateProgress; }
    QCheckBox *TimeLimitCheck() const { return m_timeLimit; }
    QCheckBox *TimerCheck() const { return m_timer; }
    QRadioButton *EachQuestionRadio() const { return m_each; }
    QRadioButton *AllQuestionsRadio() const { return m_all; }
    CSpinEdit *EachSecondsEdit() const { return m_eachSeconds; }
    CSpinEdit *AllSecondsEdit() const { return m_allSeconds; }
    QCheckBox *PoolCheck() const { return m_pool; }
    CSpinEdit *PoolEdit() const { return m_poolCount; }
    QCheckBox *PassMarkCheck() const { return m_passMark; }
    CSpinEdit *PassMarkEdit() const { return m_passMarkValue; }
    QCheckBox *RandomQuestionsCheck() const { return m_randomQuestions; }
    QCheckBox *RandomOptionsCheck() const { return m_randomOptions; }
    QCheckBox *DisableNextCheck() const { return m_disableNext; }
    QCheckBox *DisableBackCheck() const { return m_disableBack; }
    QCheckBox *DisableMenuCheck() const { return m_disableMenu; }

private:
    struct NumberControl
    {
        CSpinEdit *edit;
        CorvAssessmentRules::NumberField field;
        int32_t CCourseSettings::*setting;
    };

    void BuildControls();
    CSpinEdit *NumberEdit(const QString &name, CorvAssessmentRules::NumberField field, int32_t CCourseSettings::*setting);
    void ApplyStates();
    void OnAssessmentClicked(bool on);
    void OnFlag(int32_t CCourseSettings::*setting, bool on);
    void OnFeedbackButton();
    void CommitNumber(const NumberControl &control);

    QCheckBox *m_assessment = nullptr;
    QCheckBox *m_showCorrect = nullptr;
    QCheckBox *m_feedback = nullptr;
    QPushButton *m_feedbackButton = nullptr;
    QCheckBox *m_okProgress = nullptr;
    QLabel *m_evaluateNote = nullptr;
    QCheckBox *m_evaluate = nullptr;
    QCheckBox *m_evaluateProgress = nullptr;
    QCheckBox *m_timeLimit = nullptr;
    QCheckBox *m_timer = nullptr;
    QRadioButton *m_each = nullptr;
    QRadioButton *m_all = nullptr;
    CSpinEdit *m_eachSeconds = nullptr;
    CSpinEdit *m_allSeconds = nullptr;
    QLabel *m_eachUnit = nullptr;
    QLabel *m_allUnit = nullptr;
    QCheckBox *m_pool = nullptr;
    CSpinEdit *m_poolCount = nullptr;
    QLabel *m_poolUnit = nullptr;
    QCheckBox *m_passMark = nullptr;
    CSpinEdit *m_passMarkValue = nullptr;
    QLabel *m_passMarkUnit = nullptr;
    QCheckBox *m_randomQuestions = nullptr;
    QCheckBox *m_randomOptions = nullptr;
    QLabel *m_navigationNote = nullptr;
    QCheckBox *m_disableNext = nullptr;
    QCheckBox *m_disableBack = nullptr;
    QCheckBox *m_disableMenu = nullptr;
    std::vector<NumberControl> m_numbers;
};
