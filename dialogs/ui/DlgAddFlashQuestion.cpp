#include "dialogs/ui/DlgAddFlashQuestion.h"

#include "app/ui/controls/ColorSelectButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
const QString kTitle = QStringLiteral("Flash (SWF) Question");
}

DlgAddFlashQuestion::DlgAddFlashQuestion(QWidget *parent) : CValueDialog(parent)
{
    setObjectName(QStringLiteral("DlgAddFlashQuestion"));
    setWindowTitle(kTitle);
    auto *layout = new QVBoxLayout(this);
    m_file = SingleLine(QStringLiteral("SwfFile"), QStringLiteral("Select the Flash (SWF) question file"));
    m_browse = new QPushButton(QStringLiteral("Browse..."), this);
    m_browse->setObjectName(QStringLiteral("Browse"));
    m_browse->setAccessibleName(QStringLiteral("Browse for the Flash file"));
    layout->addWidget(Label(QStringLiteral("Select the Flash (SWF) question file"), m_file));
    auto *row = new QHBoxLayout;
    row->addWidget(m_file, 1);
    row->addWidget(m_browse);
    layout->addLayout(row);
    m_fullScreen = new QCheckBox(QStringLiteral("Use all available screen space for question"), this);
    m_fullScreen->setObjectName(QStringLiteral("FullScreen"));
    layout->addWidget(m_fullScreen);
    auto *grid = new QGridLayout;
    m_version = new QSpinBox(this);
    m_version->setObjectName(QStringLiteral("Version"));
    m_version->setAccessibleName(QStringLiteral("Version"));
    // The arrows run from 6 to 10; a typed version outside them becomes 8 on OK.
    m_version->setRange(0, 99);
    m_flashVars = SingleLine(QStringLiteral("FlashVars"), QStringLiteral("FlashVars"));
    m_windowMode = new QComboBox(this);
    m_windowMode->setObjectName(QStringLiteral("WindowMode"));
    m_windowMode->setAccessibleName(QStringLiteral("Window mode"));
    m_windowMode->addItems(CFlashQuestionValues::WindowModes());
    m_background = new CColorSelectButton(this);
    m_background->setObjectName(QStringLiteral("Background"));
    m_background->setAccessibleName(QStringLiteral("Background"));
    grid->addWidget(Label(QStringLiteral("Version"), m_version), 0, 0);
    grid->addWidget(m_version, 0, 1);
    grid->addWidget(Label(QStringLiteral("Window mode"), m_windowMode), 0, 2);
    grid->addWidget(m_windowMode, 0, 3);
    grid->addWidget(Label(QStringLiteral("FlashVars"), m_flashVars), 1, 0);
    grid->addWidget(m_flashVars, 1, 1, 1, 3);
    grid->addWidget(Label(QStringLiteral("Background"), m_background), 2, 0);
    grid->addWidget(m_background, 2, 1);
    layout->addLayout(grid);
    layout->addWidget(OkCancel());
    connect(m_browse, &QPushButton::clicked, this, &DlgAddFlashQuestion::OnBrowse);
    resize(520, 0);
}

void DlgAddFlashQuestion::ShowValues()
{
    setWindowTitle(values.title.isEmpty() ? kTitle : values.title);
    m_file->setText(values.swfFile);
    m_fullScreen->setChecked(values.fullScreen != 0);
    m_version->setValue(values.version);
    m_flashVars->setText(values.flashVars);
    m_windowMode->setCurrentIndex(CFlashQuestionValues::WindowModeIndex(values.windowMode));
    m_background->SetColor(values.backgroundColor ? values.backgroundColor : CFlashQuestionValues::kWhite);
}

void DlgAddFlashQuestion::OnBrowse()
{
    const QString chosen = BrowseFile(m_file->text(), 61453);
    if (!chosen.isEmpty())
        m_file->setText(chosen);
}

void DlgAddFlashQuestion::accept()
{
    CFlashQuestionValues read = values;
    read.swfFile = m_file->text();
    read.fullScreen = m_fullScreen->isChecked() ? 1 : 0;
    read.version = m_version->value();
    read.flashVars = m_flashVars->text();
    // A list showing nothing keeps the value it opened with.
    if (m_windowMode->currentIndex() >= 0)
        read.windowMode = m_windowMode->currentText();
    read.backgroundColor = m_background->GetColor();
    read.Correct();
    values = read;
    CValueDialog::accept();
}
