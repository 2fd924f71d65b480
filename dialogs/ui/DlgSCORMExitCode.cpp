#include "dialogs/ui/DlgSCORMExitCode.h"

#include "dialogs/ScormExitChoice.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

CDlgSCORMExitCode::CDlgSCORMExitCode(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DlgSCORMExitCode"));
    setWindowTitle(QStringLiteral("Exit"));
    auto *layout = new QVBoxLayout(this);
    const char *const lines[] = {
        "Every SCORM-compliant LMS needs to know how or why the learner left the lesson. This is stored in the "
        "element \"exit\" (\"cmi.core.exit\" in SCORM 1.2, \"cmi.exit\" in SCORM 2004).",
        "The default value of the application is \"suspend\".",
        "Some LMS need the empty value.",
    };
    for (const char *line : lines) {
        auto *label = new QLabel(QString::fromLatin1(line), this);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    auto *label = new QLabel(QStringLiteral("Select the SCORM value for exit:"), this);
    m_list = new QComboBox(this);
    m_list->setObjectName(QStringLiteral("ExitValues"));
    label->setBuddy(m_list);
    layout->addWidget(label);
    layout->addWidget(m_list);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(480);
    connect(m_list, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            value = m_list->itemText(index);
    });
}

void CDlgSCORMExitCode::ShowValues()
{
    const QSignalBlocker block(m_list);
    m_list->clear();
    const QStringList values = CorvScormExitChoice::Values(scorm12Flag);
    m_list->addItems(values);
    m_list->setCurrentIndex(CorvScormExitChoice::SelectedIndex(values, value));
}

int CDlgSCORMExitCode::exec()
{
    ShowValues();
    return QDialog::exec();
}
