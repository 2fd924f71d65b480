#include "dialogs/ui/DlgQuestionTrueFalse.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

CDlgQuestionTrueFalse::CDlgQuestionTrueFalse(QWidget *parent) : CValueDialog(parent)
{
    setObjectName(QStringLiteral("DlgQuestionTrueFalse"));
    setWindowTitle(QStringLiteral("True false question"));
    auto *layout = new QVBoxLayout(this);
    m_instruction = MultiLine(QStringLiteral("Instruction"), QStringLiteral("Instruction to student"), 2);
    m_statement = MultiLine(QStringLiteral("Statement"), QStringLiteral("Statement text"), 4);
    SetFocusControl(CTrueFalseValues::kInstructionBox, m_instruction);
    SetFocusControl(CTrueFalseValues::kStatementBox, m_statement);
    layout->addWidget(Label(QStringLiteral("Instruction to student"), m_instruction));
    layout->addWidget(m_instruction);
    layout->addWidget(Label(QStringLiteral("Statement text"), m_statement));
    layout->addWidget(m_statement);
    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Correct"), this), 0, 2, Qt::AlignHCenter);
    m_optionA = SingleLine(QStringLiteral("OptionA"), QStringLiteral("Option A:"));
    m_optionB = SingleLine(QStringLiteral("OptionB"), QStringLiteral("Option B:"));
    m_correctA = new QRadioButton(this);
    m_correctB = new QRadioButton(this);
    m_correctA->setObjectName(QStringLiteral("CorrectA"));
    m_correctB->setObjectName(QStringLiteral("CorrectB"));
    m_correctA->setAccessibleName(QStringLiteral("Option A correct"));
    m_correctB->setAccessibleName(QStringLiteral("Option B correct"));
    m_pair = new QButtonGroup(this);
    m_pair->addButton(m_correctA);
    m_pair->addButton(m_correctB);
    grid->addWidget(Label(QStringLiteral("Option A:"), m_optionA), 1, 0);
    grid->addWidget(m_optionA, 1, 1);
    grid->addWidget(m_correctA, 1, 2, Qt::AlignHCenter);
    grid->addWidget(Label(QStringLiteral("Option B:"), m_optionB), 2, 0);
    grid->addWidget(m_optionB, 2, 1);
    grid->addWidget(m_correctB, 2, 2, Qt::AlignHCenter);
    layout->addLayout(grid);
    AddFeedbackBoxes(layout, m_correctFeedback, m_wrongFeedback);
    layout->addWidget(OkCancel());
    resize(620, 0);
}

void CDlgQuestionTrueFalse::ShowValues()
{
    m_instruction->setPlainText(values.instruction);
    m_statement->setPlainText(values.statement);
    m_optionA->setText(values.optionA);
    m_optionB->setText(values.optionB);
    // Both may come unmarked from the caller; the group then holds neither until the author clicks one.
    m_pair->setExclusive(false);
    m_correctA->setChecked(values.optionACorrect != 0);
    m_correctB->setChecked(values.optionACorrect == 0 && values.optionBCorrect != 0);
    m_pair->setExclusive(true);
    m_correctFeedback->setPlainText(values.correctFeedback);
    m_wrongFeedback->setPlainText(values.wrongFeedback);
}

void CDlgQuestionTrueFalse::accept()
{
    CTrueFalseValues read = values;
    read.instruction = m_instruction->toPlainText();
    read.statement = m_statement->toPlainText();
    read.optionA = m_optionA->text();
    read.optionB = m_optionB->text();
    read.optionACorrect = m_correctA->isChecked() ? 1 : 0;
    read.optionBCorrect = m_correctB->isChecked() ? 1 : 0;
    read.correctFeedback = m_correctFeedback->toPlainText();
    read.wrongFeedback = m_wrongFeedback->toPlainText();
    if (!Passed(read.Check()))
        return;
    values = read;
    CValueDialog::accept();
}
