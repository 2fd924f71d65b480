#include "app/ui/ChildDlgGraphics.h"

#include "app/GraphicsPageRules.h"
#include "app/ui/PageControls.h"
#include "document/CorvessaDoc.h"
#include "platform/StringTable.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace CorvPageControls;

namespace {

using S = CCourseSettings;

struct FlagField
{
    int text;            // string id, or 0 when caption is given
    const char *caption;
    int32_t S::*setting;
};

constexpr FlagField kKinds[] = {
    {10613, nullptr, &S::UseColorPhotos},
    {10614, nullptr, &S::UseBWPhotos},
    {10615, nullptr, &S::UsePhotoObjects},
    {10616, nullptr, &S::UseClipArt},
};

constexpr FlagField kEffects[] = {
    {0, "Zoom in", &S::KenBurnsZoomIn}, {0, "Zoom out", &S::KenBurnsZoomOut}, {0, "Pan", &S::KenBurnsPan},
    {0, "Fade in", &S::KenBurnsFadeIn}, {0, "Grow", &S::KenBurnsGrow},
};

QString TextOf(const FlagField &field)
{
    return field.text ? CStringTable::Load(field.text) : QString::fromLatin1(field.caption);
}

} // namespace

CChildDlgGraphics::CChildDlgGraphics(CCorvessaDoc &document, QWidget *parent) : CSettingsPage(document, parent)
{
    BuildControls();
}

void CChildDlgGraphics::BuildControls()
{
    auto *layout = new QVBoxLayout(ScrollingBody(this));
    layout->addWidget(BuildRegularGroup());
    layout->addWidget(BuildLibraryGroup());
    layout->addWidget(BuildKenBurnsGroup());
    layout->addStretch(1);
}

QWidget *CChildDlgGraphics::BuildRegularGroup()
{
    auto *group = new QGroupBox(CStringTable::Load(10600), this);
    auto *grid = new QGridLayout(group);
    auto *sizeLabel = new QLabel(CStringTable::Load(10601), group);
    grid->addWidget(sizeLabel, 0, 0, 1, 4);
    m_sizes = new QButtonGroup(this);
    for (int size = 0; size < 4; ++size) {
        auto *radio = new QRadioButton(CStringTable::Load(10602 + size), group);
        radio->setAccessibleName(QStringLiteral("Graphic size ") + radio->text());
        m_sizes->addButton(radio, size);
        grid->addWidget(radio, 1, size);
    }
    connect(m_sizes, &QButtonGroup::idClicked, this, [this](int size) {
        Document().MutableSettings().GraphicSize = size;
        Document().SetModifiedFlag();
    });
    m_source = FlagBox(CStringTable::Load(10606), &S::IncludeSourceDocGraphics, this, group);
    m_border = FlagBox(CStringTable::Load(10607), &S::AddBorderToImages, this, group);
    connect(m_border, &QCheckBox::clicked, this, &CChildDlgGraphics::ApplyBorderStates);
    m_borderTypes = new QButtonGroup(this);
    for (int type = 0; type < 2; ++type) {
        auto *radio = new QRadioButton(CStringTable::Load(10608 + type), group);
        radio->setAccessibleName(QStringLiteral("Border ") + radio->text());
        m_borderTypes->addButton(radio, type);
        grid->addWidget(radio, 4, 1 + type);
    }
    connect(m_borderTypes, &QButtonGroup::idClicked, this, [this](int type) {
        Document().MutableSettings().ImageBorderType = type;
        Document().SetModifiedFlag();
    });
    grid->addWidget(m_source, 2, 0, 1, 4);
    grid->addWidget(m_border, 3, 0, 1, 4);
    grid->setColumnStretch(4, 1);
    return group;
}

