#include "app/ui/ChildDlgConstruction.h"

#include "app/ConstructionPageRules.h"
#include "app/ui/PageControls.h"
#include "app/ui/controls/ColorSelectButton.h"
#include "document/CorvessaDoc.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

using namespace CorvPageControls;
namespace Rules = CorvConstructionPage;

namespace {

using S = CCourseSettings;

int32_t S::*const kOutlineNumbers[] = {&S::OutlineLeft, &S::OutlineTop, &S::OutlineWidth, &S::OutlineHeight};

} // namespace

CChildDlgConstruction::CChildDlgConstruction(CCorvessaDoc &document, QWidget *parent) : CSettingsPage(document, parent)
{
    BuildControls();
    m_initialising = false;
}

void CChildDlgConstruction::BuildControls()
{
    auto *layout = new QVBoxLayout(ScrollingBody(this));
    layout->addWidget(BuildImportGroup());
    layout->addWidget(BuildOutlineGroup());
    layout->addWidget(BuildExpiryGroup());
    layout->addStretch(1);
}

QWidget *CChildDlgConstruction::BuildImportGroup()
{
    auto *group = new QWidget(this);
    m_objectives = FlagBox(CStringTable::Load(10901), &S::CreateObjectivePages, this, group);
    m_warning = FlagBox(CStringTable::Load(10903), &S::WarnInteractTooLow, this, group);
    connect(m_warning, &QCheckBox::clicked, this, &CChildDlgConstruction::ApplyWarningStates);
    m_count = new QLineEdit(group);
    m_count->setFixedWidth(48);
    m_count->setAccessibleName(QStringLiteral("Screens of content between questions"));
    m_up = new QToolButton(group);
    m_up->setArrowType(Qt::UpArrow);
    m_up->setAccessibleName(QStringLiteral("More screens"));
    m_down = new QToolButton(group);
    m_down->setArrowType(Qt::DownArrow);
    m_down->setAccessibleName(QStringLiteral("Fewer screens"));
    m_countLabel = new QLabel(CStringTable::Load(10905), group);
    connect(m_count, &QLineEdit::textEdited, this, [this] {
        if (!m_initialising)
            Document().SetModifiedFlag();
    });
    connect(m_count, &QLineEdit::editingFinished, this, &CChildDlgConstruction::OnCountEdited);
    connect(m_up, &QToolButton::clicked, this, [this] { OnSpin(1); });
    connect(m_down, &QToolButton::clicked, this, [this] { OnSpin(-1); });
    m_newScreen = FlagBox(CStringTable::Load(10907), &S::ForceNewPage, this, group);
    connect(m_newScreen, &QCheckBox::clicked, this, [this](bool on) {
        m_pageBreaks->setEnabled(on);
        m_headings->setEnabled(on);
    });
    m_pageBreaks = FlagBox(CStringTable::Load(10908), &S::UseSrcPageBreaks, this, group);
    m_headings = FlagBox(CStringTable::Load(10909), &S::UseSrcWordHeadings, this, group);
    m_bullets = FlagBox(QStringLiteral("Left align bulleted lists"), &S::LeftAlignBulletedLists, this, group);
    m_numbers = FlagBox(QStringLiteral("Left align numbered lists"), &S::LeftAlignNumberedLists, this, group);

    auto *count = new QHBoxLayout;
    count->addSpacing(20);
    count->addWidget(m_count);
    count->addWidget(m_up);
    count->addWidget(m_down);
    count->addWidget(m_countLabel);
    count->addStretch(1);
    auto *grid = new QGridLayout(group);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(Explanation(CStringTable::Load(10900), group), 0, 0, 1, 2);
    grid->addWidget(m_objectives, 1, 0, 1, 2);
    grid->addWidget(Explanation(CStringTable::Load(10902), group), 2, 0, 1, 2);
    grid->addWidget(m_warning, 3, 0, 1, 2);
    grid->addLayout(count, 4, 0, 1, 2);
    grid->addWidget(Explanation(CStringTable::Load(10906), group), 5, 0, 1, 2);
    grid->addWidget(m_newScreen, 6, 0, 1, 2);
    grid->addWidget(m_pageBreaks, 7, 1);
    grid->addWidget(m_headings, 8, 1);
    grid->addWidget(Explanation(QStringLiteral("When published, bulleted and numbered lists are automatically "
                                               "indented.  You may override this behaviour here."), group), 9, 0, 1, 2);
    grid->addWidget(m_bullets, 10, 0, 1, 2);
    grid->addWidget(m_numbers, 11, 0, 1, 2);
    grid->setColumnMinimumWidth(0, 20);
    grid->setColumnStretch(1, 1);
    return group;
}

