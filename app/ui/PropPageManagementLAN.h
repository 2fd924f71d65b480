#pragma once

#include "app/ui/SettingsPage.h"

#include <cstdint>

class CCourseSettings;

class QLabel;
class QLineEdit;
class QRadioButton;

// "LAN-based database", the first tab of the Management page: the two tables a course published for the
// LAN target writes to, and how it reaches its database: a data source name with user id and password, or
// an OLE DB connection string of provider, data source and further parameters.
class CPropPageManagementLAN : public CSettingsPage
{
    Q_OBJECT
public:
    explicit CPropPageManagementLAN(CCorvessaDoc &document, QWidget *parent = nullptr);

    void ResetToDefaults() override;
    void RefreshFromDocument() override;

    QLineEdit *TableEdit() const { return m_table; }
    QLineEdit *Table2Edit() const { return m_table2; }
    QRadioButton *DsnRadio() const { return m_dsnRadio; }
    QRadioButton *ConnectionRadio() const { return m_connectionRadio; }
    QLineEdit *DsnEdit() const { return m_dsn; }
    QLineEdit *UidEdit() const { return m_uid; }
    QLineEdit *PasswordEdit() const { return m_password; }
    QLineEdit *ProviderEdit() const { return m_provider; }
    QLineEdit *DataSourceEdit() const { return m_dataSource; }
    QLineEdit *SundryEdit() const { return m_sundry; }

private:
    void ApplyEnabledStates();
    void OnDsnChosen(bool dsn);
    // Connects an edit that stores every change of its text into the setting.
    void WriteThrough(QLineEdit *edit, QString CCourseSettings::*setting);

    QLineEdit *m_table;
    QLineEdit *m_table2;
    QRadioButton *m_dsnRadio;
    QRadioButton *m_connectionRadio;
    QLineEdit *m_dsn;
    QLineEdit *m_uid;
    QLineEdit *m_password;
    QLineEdit *m_provider;
    QLineEdit *m_dataSource;
    QLineEdit *m_sundry;
    QLabel *m_dsnLabels[3] = {};
    QLabel *m_connectionLabels[3] = {};
};
