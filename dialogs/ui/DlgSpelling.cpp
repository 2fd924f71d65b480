#include "dialogs/ui/DlgSpelling.h"

#include "platform/Prompt.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CDlgSpelling::CDlgSpelling(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DlgSpelling"));
    setWindowTitle(QStringLiteral("Spelling"));
    auto *grid = new QGridLayout(this);
    m_context = new QLabel(this);
    m_context->setObjectName(QStringLiteral("Context"));
    m_context->setWordWrap(true);
    m_context->setTextFormat(Qt::RichText);
    m_context->setMinimumWidth(320);
    m_word = new QLineEdit(this);
    m_word->setObjectName(QStringLiteral("NotInDictionary"));
    m_word->setReadOnly(true);
    m_changeTo = new QLineEdit(this);
    m_changeTo->setObjectName(QStringLiteral("ChangeTo"));
    m_suggestions = new QListWidget(this);
    m_suggestions->setObjectName(QStringLiteral("Suggestions"));
    const auto labelled = [this, grid](const QString &text, QWidget *field, int row) {
        auto *label = new QLabel(text, this);
        label->setBuddy(field);
        field->setAccessibleName(QString(text).remove(u'&').remove(u':'));
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row + 1, 0);
    };
    grid->addWidget(m_context, 0, 0);
    labelled(QStringLiteral("&Not in dictionary:"), m_word, 1);
    labelled(QStringLiteral("C&hange to:"), m_changeTo, 3);
    labelled(QStringLiteral("&Suggestions:"), m_suggestions, 5);
    auto *column = new QVBoxLayout;
    const struct {
        CSpellUi::Action action;
        const char *text;
        const char *name;
    } buttons[] = {
        {CSpellUi::Action::ignore, "&Ignore", "Ignore"},
        {CSpellUi::Action::ignoreAll, "I&gnore all", "IgnoreAll"},
        {CSpellUi::Action::change, "&Change", "Change"},
        {CSpellUi::Action::changeAll, "Change a&ll", "ChangeAll"},
        {CSpellUi::Action::add, "&Add", "Add"},
        {CSpellUi::Action::cancel, "Cancel", "Cancel"},
    };
    for (const auto &b : buttons) {
        auto *button = new QPushButton(QString::fromLatin1(b.text), this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, action = b.action] { Choose(action); });
        column->addWidget(button);
        m_buttons.append({b.action, button});
    }
    column->addStretch();
    grid->addLayout(column, 0, 1, 7, 1);
    connect(m_suggestions, &QListWidget::currentTextChanged, m_changeTo, &QLineEdit::setText);
    connect(m_suggestions, &QListWidget::itemDoubleClicked, this, [this] { Choose(CSpellUi::Action::change); });
    connect(m_changeTo, &QLineEdit::returnPressed, this, [this] { Choose(CSpellUi::Action::change); });
}

QPushButton *CDlgSpelling::Button(CSpellUi::Action action) const
{
    for (const auto &[a, button] : m_buttons)
        if (a == action)
            return button;
    return nullptr;
}

void CDlgSpelling::SetQuery(const CSpellUi::Query &query)
{
    m_word->setText(query.word);
    const qsizetype at = query.context.indexOf(query.word);
    QString shown = query.context.toHtmlEscaped();
    if (at >= 0)
        shown = query.context.left(at).toHtmlEscaped() + QStringLiteral("<b><font color=\"#c00000\">")
                + query.word.toHtmlEscaped() + QStringLiteral("</font></b>")
                + query.context.mid(at + query.word.size()).toHtmlEscaped();
    m_context->setText(shown);
    m_suggestions->clear();
    m_suggestions->addItems(query.suggestions);
    if (!query.suggestions.isEmpty())
        m_suggestions->setCurrentRow(0);
    else
        m_changeTo->setText(query.word);
    Button(CSpellUi::Action::change)->setEnabled(true);
    m_changeTo->setFocus();
    m_changeTo->selectAll();
    m_answer = {CSpellUi::Action::cancel, {}};
}

void CDlgSpelling::Choose(CSpellUi::Action action)
{
    m_answer.action = action;
    m_answer.replacement = m_changeTo->text();
    // A change to nothing or to the same word is no change.
    if ((action == CSpellUi::Action::change || action == CSpellUi::Action::changeAll)
        && (m_answer.replacement.isEmpty() || m_answer.replacement == m_word->text()))
        m_answer.action = action == CSpellUi::Action::change ? CSpellUi::Action::ignore : CSpellUi::Action::ignoreAll;
    if (action == CSpellUi::Action::cancel)
        reject();
    else
        accept();
}

CSpellUi::Answer CSpellingDialogUi::Ask(const Query &query)
{
    CDlgSpelling dialog(m_parent);
    dialog.SetQuery(query);
    dialog.exec();
    return dialog.Result();
}

void CSpellingDialogUi::Tell(const QString &text) { m_prompt.Information(text); }