QWidget *CChildDlgConstruction::BuildOutlineGroup()
{
    auto *group = new QGroupBox(QStringLiteral("Outline"), this);
    m_outline = FlagBox(QStringLiteral("Create an outline"), &S::CreateOutline, this, group);
    connect(m_outline, &QCheckBox::clicked, this, &CChildDlgConstruction::ApplyOutlineStates);
    m_useButton = FlagBox(QStringLiteral("Use a button instead of a link to launch the outline"), &S::OutlineUseButton, this, group);
    connect(m_useButton, &QCheckBox::clicked, this, &CChildDlgConstruction::ApplyOutlineStates);
    m_hideInAssessment = FlagBox(QStringLiteral("Hide button/link during assessment"), &S::OutlineHideInAssessment, this, group);
    m_closeOnSelect = FlagBox(QStringLiteral("Automatically close outline when a screen is selected"),
                              &S::OutlineCloseOnSelect, this, group);
    m_label = new QLineEdit(group);
    connect(m_label, &QLineEdit::editingFinished, this,
            [this] { StoreText(Document(), Document().MutableSettings().OutlineLabel, m_label->text()); });
    m_linkColour = new CColorSelectButton(group);
    connect(m_linkColour, &CColorSelectButton::colourClicked, this, [this] {
        Document().MutableSettings().OutlineLinkColor = m_linkColour->GetColor();
        Document().SetModifiedFlag();
    });
    const auto *digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    for (int i = 0; i < 4; ++i) {
        m_numbersEdits[i] = new QLineEdit(group);
        m_numbersEdits[i]->setValidator(digits);
        m_numbersEdits[i]->setFixedWidth(60);
        connect(m_numbersEdits[i], &QLineEdit::editingFinished, this, [this, i] { OnOutlineNumberEdited(i); });
    }

    auto *location = new QLabel(QStringLiteral("Link location"), group);
    auto *left = Caption(QStringLiteral("left"), m_numbersEdits[0], group);
    auto *top = Caption(QStringLiteral("top      (from the edge of navigation bar)"), m_numbersEdits[1], group);
    auto *colour = Caption(QStringLiteral("Link label color"), m_linkColour, group);
    m_numbersEdits[0]->setAccessibleName(QStringLiteral("Link location left"));
    m_numbersEdits[1]->setAccessibleName(QStringLiteral("Link location top"));
    m_numbersEdits[2]->setAccessibleName(QStringLiteral("Outline window width"));
    m_numbersEdits[3]->setAccessibleName(QStringLiteral("Outline window height"));
    m_linkOnly = {m_numbersEdits[0], m_numbersEdits[1], m_linkColour, location, left, top, colour};

    auto *grid = new QGridLayout(group);
    grid->addWidget(Explanation(QStringLiteral("An outline is a navigational tool - a separate window that can be "
                                               "opened from a link on the navigation bar of the published output. It "
                                               "displays a table of contents from which the user can directly access "
                                               "specific screens in the published output."), group), 0, 0, 1, 6);
    grid->addWidget(m_outline, 1, 0, 1, 3);
    grid->addWidget(m_closeOnSelect, 1, 3, 1, 3);
    grid->addWidget(m_useButton, 2, 0, 1, 3);
    grid->addWidget(m_hideInAssessment, 2, 3, 1, 3);
    grid->addWidget(Caption(QStringLiteral("Button/link label"), m_label, group), 3, 0);
    grid->addWidget(m_label, 3, 1, 1, 2);
    grid->addWidget(colour, 3, 3);
    grid->addWidget(m_linkColour, 3, 4, Qt::AlignLeft);
    grid->addWidget(location, 4, 0);
    grid->addWidget(left, 4, 1, Qt::AlignRight);
    grid->addWidget(m_numbersEdits[0], 4, 2);
    grid->addWidget(top, 4, 3);
    grid->addWidget(m_numbersEdits[1], 4, 4);
    grid->addWidget(new QLabel(QStringLiteral("Outline window size"), group), 5, 0);
    grid->addWidget(Caption(QStringLiteral("width"), m_numbersEdits[2], group), 5, 1, Qt::AlignRight);
    grid->addWidget(m_numbersEdits[2], 5, 2);
    grid->addWidget(Caption(QStringLiteral("height"), m_numbersEdits[3], group), 5, 3);
    grid->addWidget(m_numbersEdits[3], 5, 4);
    grid->setColumnStretch(5, 1);
    return group;
}

