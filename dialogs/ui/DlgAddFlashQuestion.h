#pragma once

#include "dialogs/FlashQuestionValues.h"
#include "dialogs/ui/ValueDialog.h"

class CColorSelectButton;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

// "Flash (SWF) Question": the movie that implements the question and how it plays: whole screen or not,
// the Flash version, its FlashVars, the window mode and the background colour.
class DlgAddFlashQuestion : public CValueDialog
{
    Q_OBJECT
public:
    explicit DlgAddFlashQuestion(QWidget *parent = nullptr);

    CFlashQuestionValues values;

    void ShowValues() override;
    void accept() override;
    void OnBrowse();

    QLineEdit *FileBox() const { return m_file; }
    QPushButton *BrowseButton() const { return m_browse; }
    QCheckBox *FullScreenBox() const { return m_fullScreen; }
    QSpinBox *VersionBox() const { return m_version; }
    QLineEdit *FlashVarsBox() const { return m_flashVars; }
    QComboBox *WindowModeList() const { return m_windowMode; }
    CColorSelectButton *BackgroundButton() const { return m_background; }

private:
    QLineEdit *m_file;
    QPushButton *m_browse;
    QCheckBox *m_fullScreen;
    QSpinBox *m_version;
    QLineEdit *m_flashVars;
    QComboBox *m_windowMode;
    CColorSelectButton *m_background;
};
