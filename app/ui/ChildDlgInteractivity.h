#pragma once

#include "app/ui/SettingsPage.h"

#include <cstdint>

class CCourseSettings;

class QCheckBox;
class QPushButton;
class QRadioButton;

// The Interactivity page of the Settings window: how questions outside the assessment behave: the response
// after an attempt, per-question feedback with its default texts, automatic progress after the feedback's OK
// or after Evaluate, the Evaluate button and whether Next waits for an attempt.
class CChildDlgInteractivity : public CSettingsPage
{
    Q_OBJECT
public:
    explicit CChildDlgInteractivity(CCorvessaDoc &document, QWidget *parent = nullptr);

    void ResetToDefaults() override;
    void RefreshFromDocument() override;

    QRadioButton *ResponseRadio(int response) const { return m_responses[response]; }
    QCheckBox *FeedbackCheck() const { return m_feedback; }
    QPushButton *FeedbackButton() const { return m_feedbackButton; }
    QCheckBox *OkProgressCheck() const { return m_okProgress; }
    QCheckBox *DisableNextCheck() const { return m_disableNext; }
    QCheckBox *EvaluateCheck() const { return m_evaluate; }
    QCheckBox *EvaluateProgressCheck() const { return m_evaluateProgress; }

private:
    void ApplyStates();
    void OnFlag(int32_t CCourseSettings::*setting, bool on);
    void OnFeedbackButton();

    QRadioButton *m_responses[3] = {};
    QCheckBox *m_feedback;
    QPushButton *m_feedbackButton;
    QCheckBox *m_okProgress;
    QCheckBox *m_disableNext;
    QCheckBox *m_evaluate;
    QCheckBox *m_evaluateProgress;
};
