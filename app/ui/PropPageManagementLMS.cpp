#include "app/ui/PropPageManagementLMS.h"

#include "app/ManagementRules.h"
#include "app/ui/SettingsPageControls.h"
#include "dialogs/ui/DlgSCORMExitCode.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>

using namespace CorvPageControls;
using namespace CorvManagementRules;

namespace {

std::optional<QString> RunExitDialog(int scorm12, const QString &value, QWidget *)
{
    // The dialog has no parent window, as the Settings window's other small dialogs.
    CDlgSCORMExitCode dialog;
    dialog.scorm12Flag = scorm12;
    dialog.value = value;
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.value;
}

} // namespace

CPropPageManagementLMS::CPropPageManagementLMS(CCorvessaDoc &document, QWidget *parent)
    : CSettingsPage(document, parent), m_chooseExit(RunExitDialog)
{
    setAccessibleName(QStringLiteral("LMS"));
    m_scorm = Make<QRadioButton>(QStringLiteral("SCORM"), this);
    m_ostrelle = Make<QRadioButton>(QStringLiteral("Ostrelle"), this);
    auto *mode = new QButtonGroup(this);
    mode->addButton(m_scorm);
    mode->addButton(m_ostrelle);
    m_scormNote = Note(CStringTable::Load(11000), this);
    m_ostrelleNote = Note(QStringLiteral("Converts courses so that they can be used as lessons in the Ostrelle LMS.  "
                                         "You can then upload the lesson to Ostrelle."),
                          this);
    m_version12 = Make<QRadioButton>(QStringLiteral("SCORM version 1.2"), this);
    m_version2004 = Make<QRadioButton>(QStringLiteral("SCORM version 2004"), this);
    auto *version = new QButtonGroup(this);
    version->addButton(m_version12);
    version->addButton(m_version2004);
    m_package = Make<QCheckBox>(QStringLiteral("Create separate package (PIF)"), this);
    m_newWindow = Make<QCheckBox>(QStringLiteral("LMS will automatically open course in a new window"), this);
    m_protect = Make<QCheckBox>(QStringLiteral("When passed don't allow a lesson's status to be changed"), this);
    m_setExit = Make<QPushButton>(QStringLiteral("Set exit"), this);
    m_metadataNote = Note(CStringTable::Load(11001), this);
    m_compatible = new QComboBox(this);
    m_compatible->setAccessibleName(QStringLiteral("Compatible with:"));
    m_compatible->addItems({CStringTable::Load(10688), CStringTable::Load(10689)});
    m_compatibleLabel = BuddyLabel(QStringLiteral("Compatible with:"), m_compatible, this);
    m_lesson = MakeEdit(QStringLiteral("Lesson folder name"), this);
    m_lessonLabel = BuddyLabel(QStringLiteral("Lesson folder name "), m_lesson, this);

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Learning Management System"), this), 0, 0, 1, 3);
    grid->addWidget(m_scorm, 1, 0);
    grid->addWidget(m_ostrelle, 1, 1);
    grid->addWidget(m_scormNote, 2, 0, 1, 3);
    grid->addWidget(m_ostrelleNote, 2, 0, 1, 3);
    grid->addWidget(m_version12, 3, 0);
    grid->addWidget(m_version2004, 3, 1);
    grid->addWidget(m_lessonLabel, 3, 0);
    grid->addWidget(m_lesson, 3, 1, 1, 2);
    grid->addWidget(m_package, 4, 0, 1, 3);
    grid->addWidget(m_newWindow, 5, 0, 1, 3);
    grid->addWidget(m_protect, 6, 0, 1, 3);
    grid->addWidget(m_setExit, 7, 0);
    grid->addWidget(m_metadataNote, 8, 0, 1, 3);
    auto *compatible = new QHBoxLayout;
    compatible->addWidget(m_compatibleLabel);
    compatible->addWidget(m_compatible);
    compatible->addStretch(1);
    grid->addLayout(compatible, 9, 0, 1, 3);
    grid->setRowStretch(10, 1);
    grid->setColumnStretch(2, 1);

    connect(m_scorm, &QRadioButton::clicked, this, [this] { OnModeChosen(true); });
    connect(m_ostrelle, &QRadioButton::clicked, this, [this] { OnModeChosen(false); });
    connect(m_version12, &QRadioButton::clicked, this, [this] {
        Document().MutableSettings().SCORM12 = 1;
        Document().SetModifiedFlag();
    });
    connect(m_version2004, &QRadioButton::clicked, this, [this] {
        Document().MutableSettings().SCORM12 = 0;
        Document().SetModifiedFlag();
    });
    connect(m_package, &QCheckBox::clicked, this, [this](bool on) {
        Document().MutableSettings().CreateZip = Flag(on);
        Document().SetModifiedFlag();
    });
    connect(m_newWindow, &QCheckBox::clicked, this,
            [this](bool on) { Store(Document(), Document().MutableSettings().LmsOpensNewWindow, Flag(on)); });
    connect(m_protect, &QCheckBox::clicked, this,
            [this](bool on) { Store(Document(), Document().MutableSettings().LmsProtectPassedStatus, Flag(on)); });
    connect(m_setExit, &QPushButton::clicked, this, &CPropPageManagementLMS::OnSetExit);
    connect(m_compatible, &QComboBox::activated, this, [this](int index) {
        if (index >= 0)
            Store(Document(), Document().MutableSettings().LmsCompatibility, m_compatible->itemText(index));
    });
    connect(m_lesson, &QLineEdit::textEdited, this, &CPropPageManagementLMS::OnLessonFolderEdited);
    connect(m_lesson, &QLineEdit::editingFinished, this, &CPropPageManagementLMS::CommitLessonFolder);
}

