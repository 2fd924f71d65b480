#pragma once

#include "app/ui/SettingsPage.h"

#include <QList>

class CColorSelectButton;
class CFileDialogs;
class CImageStatic;
class QCheckBox;
class QLineEdit;
class QPushButton;

// The Background page of the Settings window: the screens' own background colour and picture (over the
// theme's), the logo in the course's top left corner, and where the Top and Navigation bars go.
class CChildDlgBackground : public CSettingsPage
{
    Q_OBJECT
public:
    enum BarBox { Swap, HideTop, RemoveTop, HideNavigation, RemoveNavigation, BarBoxCount };

    explicit CChildDlgBackground(CCorvessaDoc &document, QWidget *parent = nullptr);

    // The pickers of the two Browse buttons; the desktop's unless set (tests answer from a script).
    void SetFileDialogs(CFileDialogs *dialogs) { m_dialogs = dialogs; }

    void ResetToDefaults() override;
    void RefreshFromDocument() override;

    QCheckBox *UseBackground() const { return m_use; }
    CColorSelectButton *ColourButton() const { return m_colour; }
    QLineEdit *BackgroundEdit() const { return m_background; }
    QPushButton *BackgroundBrowse() const { return m_backgroundBrowse; }
    QCheckBox *Tile() const { return m_tile; }
    CImageStatic *BackgroundPreview() const { return m_preview; }
    QLineEdit *LogoEdit() const { return m_logo; }
    QPushButton *LogoBrowse() const { return m_logoBrowse; }
    QPushButton *LogoClear() const { return m_logoClear; }
    QCheckBox *Bar(BarBox box) const { return m_bars[box]; }
    QPushButton *HelpButton() const { return m_help; }

private:
    void BuildControls();
    void ApplyEnabling();
    void ShowBars();
    void ShowBackgroundPicture();
    void OnUseClicked(bool checked);
    void OnColourClicked();
    void OnBackgroundEdited();
    void OnBrowse(bool logo);
    void OnClearLogo();
    void OnHideClicked(bool top, bool checked);

    CFileDialogs *m_dialogs = nullptr;
    QCheckBox *m_use = nullptr;
    CColorSelectButton *m_colour = nullptr;
    QLineEdit *m_background = nullptr;
    QPushButton *m_backgroundBrowse = nullptr;
    QCheckBox *m_tile = nullptr;
    CImageStatic *m_preview = nullptr;
    QLineEdit *m_logo = nullptr;
    QPushButton *m_logoBrowse = nullptr;
    QPushButton *m_logoClear = nullptr;
    QList<QCheckBox *> m_bars;
    QPushButton *m_help = nullptr;
    // What the "Background" box governs.
    QList<QWidget *> m_backgroundControls;
    QString m_shownPicture;
};