QWidget *CChildDlgGraphics::BuildLibraryGroup()
{
    auto *group = new QGroupBox(CStringTable::Load(10610), this);
    m_auto = FlagBox(CStringTable::Load(10611), &S::AutoGenerateGraphics, this, group);
    connect(m_auto, &QCheckBox::clicked, this, &CChildDlgGraphics::ApplyLibraryStates);
    m_kindsLabel = new QLabel(CStringTable::Load(10612), group);
    for (const FlagField &kind : kKinds)
        m_kinds.append(FlagBox(TextOf(kind), kind.setting, this, group));
    m_random = FlagBox(CStringTable::Load(10617), &S::UseRandomlyDisplayMatchingGraphics, this, group);
    m_prioritise = FlagBox(CStringTable::Load(10618), &S::UsePrioritiseGraphicsCategories, this, group);
    connect(m_prioritise, &QCheckBox::clicked, this, &CChildDlgGraphics::ApplyLibraryStates);
    m_set = new QPushButton(CStringTable::Load(10619), group);
    m_set->setAccessibleName(QStringLiteral("Set category priorities"));
    connect(m_set, &QPushButton::clicked, this, &CChildDlgGraphics::OnSetCategories);

    auto *grid = new QGridLayout(group);
    grid->addWidget(m_auto, 0, 0, 1, 3);
    grid->addWidget(m_kindsLabel, 1, 1, 1, 2);
    for (int i = 0; i < m_kinds.size(); ++i)
        grid->addWidget(m_kinds[i], 2 + i / 2, 1 + i % 2);
    grid->addWidget(m_random, 4, 1, 1, 2);
    grid->addWidget(m_prioritise, 5, 1, 1, 2);
    grid->addWidget(m_set, 5, 3);
    grid->setColumnMinimumWidth(0, 20);
    grid->setColumnStretch(4, 1);
    return group;
}

QWidget *CChildDlgGraphics::BuildKenBurnsGroup()
{
    auto *group = new QWidget(this);
    m_kenBurns = FlagBox(QStringLiteral("Add random Ken Burns effect every"), &S::RandomKenBurns, this, group);
    connect(m_kenBurns, &QCheckBox::clicked, this, &CChildDlgGraphics::ApplyKenBurnsStates);
    m_interval = new QComboBox(group);
    m_interval->setEditable(true);
    m_interval->setInsertPolicy(QComboBox::NoInsert);
    for (int i = 1; i <= CorvGraphicsPage::kKenBurnsEntries; ++i)
        m_interval->addItem(QString::number(i));
    m_interval->setAccessibleName(QStringLiteral("Ken Burns effect every so many graphics"));
    m_interval->setFixedWidth(64);
    connect(m_interval, &QComboBox::activated, this,
            [this](int index) { StoreInterval(CorvGraphicsPage::KenBurnsInterval(m_interval->itemText(index))); });
    connect(m_interval->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString &text) { StoreInterval(CorvGraphicsPage::KenBurnsInterval(text)); });
    // Once typed, the box shows the number kept ("-3" is kept as 1).
    connect(m_interval->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        m_interval->setEditText(QString::number(Document().Settings().KenBurnsInterval));
    });
    for (const FlagField &effect : kEffects)
        m_effects.append(FlagBox(TextOf(effect), effect.setting, this, group));

    auto *every = new QHBoxLayout;
    every->addWidget(m_kenBurns);
    every->addWidget(m_interval);
    every->addWidget(new QLabel(QStringLiteral("graphics"), group));
    every->addStretch(1);
    auto *effects = new QHBoxLayout;
    effects->addSpacing(20);
    for (QCheckBox *box : m_effects)
        effects->addWidget(box);
    effects->addStretch(1);
    auto *layout = new QVBoxLayout(group);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(every);
    layout->addWidget(new QLabel(QStringLiteral("Ken Burns effects to include:"), group));
    layout->addLayout(effects);
    return group;
}

QRadioButton *CChildDlgGraphics::SizeRadio(int size) const { return qobject_cast<QRadioButton *>(m_sizes->button(size)); }

QRadioButton *CChildDlgGraphics::BorderType(int type) const
{
    return qobject_cast<QRadioButton *>(m_borderTypes->button(type));
}

