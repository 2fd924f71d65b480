#include "app/ui/ImportFrmVw.h"

#include "platform/ui/FileDialogs.h"
#include "app/ui/DlgProgress.h"
#include "document/CorvessaDoc.h"
#include "document/DocumentObserver.h"
#include "editor/ui/EditFrmVw.h"
#include "import/HeadlessImportHost.h"
#include "dialogs/ui/DlgLongWait.h"
#include "platform/Prompt.h"
#include "platform/ui/RowLayout.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

using namespace CorvRows;

namespace {

const QString kBrowseFilter =
    QStringLiteral("All Available (*.doc *.docx *.ppt *.pptx *.rtf *.txt)");
const QString kKindsHelp = QStringLiteral(
    "Linear courses are a single stream of consecutive screens where no user menu exists.\r\rMenu-based courses "
    "contain multiple topics which can be accessed by the user from an automatically created menu.\r\r"
    "If you choose to create a menu-based course you must ensure that the content of each topic is contained "
    "within a separate Word or Powerpoint source document.");
const QString kGlossaryHelp =
    QStringLiteral("A glossary document is a formatted Word document meant for adding items to the glossary.");

enum TopicColumn { colNumber, colName, colBanner, colSource, colAssessable };

QTableWidget *NewTable(QWidget *parent, const QStringList &headers, const QList<int> &widths, const QString &name)
{
    auto *table = new QTableWidget(0, int(headers.size()), parent);
    table->setObjectName(name);
    table->setAccessibleName(name);
    table->setHorizontalHeaderLabels(headers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setShowGrid(true);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                           | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    table->setTabKeyNavigation(false);
    for (int i = 0; i < widths.size(); ++i) {
        table->setColumnWidth(i, widths[i]);
        table->horizontalHeaderItem(i)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

QCheckBox *NewCheck(const QString &text, QWidget *parent)
{
    auto *box = new QCheckBox(text, parent);
    box->setAccessibleName(QString(text).remove(u'&'));
    return box;
}

} // namespace

CImportFrmVw::CImportFrmVw(CCorvessaDoc &document, QWidget *parent)
    : QWidget(parent), m_document(document),
      m_linear(new QRadioButton(QStringLiteral("&Linear, single topic, course"), this)),
      m_menu(new QRadioButton(QStringLiteral("&Menu-based, multiple topic, course"), this)),
      m_sourcePath(new QLineEdit(this)), m_browse(new QPushButton(QStringLiteral("&Browse..."), this)),
      m_assessable(NewCheck(QStringLiteral("All &questions are assessable"), this)),
      m_topics(NewTable(this,
                        {QStringLiteral("Topic No."), QStringLiteral("Topic Name"), QStringLiteral("Banner Name"),
                         QStringLiteral("Source Document"), QStringLiteral("Assessable Questions")},
                        {60, 192, 100, 350, 120}, QStringLiteral("Topic table"))),
      m_browseTopic(new QPushButton(QStringLiteral("Browse for the topic's &source..."), this)),
      m_glossary(NewTable(this, {QStringLiteral("No."), QStringLiteral("Source Document")}, {60, 655},
                          QStringLiteral("Glossary documents table"))),
      m_browseGlossary(new QPushButton(QStringLiteral("Browse for a &glossary document..."), this)),
      m_fastPowerPoint(NewCheck(QStringLiteral("&Faster Powerpoint import (reduces font accuracy)"), this)),
      m_slidesAsImages(NewCheck(QStringLiteral("Import each &Powerpoint slide as an image"), this)),
      m_finalScreens(NewCheck(QStringLiteral("Add final performance &screens"), this)),
      m_topicOrder(NewCheck(QStringLiteral("Force completion of &topics in order"), this)),
      m_menuAsList(NewCheck(QStringLiteral("Always &display menu items in a list"), this)),
      m_noMenuImages(NewCheck(QStringLiteral("Do &not display any main menu images"), this)),
      m_import(new QPushButton(QStringLiteral("&Import document(s) now"), this))
{
    setObjectName(QStringLiteral("ImportView"));
    setAccessibleName(QStringLiteral("Import"));
    m_linear->setAccessibleName(QStringLiteral("Linear, single topic, course"));
    m_menu->setAccessibleName(QStringLiteral("Menu-based, multiple topic, course"));
    m_sourcePath->setAccessibleName(QStringLiteral("Source Document"));
    m_browse->setAccessibleName(QStringLiteral("Browse for the source document"));
    m_browseTopic->setAccessibleName(QStringLiteral("Browse for the topic's source document"));
    m_browseGlossary->setAccessibleName(QStringLiteral("Browse for a glossary document"));
    m_import->setAccessibleName(QStringLiteral("Import document(s) now"));
    m_import->setObjectName(QStringLiteral("ImportNow"));

    auto *layout = new QVBoxLayout(this);
    BuildKindRows(layout);
    BuildLowerRows(layout);
    FillTopicTable(CImportCommand::EmptyTopicRows());
    FillGlossaryTable({});
    ConnectKindControls();
    ConnectOptions();
    ConnectTables();
    connect(m_import, &QPushButton::clicked, this, &CImportFrmVw::OnImportNow);

    m_document.AddObserver(this);
    RefreshFromDocument();
}

CImportFrmVw::~CImportFrmVw() { m_document.RemoveObserver(this); }

QToolButton *CImportFrmVw::HelpButton(const QString &name, const QString &text)
{
    auto *button = new QToolButton(this);
    button->setText(QStringLiteral("?"));
    button->setAccessibleName(name);
    button->setToolTip(name);
    connect(button, &QToolButton::clicked, this, [this, text] { m_document.Prompt().Information(text); });
    return button;
}

// The question of the course's kind, the linear course's source, the menu-based course's topic table.
void CImportFrmVw::BuildKindRows(QVBoxLayout *layout)
{
    auto *question = new QLabel(
        QStringLiteral("Do you want a linear, single topic, or a menu-based, multiple topic, course?"), this);
    layout->addLayout(Row({question, HelpButton(QStringLiteral("Help on course kinds"), kKindsHelp), Stretch()}));
    layout->addWidget(m_linear);
    auto *sourceLabel = new QLabel(QStringLiteral("Source &Document"), this);
    sourceLabel->setBuddy(m_sourcePath);
    layout->addLayout(Row({Space(24), sourceLabel, {m_sourcePath, 1}, m_browse}));
    layout->addLayout(Row({Space(24), m_assessable, Stretch()}));
    layout->addWidget(m_menu);
    layout->addWidget(m_topics, 3);
    layout->addLayout(Row({m_browseTopic, Stretch()}));
}

// The glossary documents beside the options, and the import button.
void CImportFrmVw::BuildLowerRows(QVBoxLayout *layout)
{
    auto *glossaryGroup = new QGroupBox(QStringLiteral("Glossary documents"), this);
    auto *glossaryLayout = new QVBoxLayout(glossaryGroup);
    glossaryLayout->addWidget(m_glossary);
    glossaryLayout->addLayout(
        Row({m_browseGlossary, Stretch(), HelpButton(QStringLiteral("Help on glossary documents"), kGlossaryHelp)}));
    auto *options = new QGroupBox(QStringLiteral("Options"), this);
    auto *optionsLayout = new QVBoxLayout(options);
    AddItems(optionsLayout, {m_fastPowerPoint, m_slidesAsImages, m_finalScreens,
                             new QLabel(QStringLiteral("In publish/preview:"), options), m_topicOrder, m_menuAsList,
                             m_noMenuImages, Stretch()});
    layout->addLayout(Row({{glossaryGroup, 3}, {options, 2}}), 2);
    layout->addLayout(Row({Stretch(), m_import}));
}

// The course's kind, the linear course's source document and its assessable questions.
void CImportFrmVw::ConnectKindControls()
{
    auto *kinds = new QButtonGroup(this);
    kinds->addButton(m_linear);
    kinds->addButton(m_menu);
    connect(m_linear, &QRadioButton::clicked, this, [this] { OnKind(false); });
    connect(m_menu, &QRadioButton::clicked, this, [this] { OnKind(true); });
    connect(m_sourcePath, &QLineEdit::editingFinished, this, &CImportFrmVw::OnSourceEdited);
    connect(m_sourcePath, &QLineEdit::textEdited, this, &CImportFrmVw::OnSourceEdited);
    connect(m_browse, &QPushButton::clicked, this, [this] {
        const QString path = BrowseForSource(m_sourcePath->text());
        if (path.isEmpty())
            return;
        m_sourcePath->setText(path);
        OnSourceEdited();
    });
    connect(m_assessable, &QCheckBox::clicked, this, [this](bool on) {
        m_document.MutableSettings().LinearSourceAssessable = on ? 1 : 0;
        m_document.SetModifiedFlag(true);
    });
}

// The import options and the publish/preview options, each written straight into the project.
void CImportFrmVw::ConnectOptions()
{
    // The three publish/preview options are saved with the project, so changing them marks it modified.
    const auto publishOption = [this](QCheckBox *box, int32_t CCourseSettings::*value) {
        connect(box, &QCheckBox::clicked, this, [this, value](bool on) {
            m_document.MutableSettings().*value = on ? 1 : 0;
            m_document.SetModifiedFlag(true);
        });
    };
    publishOption(m_topicOrder, &CCourseSettings::CompleteTopicsInOrder);
    publishOption(m_menuAsList, &CCourseSettings::MainMenuOnlyListMenu);
    publishOption(m_noMenuImages, &CCourseSettings::MainMenuNoImages);
    // The menu screens are laid out again in the chosen form.
    for (QCheckBox *box : {m_menuAsList, m_noMenuImages})
        connect(box, &QCheckBox::clicked, this, [this] {
            m_document.NotifyObservers([](CDocumentObserver &observer) {
                if (auto *edit = dynamic_cast<CEditFrmVw *>(&observer))
                    edit->LayoutAllMenus();
            });
        });
    connect(m_fastPowerPoint, &QCheckBox::clicked, this, [this](bool on) {
        m_document.MutableSettings().FastPowerpointImport = on ? 1 : 0;
        if (on) {
            m_document.MutableSettings().ImportPowerpointAsImages = 0;
            m_slidesAsImages->setChecked(false);
        }
        m_document.SetModifiedFlag(true);
    });
    connect(m_slidesAsImages, &QCheckBox::clicked, this, [this](bool on) {
        m_document.MutableSettings().ImportPowerpointAsImages = on ? 1 : 0;
        if (on) {
            m_document.MutableSettings().FastPowerpointImport = 0;
            m_fastPowerPoint->setChecked(false);
        }
        m_document.SetModifiedFlag(true);
    });
    connect(m_finalScreens, &QCheckBox::clicked, this, [this](bool on) {
        m_document.MutableSettings().CreateFinalFeedbackScreen = on ? 1 : 0;
        m_document.SetModifiedFlag(true);
    });
}

// The topic and glossary tables and their Browse buttons.
void CImportFrmVw::ConnectTables()
{
    connect(m_topics, &QTableWidget::itemChanged, this, &CImportFrmVw::OnTopicChanged);
    connect(m_glossary, &QTableWidget::itemChanged, this, [this] {
        if (!m_refreshing)
            StoreGlossaryTable();
    });
    connect(m_browseTopic, &QPushButton::clicked, this, [this] {
        const int row = m_topics->currentRow();
        if (row < 0 || !m_topicColumnsEditable)
            return;
        const QString path = BrowseForSource(m_topics->item(row, colSource)->text());
        if (!path.isEmpty())
            m_topics->item(row, colSource)->setText(path);
    });
    connect(m_browseGlossary, &QPushButton::clicked, this, [this] {
        int row = m_glossary->currentRow();
        if (!m_glossaryEditable)
            return;
        if (row < 0) {
            for (row = 0; row < m_glossary->rowCount() && !m_glossary->item(row, 1)->text().isEmpty(); ++row) {
            }
            if (row >= m_glossary->rowCount())
                return;
        }
        const QString path = BrowseForSource(m_glossary->item(row, 1)->text());
        if (!path.isEmpty())
            m_glossary->item(row, 1)->setText(path);
    });
}

void CImportFrmVw::OnUpdate(CCorvessaDoc &) { RefreshFromDocument(); }

void CImportFrmVw::OnNewProject(CCorvessaDoc &)
{
    FillTopicTable(CImportCommand::EmptyTopicRows());
    FillGlossaryTable({});
    SetTopicColumnsEditable(true);
    SetGlossaryEditable(true);
}

void CImportFrmVw::AfterOpenCommand(CCorvessaDoc &)
{
    SetTopicColumnsEditable(false);
}

QString CImportFrmVw::BrowseForSource(const QString &current)
{
    CFileDialogs &dialogs = m_dialogs ? *m_dialogs : CFileDialogs::Native();
    return dialogs.GetOpenFileName(this, QStringLiteral("Source Document"), current, kBrowseFilter);
}

void CImportFrmVw::FillTopicTable(const std::vector<CImportCommand::TopicRow> &rows)
{
    const bool was = m_refreshing;
    m_refreshing = true;
    m_topics->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        for (int c = colNumber; c <= colSource; ++c)
            m_topics->setItem(r, c, new QTableWidgetItem(rows[size_t(r)][size_t(c)]));
        // The tick alone shows the value: the box carries no words.
        auto *check = new QTableWidgetItem();
        check->setCheckState(rows[size_t(r)][colAssessable].compare(u"true", Qt::CaseInsensitive) == 0 ? Qt::Checked
                                                                                                        : Qt::Unchecked);
        check->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        m_topics->setItem(r, colAssessable, check);
    }
    SetTopicColumnsEditable(m_topicColumnsEditable);
    m_refreshing = was;
}

void CImportFrmVw::FillGlossaryTable(const QStringList &paths)
{
    const bool was = m_refreshing;
    m_refreshing = true;
    const int rows = std::max<int>(CImportCommand::kGlossaryRows, int(paths.size()));
    m_glossary->setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        m_glossary->setItem(r, 0, new QTableWidgetItem(QString::number(r + 1)));
        m_glossary->setItem(r, 1, new QTableWidgetItem(r < paths.size() ? paths[r] : QString()));
    }
    SetGlossaryEditable(m_glossaryEditable);
    m_refreshing = was;
}

void CImportFrmVw::SetTopicColumnsEditable(bool editable)
{
    const bool was = m_refreshing;
    m_refreshing = true;
    m_topicColumnsEditable = editable;
    for (int r = 0; r < m_topics->rowCount(); ++r) {
        for (int c = colNumber; c <= colSource; ++c) {
            QTableWidgetItem *item = m_topics->item(r, c);
            if (!item)
                continue;
            const bool open = c == colBanner || ((c == colName || c == colSource) && editable);
            item->setFlags(open ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                                : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        }
    }
    m_browseTopic->setEnabled(editable && m_menu->isChecked());
    m_refreshing = was;
}

void CImportFrmVw::SetGlossaryEditable(bool editable)
{
    const bool was = m_refreshing;
    m_refreshing = true;
    m_glossaryEditable = editable;
    for (int r = 0; r < m_glossary->rowCount(); ++r) {
        if (QTableWidgetItem *number = m_glossary->item(r, 0))
            number->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        if (QTableWidgetItem *path = m_glossary->item(r, 1))
            path->setFlags(editable ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                                    : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    }
    m_browseGlossary->setEnabled(editable);
    m_refreshing = was;
}

std::vector<CImportCommand::TopicRow> CImportFrmVw::TopicRowsOfTable() const
{
    std::vector<CImportCommand::TopicRow> rows;
    for (int r = 0; r < m_topics->rowCount(); ++r) {
        CImportCommand::TopicRow row;
        for (int c = colNumber; c <= colSource; ++c)
            row[size_t(c)] = m_topics->item(r, c) ? m_topics->item(r, c)->text() : QString();
        const QTableWidgetItem *check = m_topics->item(r, colAssessable);
        row[colAssessable] = check && check->checkState() == Qt::Checked ? QStringLiteral("true") : QStringLiteral("false");
        rows.push_back(row);
    }
    return rows;
}

void CImportFrmVw::StoreTopicTable()
{
    CImportCommand::StoreTopicTable(m_document, TopicRowsOfTable());
}

void CImportFrmVw::StoreGlossaryTable()
{
    QStringList paths;
    for (int r = 0; r < m_glossary->rowCount(); ++r)
        paths << (m_glossary->item(r, 1) ? m_glossary->item(r, 1)->text().trimmed() : QString());
    CImportCommand::StoreGlossaryTable(m_document, paths);
}

void CImportFrmVw::OnTopicChanged(QTableWidgetItem *)
{
    if (m_refreshing)
        return;
    StoreTopicTable();
}

void CImportFrmVw::OnKind(bool menuBased)
{
    m_document.MutableSettings().MenuBasedCourse = menuBased ? 1 : 0;
    m_document.SetModifiedFlag(true);
    UpdateLinearControls();
    UpdateMenuControls();
    if (!menuBased)
        m_assessable->setEnabled(!m_document.Settings().LastAssessmentTopic);
}

void CImportFrmVw::OnSourceEdited()
{
    if (m_refreshing)
        return;
    const QString path = m_sourcePath->text();
    if (path == m_document.Settings().LinearSourceDocument)
        return;
    m_document.MutableSettings().LinearSourceDocument = path;
    m_document.SetModifiedFlag(true);
}

void CImportFrmVw::UpdateLinearControls()
{
    const bool on = m_linear->isChecked() && m_document.GetImportPending();
    m_sourcePath->setEnabled(on);
    m_browse->setEnabled(on);
    m_assessable->setEnabled(m_linear->isChecked());
}

void CImportFrmVw::UpdateMenuControls()
{
    const bool on = m_menu->isChecked();
    m_topics->setEnabled(on);
    m_browseTopic->setEnabled(on && m_topicColumnsEditable);
    m_topicOrder->setEnabled(on);
    m_menuAsList->setEnabled(on);
    m_noMenuImages->setEnabled(on);
}

void CImportFrmVw::UpdateImportAvailability()
{
    const bool on = m_document.GetImportPending() == 1;
    for (QWidget *w : {static_cast<QWidget *>(m_linear), static_cast<QWidget *>(m_menu),
                       static_cast<QWidget *>(m_import)})
        w->setEnabled(on);
    if (!on) {
        m_sourcePath->setEnabled(false);
        m_browse->setEnabled(false);
    }
}

void CImportFrmVw::RefreshFromDocument()
{
    const bool was = m_refreshing;
    m_refreshing = true;
    const bool menuBased = m_document.Settings().MenuBasedCourse != 0;
    m_linear->setChecked(!menuBased);
    m_menu->setChecked(menuBased);
    m_fastPowerPoint->setChecked(m_document.Settings().FastPowerpointImport != 0);
    m_slidesAsImages->setChecked(m_document.Settings().ImportPowerpointAsImages != 0);
    m_finalScreens->setChecked(m_document.Settings().CreateFinalFeedbackScreen != 0);
    m_topicOrder->setChecked(m_document.Settings().CompleteTopicsInOrder != 0);
    m_menuAsList->setChecked(m_document.Settings().MainMenuOnlyListMenu != 0);
    m_noMenuImages->setChecked(m_document.Settings().MainMenuNoImages != 0);
    UpdateLinearControls();
    UpdateMenuControls();
    if (m_sourcePath->text() != m_document.Settings().LinearSourceDocument)
        m_sourcePath->setText(m_document.Settings().LinearSourceDocument);
    if (!menuBased) {
        if (m_document.Settings().LastAssessmentTopic) {
            m_assessable->setChecked(false);
            m_assessable->setEnabled(false);
        } else {
            m_assessable->setChecked(m_document.Settings().LinearSourceAssessable != 0);
            m_assessable->setEnabled(true);
        }
    } else {
        m_assessable->setEnabled(false);
    }
    const auto rows = CImportCommand::TopicRows(m_document);
    if (!rows.empty())
        FillTopicTable(rows);
    FillGlossaryTable(m_document.GlossaryDocuments());
    UpdateImportAvailability();
    m_refreshing = was;
}

void CImportFrmVw::OnImportNow()
{
    // What is being typed into a cell counts.
    if (QWidget *editor = focusWidget(); editor && (m_topics->isAncestorOf(editor) || m_glossary->isAncestorOf(editor)))
        m_import->setFocus(Qt::OtherFocusReason);
    StoreGlossaryTable();
    CHeadlessImportHost host(m_document);
    CImportCommand command(m_document, host, m_library);
    command.SetBeforeImport([this] { emit EditWindowWanted(); });
    command.SetSlideExporterRunner(&CDlgLongWait::RunWhileWaiting);
    const CImportCommand::Outcome outcome = command.ImportNow(TopicRowsOfTable());
    if (command.WantsSourcePathFocus())
        m_sourcePath->setFocus(Qt::OtherFocusReason);
    if (outcome == CImportCommand::Outcome::stopped || outcome == CImportCommand::Outcome::declined) {
        RefreshFromDocument();
        return;
    }
    // Once the import is used up, the glossary documents have been read and their table closes. While it is
    // still pending (nothing came in), both tables stay open so a wrong source can be put right.
    const bool pending = m_document.GetImportPending() == 1;
    SetGlossaryEditable(pending);
    SetTopicColumnsEditable(pending);
    m_document.UpdateAllViews();
    emit ImportFinished();
}
