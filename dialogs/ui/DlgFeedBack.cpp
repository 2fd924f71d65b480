#include "dialogs/ui/DlgFeedBack.h"

#include "platform/StringTable.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

CDlgFeedBack::CDlgFeedBack(QWidget *parent) : CValueDialog(parent)
{
    setObjectName(QStringLiteral("DlgFeedBack"));
    setWindowTitle(QStringLiteral("Default feedback"));
    auto *layout = new QVBoxLayout(this);
    m_correct = MultiLine(QStringLiteral("CorrectFeedback"), CStringTable::Load(30001), 3);
    m_wrong = MultiLine(QStringLiteral("WrongFeedback"), CStringTable::Load(30003), 3);
    layout->addWidget(Label(CStringTable::Load(30001), m_correct));
    layout->addWidget(m_correct);
    layout->addWidget(Label(CStringTable::Load(30003), m_wrong));
    layout->addWidget(m_wrong);
    layout->addWidget(OkCancel());
    resize(460, 0);
}

void CDlgFeedBack::ShowValues()
{
    m_correct->setPlainText(correctFeedback);
    m_wrong->setPlainText(wrongFeedback);
}

void CDlgFeedBack::accept()
{
    correctFeedback = m_correct->toPlainText();
    wrongFeedback = m_wrong->toPlainText();
    CValueDialog::accept();
}