void CChildDlgGraphics::ResetToDefaults()
{
    CCourseSettings &settings = Document().MutableSettings();
    settings.GraphicSize = 1;
    settings.IncludeSourceDocGraphics = 1;
    settings.AddBorderToImages = 0;
    settings.ImageBorderType = 0;
    settings.AutoGenerateGraphics = 1;
    settings.UseColorPhotos = settings.UseBWPhotos = settings.UsePhotoObjects = 1;
    settings.UseClipArt = 0;
    settings.UseRandomlyDisplayMatchingGraphics = 1;
    settings.UsePrioritiseGraphicsCategories = 0;
    settings.RandomKenBurns = 0;
    settings.KenBurnsInterval = 3;
    for (const FlagField &effect : kEffects)
        settings.*effect.setting = 1;
    RefreshFromDocument();
}

void CChildDlgGraphics::RefreshFromDocument()
{
    const CCourseSettings &settings = Document().Settings();
    ShowChecked(SizeRadio(CorvGraphicsPage::SizeRadio(settings.GraphicSize)), true);
    ShowChecked(m_source, settings.IncludeSourceDocGraphics != 0);
    ShowChecked(m_border, settings.AddBorderToImages != 0);
    ApplyBorderStates();
    ShowChecked(BorderType(settings.ImageBorderType == 1 ? 1 : 0), true);
    ShowChecked(m_auto, settings.AutoGenerateGraphics != 0);
    for (int i = 0; i < m_kinds.size(); ++i)
        ShowChecked(m_kinds[i], settings.*kKinds[i].setting != 0);
    ShowChecked(m_random, settings.UseRandomlyDisplayMatchingGraphics != 0);
    ShowChecked(m_prioritise, settings.UsePrioritiseGraphicsCategories != 0);
    ApplyLibraryStates();
    ShowChecked(m_kenBurns, settings.RandomKenBurns != 0);
    ApplyKenBurnsStates();
    {
        const QSignalBlocker blocker(m_interval);
        const int entry = CorvGraphicsPage::KenBurnsEntry(settings.KenBurnsInterval);
        m_interval->setCurrentIndex(entry);
        // An interval beyond the list shows as typed, without a list entry chosen.
        if (entry < 0)
            m_interval->setEditText(QString::number(settings.KenBurnsInterval));
    }
    for (int i = 0; i < m_effects.size(); ++i)
        ShowChecked(m_effects[i], settings.*kEffects[i].setting != 0);
}

void CChildDlgGraphics::ApplyBorderStates()
{
    for (int type = 0; type < 2; ++type)
        BorderType(type)->setEnabled(m_border->isChecked());
}

void CChildDlgGraphics::ApplyLibraryStates()
{
    const bool library = m_auto->isChecked();
    for (QWidget *control : {static_cast<QWidget *>(m_kindsLabel), static_cast<QWidget *>(m_random),
                             static_cast<QWidget *>(m_prioritise)})
        control->setEnabled(library);
    for (QCheckBox *kind : m_kinds)
        kind->setEnabled(library);
    m_set->setEnabled(library && m_prioritise->isChecked());
}

void CChildDlgGraphics::ApplyKenBurnsStates()
{
    m_interval->setEnabled(m_kenBurns->isChecked());
    for (QCheckBox *effect : m_effects)
        effect->setEnabled(m_kenBurns->isChecked());
}

void CChildDlgGraphics::StoreInterval(int32_t interval)
{
    Document().MutableSettings().KenBurnsInterval = interval;
    Document().SetModifiedFlag();
}

void CChildDlgGraphics::OnSetCategories()
{
    if (!m_categoryDialog)
        return;
    QStringList available = Document().Settings().GraphicsCategories;
    QStringList prioritised = Document().Settings().PriorityCategories;
    if (!m_categoryDialog(available, prioritised, this))
        return;
    Document().MutableSettings().GraphicsCategories = available;
    Document().MutableSettings().PriorityCategories = prioritised;
    Document().SetModifiedFlag();
}
