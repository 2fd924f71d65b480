#include "dialogs/ui/DlgQuestionMultipleChoice.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

CDlgQuestionMultipleChoice::CDlgQuestionMultipleChoice(QWidget *parent) : CValueDialog(parent)
{
    setObjectName(QStringLiteral("DlgQuestionMultipleChoice"));
    setWindowTitle(QStringLiteral("Multiple choice question"));
    auto *layout = new QVBoxLayout(this);
    const QString stemLabel = QStringLiteral("Question text (including student instruction)");
    m_stem = MultiLine(QStringLiteral("QuestionText"), stemLabel, 4);
    SetFocusControl(CMultipleChoiceValues::kStemBox, m_stem);
    layout->addWidget(Label(stemLabel, m_stem));
    layout->addWidget(m_stem);
    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Correct"), this), 0, 2, Qt::AlignHCenter);
    for (int i = 0; i < CMultipleChoiceValues::kOptions; ++i) {
        const QChar letter = QLatin1Char(char('A' + i));
        const QString label = QStringLiteral("Option %1:").arg(letter);
        QLineEdit *box = SingleLine(QStringLiteral("Option%1").arg(letter), label);
        auto *correct = new QCheckBox(this);
        correct->setObjectName(QStringLiteral("Correct%1").arg(letter));
        correct->setAccessibleName(QStringLiteral("Option %1 correct").arg(letter));
        m_options[size_t(i)] = box;
        m_correct[size_t(i)] = correct;
        grid->addWidget(Label(label, box), i + 1, 0);
        grid->addWidget(box, i + 1, 1);
        grid->addWidget(correct, i + 1, 2, Qt::AlignHCenter);
    }
    layout->addLayout(grid);
    m_single = new QCheckBox(
        QStringLiteral("For questions with only one correct answer, options behave like radio buttons"), this);
    m_single->setObjectName(QStringLiteral("SingleAnswer"));
    layout->addWidget(m_single);
    AddFeedbackBoxes(layout, m_correctFeedback, m_wrongFeedback);
    layout->addWidget(OkCancel());
    resize(620, 0);
}

void CDlgQuestionMultipleChoice::ShowValues()
{
    m_stem->setPlainText(values.stem);
    for (int i = 0; i < CMultipleChoiceValues::kOptions; ++i) {
        m_options[size_t(i)]->setText(values.options[size_t(i)]);
        m_correct[size_t(i)]->setChecked(values.correct[size_t(i)] != 0);
    }
    m_single->setChecked(values.singleAnswer != 0);
    m_correctFeedback->setPlainText(values.correctFeedback);
    m_wrongFeedback->setPlainText(values.wrongFeedback);
}

void CDlgQuestionMultipleChoice::accept()
{
    CMultipleChoiceValues read = values;
    read.stem = m_stem->toPlainText();
    for (int i = 0; i < CMultipleChoiceValues::kOptions; ++i) {
        read.options[size_t(i)] = m_options[size_t(i)]->text();
        read.correct[size_t(i)] = m_correct[size_t(i)]->isChecked() ? 1 : 0;
    }
    read.singleAnswer = m_single->isChecked() ? 1 : 0;
    read.correctFeedback = m_correctFeedback->toPlainText();
    read.wrongFeedback = m_wrongFeedback->toPlainText();
    if (!Passed(read.Check()))
        return;
    values = read;
    CValueDialog::accept();
}