QWidget *CChildDlgConstruction::BuildExpiryGroup()
{
    auto *group = new QGroupBox(QStringLiteral("Expiry"), this);
    m_setExpiry = FlagBox(QStringLiteral("Set an expiry date"), &S::SetExpiry, this, group);
    m_expiry = new QDateTimeEdit(group);
    m_expiry->setCalendarPopup(true);
    m_expiry->setTimeSpec(Qt::UTC);
    m_expiry->setDisplayFormat(QLocale().dateFormat(QLocale::LongFormat));
    m_expiry->setAccessibleName(QStringLiteral("Expiry date"));
    m_message = new QLineEdit(group);
    connect(m_setExpiry, &QCheckBox::clicked, this, [this](bool on) {
        m_message->setEnabled(on);
        m_expiry->setEnabled(on);
    });
    connect(m_expiry, &QDateTimeEdit::dateTimeChanged, this, &CChildDlgConstruction::OnExpiryChanged);
    connect(m_message, &QLineEdit::editingFinished, this,
            [this] { StoreText(Document(), Document().MutableSettings().ExpiryMessage, m_message->text()); });

    auto *grid = new QGridLayout(group);
    grid->addWidget(Explanation(QStringLiteral("If the course is to stop running after a specific date then you can "
                                               "set an expiry date here.\nNote that it is dependant upon the clock "
                                               "setting on the end users computers."), group), 0, 0, 1, 3);
    grid->addWidget(m_setExpiry, 1, 0);
    grid->addWidget(m_expiry, 1, 1);
    grid->addWidget(Caption(QStringLiteral("Message"), m_message, group), 2, 0);
    grid->addWidget(m_message, 2, 1, 1, 2);
    grid->setColumnStretch(2, 1);
    return group;
}

void CChildDlgConstruction::ResetToDefaults()
{
    CCourseSettings &settings = Document().MutableSettings();
    settings.CreateObjectivePages = 0;
    settings.WarnInteractTooLow = 1;
    settings.ContentScreenCount = 4;
    settings.ForceNewPage = 0;
    settings.UseSrcPageBreaks = 1;
    settings.UseSrcWordHeadings = 1;
    settings.OutlineUseButton = 0;
    settings.OutlineHideInAssessment = 0;
    RefreshFromDocument();
}

void CChildDlgConstruction::RefreshFromDocument()
{
    const CCourseSettings &settings = Document().Settings();
    ShowChecked(m_objectives, settings.CreateObjectivePages != 0);
    ShowChecked(m_warning, settings.WarnInteractTooLow != 0);
    ShowText(m_count, QString::number(settings.ContentScreenCount));
    ApplyWarningStates();
    ShowChecked(m_newScreen, settings.ForceNewPage != 0);
    m_pageBreaks->setEnabled(m_newScreen->isChecked());
    m_headings->setEnabled(m_newScreen->isChecked());
    ShowChecked(m_pageBreaks, settings.UseSrcPageBreaks != 0);
    ShowChecked(m_headings, settings.UseSrcWordHeadings != 0);
    ShowChecked(m_bullets, settings.LeftAlignBulletedLists != 0);
    ShowChecked(m_numbers, settings.LeftAlignNumberedLists != 0);
    ShowChecked(m_outline, settings.CreateOutline != 0);
    ShowText(m_label, settings.OutlineLabel);
    ShowChecked(m_closeOnSelect, settings.OutlineCloseOnSelect != 0);
    for (int i = 0; i < 4; ++i)
        ShowText(m_numbersEdits[i], QString::number(settings.*kOutlineNumbers[i]));
    m_linkColour->SetColor(settings.OutlineLinkColor);
    ShowChecked(m_useButton, settings.OutlineUseButton != 0);
    ShowChecked(m_hideInAssessment, settings.OutlineHideInAssessment != 0);
    ApplyOutlineStates();
    ShowChecked(m_setExpiry, settings.SetExpiry != 0);
    m_message->setEnabled(m_setExpiry->isChecked());
    ShowText(m_message, settings.ExpiryMessage);
    ShowExpiry(settings.ExpiryDate);
    m_expiry->setEnabled(m_setExpiry->isChecked());
}

