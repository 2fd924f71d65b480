#include "app/ui/PropPageManagementWeb.h"

#include "app/ManagementRules.h"
#include "app/ui/SettingsPageControls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QRadioButton>

using namespace CorvPageControls;
using namespace CorvManagementRules;

namespace {

QFormLayout *Form(QWidget *panel)
{
    auto *form = new QFormLayout(panel);
    form->setContentsMargins(24, 0, 0, 0);
    return form;
}

QLineEdit *PasswordEdit(const QString &name, QWidget *parent)
{
    // A database password is never shown on screen.
    QLineEdit *edit = MakeEdit(name, parent);
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}

} // namespace

CPropPageManagementWeb::CPropPageManagementWeb(CCorvessaDoc &document, QWidget *parent) : CSettingsPage(document, parent)
{
    setAccessibleName(QStringLiteral("Web-based database"));
    BuildControls();
}

void CPropPageManagementWeb::BuildControls()
{
    m_asp = Make<QRadioButton>(QStringLiteral("ASP"), this);
    m_php = Make<QRadioButton>(QStringLiteral("PHP"), this);
    auto *technology = new QButtonGroup(this);
    technology->addButton(m_asp);
    technology->addButton(m_php);
    m_first = new QRadioButton(this);
    m_second = new QRadioButton(this);
    auto *connection = new QButtonGroup(this);
    connection->addButton(m_first);
    connection->addButton(m_second);
    m_table = MakeEdit(QStringLiteral("Web table name 1"), this);
    m_table2 = MakeEdit(QStringLiteral("Web table name 2"), this);

    m_aspDsnPanel = new QWidget(this);
    m_dsn = MakeEdit(QStringLiteral("DSN"), m_aspDsnPanel);
    m_uid = MakeEdit(QStringLiteral("UID"), m_aspDsnPanel);
    // The ASP connection's password is part of the connection string the page shows whole: it stands in clear.
    m_aspPassword = MakeEdit(QStringLiteral("Pwd"), m_aspDsnPanel);
    QFormLayout *dsn = Form(m_aspDsnPanel);
    dsn->addRow(QStringLiteral("DSN"), m_dsn);
    dsn->addRow(QStringLiteral("UID"), m_uid);
    dsn->addRow(QStringLiteral("Pwd"), m_aspPassword);

    m_aspConnectionPanel = new QWidget(this);
    m_provider = MakeEdit(QStringLiteral("Provider"), m_aspConnectionPanel);
    m_dataSource = MakeEdit(QStringLiteral("Data source"), m_aspConnectionPanel);
    m_relativePath = Make<QCheckBox>(QStringLiteral("Relative path"), m_aspConnectionPanel);
    m_sundry = MakeEdit(QStringLiteral("Sundry"), m_aspConnectionPanel);
    QFormLayout *aspConnection = Form(m_aspConnectionPanel);
    aspConnection->addRow(QStringLiteral("Provider"), m_provider);
    auto *source = new QHBoxLayout;
    source->addWidget(m_dataSource, 1);
    source->addWidget(m_relativePath);
    aspConnection->addRow(BuddyLabel(QStringLiteral("Data source"), m_dataSource, m_aspConnectionPanel), source);
    aspConnection->addRow(QStringLiteral("Sundry"), m_sundry);

    m_phpStandardPanel = new QWidget(this);
    m_dbType = new QComboBox(m_phpStandardPanel);
    m_dbType->setAccessibleName(QStringLiteral("DB type"));
    m_dbType->setEditable(true);
    m_dbType->setInsertPolicy(QComboBox::NoInsert);
    // A typed driver key stays as typed: no completion to a listed name.
    m_dbType->setCompleter(nullptr);
    for (int i = 0; i < kDbTypeCount; ++i)
        m_dbType->addItem(DbTypeName(i));
    m_server = MakeEdit(QStringLiteral("Server"), m_phpStandardPanel);
    m_database = MakeEdit(QStringLiteral("Database"), m_phpStandardPanel);
    m_persistent = Make<QCheckBox>(QStringLiteral("Persistent"), m_phpStandardPanel);
    m_persistent->setLayoutDirection(Qt::RightToLeft);
    m_userId = MakeEdit(QStringLiteral("User ID"), m_phpStandardPanel);
    m_phpPassword = PasswordEdit(QStringLiteral("Password"), m_phpStandardPanel);
    QFormLayout *standard = Form(m_phpStandardPanel);
    standard->addRow(QStringLiteral("DB type"), m_dbType);
    standard->addRow(QStringLiteral("Server"), m_server);
    auto *database = new QHBoxLayout;
    database->addWidget(m_database, 1);
    database->addWidget(m_persistent);
    standard->addRow(BuddyLabel(QStringLiteral("Database"), m_database, m_phpStandardPanel), database);
    standard->addRow(QStringLiteral("User ID"), m_userId);
    standard->addRow(QStringLiteral("Password"), m_phpPassword);

    m_phpConnectionPanel = new QWidget(this);
    m_connection = new QPlainTextEdit(m_phpConnectionPanel);
    m_connection->setAccessibleName(QStringLiteral("Connection string"));
    m_connection->setTabChangesFocus(true);
    m_connection->setFixedHeight(64);
    m_connection->installEventFilter(this);
    Form(m_phpConnectionPanel)->addRow(m_connection);

    auto *grid = new QGridLayout(this);
    auto *technologyRow = new QHBoxLayout;
    technologyRow->addWidget(new QLabel(QStringLiteral("Server technology"), this));
    technologyRow->addWidget(m_asp);
    technologyRow->addWidget(m_php);
    technologyRow->addStretch(1);
    grid->addLayout(technologyRow, 0, 0, 1, 4);
    grid->addWidget(BuddyLabel(QStringLiteral("Table names: 1."), m_table, this), 1, 0);
    grid->addWidget(m_table, 1, 1);
    grid->addWidget(BuddyLabel(QStringLiteral("2."), m_table2, this), 1, 2);
    grid->addWidget(m_table2, 1, 3);
    grid->addWidget(m_first, 2, 0, 1, 4);
    grid->addWidget(m_aspDsnPanel, 3, 0, 1, 4);
    grid->addWidget(m_phpStandardPanel, 3, 0, 1, 4);
    grid->addWidget(m_second, 4, 0, 1, 4);
    grid->addWidget(m_aspConnectionPanel, 5, 0, 1, 4);
    grid->addWidget(m_phpConnectionPanel, 5, 0, 1, 4);
    grid->setRowStretch(6, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    m_fields = {
        {m_dsn, Asp, &CCourseSettings::WebASPDbDSN},
        {m_uid, Asp, &CCourseSettings::WebASPDbUID},
        {m_aspPassword, Asp, &CCourseSettings::WebASPDbPassword},
        {m_provider, Asp, &CCourseSettings::WebASPDbProvider},
        {m_dataSource, Asp, &CCourseSettings::WebASPDbDataSource},
        {m_sundry, Asp, &CCourseSettings::WebASPDbSundry},
        {m_server, Php, &CCourseSettings::WebPHPServer},
        {m_database, Php, &CCourseSettings::WebPHPDatabase},
        {m_userId, Php, &CCourseSettings::WebPHPUserID},
        {m_phpPassword, Php, &CCourseSettings::WebPHPPassword},
    };
    for (const Field &field : m_fields)
        connect(field.edit, &QLineEdit::editingFinished, this, [this, field] { CommitField(field); });
    connect(m_table, &QLineEdit::editingFinished, this, [this] {
        CommitField({m_table, Both, IsAsp() ? &CCourseSettings::WebASPDbTableName : &CCourseSettings::WebPHPDbTableName});
    });
    connect(m_table2, &QLineEdit::editingFinished, this, &CPropPageManagementWeb::CommitTable2);
    connect(m_asp, &QRadioButton::clicked, this, [this] { OnTechnologyChosen(true); });
    connect(m_php, &QRadioButton::clicked, this, [this] { OnTechnologyChosen(false); });
    connect(m_first, &QRadioButton::clicked, this, [this] { OnFirstRadio(true); });
    connect(m_second, &QRadioButton::clicked, this, [this] { OnFirstRadio(false); });
    connect(m_relativePath, &QCheckBox::clicked, this, [this](bool on) {
        if (IsAsp())
            Store(Document(), Document().MutableSettings().UseWebASPDbRelativePath, Flag(on));
    });
    connect(m_persistent, &QCheckBox::clicked, this, [this](bool on) {
        if (!IsAsp())
            Store(Document(), Document().MutableSettings().UseWebPHPPersistence, Flag(on));
    });
    connect(m_dbType, &QComboBox::activated, this, &CPropPageManagementWeb::OnDbTypeChosen);
    connect(m_dbType->lineEdit(), &QLineEdit::editingFinished, this, &CPropPageManagementWeb::CommitDbType);
}

bool CPropPageManagementWeb::IsAsp() const { return Document().Settings().UseASP != 0; }

void CPropPageManagementWeb::ResetToDefaults()
{
    ResetWeb(Document().MutableSettings());
    RefreshFromDocument();
}

void CPropPageManagementWeb::RefreshFromDocument()
{
    ShowChecked(IsAsp() ? m_asp : m_php, true);
    LayOut();
    ShowText(m_table2, Document().Settings().WebDbTableName2);
}

void CPropPageManagementWeb::LayOut()
{
    const CCourseSettings &s = Document().Settings();
    const bool asp = IsAsp();
    Show({m_aspDsnPanel, m_aspConnectionPanel}, asp);
    Show({m_phpStandardPanel, m_phpConnectionPanel}, !asp);
    m_first->setText(asp ? QStringLiteral("Data source name") : QStringLiteral("Standard parameters"));
    m_second->setText(asp ? QStringLiteral("Connection string - OLE DB Providers")
                          : QStringLiteral("Connection string (Windows web servers only)"));
    m_first->setAccessibleName(m_first->text());
    m_second->setAccessibleName(m_second->text());
    ShowText(m_table, asp ? s.WebASPDbTableName : s.WebPHPDbTableName);
    for (const Field &field : m_fields)
        ShowText(field.edit, s.*field.setting);
    ShowChecked(m_relativePath, s.UseWebASPDbRelativePath != 0);
    ShowChecked(m_persistent, s.UseWebPHPPersistence != 0);
    if (!asp) {
        const QSignalBlocker blocker(m_dbType);
        if (const int index = FindDbType(s.WebPHPDbType); index >= 0)
            m_dbType->setCurrentIndex(index);
        else if (s.WebPHPDbType.isEmpty())
            m_dbType->setCurrentIndex(-1);
        // A typed driver no entry begins with is shown as it was typed.
        m_dbType->setEditText(s.WebPHPDbType);
        if (m_connection->toPlainText() != s.WebPHPConnectionString)
            m_connection->setPlainText(s.WebPHPConnectionString);
    }
    const int first = asp ? s.UseWebDbASPDSN : s.UseWebPHPStandardParameters;
    ShowChecked(first == 1 ? m_first : m_second, true);
    ApplyEnabledStates();
}

void CPropPageManagementWeb::ApplyEnabledStates()
{
    const bool first = m_first->isChecked();
    m_aspDsnPanel->setEnabled(first);
    m_aspConnectionPanel->setEnabled(!first);
    m_phpStandardPanel->setEnabled(first);
    m_phpConnectionPanel->setEnabled(!first);
}

void CPropPageManagementWeb::OnTechnologyChosen(bool asp)
{
    // What is being typed belongs to the technology it was typed for.
    CommitPendingEdits();
    Document().MutableSettings().UseASP = Flag(asp);
    Document().SetModifiedFlag();
    LayOut();
}

void CPropPageManagementWeb::OnFirstRadio(bool first)
{
    ApplyEnabledStates();
    CCourseSettings &s = Document().MutableSettings();
    (IsAsp() ? s.UseWebDbASPDSN : s.UseWebPHPStandardParameters) = Flag(first);
    Document().SetModifiedFlag();
}

void CPropPageManagementWeb::CommitField(const Field &field)
{
    if (field.technology == Asp && !IsAsp())
        return;
    if (field.technology == Php && IsAsp())
        return;
    Store(Document(), Document().MutableSettings().*field.setting, field.edit->text());
}

void CPropPageManagementWeb::CommitTable2()
{
    Store(Document(), Document().MutableSettings().WebDbTableName2, m_table2->text());
}

void CPropPageManagementWeb::CommitConnectionString()
{
    if (!IsAsp())
        Store(Document(), Document().MutableSettings().WebPHPConnectionString, m_connection->toPlainText());
}

void CPropPageManagementWeb::OnDbTypeChosen(int index)
{
    if (index < 0 || IsAsp())
        return;
    CCourseSettings &s = Document().MutableSettings();
    const bool changed = s.WebPHPDbType != DbTypeName(index) || s.WebPHPDbType4Publish != DbTypeKey(index);
    s.WebPHPDbType = DbTypeName(index);
    s.WebPHPDbType4Publish = DbTypeKey(index);
    if (changed)
        Document().SetModifiedFlag();
}

void CPropPageManagementWeb::CommitDbType()
{
    if (IsAsp())
        return;
    const QString typed = m_dbType->currentText();
    // An entry chosen from the list was stored when it was chosen.
    if (m_dbType->currentIndex() >= 0 && typed == m_dbType->itemText(m_dbType->currentIndex()))
        return;
    const DbTypeChoice choice = ResolveDbType(typed);
    {
        const QSignalBlocker blocker(m_dbType);
        m_dbType->setCurrentIndex(choice.index);
        m_dbType->setEditText(typed);
    }
    CCourseSettings &s = Document().MutableSettings();
    if (s.WebPHPDbType == choice.name && s.WebPHPDbType4Publish == choice.key)
        return;
    s.WebPHPDbType = choice.name;
    s.WebPHPDbType4Publish = choice.key;
    Document().SetModifiedFlag();
}

void CPropPageManagementWeb::CommitPendingEdits()
{
    for (const Field &field : m_fields)
        CommitField(field);
    CommitField({m_table, Both, IsAsp() ? &CCourseSettings::WebASPDbTableName : &CCourseSettings::WebPHPDbTableName});
    CommitTable2();
    CommitConnectionString();
    CommitDbType();
}

bool CPropPageManagementWeb::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_connection && event->type() == QEvent::FocusOut)
        CommitConnectionString();
    return CSettingsPage::eventFilter(watched, event);
}