void CPropPageManagementLMS::ResetToDefaults()
{
    ResetLms(Document().MutableSettings());
    RefreshFromDocument();
}

void CPropPageManagementLMS::RefreshFromDocument()
{
    const CCourseSettings &s = Document().Settings();
    ShowChecked(s.SCORM12 == 1 ? m_version12 : m_version2004, true);
    ShowChecked(m_package, s.CreateZip != 0);
    ShowChecked(m_scorm, s.UseScorm == 1);
    ShowChecked(m_ostrelle, s.UseOstrelle == 1);
    ShowText(m_lesson, s.OstrelleLessonFolder);
    ApplyModeVisibility();
    ShowChecked(m_newWindow, s.LmsOpensNewWindow != 0);
    ShowChecked(m_protect, s.LmsProtectPassedStatus != 0);
    const QSignalBlocker blocker(m_compatible);
    for (int i = 0; i < m_compatible->count(); ++i)
        if (m_compatible->itemText(i).startsWith(s.LmsCompatibility, Qt::CaseInsensitive)) {
            m_compatible->setCurrentIndex(i);
            break;
        }
}

void CPropPageManagementLMS::ApplyModeVisibility()
{
    const CCourseSettings &s = Document().Settings();
    Show({m_ostrelleNote, m_lessonLabel, m_lesson}, s.UseOstrelle == 1);
    Show({m_scormNote, m_version12, m_version2004, m_package, m_newWindow, m_protect, m_setExit, m_metadataNote,
          m_compatibleLabel, m_compatible},
         s.UseScorm == 1);
}

void CPropPageManagementLMS::OnModeChosen(bool scorm)
{
    CCourseSettings &s = Document().MutableSettings();
    // Either mode is a choice of the author's: a change is worth a save prompt.
    const bool changed = s.UseScorm != Flag(scorm) || s.UseOstrelle != Flag(!scorm);
    s.UseScorm = Flag(scorm);
    s.UseOstrelle = Flag(!scorm);
    if (changed)
        Document().SetModifiedFlag();
    ApplyModeVisibility();
}

void CPropPageManagementLMS::OnLessonFolderEdited(const QString &text)
{
    const QString lower = LessonFolderText(text);
    if (lower == text)
        return;
    const int caret = m_lesson->cursorPosition();
    const QSignalBlocker blocker(m_lesson);
    m_lesson->setText(lower);
    m_lesson->setCursorPosition(caret);
}

void CPropPageManagementLMS::CommitLessonFolder()
{
    const QString name = m_lesson->text();
    if (!IsValidLessonFolderName(name)) {
        // The stored name comes back before the author is told, so the message is given once.
        ShowText(m_lesson, Document().Settings().OstrelleLessonFolder);
        m_lesson->setModified(false);
        Document().GetContext().Prompt().Error(LessonFolderNameMessage());
        return;
    }
    Store(Document(), Document().MutableSettings().OstrelleLessonFolder, name);
}

void CPropPageManagementLMS::CommitPendingEdits()
{
    // Only a name still being typed: one the project already holds is not asked about again.
    if (m_lesson->isModified())
        CommitLessonFolder();
}

void CPropPageManagementLMS::OnSetExit()
{
    CCourseSettings &s = Document().MutableSettings();
    QString &setting = s.SCORM12 == 1 ? s.ScormExit12 : s.ScormExit2004;
    if (const std::optional<QString> value = m_chooseExit(s.SCORM12 == 1 ? 1 : 0, setting, this))
        Store(Document(), setting, *value);
}
