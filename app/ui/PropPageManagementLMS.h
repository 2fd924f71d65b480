#pragma once

#include "app/ui/SettingsPage.h"

#include <QString>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The LMS tab of the Management page. In SCORM mode: the SCORM version, a separate package, how the LMS
// opens the course, whether a passed status is kept, the exit value and the LMS the package is made for. In
// Ostrelle mode: the folder the lesson is published into.
class CPropPageManagementLMS : public CSettingsPage
{
    Q_OBJECT
public:
    // Asks for the SCORM exit value of a version (1 for 1.2) starting from the current one; none on Cancel.
    using ExitChooser = std::function<std::optional<QString>(int scorm12, const QString &value, QWidget *parent)>;

    explicit CPropPageManagementLMS(CCorvessaDoc &document, QWidget *parent = nullptr);

    void ResetToDefaults() override;
    void RefreshFromDocument() override;
    void CommitPendingEdits() override;
    void SetExitChooser(ExitChooser chooser) { m_chooseExit = std::move(chooser); }

    QRadioButton *ScormRadio() const { return m_scorm; }
    QRadioButton *OstrelleRadio() const { return m_ostrelle; }
    QRadioButton *Version12Radio() const { return m_version12; }
    QRadioButton *Version2004Radio() const { return m_version2004; }
    QCheckBox *PackageCheck() const { return m_package; }
    QCheckBox *NewWindowCheck() const { return m_newWindow; }
    QCheckBox *ProtectCheck() const { return m_protect; }
    QPushButton *SetExitButton() const { return m_setExit; }
    QComboBox *CompatibleBox() const { return m_compatible; }
    QLineEdit *LessonFolderEdit() const { return m_lesson; }
    QLabel *LessonFolderLabel() const { return m_lessonLabel; }
    QLabel *ScormNote() const { return m_scormNote; }
    QLabel *OstrelleNote() const { return m_ostrelleNote; }
    QLabel *MetadataNote() const { return m_metadataNote; }

private:
    void ApplyModeVisibility();
    void OnModeChosen(bool scorm);
    void OnLessonFolderEdited(const QString &text);
    void CommitLessonFolder();
    void OnSetExit();

    QRadioButton *m_scorm;
    QRadioButton *m_ostrelle;
    QLabel *m_scormNote;
    QLabel *m_ostrelleNote;
    QRadioButton *m_version12;
    QRadioButton *m_version2004;
    QCheckBox *m_package;
    QCheckBox *m_newWindow;
    QCheckBox *m_protect;
    QPushButton *m_setExit;
    QLabel *m_metadataNote;
    QLabel *m_compatibleLabel;
    QComboBox *m_compatible;
    QLabel *m_lessonLabel;
    QLineEdit *m_lesson;
    ExitChooser m_chooseExit;
};
