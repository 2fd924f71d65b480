#pragma once

#include "app/ButtonsRules.h"
#include "app/ui/SettingsPage.h"

#include <array>

class CSpinEdit;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// The Buttons page of the Settings window: which navigation buttons a published course shows and the label
// of each, the progress bar, the automatic advance of a course without Next, the Next button's delay, the
// toggle of multiple-choice options, and the Glossary and Help buttons with the popups-only screen that
// serves as Help.
class CChildDlgButtons : public CSettingsPage
{
    Q_OBJECT
public:
    explicit CChildDlgButtons(CCorvessaDoc &document, QWidget *parent = nullptr);

    void ResetToDefaults() override;
    void RefreshFromDocument() override;
    void CommitPendingEdits() override;

    QCheckBox *ButtonCheck(CorvButtonsRules::Button button) const { return m_checks[size_t(button)]; }
    QComboBox *LabelBox(CorvButtonsRules::Button button) const { return m_labels[size_t(button)]; }
    QCheckBox *ProgressBarCheck() const { return m_progressBar; }
    CSpinEdit *TimeBetweenScreensEdit() const { return m_timeBetween; }
    QRadioButton *CheckmarkRadio() const { return m_checkmark; }
    QRadioButton *LettersRadio() const { return m_letters; }
    QCheckBox *DelayCheck() const { return m_delay; }
    QLineEdit *DelaySecondsEdit() const { return m_delaySeconds; }
    QCheckBox *LastScreenCheck() const { return m_lastScreen; }
    QCheckBox *GlossaryCheck() const { return m_glossary; }
    QCheckBox *HideGlossaryCheck() const { return m_hideGlossary; }
    QComboBox *HelpBox() const { return m_help; }
    QCheckBox *HideHelpCheck() const { return m_hideHelp; }

private:
    void BuildControls();
    QGroupBox *BuildLabelGroup();
    QGridLayout *BuildOptionsGrid();
    void ConnectControls();
    void ApplyStates();
    void FillHelpList();
    void CommitTimeBetweenScreens();

    std::array<QCheckBox *, 4> m_checks{};
    std::array<QComboBox *, CorvButtonsRules::kButtonCount> m_labels{};
    QCheckBox *m_progressBar = nullptr;
    QLabel *m_timeLabel = nullptr;
    CSpinEdit *m_timeBetween = nullptr;
    QLabel *m_timeUnit = nullptr;
    QRadioButton *m_checkmark = nullptr;
    QRadioButton *m_letters = nullptr;
    QCheckBox *m_delay = nullptr;
    QLineEdit *m_delaySeconds = nullptr;
    QCheckBox *m_lastScreen = nullptr;
    QCheckBox *m_glossary = nullptr;
    QCheckBox *m_hideGlossary = nullptr;
    QComboBox *m_help = nullptr;
    QCheckBox *m_hideHelp = nullptr;
};
