#include "app/ui/ChildDlgButtons.h"

#include "app/AssessmentRules.h"
#include "app/ui/SettingsPageControls.h"
#include "app/ui/controls/SpinEdit.h"
#include "model/CorvPage.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "platform/ui/RowLayout.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

using namespace CorvPageControls;
using namespace CorvButtonsRules;
using namespace CorvRows;

namespace {

// The settings of the seven labels, in the order of CorvButtonsRules::Button.
constexpr QString CCourseSettings::*kLabelSettings[kButtonCount] = {
    &CCourseSettings::LblNext, &CCourseSettings::LblBack, &CCourseSettings::LblMenu, &CCourseSettings::LblQuit,
    &CCourseSettings::LblDone, &CCourseSettings::LblPlay, &CCourseSettings::LblStop,
};
constexpr int32_t CCourseSettings::*kButtonSettings[4] = {
    &CCourseSettings::UseBtnNext, &CCourseSettings::UseBtnBack, &CCourseSettings::UseBtnMenu, &CCourseSettings::UseBtnQuit,
};

} // namespace

CChildDlgButtons::CChildDlgButtons(CCorvessaDoc &document, QWidget *parent) : CSettingsPage(document, parent)
{
    BuildControls();
}

void CChildDlgButtons::BuildControls()
{
    QGroupBox *buttons = BuildLabelGroup();
    QGridLayout *grid = BuildOptionsGrid();
    auto *layout = new QHBoxLayout(ScrollingBody(this));
    layout->addWidget(buttons, 0, Qt::AlignTop);
    auto *right = new QVBoxLayout;
    right->addLayout(grid);
    right->addStretch(1);
    layout->addLayout(right, 1);
    ConnectControls();
}

// The seven buttons: whether each of the first four shows, and the label of each.
QGroupBox *CChildDlgButtons::BuildLabelGroup()
{
    const QString buttonNames[kButtonCount] = {CStringTable::Load(10624), CStringTable::Load(10625),
                                               CStringTable::Load(10626), CStringTable::Load(10627),
                                               CStringTable::Load(10631), CStringTable::Load(10632),
                                               CStringTable::Load(10633)};
    auto *buttons = new QGroupBox(CStringTable::Load(10622), this);
    auto *buttonGrid = new QGridLayout(buttons);
    buttonGrid->addWidget(Note(CStringTable::Load(10623), buttons), 0, 0, 1, 2);
    for (int b = 0; b < kButtonCount; ++b) {
        auto *box = new QComboBox(buttons);
        box->setAccessibleName(buttonNames[b] + QStringLiteral(" label"));
        box->addItems(LabelEntries(Button(b)));
        m_labels[size_t(b)] = box;
        QWidget *caption = nullptr;
        if (b < 4) {
            m_checks[size_t(b)] = Make<QCheckBox>(buttonNames[b], buttons);
            caption = m_checks[size_t(b)];
        } else {
            caption = BuddyLabel(buttonNames[b], box, buttons);
        }
        buttonGrid->addWidget(caption, 1 + b, 0);
        buttonGrid->addWidget(box, 1 + b, 1);
        QString CCourseSettings::*setting = kLabelSettings[b];
        connect(box, &QComboBox::activated, this, [this, box, setting](int index) {
            if (index < 0)
                return;
            Document().MutableSettings().*setting = box->itemText(index);
            Document().SetModifiedFlag();
        });
    }
    buttonGrid->setColumnStretch(2, 1);
    return buttons;
}

