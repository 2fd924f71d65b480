#include "app/ui/ChdMetadataOpen.h"

#include "app/LomMetadata.h"
#include "app/ui/PageControls.h"
#include "document/CorvessaDoc.h"
#include "platform/StringTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QToolButton>

#include <algorithm>

using namespace CorvPageControls;

namespace {

using S = CCourseSettings;

constexpr int kKeywordsControlId = 1013;

int32_t S::*const kListSettings[] = {&S::LomLanguage, &S::LomStatus, &S::LomPurpose, &S::LomResourceType};

QLabel *Heading(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

} // namespace

CChdMetadataOpen::CChdMetadataOpen(CCorvessaDoc &document, QWidget *parent) : QWidget(parent), m_document(document)
{
    setObjectName(QStringLiteral("LomEditor"));
    setAccessibleName(QStringLiteral("Learning Object Metadata"));
    m_lines = {
        {"Catalog", &S::LomCatalog},         {"Entry", &S::LomEntry},         {"Organization", &S::LomOrganization},
        {"Address", &S::LomAddress},         {"Telephone", &S::LomTelephone}, {"Email", &S::LomEmail},
        {"Version", &S::LomVersion},         {"Title", &S::LomOrganizationTitle},
        {"Item title", &S::LomItemTitle},
    };
    BuildControls();
}

void CChdMetadataOpen::BuildControls()
{
    m_arrow = new QToolButton(this);
    m_arrow->setArrowType(Qt::DownArrow);
    m_arrow->setAutoRaise(true);
    m_arrow->setAccessibleName(QStringLiteral("Close the LOM editor"));
    connect(m_arrow, &QToolButton::clicked, this, &CChdMetadataOpen::closeRequested);

    const QStringList entries[] = {CorvLom::LanguageEntries(), CorvLom::StatusEntries(), CorvLom::PurposeEntries(),
                                   CorvLom::ResourceTypeEntries()};
    for (int list = 0; list < ListCount; ++list) {
        auto *combo = new QComboBox(this);
        combo->addItems(entries[list]);
        m_combos[size_t(list)] = combo;
        connect(combo, &QComboBox::currentIndexChanged, this, [this, list](int index) { OnComboChosen(List(list), index); });
    }
    for (LineField &field : m_lines) {
        field.edit = new QLineEdit(this);
        QString S::*setting = field.setting;
        QLineEdit *edit = field.edit;
        const auto store = [this, setting, edit] { StoreText(m_document, m_document.MutableSettings().*setting, edit->text()); };
        connect(edit, &QLineEdit::textChanged, this, store);
        connect(edit, &QLineEdit::editingFinished, this, store);
    }
    m_keywords = new QPlainTextEdit(this);
    m_keywords->setToolTip(CStringTable::Load(kKeywordsControlId));
    m_rights = new QPlainTextEdit(this);
    m_long = {LongField{m_keywords, &S::LomKeywords, {}}, LongField{m_rights, &S::LomRightsDescription, {}}};
    for (LongField &field : m_long) {
        field.edit->setTabChangesFocus(true);
        field.edit->setFixedHeight(54);
        field.edit->installEventFilter(this);
        connect(field.edit, &QPlainTextEdit::textChanged, this, [this, &field] { OnLongTextChanged(field); });
    }
    m_cost = new QCheckBox(QStringLiteral("Cost"), this);
    m_copyright = new QCheckBox(QStringLiteral("Copyright"), this);
    connect(m_cost, &QCheckBox::clicked, this, [this](bool on) { OnCheckClicked(&S::LomCost, on); });
    connect(m_copyright, &QCheckBox::clicked, this, [this](bool on) { OnCheckClicked(&S::LomCopyright, on); });

    auto *grid = new QGridLayout(this);
    auto *heading = Heading(CStringTable::Load(61465), this);
    heading->setWordWrap(true);
    grid->addWidget(m_arrow, 0, 0);
    grid->addWidget(heading, 0, 1, 1, 5);
    // Left: the identification, keywords and rights; middle: the author; right: the life cycle and the
    // content organisation.
    grid->addWidget(Caption(QStringLiteral("Language"), Combo(Language), this), 1, 0);
    grid->addWidget(Combo(Language), 1, 1);
    grid->addWidget(Caption(QStringLiteral("Catalog"), Field("Catalog"), this), 2, 0);
    grid->addWidget(Field("Catalog"), 2, 1);
    grid->addWidget(Caption(QStringLiteral("Entry"), Field("Entry"), this), 3, 0);
    grid->addWidget(Field("Entry"), 3, 1);
    grid->addWidget(Caption(QStringLiteral("Keywords"), m_keywords, this), 4, 0);
    grid->addWidget(m_keywords, 4, 1, 2, 1);
    grid->addWidget(m_cost, 6, 0);
    grid->addWidget(m_copyright, 6, 1);
    grid->addWidget(Caption(QStringLiteral("Rights"), m_rights, this), 7, 0);
    grid->addWidget(m_rights, 7, 1, 2, 1);

    grid->addWidget(Heading(QStringLiteral("Author"), this), 1, 2, 1, 2);
    int row = 2;
    for (const char *label : {"Organization", "Address", "Telephone", "Email"}) {
        grid->addWidget(Caption(QString::fromLatin1(label), Field(QString::fromLatin1(label)), this), row, 2);
        grid->addWidget(Field(QString::fromLatin1(label)), row++, 3);
    }
    grid->addWidget(Caption(QStringLiteral("Status"), Combo(Status), this), 1, 4);
    grid->addWidget(Combo(Status), 1, 5);
    grid->addWidget(Caption(QStringLiteral("Version"), Field("Version"), this), 2, 4);
    grid->addWidget(Field("Version"), 2, 5);
    grid->addWidget(Caption(QStringLiteral("Purpose"), Combo(Purpose), this), 3, 4);
    grid->addWidget(Combo(Purpose), 3, 5);
    grid->addWidget(Caption(QStringLiteral("Type"), Combo(ResourceType), this), 4, 4);
    grid->addWidget(Combo(ResourceType), 4, 5);
    grid->addWidget(Heading(QStringLiteral("Content Organisation"), this), 6, 4, 1, 2);
    grid->addWidget(Caption(QStringLiteral("Title"), Field("Title"), this), 7, 4);
    grid->addWidget(Field("Title"), 7, 5);
    grid->addWidget(Caption(QStringLiteral("Item title"), Field("Item title"), this), 8, 4);
    grid->addWidget(Field("Item title"), 8, 5);
    Field("Title")->setAccessibleName(QStringLiteral("Content Organisation Title"));
    Field("Organization")->setAccessibleName(QStringLiteral("Author Organization"));
    for (int column : {1, 3, 5})
        grid->setColumnStretch(column, 1);
}

QLineEdit *CChdMetadataOpen::Field(const QString &label) const
{
    for (const LineField &field : m_lines)
        if (label == QLatin1StringView(field.label))
            return field.edit;
    return nullptr;
}

void CChdMetadataOpen::ResetToDefaults()
{
    CCourseSettings &settings = m_document.MutableSettings();
    for (const LineField &field : m_lines)
        (settings.*field.setting).clear();
    settings.LomKeywords.clear();
    settings.LomRightsDescription.clear();
    settings.LomCost = settings.LomCopyright = 0;
    for (int32_t S::*setting : kListSettings)
        settings.*setting = 0;
    RefreshFromDocument();
}

void CChdMetadataOpen::RefreshFromDocument()
{
    const CCourseSettings &settings = m_document.Settings();
    for (const LineField &field : m_lines)
        ShowText(field.edit, settings.*field.setting);
    for (LongField &field : m_long) {
        field.shown = settings.*field.setting;
        ShowText(field.edit, field.shown);
    }
    ShowChecked(m_cost, settings.LomCost != 0);
    ShowChecked(m_copyright, settings.LomCopyright != 0);
    for (int list = 0; list < ListCount; ++list) {
        const int index = settings.*kListSettings[list];
        m_lastWritten[size_t(list)] = index;
        const QSignalBlocker blocker(m_combos[size_t(list)]);
        // A damaged project's index outside the list leaves the list without a selection.
        m_combos[size_t(list)]->setCurrentIndex(index >= 0 && index < m_combos[size_t(list)]->count() ? index : -1);
    }
}

bool CChdMetadataOpen::eventFilter(QObject *watched, QEvent *event)
{
    // Enter in Keywords and Rights would end a dialog elsewhere; here it does nothing, as in the page's
    // one-line fields.
    if (event->type() == QEvent::KeyPress && (watched == m_keywords || watched == m_rights)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CChdMetadataOpen::OnLongTextChanged(LongField &field)
{
    const QString typed = field.edit->toPlainText();
    if (!CorvLom::AcceptTypedText(field.shown, typed)) {
        // Typing past the limit is undone, with the caret where the typing began.
        const int caret = std::max(0, int(field.edit->textCursor().position() - (typed.size() - field.shown.size())));
        ShowText(field.edit, field.shown);
        QTextCursor cursor = field.edit->textCursor();
        cursor.setPosition(std::min(caret, int(field.shown.size())));
        field.edit->setTextCursor(cursor);
        return;
    }
    field.shown = typed;
    StoreText(m_document, m_document.MutableSettings().*field.setting, typed);
}

void CChdMetadataOpen::OnComboChosen(List list, int index)
{
    if (index < 0 || index == m_lastWritten[size_t(list)])
        return;
    m_lastWritten[size_t(list)] = index;
    m_document.MutableSettings().*kListSettings[list] = index;
    m_document.SetModifiedFlag();
}

void CChdMetadataOpen::OnCheckClicked(int32_t S::*setting, bool checked)
{
    StoreNumber(m_document, m_document.MutableSettings().*setting, checked ? 1 : 0);
}
