#include "app/ui/PropPageManagementLAN.h"

#include "app/ManagementRules.h"
#include "app/ui/SettingsPageControls.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

using namespace CorvPageControls;

CPropPageManagementLAN::CPropPageManagementLAN(CCorvessaDoc &document, QWidget *parent)
    : CSettingsPage(document, parent)
{
    setAccessibleName(QStringLiteral("LAN-based database"));
    m_table = MakeEdit(QStringLiteral("LAN table name 1"), this);
    m_table2 = MakeEdit(QStringLiteral("LAN table name 2"), this);
    m_dsnRadio = Make<QRadioButton>(QStringLiteral("Data source name"), this);
    m_connectionRadio = Make<QRadioButton>(QStringLiteral("Connection string - OLE DB Providers"), this);
    auto *group = new QButtonGroup(this);
    group->addButton(m_dsnRadio);
    group->addButton(m_connectionRadio);
    m_dsn = MakeEdit(QStringLiteral("LAN DSN"), this);
    m_uid = MakeEdit(QStringLiteral("LAN UID"), this);
    m_password = MakeEdit(QStringLiteral("LAN Pwd"), this);
    m_password->setEchoMode(QLineEdit::Password);
    m_provider = MakeEdit(QStringLiteral("LAN Provider"), this);
    m_dataSource = MakeEdit(QStringLiteral("LAN Data source"), this);
    m_sundry = MakeEdit(QStringLiteral("LAN Sundry"), this);

    auto *grid = new QGridLayout(this);
    grid->addWidget(BuddyLabel(QStringLiteral("Table names: 1."), m_table, this), 0, 0);
    grid->addWidget(m_table, 0, 1);
    grid->addWidget(BuddyLabel(QStringLiteral("2."), m_table2, this), 0, 2);
    grid->addWidget(m_table2, 0, 3);
    grid->addWidget(m_dsnRadio, 1, 0, 1, 4);
    const char *dsnTexts[] = {"DSN", "UID", "Pwd"};
    QLineEdit *dsnEdits[] = {m_dsn, m_uid, m_password};
    for (int i = 0; i < 3; ++i) {
        m_dsnLabels[i] = BuddyLabel(QString::fromLatin1(dsnTexts[i]), dsnEdits[i], this);
        grid->addWidget(m_dsnLabels[i], 2 + i, 0);
        grid->addWidget(dsnEdits[i], 2 + i, 1, 1, 3);
    }
    grid->addWidget(m_connectionRadio, 5, 0, 1, 4);
    const char *connectionTexts[] = {"Provider", "Data source", "Sundry"};
    QLineEdit *connectionEdits[] = {m_provider, m_dataSource, m_sundry};
    for (int i = 0; i < 3; ++i) {
        m_connectionLabels[i] = BuddyLabel(QString::fromLatin1(connectionTexts[i]), connectionEdits[i], this);
        grid->addWidget(m_connectionLabels[i], 6 + i, 0);
        grid->addWidget(connectionEdits[i], 6 + i, 1, 1, 3);
    }
    grid->setRowStretch(9, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    WriteThrough(m_table, &CCourseSettings::LANDbTableName);
    // The second name is stored as it is typed too, so that saving with the caret still in it keeps it.
    WriteThrough(m_table2, &CCourseSettings::LANDbTableName2);
    WriteThrough(m_dsn, &CCourseSettings::LANDbDSN);
    WriteThrough(m_uid, &CCourseSettings::LANDbUID);
    WriteThrough(m_password, &CCourseSettings::LANDbPassword);
    WriteThrough(m_provider, &CCourseSettings::LANDbProvider);
    WriteThrough(m_dataSource, &CCourseSettings::LANDbDataSource);
    WriteThrough(m_sundry, &CCourseSettings::LANDbSundry);
    connect(m_dsnRadio, &QRadioButton::clicked, this, [this] { OnDsnChosen(true); });
    connect(m_connectionRadio, &QRadioButton::clicked, this, [this] { OnDsnChosen(false); });
}

void CPropPageManagementLAN::WriteThrough(QLineEdit *edit, QString CCourseSettings::*setting)
{
    // Every keystroke is in the project at once, and marks it, so that closing asks to save.
    connect(edit, &QLineEdit::textChanged, this,
            [this, setting](const QString &text) { Store(Document(), Document().MutableSettings().*setting, text); });
}

void CPropPageManagementLAN::ResetToDefaults()
{
    CorvManagementRules::ResetLan(Document().MutableSettings());
    RefreshFromDocument();
}

void CPropPageManagementLAN::RefreshFromDocument()
{
    const CCourseSettings &s = Document().Settings();
    ShowText(m_table, s.LANDbTableName);
    ShowChecked(s.UseLANDbDSN != 0 ? m_dsnRadio : m_connectionRadio, true);
    ApplyEnabledStates();
    ShowText(m_dsn, s.LANDbDSN);
    ShowText(m_uid, s.LANDbUID);
    ShowText(m_password, s.LANDbPassword);
    ShowText(m_provider, s.LANDbProvider);
    ShowText(m_dataSource, s.LANDbDataSource);
    ShowText(m_sundry, s.LANDbSundry);
    ShowText(m_table2, s.LANDbTableName2);
}

void CPropPageManagementLAN::ApplyEnabledStates()
{
    const bool dsn = m_dsnRadio->isChecked();
    Enable({m_dsnLabels[0], m_dsnLabels[1], m_dsnLabels[2], m_dsn, m_uid, m_password}, dsn);
    Enable({m_connectionLabels[0], m_connectionLabels[1], m_connectionLabels[2], m_provider, m_dataSource, m_sundry},
           !dsn);
}

void CPropPageManagementLAN::OnDsnChosen(bool dsn)
{
    ApplyEnabledStates();
    Document().MutableSettings().UseLANDbDSN = Flag(dsn);
    Document().SetModifiedFlag();
}
