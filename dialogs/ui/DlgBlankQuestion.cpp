#include "dialogs/ui/DlgBlankQuestion.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

CDlgBlankQuestion::CDlgBlankQuestion(const QString &title, const QString &objectName,
                                     const CBlankQuestionValues &defaults, const QString &wordsNote, QWidget *parent)
    : CValueDialog(parent), values(defaults)
{
    setObjectName(objectName);
    setWindowTitle(title);
    auto *layout = new QVBoxLayout(this);
    m_instruction = MultiLine(QStringLiteral("Instruction"), QStringLiteral("Instruction to student:"), 2);
    layout->addWidget(Label(QStringLiteral("Instruction to student:"), m_instruction));
    layout->addWidget(m_instruction);
    const QString questionLabel = QStringLiteral("Question text (Use **** - four asterisks - to denote blank word)");
    m_question = MultiLine(QStringLiteral("QuestionText"), questionLabel, 5);
    layout->addWidget(Label(questionLabel, m_question));
    layout->addWidget(m_question);
    if (!wordsNote.isEmpty()) {
        auto *note = new QLabel(wordsNote, this);
        note->setWordWrap(true);
        layout->addWidget(note);
    }
    auto *grid = new QGridLayout;
    for (int i = 0; i < CBlankQuestionValues::kWords; ++i) {
        const QString label = QStringLiteral("Word %1:").arg(i + 1);
        QLineEdit *box = SingleLine(QStringLiteral("Word%1").arg(i + 1), label);
        m_words[size_t(i)] = box;
        // Words 1 to 5 in the left column, 6 to 10 in the right.
        const int row = i % 5;
        const int column = (i / 5) * 2;
        grid->addWidget(Label(label, box), row, column);
        grid->addWidget(box, row, column + 1);
    }
    layout->addLayout(grid);
    AddFeedbackBoxes(layout, m_correct, m_wrong);
    layout->addWidget(OkCancel());
    resize(620, 0);
}

void CDlgBlankQuestion::ShowValues()
{
    m_instruction->setPlainText(values.instruction);
    m_question->setPlainText(values.questionText);
    for (int i = 0; i < CBlankQuestionValues::kWords; ++i)
        m_words[size_t(i)]->setText(values.words[size_t(i)]);
    m_correct->setPlainText(values.correctFeedback);
    m_wrong->setPlainText(values.wrongFeedback);
}

void CDlgBlankQuestion::accept()
{
    CBlankQuestionValues read = values;
    read.instruction = m_instruction->toPlainText();
    read.questionText = m_question->toPlainText();
    for (int i = 0; i < CBlankQuestionValues::kWords; ++i)
        read.words[size_t(i)] = m_words[size_t(i)]->text();
    read.correctFeedback = m_correct->toPlainText();
    read.wrongFeedback = m_wrong->toPlainText();
    if (!Passed(read.Check()))
        return;
    values = read;
    CValueDialog::accept();
}
