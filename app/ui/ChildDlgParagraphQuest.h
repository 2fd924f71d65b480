#pragma once

#include "app/ui/SettingsPage.h"

#include <cstdint>

class CCourseSettings;

class CSpinEdit;
class QCheckBox;
class QLabel;

// The Questions page of the Settings window: whether importing a whole document makes "Complete the
// Paragraph" questions by itself, how often, with how many missing words, and whether the screens between
// them vary.
class CChildDlgParagraphQuest : public CSettingsPage
{
    Q_OBJECT
public:
    explicit CChildDlgParagraphQuest(CCorvessaDoc &document, QWidget *parent = nullptr);

    void ResetToDefaults() override;
    void RefreshFromDocument() override;
    void CommitPendingEdits() override;

    QCheckBox *AutoCreateCheck() const { return m_autoCreate; }
    CSpinEdit *IntervalEdit() const { return m_interval; }
    CSpinEdit *WordCountEdit() const { return m_words; }
    QCheckBox *RandomCheck() const { return m_random; }
    // Never shown: it keeps the Interactivity page's automatic progress after OK.
    QCheckBox *AutoProgressCheck() const { return m_autoProgress; }

private:
    void ApplyStates();
    void OnTyped(int32_t CCourseSettings::*setting, const QString &text);
    void CommitInterval();
    void CommitWordCount();

    QCheckBox *m_autoCreate;
    CSpinEdit *m_interval;
    CSpinEdit *m_words;
    QCheckBox *m_random;
    QCheckBox *m_autoProgress;
    QList<QWidget *> m_dependents;
};
