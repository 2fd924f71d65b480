#include "platform/ui/FolderDialog.h"

#include "platform/ui/FileDialogs.h"

CFolderDialog::CFolderDialog(const QString &title, const QString &initialFolder, QWidget *parent, unsigned flags,
                             CFileDialogs *dialogs)
    : m_title(title.trimmed()), m_initial(initialFolder), m_parent(parent), m_flags(flags),
      m_dialogs(dialogs ? dialogs : &CFileDialogs::Native())
{
}

int CFolderDialog::DoModal()
{
    m_result = m_dialogs->GetExistingDirectory(m_parent, m_title, m_initial);
    return m_result.isEmpty() ? IDCANCEL : IDOK;
}
