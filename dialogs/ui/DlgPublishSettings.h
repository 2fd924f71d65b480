#pragma once

#include "dialogs/PublishFolderChoice.h"

#include <QDialog>

#include <array>

class CFileDialogs;
class QCheckBox;
class QLineEdit;
class QPushButton;

// "Publish settings": for each kind of course its publish folder, or the default location. The caller
// presets `values`, runs the dialog and, on OK, reads them back.
class CDlgPublishSettings : public QDialog
{
    Q_OBJECT
public:
    // lastFolder: the folder chosen last through any Browse button this run, updated by each choice.
    // dialogs: the folder picker (the desktop's when null).
    CDlgPublishSettings(QWidget *parent, QString &lastFolder, CFileDialogs *dialogs = nullptr);

    CPublishFolderChoice values;

    int exec() override;
    void accept() override;
    // Shows the values (exec does this first).
    void ShowValues();

    QLineEdit *FolderEdit(int kind) const { return m_rows[size_t(kind)].folder; }
    QPushButton *BrowseButton(int kind) const { return m_rows[size_t(kind)].browse; }
    QCheckBox *DefaultBox(int kind) const { return m_rows[size_t(kind)].useDefault; }

private:
    struct RowControls {
        QLineEdit *folder = nullptr;
        QPushButton *browse = nullptr;
        QCheckBox *useDefault = nullptr;
    };
    void ReadValues();
    void UpdateRow(int kind);
    void OnBrowse(int kind);

    QString &m_lastFolder;
    CFileDialogs *m_dialogs;
    std::array<RowControls, CPublishFolderChoice::kKinds> m_rows;
};
