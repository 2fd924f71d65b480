#include "dialogs/ui/DlgSearchAndReplace.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The wait cursor while a search runs.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace

CDlgSearchAndReplace::CDlgSearchAndReplace(CCorvessaDoc &document, CFindReplaceHost &host, CPrompt &prompt,
                                           QWidget *parent)
    : CCmdUIDialog(parent), m_search(document, host, prompt)
{
    setObjectName(QStringLiteral("DlgSearchAndReplace"));
    setWindowTitle(QStringLiteral("Find"));
    auto *grid = new QGridLayout(this);
    m_findWhat = new QLineEdit(this);
    m_findWhat->setObjectName(QStringLiteral("FindWhat"));
    m_replaceWith = new QLineEdit(this);
    m_replaceWith->setObjectName(QStringLiteral("ReplaceWith"));
    const auto labelled = [this, grid](const QString &text, QLineEdit *field, int row) {
        auto *label = new QLabel(text, this);
        label->setBuddy(field);
        field->setAccessibleName(QString(text).remove(u'&').remove(u':').trimmed());
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
    };
    labelled(QStringLiteral("Fi&nd What: "), m_findWhat, 0);
    labelled(QStringLiteral("Re&place With:"), m_replaceWith, 1);
    m_matchCase = new QCheckBox(QStringLiteral("Match &case"), this);
    m_matchCase->setObjectName(QStringLiteral("MatchCase"));
    m_wholeProject = new QCheckBox(QStringLiteral("Search &entire project"), this);
    m_wholeProject->setObjectName(QStringLiteral("WholeProject"));
    grid->addWidget(m_matchCase, 2, 0, 1, 2);
    grid->addWidget(m_wholeProject, 3, 0, 1, 2);

    auto *buttons = new QVBoxLayout;
    const auto button = [this, buttons](const QString &text, const char *name) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        buttons->addWidget(b);
        return b;
    };
    m_find = button(QStringLiteral("&Find"), "Find");
    m_find->setDefault(true);
    m_replace = button(QStringLiteral("&Replace"), "Replace");
    m_replaceAll = button(QStringLiteral("Replace &All"), "ReplaceAll");
    QPushButton *close = button(QStringLiteral("Close"), "Close");
    buttons->addStretch();
    grid->addLayout(buttons, 0, 2, 4, 1);

    for (QPushButton *b : {m_find, m_replace, m_replaceAll})
        SetUpdateHandler(b, [this](CCmdUI &ui) { ui.Enable(!m_findWhat->text().isEmpty()); });
    connect(m_findWhat, &QLineEdit::textChanged, this, [this] { UpdateDialogControls(); });
    connect(m_find, &QPushButton::clicked, this, &CDlgSearchAndReplace::OnFind);
    connect(m_replace, &QPushButton::clicked, this, &CDlgSearchAndReplace::OnReplace);
    connect(m_replaceAll, &QPushButton::clicked, this, &CDlgSearchAndReplace::OnReplaceAll);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    UpdateDialogControls();
}

void CDlgSearchAndReplace::TakeFields()
{
    m_search.findWhat = m_findWhat->text();
    m_search.replaceWith = m_replaceWith->text();
    m_search.matchCase = m_matchCase->isChecked();
    m_search.wholeProject = m_wholeProject->isChecked();
}

void CDlgSearchAndReplace::OnFind()
{
    TakeFields();
    CFindReplace::Outcome outcome;
    {
        WaitCursor wait;
        outcome = m_search.Find();
    }
    if (outcome == CFindReplace::Outcome::Closed)
        accept();
}

void CDlgSearchAndReplace::OnReplace()
{
    TakeFields();
    m_search.Replace();
}

void CDlgSearchAndReplace::OnReplaceAll()
{
    TakeFields();
    WaitCursor wait;
    m_search.ReplaceAll();
}
