#pragma once

#include "app/ui/SettingsPage.h"

#include <cstdint>

class CCourseSettings;

#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

// "Web-based database", the second tab of the Management page: the server technology of a course published
// for the web target (ASP or PHP) and, for each, how its server pages reach the results database and which
// tables they write. The two technologies keep their own settings and share the controls; every text is
// stored when its edit is left (or before the project is saved or published).
class CPropPageManagementWeb : public CSettingsPage
{
    Q_OBJECT
public:
    explicit CPropPageManagementWeb(CCorvessaDoc &document, QWidget *parent = nullptr);

    void ResetToDefaults() override;
    void RefreshFromDocument() override;
    void CommitPendingEdits() override;

    QRadioButton *AspRadio() const { return m_asp; }
    QRadioButton *PhpRadio() const { return m_php; }
    // Radio 1387 ("Data source name" / "Standard parameters") and radio 1370 (the connection string).
    QRadioButton *FirstRadio() const { return m_first; }
    QRadioButton *SecondRadio() const { return m_second; }
    QLineEdit *TableEdit() const { return m_table; }
    QLineEdit *Table2Edit() const { return m_table2; }
    QLineEdit *DsnEdit() const { return m_dsn; }
    QLineEdit *UidEdit() const { return m_uid; }
    QLineEdit *AspPasswordEdit() const { return m_aspPassword; }
    QLineEdit *ProviderEdit() const { return m_provider; }
    QLineEdit *DataSourceEdit() const { return m_dataSource; }
    QCheckBox *RelativePathCheck() const { return m_relativePath; }
    QLineEdit *SundryEdit() const { return m_sundry; }
    QComboBox *DbTypeBox() const { return m_dbType; }
    QLineEdit *ServerEdit() const { return m_server; }
    QLineEdit *DatabaseEdit() const { return m_database; }
    QCheckBox *PersistentCheck() const { return m_persistent; }
    QLineEdit *UserIdEdit() const { return m_userId; }
    QLineEdit *PhpPasswordEdit() const { return m_phpPassword; }
    QPlainTextEdit *ConnectionStringEdit() const { return m_connection; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum Technology { Both, Asp, Php };
    struct Field
    {
        QLineEdit *edit;
        Technology technology;
        QString CCourseSettings::*setting;
    };

    void BuildControls();
    void LayOut();
    void ApplyEnabledStates();
    bool IsAsp() const;
    void OnTechnologyChosen(bool asp);
    void OnFirstRadio(bool first);
    void CommitField(const Field &field);
    void CommitTable2();
    void CommitConnectionString();
    void OnDbTypeChosen(int index);
    void CommitDbType();

    QRadioButton *m_asp = nullptr;
    QRadioButton *m_php = nullptr;
    QRadioButton *m_first = nullptr;
    QRadioButton *m_second = nullptr;
    QLineEdit *m_table = nullptr;
    QLineEdit *m_table2 = nullptr;
    QWidget *m_aspDsnPanel = nullptr;
    QWidget *m_aspConnectionPanel = nullptr;
    QWidget *m_phpStandardPanel = nullptr;
    QWidget *m_phpConnectionPanel = nullptr;
    QLineEdit *m_dsn = nullptr;
    QLineEdit *m_uid = nullptr;
    QLineEdit *m_aspPassword = nullptr;
    QLineEdit *m_provider = nullptr;
    QLineEdit *m_dataSource = nullptr;
    QCheckBox *m_relativePath = nullptr;
    QLineEdit *m_sundry = nullptr;
    QComboBox *m_dbType = nullptr;
    QLineEdit *m_server = nullptr;
    QLineEdit *m_database = nullptr;
    QCheckBox *m_persistent = nullptr;
    QLineEdit *m_userId = nullptr;
    QLineEdit *m_phpPassword = nullptr;
    QPlainTextEdit *m_connection = nullptr;
    std::vector<Field> m_fields;
};