// The progress bar, the time between screens, the toggles, the Next button's delay, Glossary and Help.
QGridLayout *CChildDlgButtons::BuildOptionsGrid()
{
    m_progressBar = Make<QCheckBox>(CStringTable::Load(10630), this);
    m_timeBetween = new CSpinEdit(this);
    m_timeBetween->setAccessibleName(CStringTable::Load(10628));
    m_timeBetween->SetRange(0, 3600);
    m_timeBetween->setFixedWidth(80);
    m_timeLabel = BuddyLabel(CStringTable::Load(10628), m_timeBetween, this);
    m_timeUnit = new QLabel(CStringTable::Load(10629), this);

    auto *toggles = new QGroupBox(QStringLiteral("For multiple choices questions use this type of toggle button"), this);
    m_checkmark = Make<QRadioButton>(QStringLiteral("Checkmark"), toggles);
    m_letters = Make<QRadioButton>(QStringLiteral("Letters"), toggles);
    AddItems(new QHBoxLayout(toggles), {m_checkmark, m_letters, Stretch(1)});

    m_delay = Make<QCheckBox>(QStringLiteral("Delay the display of the Next button"), this);
    m_delaySeconds = MakeEdit(QStringLiteral("Next button delay in seconds"), this);
    // The delay goes into the course's script as a number: digits only.
    m_delaySeconds->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    m_delaySeconds->setFixedWidth(60);
    m_lastScreen = Make<QCheckBox>(QStringLiteral("Disable the Next button at the last screen in a topic"), this);
    m_glossary = Make<QCheckBox>(QStringLiteral("Glossary"), this);
    m_hideGlossary = Make<QCheckBox>(QStringLiteral("Hide during assessment"), this);
    m_hideGlossary->setAccessibleName(QStringLiteral("Hide Glossary during assessment"));
    m_help = new QComboBox(this);
    m_help->setAccessibleName(QStringLiteral("Help"));
    m_help->setMinimumContentsLength(24);
    m_hideHelp = Make<QCheckBox>(QStringLiteral("Hide during assessment"), this);
    m_hideHelp->setAccessibleName(QStringLiteral("Hide Help during assessment"));

    auto *grid = new QGridLayout;
    int row = 0;
    grid->addWidget(m_progressBar, row++, 0, 1, 4);
    grid->addLayout(Row({m_timeLabel, m_timeBetween, m_timeUnit, Stretch(1)}), row++, 0, 1, 4);
    grid->addWidget(toggles, row++, 0, 1, 4);
    grid->addLayout(Row({m_delay, m_delaySeconds, new QLabel(QStringLiteral("seconds"), this), Stretch(1)}), row++, 0,
                    1, 4);
    grid->addWidget(m_lastScreen, row++, 0, 1, 4);
    grid->addWidget(m_glossary, row, 0);
    grid->addWidget(m_hideGlossary, row++, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Choose the Popups Only screen to use:"), this), row++, 0, 1, 4);
    grid->addWidget(BuddyLabel(QStringLiteral("Help"), m_help, this), row, 0);
    grid->addWidget(m_help, row, 1);
    grid->addWidget(m_hideHelp, row++, 2);
    grid->setColumnStretch(3, 1);
    return grid;
}

void CChildDlgButtons::ConnectControls()
{
    for (int b = 0; b < 4; ++b) {
        int32_t CCourseSettings::*setting = kButtonSettings[b];
        connect(m_checks[size_t(b)], &QCheckBox::clicked, this, [this, setting](bool on) {
            Document().MutableSettings().*setting = Flag(on);
            Document().SetModifiedFlag();
            ApplyStates();
        });
    }
    connect(m_progressBar, &QCheckBox::clicked, this, [this](bool on) {
        Document().MutableSettings().UseProgressBar = Flag(on);
        Document().SetModifiedFlag();
    });
    connect(m_timeBetween, &CSpinEdit::TextEdited, this, [this] { Document().SetModifiedFlag(); });
    connect(m_timeBetween, &CSpinEdit::Stepped, this, [this](int number) {
        Document().MutableSettings().TimeBetweenScreens = number;
        Document().SetModifiedFlag();
    });
    connect(m_timeBetween, &CSpinEdit::editingFinished, this, &CChildDlgButtons::CommitTimeBetweenScreens);
    connect(m_checkmark, &QRadioButton::clicked, this, [this] {
        Document().MutableSettings().McToggleType = 0;
        Document().SetModifiedFlag();
    });
    connect(m_letters, &QRadioButton::clicked, this, [this] {
        Document().MutableSettings().McToggleType = 1;
        Document().SetModifiedFlag();
    });
    connect(m_delay, &QCheckBox::clicked, this, [this](bool on) {
        Store(Document(), Document().MutableSettings().DelayNextButton, Flag(on));
        ApplyStates();
    });
    connect(m_delaySeconds, &QLineEdit::textChanged, this,
            [this](const QString &text) { Store(Document(), Document().MutableSettings().NextButtonDelay, text); });
    connect(m_lastScreen, &QCheckBox::clicked, this,
            [this](bool on) { Store(Document(), Document().MutableSettings().NoNextAtTopicEnd, Flag(on)); });
    connect(m_glossary, &QCheckBox::clicked, this, [this](bool on) {
        Store(Document(), Document().MutableSettings().ShowGlossary, Flag(on));
        ApplyStates();
    });
    connect(m_hideGlossary, &QCheckBox::clicked, this,
            [this](bool on) { Store(Document(), Document().MutableSettings().HideGlossaryInAssessment, Flag(on)); });
    connect(m_hideHelp, &QCheckBox::clicked, this,
            [this](bool on) { Store(Document(), Document().MutableSettings().HideHelpInAssessment, Flag(on)); });
    connect(m_help, &QComboBox::activated, this, [this](int index) {
        const int screen = index >= 0 ? m_help->itemData(index).toInt() : 0;
        Store(Document(), Document().MutableSettings().HelpScreen, screen);
    });
}

void CChildDlgButtons::ResetToDefaults()
{
    ResetButtons(Document().MutableSettings());
    RefreshFromDocument();
}

void CChildDlgButtons::RefreshFromDocument()
{
    const CCourseSettings &s = Document().Settings();
    for (int b = 0; b < kButtonCount; ++b) {
        if (b < 4)
            ShowChecked(m_checks[size_t(b)], s.*kButtonSettings[b] != 0);
        QComboBox *box = m_labels[size_t(b)];
        QStringList entries;
        for (int i = 0; i < box->count(); ++i)
            entries.append(box->itemText(i));
        const QSignalBlocker blocker(box);
        box->setCurrentIndex(FindLabel(entries, s.*kLabelSettings[b]));
    }
    ShowChecked(m_glossary, s.ShowGlossary != 0);
    ShowChecked(m_hideGlossary, s.HideGlossaryInAssessment != 0);
    ShowChecked(m_hideHelp, s.HideHelpInAssessment != 0);
    ShowChecked(m_progressBar, s.UseProgressBar != 0);
    m_timeBetween->SetNumber(s.TimeBetweenScreens);
    FillHelpList();
    ShowChecked(s.McToggleType == 0 ? m_checkmark : m_letters, true);
    ShowChecked(m_delay, s.DelayNextButton != 0);
    ShowText(m_delaySeconds, s.NextButtonDelay);
    ShowChecked(m_lastScreen, s.NoNextAtTopicEnd != 0);
    ApplyStates();
}

void CChildDlgButtons::ApplyStates()
{
    const ButtonStates states = States(Document().Settings());
    m_labels[Next]->setEnabled(states.nextLabel);
    m_labels[Back]->setEnabled(states.backLabel);
    m_labels[Menu]->setEnabled(states.menuLabel);
    m_labels[Quit]->setEnabled(states.quitLabel);
    Enable({m_timeLabel, m_timeBetween, m_timeUnit}, states.timeBetweenScreens);
    Enable({m_delay, m_lastScreen}, states.nextDelay);
    m_delaySeconds->setEnabled(states.nextDelaySeconds);
    m_hideGlossary->setEnabled(states.hideGlossary);
}

void CChildDlgButtons::FillHelpList()
{
    std::vector<PopupScreen> popups;
    for (const auto &screen : Document().PopupScreens())
        popups.push_back({screen->GetId(), screen->GetPageType(), screen->GetLabel(), screen->GetTitle()});
    const HelpList list = BuildHelpEntries(popups, Document().Settings().HelpScreen);
    const QSignalBlocker blocker(m_help);
    m_help->clear();
    for (const HelpEntry &entry : list.entries)
        m_help->addItem(entry.text, entry.screen);
    m_help->setCurrentIndex(list.selected);
}

void CChildDlgButtons::CommitTimeBetweenScreens()
{
    const CorvAssessmentRules::NumberEntry entry =
        CorvAssessmentRules::CheckNumber(CorvAssessmentRules::NumberField::EachSeconds, m_timeBetween->Text());
    int32_t &setting = Document().MutableSettings().TimeBetweenScreens;
    if (entry.store)
        Store(Document(), setting, entry.value);
    m_timeBetween->SetNumber(setting);
    if (!entry.message.isEmpty())
        Document().GetContext().Prompt().Error(entry.message);
}

void CChildDlgButtons::CommitPendingEdits()
{
    if (m_timeBetween->Edit()->isModified())
        CommitTimeBetweenScreens();
}
