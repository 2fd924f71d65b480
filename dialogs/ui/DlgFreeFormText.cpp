#include "dialogs/ui/DlgFreeFormText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

CDlgFreeFormText::CDlgFreeFormText(QWidget *parent) : CValueDialog(parent)
{
    setObjectName(QStringLiteral("DlgFreeFormText"));
    setWindowTitle(QStringLiteral("Free form text entry question"));
    // The dialog's own starting values; the question presets its own before every run.
    values.m_instruction.clear();
    values.m_evaluate = 0;
    values.m_wholeWords = 0;
    values.m_numberToMatch = -1;
    values.m_maxCharacters = 0;
    auto *layout = new QVBoxLayout(this);
    m_id = new QLabel(this);
    m_id->setObjectName(QStringLiteral("QuestionId"));
    m_id->setAlignment(Qt::AlignRight);
    layout->addWidget(m_id);
    m_instruction = MultiLine(QStringLiteral("Instruction"), QStringLiteral("Instruction to student:"), 3);
    layout->addWidget(Label(QStringLiteral("Instruction to student:"), m_instruction));
    layout->addWidget(m_instruction);
    auto *note = new QLabel(
        QStringLiteral("In an option, if there is more than one correct word, separate them with semi-colons."), this);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto *grid = new QGridLayout;
    for (int i = 0; i < CComponentFreeFormText::kKeywords; ++i) {
        const QString label = QStringLiteral("Keyword %1:").arg(i + 1);
        QLineEdit *box = SingleLine(QStringLiteral("Keyword%1").arg(i + 1), label);
        m_keywords[size_t(i)] = box;
        grid->addWidget(Label(label, box), i % 5, (i / 5) * 2);
        grid->addWidget(box, i % 5, (i / 5) * 2 + 1);
    }
    layout->addLayout(grid);
    using V = CComponentFreeFormText::DialogValues;
    const struct {
        const char *name;
        const char *text;
        int V::*field;
    } flags[] = {
        {"Evaluate", "Evaluate", &V::m_evaluate},
        {"CaseSensitive", "Case sensitive", &V::m_caseSensitive},
        {"WholeWords", "Match whole words only", &V::m_wholeWords},
        {"StoreResponse", "Store response", &V::m_storeResponse},
        {"EmailResponse", "Email response", &V::m_emailResponse},
        {"Remember", "Remember during session", &V::m_rememberResponse},
        {"Print", "Show 'Print' button", &V::m_showPrintButton},
    };
    auto *options = new QGridLayout;
    int at = 0;
    for (const auto &f : flags) {
        auto *box = new QCheckBox(QString::fromLatin1(f.text), this);
        box->setObjectName(QString::fromLatin1(f.name));
        m_flags.push_back({box, f.field});
        options->addWidget(box, at / 3, at % 3);
        ++at;
    }
    layout->addLayout(options);
    auto *numbers = new QGridLayout;
    m_maxCharacters = SingleLine(QStringLiteral("MaxCharacters"), QStringLiteral("Maximum characters"));
    m_maxCharacters->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), m_maxCharacters));
    m_numberToMatch = new QComboBox(this);
    m_numberToMatch->setObjectName(QStringLiteral("NumberToMatch"));
    m_numberToMatch->setAccessibleName(QStringLiteral("Number to match"));
    m_numberToMatch->addItem(QStringLiteral("all"));
    for (int i = 1; i <= 10; ++i)
        m_numberToMatch->addItem(QString::number(i));
    numbers->addWidget(Label(QStringLiteral("Maximum characters"), m_maxCharacters), 0, 0);
    numbers->addWidget(m_maxCharacters, 0, 1);
    numbers->addWidget(Label(QStringLiteral("Number to match"), m_numberToMatch), 0, 2);
    numbers->addWidget(m_numberToMatch, 0, 3);
    layout->addLayout(numbers);
    AddFeedbackBoxes(layout, m_correct, m_wrong);
    layout->addWidget(OkCancel());
    resize(620, 0);
}

QCheckBox *CDlgFreeFormText::Box(const QString &objectName) const
{
    for (const Flag &f : m_flags)
        if (f.box->objectName() == objectName)
            return f.box;
    return nullptr;
}

void CDlgFreeFormText::ShowValues()
{
    m_id->setText(QStringLiteral("Free form question ID:%1").arg(values.m_questionId));
    m_instruction->setPlainText(values.m_instruction);
    for (int i = 0; i < CComponentFreeFormText::kKeywords; ++i)
        m_keywords[size_t(i)]->setText(values.m_keywords[size_t(i)]);
    for (const Flag &f : m_flags)
        f.box->setChecked(values.*f.field != 0);
    m_maxCharacters->setText(QString::number(std::max(0, values.m_maxCharacters)));
    m_numberToMatch->setCurrentIndex(values.m_numberToMatch >= 0 && values.m_numberToMatch <= 10
                                         ? values.m_numberToMatch
                                         : -1);
    m_correct->setPlainText(values.m_correctFeedback);
    m_wrong->setPlainText(values.m_wrongFeedback);
}

void CDlgFreeFormText::accept()
{
    CComponentFreeFormText::DialogValues read = values;
    if (!ReadUnsigned(m_maxCharacters, read.m_maxCharacters))
        return;
    read.m_instruction = m_instruction->toPlainText();
    for (int i = 0; i < CComponentFreeFormText::kKeywords; ++i)
        read.m_keywords[size_t(i)] = m_keywords[size_t(i)]->text();
    for (const Flag &f : m_flags)
        read.*f.field = f.box->isChecked() ? 1 : 0;
    read.m_numberToMatch = m_numberToMatch->currentIndex();
    read.m_correctFeedback = m_correct->toPlainText();
    read.m_wrongFeedback = m_wrong->toPlainText();
    values = read;
    CValueDialog::accept();
}

bool CDlgFreeFormText::Edit(CComponentFreeFormText::DialogValues &edited)
{
    values = edited;
    if (exec() != QDialog::Accepted)
        return false;
    edited = values;
    return true;
}
