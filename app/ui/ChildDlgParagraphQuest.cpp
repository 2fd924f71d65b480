#include "app/ui/ChildDlgParagraphQuest.h"

#include "app/AssessmentRules.h"
#include "app/ui/SettingsPageControls.h"
#include "app/ui/controls/SpinEdit.h"
#include "platform/StringTable.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>

using namespace CorvPageControls;
using namespace CorvAssessmentRules;

namespace {

CSpinEdit *NumberEdit(const QString &name, Range range, QWidget *parent)
{
    auto *edit = new CSpinEdit(parent);
    edit->setAccessibleName(name);
    edit->SetRange(range.low, range.high);
    edit->SetDigitsOnly(true);
    edit->setFixedWidth(70);
    return edit;
}

} // namespace

CChildDlgParagraphQuest::CChildDlgParagraphQuest(CCorvessaDoc &document, QWidget *parent)
    : CSettingsPage(document, parent)
{
    m_autoCreate = Make<QCheckBox>(CStringTable::Load(10801), this);
    m_interval = NumberEdit(QStringLiteral("Screens between questions"), IntervalRange(), this);
    m_words = NumberEdit(QStringLiteral("Missing words per question"), WordCountRange(), this);
    m_random = new QCheckBox(this);
    m_random->setAccessibleName(QStringLiteral("Randomize the number of screens between questions"));
    m_autoProgress = Make<QCheckBox>(QStringLiteral("Automatically progress after feedback"), this);
    m_autoProgress->hide();
    m_autoProgress->setEnabled(false);

    QLabel *often = Note(CStringTable::Load(10802), this);
    auto *every = BuddyLabel(CStringTable::Load(10803), m_interval, this);
    auto *screens = new QLabel(CStringTable::Load(10804), this);
    auto *missing = BuddyLabel(CStringTable::Load(10805), m_words, this);
    QLabel *randomText = Note(CStringTable::Load(10806), this);
    randomText->setBuddy(m_random);
    m_dependents = {often, every, screens, missing, randomText, m_interval, m_words, m_random};

    auto *grid = new QGridLayout(ScrollingBody(this));
    grid->addWidget(Note(CStringTable::Load(10800), this), 0, 0, 1, 4);
    grid->addWidget(m_autoCreate, 1, 0, 1, 4);
    grid->addWidget(often, 2, 0, 1, 4);
    grid->addWidget(every, 3, 0);
    grid->addWidget(m_interval, 3, 1);
    grid->addWidget(screens, 3, 2);
    grid->addWidget(m_words, 4, 1);
    grid->addWidget(missing, 4, 2, 1, 2);
    grid->addWidget(m_random, 5, 0, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(randomText, 5, 1, 1, 3);
    grid->setRowStretch(6, 1);
    grid->setColumnStretch(3, 1);

    connect(m_autoCreate, &QCheckBox::clicked, this, [this](bool on) {
        Document().MutableSettings().AutoCreateDragDropQuest = Flag(on);
        Document().SetModifiedFlag();
        ApplyStates();
    });
    connect(m_random, &QCheckBox::clicked, this, [this](bool on) {
        Document().MutableSettings().UseRandScreensQuest = Flag(on);
        Document().SetModifiedFlag();
    });
    connect(m_autoProgress, &QCheckBox::clicked, this,
            [this](bool on) { Document().MutableSettings().AutoProgress = Flag(on); });
    connect(m_interval, &CSpinEdit::TextEdited, this,
            [this](const QString &text) { OnTyped(&CCourseSettings::DragDropQuestInterval, text); });
    connect(m_words, &CSpinEdit::TextEdited, this,
            [this](const QString &text) { OnTyped(&CCourseSettings::DragDropQuestWordCount, text); });
    connect(m_interval, &CSpinEdit::Stepped, this, [this](int number) {
        Document().MutableSettings().DragDropQuestInterval = number;
        Document().SetModifiedFlag();
    });
    connect(m_words, &CSpinEdit::Stepped, this, [this](int number) {
        Document().MutableSettings().DragDropQuestWordCount = number;
        Document().SetModifiedFlag();
    });
    connect(m_interval, &CSpinEdit::editingFinished, this, &CChildDlgParagraphQuest::CommitInterval);
    connect(m_words, &CSpinEdit::editingFinished, this, &CChildDlgParagraphQuest::CommitWordCount);
}

void CChildDlgParagraphQuest::ResetToDefaults()
{
    ResetParagraphQuestions(Document().MutableSettings());
    RefreshFromDocument();
}

void CChildDlgParagraphQuest::RefreshFromDocument()
{
    const CCourseSettings &s = Document().Settings();
    ShowChecked(m_autoCreate, s.AutoCreateDragDropQuest != 0);
    ApplyStates();
    m_interval->SetNumber(s.DragDropQuestInterval);
    m_words->SetNumber(s.DragDropQuestWordCount);
    ShowChecked(m_random, s.UseRandScreensQuest != 0);
    ShowChecked(m_autoProgress, s.AutoProgress != 0);
}

void CChildDlgParagraphQuest::ApplyStates()
{
    for (QWidget *widget : m_dependents)
        widget->setEnabled(m_autoCreate->isChecked());
}

void CChildDlgParagraphQuest::OnTyped(int32_t CCourseSettings::*setting, const QString &text)
{
    // Each number typed is stored at once; an emptied edit stores nothing until it is left.
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok)
        return;
    Document().MutableSettings().*setting = number;
    Document().SetModifiedFlag();
}

void CChildDlgParagraphQuest::CommitInterval()
{
    bool ok = false;
    const int number = m_interval->Text().toInt(&ok);
    int32_t &setting = Document().MutableSettings().DragDropQuestInterval;
    if (ok)
        Store(Document(), setting, number);
    m_interval->SetNumber(setting);
}

void CChildDlgParagraphQuest::CommitWordCount()
{
    // A question needs at least two missing words, and more than ten leave too little of the paragraph.
    bool ok = false;
    const int number = m_words->Text().toInt(&ok);
    int32_t &setting = Document().MutableSettings().DragDropQuestWordCount;
    Store(Document(), setting, ClampWordCount(ok ? number : setting));
    m_words->SetNumber(setting);
}

void CChildDlgParagraphQuest::CommitPendingEdits()
{
    // Only a number still being typed: a stored value the author has not touched stays as the project has it.
    if (m_interval->Edit()->isModified())
        CommitInterval();
    if (m_words->Edit()->isModified())
        CommitWordCount();
}
