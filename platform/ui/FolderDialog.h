#pragma once

#include <QPointer>
#include <QString>

class CFileDialogs;
#include <QWidget>

// The folder picker behind the modal-dialog protocol: DoModal gives IDOK with the chosen folder in
// GetFolderPath, or IDCANCEL. The desktop's dialog only offers folders of the file system, so a choice
// without a file-system path cannot happen here.
class CFolderDialog
{
public:
    enum { IDOK = 1, IDCANCEL = 2 };
    // The flags every caller passes: file-system folders only, an edit box, the new dialog style.
    static constexpr unsigned kBrowseFlags = 0x51;

    // title may start with line breaks that the old dialogs used for spacing; they are not shown.
    CFolderDialog(const QString &title, const QString &initialFolder, QWidget *parent, unsigned flags = kBrowseFlags,
                  CFileDialogs *dialogs = nullptr);

    int DoModal();
    const QString &GetFolderPath() const { return m_result; }
    const QString &GetInitialFolder() const { return m_initial; }
    unsigned GetFlags() const { return m_flags; }

private:
    QString m_title;
    QString m_initial;
    QPointer<QWidget> m_parent;
    unsigned m_flags;
    CFileDialogs *m_dialogs;
    QString m_result;
};
