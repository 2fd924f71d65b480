#include "slideexport/ui/SlatewrightForm.h"

#include "slideexport/SlideExporter.h"
#include "slideexport/SubstitutionTable.h"

#include <QApplication>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

CSlatewrightForm::CSlatewrightForm(QWidget *parent)
    : QWidget(parent), m_presentation(new QLineEdit(ExamplePresentation(), this)),
      m_outputFolder(new QLineEdit(ExampleOutputFolder(), this)), m_run(new QPushButton(QStringLiteral("Run"), this))
{
    setObjectName(QStringLiteral("Slatewright"));
    setWindowTitle(QStringLiteral("Slatewright"));
    setAccessibleName(QStringLiteral("Slatewright"));
    auto *inputLabel = new QLabel(QStringLiteral("PPT &Input File"), this);
    auto *outputLabel = new QLabel(QStringLiteral("&Output Dir"), this);
    inputLabel->setBuddy(m_presentation);
    outputLabel->setBuddy(m_outputFolder);
    m_presentation->setObjectName(QStringLiteral("PPTFileName"));
    m_presentation->setAccessibleName(QStringLiteral("PPT Input File"));
    m_outputFolder->setObjectName(QStringLiteral("strOutputDir"));
    m_outputFolder->setAccessibleName(QStringLiteral("Output Dir"));
    m_run->setObjectName(QStringLiteral("Run"));
    m_run->setAccessibleName(QStringLiteral("Run"));
    m_run->setDefault(true);
    m_presentation->setMinimumWidth(260);

    auto *layout = new QGridLayout(this);
    layout->addWidget(inputLabel, 0, 0);
    layout->addWidget(m_presentation, 0, 1);
    layout->addWidget(outputLabel, 1, 0);
    layout->addWidget(m_outputFolder, 1, 1);
    layout->addWidget(m_run, 2, 1, Qt::AlignRight);
    setTabOrder(m_presentation, m_run);
    setTabOrder(m_run, m_outputFolder);
    connect(m_run, &QPushButton::clicked, this, &CSlatewrightForm::OnRun);
    connect(m_presentation, &QLineEdit::returnPressed, this, &CSlatewrightForm::OnRun);
    connect(m_outputFolder, &QLineEdit::returnPressed, this, &CSlatewrightForm::OnRun);
}

QString CSlatewrightForm::ExamplePresentation()
{
    return QDir::home().filePath(QStringLiteral("Documents/presentation.pptx"));
}

QString CSlatewrightForm::ExampleOutputFolder()
{
    return QDir::home().filePath(QStringLiteral("Documents/slides"));
}

void CSlatewrightForm::OnRun()
{
    QString error;
    bool exported = false;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        // Every run reads the substitutions again, so an edited file counts from the next press of Run.
        CSubstitutionTable substitutions;
        if (substitutions.Load(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("substitutions.txt")),
                               &error)) {
            CSlideExporter exporter(substitutions);
            exported = exporter.ExportSlatewright(m_presentation->text(), m_outputFolder->text(), &error);
        }
        QApplication::restoreOverrideCursor();
    }
    if (exported)
        QMessageBox::information(this, QStringLiteral("Slatewright"), QStringLiteral("done"));
    else
        QMessageBox::warning(this, QStringLiteral("Slatewright"), error);
}
