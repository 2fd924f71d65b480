#pragma once

#include "app/ui/SettingsPage.h"

#include <QList>

class CColorSelectButton;
class QCheckBox;
class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QToolButton;

// The Construction page of the Settings window: how imports build a course (objective screens, the warning
// when questions become rare, where new screens start, list indents), the published course's outline window
// and its expiry date.
class CChildDlgConstruction : public CSettingsPage
{
    Q_OBJECT
public:
    explicit CChildDlgConstruction(CCorvessaDoc &document, QWidget *parent = nullptr);

    void ResetToDefaults() override;
    void RefreshFromDocument() override;
    void CommitPendingEdits() override;

    QCheckBox *ObjectiveScreens() const { return m_objectives; }
    QCheckBox *Warning() const { return m_warning; }
    QLineEdit *ScreenCount() const { return m_count; }
    QToolButton *SpinUp() const { return m_up; }
    QToolButton *SpinDown() const { return m_down; }
    QCheckBox *NewScreen() const { return m_newScreen; }
    QCheckBox *PageBreaks() const { return m_pageBreaks; }
    QCheckBox *Headings() const { return m_headings; }
    QCheckBox *LeftAlignBullets() const { return m_bullets; }
    QCheckBox *LeftAlignNumbers() const { return m_numbers; }
    QCheckBox *CreateOutline() const { return m_outline; }
    QCheckBox *UseButton() const { return m_useButton; }
    QCheckBox *HideInAssessment() const { return m_hideInAssessment; }
    QLineEdit *OutlineLabel() const { return m_label; }
    CColorSelectButton *LinkColour() const { return m_linkColour; }
    QCheckBox *CloseOnSelect() const { return m_closeOnSelect; }
    // Left, top, width, height.
    QLineEdit *OutlineNumber(int i) const { return m_numbersEdits[i]; }
    QCheckBox *SetExpiry() const { return m_setExpiry; }
    QDateTimeEdit *ExpiryPicker() const { return m_expiry; }
    QLineEdit *ExpiryMessage() const { return m_message; }

private:
    void BuildControls();
    QWidget *BuildImportGroup();
    QWidget *BuildOutlineGroup();
    QWidget *BuildExpiryGroup();
    void ApplyWarningStates();
    void ApplyOutlineStates();
    void OnCountEdited();
    void OnSpin(int step);
    void OnOutlineNumberEdited(int i);
    void OnExpiryChanged();
    void ShowExpiry(int64_t seconds);

    bool m_initialising = true;
    QCheckBox *m_objectives = nullptr;
    QCheckBox *m_warning = nullptr;
    QLineEdit *m_count = nullptr;
    QToolButton *m_up = nullptr;
    QToolButton *m_down = nullptr;
    QLabel *m_countLabel = nullptr;
    QCheckBox *m_newScreen = nullptr;
    QCheckBox *m_pageBreaks = nullptr;
    QCheckBox *m_headings = nullptr;
    QCheckBox *m_bullets = nullptr;
    QCheckBox *m_numbers = nullptr;
    QCheckBox *m_outline = nullptr;
    QCheckBox *m_useButton = nullptr;
    QCheckBox *m_hideInAssessment = nullptr;
    QLineEdit *m_label = nullptr;
    CColorSelectButton *m_linkColour = nullptr;
    QCheckBox *m_closeOnSelect = nullptr;
    QLineEdit *m_numbersEdits[4] = {};
    // What a button instead of a link has no use for: the link's place and colour, with their labels.
    QList<QWidget *> m_linkOnly;
    QCheckBox *m_setExpiry = nullptr;
    QDateTimeEdit *m_expiry = nullptr;
    QLineEdit *m_message = nullptr;
};
