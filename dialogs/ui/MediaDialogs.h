#pragma once

#include "dialogs/MediaDialogValues.h"
#include "dialogs/Recorder.h"
#include "dialogs/ui/ValueDialog.h"

#include <memory>

class CColorSelectButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

// The media dialogs. Each: construct with the parent window, preset `values`, exec(); after QDialog::Accepted
// read `values` back (ToChoice() gives what ComponentCommands::AddMedia takes). Cancel leaves them as preset.

// "Add Flash" (the editing path sets the caption "Edit Flash").
class DlgAddFlash : public CValueDialog
{
    Q_OBJECT
public:
    explicit DlgAddFlash(QWidget *parent = nullptr);
    SAddFlashValues values;
    void ShowValues() override;
    void accept() override;

    QLineEdit *FileBox() const { return m_file; }
    QPushButton *BrowseButton() const { return m_browse; }
    QSpinBox *VersionBox() const { return m_version; }
    QComboBox *WindowModeList() const { return m_windowMode; }
    CColorSelectButton *BackgroundButton() const { return m_background; }

private:
    QLineEdit *m_file;
    QPushButton *m_browse;
    QCheckBox *m_autoStart;
    QCheckBox *m_loop;
    QSpinBox *m_version;
    QComboBox *m_windowMode;
    CColorSelectButton *m_background;
    QLineEdit *m_flashVars;
    bool m_backgroundPicked = false;
};

// "Add PDF" ("Edit PDF").
class DlgAddPDF : public CValueDialog
{
    Q_OBJECT
public:
    explicit DlgAddPDF(QWidget *parent = nullptr);
    SAddPdfValues values;
    void ShowValues() override;
    void accept() override;

    QLineEdit *FileBox() const { return m_file; }
    QPushButton *BrowseButton() const { return m_browse; }

private:
    QLineEdit *m_file;
    QPushButton *m_browse;
    QCheckBox *m_toolbar;
    QCheckBox *m_scrollbar;
    QCheckBox *m_navPanes;
};

// "Add Flash Video" ("Edit Flash Video").
class CDlgFlashVideo : public CValueDialog
{
    Q_OBJECT
public:
    explicit CDlgFlashVideo(QWidget *parent = nullptr);
    SFlashVideoDialogValues values;
    void ShowValues() override;
    void accept() override;

    QLineEdit *VideoBox() const { return m_video; }
    QLineEdit *ImageBox() const { return m_image; }
    QSpinBox *VolumeBox() const { return m_volume; }
    QSpinBox *VersionBox() const { return m_version; }
    QCheckBox *DefaultColoursBox() const { return m_defaultColours; }
    CColorSelectButton *ColourButton(int index) const { return m_colours[index]; }

private:
    QLineEdit *m_video;
    QLineEdit *m_image;
    QCheckBox *m_autoStart;
    QSpinBox *m_volume;
    QCheckBox *m_sfx;
    QSpinBox *m_version;
    QCheckBox *m_fullScreen;
    QCheckBox *m_middleButton;
    QCheckBox *m_autoHide;
    QCheckBox *m_defaultColours;
    CColorSelectButton *m_colours[4];
};

// "Add media" ("Edit media"): the kind is one of ComponentCommands::MediaAudio ... MediaNarration. A kind
// outside them is reported through the prompt given (message boxes when none) and the dialog has no prompt
// text and no filter. For the narration kind run Narration::RecordNarration instead of this dialog.
class CDlgImportMedia : public CValueDialog
{
    Q_OBJECT
public:
    CDlgImportMedia(int kind, QWidget *parent = nullptr, CPrompt *prompt = nullptr);
    SImportMediaValues values;
    void ShowValues() override;
    void accept() override;

    QLineEdit *FileBox() const { return m_file; }
    QPushButton *BrowseButton() const { return m_browse; }
    QCheckBox *AutoStartBox() const { return m_autoStart; }
    QCheckBox *LoopBox() const { return m_loop; }
    QCheckBox *ControllerBox() const { return m_controller; }
    QComboBox *WindowModeList() const { return m_windowMode; }

private:
    QLabel *m_prompt;
    QLineEdit *m_file;
    QPushButton *m_browse;
    QCheckBox *m_autoStart;
    QCheckBox *m_loop;
    QCheckBox *m_controller;
    QLabel *m_windowModeLabel;
    QComboBox *m_windowMode;
};

// "Add/Edit YouTube": the caption is "Add YouTube" or, set by the editing path, "Edit YouTube".
class DlgAddYouTube : public CValueDialog
{
    Q_OBJECT
public:
    explicit DlgAddYouTube(QWidget *parent = nullptr);
    SYouTubeDialogValues values;
    void ShowValues() override;
    void accept() override;

    QPlainTextEdit *EmbedBox() const { return m_embed; }
    QPushButton *OkButton() const { return m_ok; }

private:
    QPlainTextEdit *m_embed;
    QPushButton *m_ok;
};

// "Edit media" for a sound.
class CDlgUpdateAudio : public CValueDialog
{
    Q_OBJECT
public:
    explicit CDlgUpdateAudio(QWidget *parent = nullptr);
    SUpdateAudioValues values;
    void ShowValues() override;
    void accept() override;

    QLineEdit *FileBox() const { return m_file; }
    QCheckBox *ButtonControlsBox() const { return m_controls; }

private:
    QLineEdit *m_file;
    QCheckBox *m_autoStart;
    QCheckBox *m_controls;
    QCheckBox *m_loop;
};

// "Edit media" for a movie.
class CDlgUpdateVideo : public CValueDialog
{
    Q_OBJECT
public:
    explicit CDlgUpdateVideo(QWidget *parent = nullptr);
    SUpdateVideoValues values;
    void ShowValues() override;
    void accept() override;

    QLineEdit *FileBox() const { return m_file; }
    QCheckBox *ControllerBox() const { return m_controller; }

private:
    QLineEdit *m_file;
    QCheckBox *m_autoStart;
    QCheckBox *m_controller;
    QCheckBox *m_loop;
};

// The recorder the Record narration command uses (CQtAudioRecorder).
std::unique_ptr<CRecorder> MakeWindowRecorder(CPrompt &prompt);
