#pragma once

#include "app/ui/SettingsPage.h"

class CDropDownListCtrl;
class CFileDialogs;
class QCheckBox;
class QPushButton;

// The Internationalisation page of the Settings window: the sundry texts of the course's international
// profile (dialog messages, button labels, sign-in screens of the published course) in an editable list,
// their export to and import from a profile file, the return to the default profile, and the course's
// default text direction.
class CChildDlgInternationalisation : public CSettingsPage
{
    Q_OBJECT
public:
    explicit CChildDlgInternationalisation(CCorvessaDoc &document, QWidget *parent = nullptr);

    // The profile file the page reads: the project's at the first refresh, then the last file imported,
    // exported or reset to.
    QString profilePath;

    void RefreshFromDocument() override;
    void CommitPendingEdits() override;
    // Reads profilePath into the document's profile and shows it; false (the author told) when it cannot.
    bool ParseInternationalProfile();

    void OnExport();
    void OnImport();
    void OnReset();
    void OnRightToLeft();
    // An edited "Text" cell goes into its item; an emptied text that may not be empty comes back.
    void OnListCellChanged();

    // The file pickers (tests answer from a script); the desktop's when none is set.
    void SetFileDialogs(CFileDialogs *dialogs) { m_dialogs = dialogs; }
    CDropDownListCtrl *List() const { return m_list; }
    QPushButton *ExportButton() const { return m_export; }
    QPushButton *ImportButton() const { return m_import; }
    QPushButton *ResetButton() const { return m_reset; }
    QCheckBox *RightToLeftBox() const { return m_rightToLeft; }

    static const QString kFilter;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void FillList();
    void SizeColumns();
    CFileDialogs &FileDialogs() const;
    QString DialogStartPath() const;

    CFileDialogs *m_dialogs = nullptr;
    CDropDownListCtrl *m_list;
    QPushButton *m_export;
    QPushButton *m_import;
    QPushButton *m_reset;
    QCheckBox *m_rightToLeft;
    bool m_filling = false;
};
