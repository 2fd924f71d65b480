#include "dialogs/ui/DlgLikertQuestion.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QRadioButton *Radio(QWidget *parent, const char *name, const char *text)
{
    auto *radio = new QRadioButton(QString::fromLatin1(text), parent);
    radio->setObjectName(QString::fromLatin1(name));
    return radio;
}

QCheckBox *Check(QWidget *parent, const char *name, const char *text)
{
    auto *box = new QCheckBox(QString::fromLatin1(text), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

} // namespace

CDlgLikertQuestion::CDlgLikertQuestion(QWidget *parent) : CValueDialog(parent)
{
    setObjectName(QStringLiteral("DlgLikertQuestion"));
    setWindowTitle(QStringLiteral("Slider question"));
    auto *layout = new QVBoxLayout(this);
    const QString questionLabel = QStringLiteral("Question text (including student instruction)");
    m_question = MultiLine(QStringLiteral("QuestionText"), questionLabel, 3);
    layout->addWidget(Label(questionLabel, m_question));
    layout->addWidget(m_question);

    auto *look = new QHBoxLayout;
    m_horizontal = Check(this, "Horizontal", "Horizontal slider bar");
    m_fill = Check(this, "ShowFill", "Show slider bar fill");
    m_showValue = Check(this, "ShowValue", "Show the current value");
    look->addWidget(m_horizontal);
    look->addWidget(m_fill);
    look->addWidget(m_showValue);
    layout->addLayout(look);

    auto *grid = new QGridLayout;
    m_numbers = Radio(this, "UseNumbers", "Use numbers as values");
    m_wordsRadio = Radio(this, "UseWords", "Use words as values (separate values with a semi-colon)");
    auto *scale = new QButtonGroup(this);
    scale->addButton(m_numbers);
    scale->addButton(m_wordsRadio);
    m_start = SingleLine(QStringLiteral("Start"), QStringLiteral("Start"));
    m_end = SingleLine(QStringLiteral("End"), QStringLiteral("End"));
    m_words = MultiLine(QStringLiteral("Words"), QStringLiteral("Words"), 2);
    m_words->setAccessibleName(QStringLiteral("Words as values"));
    grid->addWidget(m_numbers, 0, 0, 1, 4);
    grid->addWidget(Label(QStringLiteral("Start"), m_start), 1, 0);
    grid->addWidget(m_start, 1, 1);
    grid->addWidget(Label(QStringLiteral("End"), m_end), 1, 2);
    grid->addWidget(m_end, 1, 3);
    grid->addWidget(m_wordsRadio, 2, 0, 1, 4);
    grid->addWidget(m_words, 3, 0, 1, 4);

    auto *labels = new QGroupBox(QStringLiteral("Labels (at either slider end)"), this);
    auto *labelGrid = new QGridLayout(labels);
    m_startLabel = SingleLine(QStringLiteral("StartLabel"), QStringLiteral("Start label"));
    m_endLabel = SingleLine(QStringLiteral("EndLabel"), QStringLiteral("End label"));
    labelGrid->addWidget(Label(QStringLiteral("Start"), m_startLabel), 0, 0);
    labelGrid->addWidget(m_startLabel, 0, 1);
    labelGrid->addWidget(Label(QStringLiteral("End"), m_endLabel), 1, 0);
    labelGrid->addWidget(m_endLabel, 1, 1);
    grid->addWidget(labels, 0, 4, 4, 2);
    layout->addLayout(grid);

    auto *answer = new QGridLayout;
    m_snap = Radio(this, "Snap", "Show whole numbers (snap to position)");
    m_exact = Radio(this, "Exact", "Show exact value");
    auto *rounding = new QButtonGroup(this);
    rounding->addButton(m_snap);
    rounding->addButton(m_exact);
    m_decimals = new QSpinBox(this);
    m_decimals->setObjectName(QStringLiteral("DecimalPlaces"));
    m_decimals->setAccessibleName(QStringLiteral("Round to this many decimal places"));
    // Typed values outside the arrows' range are corrected on OK.
    m_decimals->setRange(0, 9999);
    m_tolerance = SingleLine(QStringLiteral("Tolerance"), QStringLiteral("Range tolerance for correct answer"));
    m_evaluate = Check(this, "Evaluate", "Evaluate answer");
    m_correctValue = SingleLine(QStringLiteral("CorrectValue"), QStringLiteral("Correct value"));
    m_markers = new QSpinBox(this);
    m_markers->setObjectName(QStringLiteral("Markers"));
    m_markers->setAccessibleName(QStringLiteral("Markers"));
    m_markers->setRange(0, 9999);
    answer->addWidget(m_snap, 0, 0, 1, 2);
    answer->addWidget(m_exact, 1, 0, 1, 2);
    answer->addWidget(Label(QStringLiteral("Round to this many decimal places"), m_decimals), 2, 0);
    answer->addWidget(m_decimals, 2, 1);
    answer->addWidget(Label(QStringLiteral("Range tolerance for correct answer"), m_tolerance), 3, 0);
    answer->addWidget(m_tolerance, 3, 1);
    answer->addWidget(m_evaluate, 0, 2, 1, 2);
    answer->addWidget(Label(QStringLiteral("Correct value"), m_correctValue), 1, 2);
    answer->addWidget(m_correctValue, 1, 3);
    answer->addWidget(Label(QStringLiteral("Markers"), m_markers), 2, 2);
    answer->addWidget(m_markers, 2, 3);
    layout->addLayout(answer);

    AddFeedbackBoxes(layout, m_correct, m_wrong, true);
    layout->addWidget(OkCancel());
    for (QRadioButton *radio : {m_numbers, m_wordsRadio, m_snap, m_exact})
        connect(radio, &QRadioButton::toggled, this, &CDlgLikertQuestion::UpdateEnabling);
    resize(760, 0);
}

void CDlgLikertQuestion::UpdateEnabling()
{
    const bool numbers = m_numbers->isChecked();
    const bool exact = m_exact->isChecked();
    m_start->setEnabled(numbers);
    m_end->setEnabled(numbers);
    m_snap->setEnabled(numbers);
    m_exact->setEnabled(numbers);
    m_words->setEnabled(!numbers);
    m_decimals->setEnabled(exact);
    m_tolerance->setEnabled(exact);
}

void CDlgLikertQuestion::ShowValues()
{
    m_question->setPlainText(values.questionText);
    m_horizontal->setChecked(values.horizontal != 0);
    m_fill->setChecked(values.showFill != 0);
    m_showValue->setChecked(values.showValue != 0);
    (values.useNumbers ? m_numbers : m_wordsRadio)->setChecked(true);
    m_start->setText(DialogNumbers::FormatDouble(values.startValue));
    m_end->setText(DialogNumbers::FormatDouble(values.endValue));
    m_startLabel->setText(values.startLabel);
    m_endLabel->setText(values.endLabel);
    (values.snap ? m_snap : m_exact)->setChecked(true);
    m_evaluate->setChecked(values.evaluate != 0);
    m_correctValue->setText(DialogNumbers::FormatDouble(values.correctValue));
    m_decimals->setValue(values.decimalPlaces);
    m_words->setPlainText(values.words);
    m_tolerance->setText(DialogNumbers::FormatDouble(values.tolerance));
    m_markers->setValue(values.markers);
    m_correct->setPlainText(values.correctFeedback);
    m_wrong->setPlainText(values.wrongFeedback);
    UpdateEnabling();
}

void CDlgLikertQuestion::accept()
{
    CLikertValues read = values;
    if (!ReadDouble(m_start, read.startValue) || !ReadDouble(m_end, read.endValue)
        || !ReadDouble(m_correctValue, read.correctValue) || !ReadDouble(m_tolerance, read.tolerance))
        return;
    read.questionText = m_question->toPlainText();
    read.horizontal = m_horizontal->isChecked() ? 1 : 0;
    read.showFill = m_fill->isChecked() ? 1 : 0;
    read.showValue = m_showValue->isChecked() ? 1 : 0;
    read.useNumbers = m_numbers->isChecked() ? 1 : 0;
    read.startLabel = m_startLabel->text();
    read.endLabel = m_endLabel->text();
    read.snap = m_snap->isChecked() ? 1 : 0;
    read.evaluate = m_evaluate->isChecked() ? 1 : 0;
    read.decimalPlaces = m_decimals->value();
    read.words = m_words->toPlainText();
    read.markers = m_markers->value();
    read.correctFeedback = m_correct->toPlainText();
    read.wrongFeedback = m_wrong->toPlainText();
    if (!Passed(read.Check()))
        return;
    read.Correct();
    values = read;
    CValueDialog::accept();
}