void CChildDlgConstruction::CommitPendingEdits()
{
    // Only what the author typed since the page last showed the document goes in (the fields write when
    // they are left); a screen count that is no whole number is not.
    CCourseSettings &settings = Document().MutableSettings();
    if (m_label->isModified())
        StoreText(Document(), settings.OutlineLabel, m_label->text());
    if (m_message->isModified())
        StoreText(Document(), settings.ExpiryMessage, m_message->text());
    for (int i = 0; i < 4; ++i)
        if (m_numbersEdits[i]->isModified())
            OnOutlineNumberEdited(i);
    if (const auto count = Rules::ParseInteger(m_count->text()); count && m_count->isModified())
        StoreNumber(Document(), settings.ContentScreenCount, *count);
}

void CChildDlgConstruction::ApplyWarningStates()
{
    const bool on = m_warning->isChecked();
    for (QWidget *control : {static_cast<QWidget *>(m_count), static_cast<QWidget *>(m_up),
                             static_cast<QWidget *>(m_down), static_cast<QWidget *>(m_countLabel)})
        control->setEnabled(on);
}

void CChildDlgConstruction::ApplyOutlineStates()
{
    const bool outline = m_outline->isChecked();
    for (QWidget *control : {static_cast<QWidget *>(m_numbersEdits[2]), static_cast<QWidget *>(m_numbersEdits[3]),
                             static_cast<QWidget *>(m_label), static_cast<QWidget *>(m_closeOnSelect),
                             static_cast<QWidget *>(m_useButton), static_cast<QWidget *>(m_hideInAssessment)})
        control->setEnabled(outline);
    // A button has no link location and no link colour.
    const bool link = !m_useButton->isChecked();
    for (QWidget *control : m_linkOnly)
        control->setEnabled(link);
    m_numbersEdits[0]->setEnabled(link && outline);
    m_numbersEdits[1]->setEnabled(link && outline);
}

void CChildDlgConstruction::OnCountEdited()
{
    const auto count = Rules::ParseInteger(m_count->text());
    if (!count) {
        Document().Prompt().Warning(Rules::InvalidIntegerMessage());
        return;
    }
    StoreNumber(Document(), Document().MutableSettings().ContentScreenCount, *count);
}

void CChildDlgConstruction::OnSpin(int step)
{
    const int32_t shown = Rules::ParseInteger(m_count->text()).value_or(Document().Settings().ContentScreenCount);
    const int32_t next = Rules::SpinStep(shown, step);
    ShowText(m_count, QString::number(next));
    Document().MutableSettings().ContentScreenCount = next;
    Document().SetModifiedFlag();
}

void CChildDlgConstruction::OnOutlineNumberEdited(int i)
{
    StoreNumber(Document(), Document().MutableSettings().*kOutlineNumbers[i], Rules::LeadingNumber(m_numbersEdits[i]->text()));
}

void CChildDlgConstruction::ShowExpiry(int64_t seconds)
{
    const QSignalBlocker blocker(m_expiry);
    m_expiry->setDateTime(QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC));
}

void CChildDlgConstruction::OnExpiryChanged()
{
    const int64_t chosen = m_expiry->dateTime().toSecsSinceEpoch();
    const int64_t now = Document().Now();
    if (!Rules::AcceptExpiry(chosen, now)) {
        // A date already past would end the course at once: the picker goes back to now.
        ShowExpiry(now);
        return;
    }
    int64_t &stored = Document().MutableSettings().ExpiryDate;
    if (stored == chosen)
        return;
    stored = chosen;
    Document().SetModifiedFlag();
}
