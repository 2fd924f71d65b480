#include "app/ui/PropPageFonts.h"

#include "app/BarRules.h"
#include "app/FontSettingsRules.h"
#include "app/ui/FontComboBox.h"
#include "app/ui/controls/ColorSelectButton.h"
#include "document/CorvessaDoc.h"
#include "platform/StringTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>

using namespace CorvFontSettings;

namespace {

QStringList Entries(const QComboBox *box)
{
    QStringList entries;
    for (int i = 0; i < box->count(); ++i)
        entries.append(box->itemText(i));
    return entries;
}

// Shows the entry that matches the stored value, or none.
void SelectMatching(QComboBox *box, const QString &value)
{
    const QSignalBlocker blocker(box);
    box->setCurrentIndex(CorvBarRules::FindComboEntry(Entries(box), value));
}

QLabel *BuddyLabel(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

CPropPageFonts::CPropPageFonts(CCorvessaDoc &document, int style, QWidget *parent)
    : CSettingsPage(document, parent), m_style(style)
{
    setAccessibleName(TabText(style));
    BuildControls();
}

void CPropPageFonts::BuildControls()
{
    m_import = new QCheckBox(QStringLiteral("For Import - use source document fonts"), this);
    m_face = new CFontComboBox(this);
    m_face->FillFonts();
    m_size = new QComboBox(this);
    m_size->addItems(CorvBarRules::FontSizeEntries());
    m_weight = new QComboBox(this);
    m_weight->addItems(WeightEntries());
    m_colour = new CColorSelectButton(this);
    m_sample = new QLabel(CStringTable::Load(10504), this);
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_sample->setMinimumSize(190, 50);
    m_sample->setAutoFillBackground(true);
    m_family = new QComboBox(this);
    m_family->setEditable(true);
    m_family->addItems(FamilyEntries());
    m_family->setInsertPolicy(QComboBox::NoInsert);
    m_note = new QLabel(this);

    const QString tab = TabText(m_style);
    m_import->setAccessibleName(m_import->text());
    m_face->setAccessibleName(tab + QStringLiteral(" font"));
    m_size->setAccessibleName(tab + QStringLiteral(" size"));
    m_weight->setAccessibleName(tab + QStringLiteral(" weight"));
    m_colour->setAccessibleName(tab + QStringLiteral(" colour"));
    m_sample->setAccessibleName(QStringLiteral("Sample text"));
    m_family->setAccessibleName(tab + QStringLiteral(" fallback font families"));
    m_note->setAccessibleName(QStringLiteral("Note"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_import, 0, 0, 1, 4);
    grid->addWidget(BuddyLabel(CStringTable::Load(10502), m_face, this), 1, 0);
    grid->addWidget(BuddyLabel(CStringTable::Load(10503), m_size, this), 1, 1);
    m_colourLabel = BuddyLabel(CStringTable::Load(10505), m_colour, this);
    grid->addWidget(m_colourLabel, 1, 2);
    grid->addWidget(m_face, 2, 0);
    grid->addWidget(m_size, 2, 1);
    grid->addWidget(m_colour, 2, 2);
    grid->addWidget(m_sample, 3, 0, 2, 1);
    m_weightLabel = BuddyLabel(QStringLiteral("Weight"), m_weight, this);
    grid->addWidget(m_weightLabel, 3, 1);
    grid->addWidget(m_weight, 4, 1);
    auto *familyText = new QLabel(CStringTable::Load(10506), this);
    familyText->setWordWrap(true);
    familyText->setBuddy(m_family);
    grid->addWidget(familyText, 5, 0, 1, 4);
    grid->addWidget(m_family, 6, 0, 1, 2);
    grid->addWidget(m_note, 7, 0, 1, 4);
    grid->setRowStretch(8, 1);
    grid->setColumnStretch(3, 1);
    setTabOrder(m_import, m_face);
    setTabOrder(m_face, m_size);
    setTabOrder(m_size, m_colour);
    setTabOrder(m_colour, m_weight);
    setTabOrder(m_weight, m_family);

    m_weightLabel->setVisible(ShowsWeight(m_style));
    m_weight->setVisible(ShowsWeight(m_style));
    m_import->setVisible(ShowsImportCheck(m_style));

    connect(m_face, &QComboBox::activated, this, &CPropPageFonts::OnFaceChosen);
    connect(m_size, &QComboBox::activated, this, &CPropPageFonts::OnSizeChosen);
    connect(m_weight, &QComboBox::activated, this, &CPropPageFonts::OnWeightChosen);
    connect(m_family, &QComboBox::activated, this, &CPropPageFonts::OnFamilyChosen);
    connect(m_colour, &CColorSelectButton::colourClicked, this, &CPropPageFonts::OnColourClicked);
    connect(m_import, &QCheckBox::clicked, this, &CPropPageFonts::OnImportClicked);
}

void CPropPageFonts::ResetToDefaults()
{
    ResetStyle(Document().MutableSettings(), m_style);
    RefreshFromDocument();
}

void CPropPageFonts::RefreshFromDocument()
{
    const CCorvessaDoc &doc = Document();
    const size_t s = size_t(m_style);
    SelectMatching(m_face, doc.Settings().FontName[s]);
    SelectMatching(m_size, doc.Settings().FontSizePoints[s]);
    m_colourLabel->setVisible(ShowsColour(m_style));
    m_colour->setVisible(ShowsColour(m_style));
    m_note->setText(ShowsThemeNote(m_style) ? CStringTable::Load(10507) : QString());
    m_colour->SetColor(doc.Settings().FontColor[s]);
    SelectMatching(m_family, doc.Settings().FontFamily[s]);
    SelectMatching(m_weight, doc.Settings().FontWeight[s]);
    const QSignalBlocker blocker(m_import);
    m_import->setChecked(doc.Settings().UseSourceDocumentFonts != 0);
    UpdateSample();
}

void CPropPageFonts::UpdateSample()
{
    const CCorvessaDoc &doc = Document();
    const size_t s = size_t(m_style);
    QFont font(doc.Settings().FontName[s]);
    if (const int points = LeadingPoints(doc.Settings().FontSizePoints[s]); points > 0)
        font.setPointSize(points);
    font.setWeight(QFont::Weight(WeightValue(doc.Settings().FontWeight[s])));
    m_sample->setFont(font);
    QPalette palette = m_sample->palette();
    palette.setColor(QPalette::WindowText, CColorSelectButton::ToQColor(doc.Settings().FontColor[s]));
    m_sample->setPalette(palette);
}

void CPropPageFonts::StoreIfDifferent(QString &setting, const QString &text)
{
    if (setting == text)
        return;
    setting = text;
    Document().SetModifiedFlag();
    UpdateSample();
}

void CPropPageFonts::OnFaceChosen(int index)
{
    if (index >= 0)
        StoreIfDifferent(Document().MutableSettings().FontName[size_t(m_style)], m_face->itemText(index));
}

void CPropPageFonts::OnSizeChosen(int index)
{
    // The size index FontSize keeps its value; only the points change.
    if (index >= 0)
        StoreIfDifferent(Document().MutableSettings().FontSizePoints[size_t(m_style)], m_size->itemText(index));
}

void CPropPageFonts::OnWeightChosen(int index)
{
    if (index < 0)
        return;
    Document().MutableSettings().FontWeight[size_t(m_style)] = m_weight->itemText(index);
    Document().SetModifiedFlag();
    UpdateSample();
}

void CPropPageFonts::OnFamilyChosen(int index)
{
    if (index < 0)
        return;
    // Only a listed entry is stored: typing into the box changes nothing.
    const QString entry = m_family->itemText(index);
    QString &setting = Document().MutableSettings().FontFamily[size_t(m_style)];
    if (setting != entry) {
        setting = entry;
        Document().SetModifiedFlag();
    }
}

void CPropPageFonts::OnColourClicked()
{
    uint32_t &setting = Document().MutableSettings().FontColor[size_t(m_style)];
    if (m_colour->GetColor() == setting)
        return;
    setting = m_colour->GetColor();
    Document().SetModifiedFlag();
    UpdateSample();
}

void CPropPageFonts::OnImportClicked(bool checked)
{
    Document().MutableSettings().UseSourceDocumentFonts = checked ? 1 : 0;
    Document().SetModifiedFlag();
}
