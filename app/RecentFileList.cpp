#include "app/RecentFileList.h"

#include "app/Registry.h"
#include "platform/IniFile.h"

#include <QDir>

namespace {

QString KeyOf(int index) { return QStringLiteral("File%1").arg(index + 1); }

} // namespace

const QString &CRecentFileList::Section()
{
    static const QString section = CorvRegistryKeys::kProductKey + QStringLiteral("\\Recent File List");
    return section;
}

void CRecentFileList::Add(const QString &path)
{
    if (path.isEmpty())
        return;
    const QString clean = QDir::cleanPath(path);
    m_files.removeAll(clean);
    m_files.prepend(clean);
    while (m_files.size() > m_size)
        m_files.removeLast();
}

void CRecentFileList::Remove(int index)
{
    if (index >= 0 && index < m_files.size())
        m_files.removeAt(index);
}

void CRecentFileList::ReadList(const CIniFile &profile)
{
    m_files.clear();
    for (int i = 0; i < m_size; ++i) {
        const QString path = profile.ReadString(Section(), KeyOf(i));
        if (!path.isEmpty() && !m_files.contains(path))
            m_files.append(path);
    }
}

bool CRecentFileList::WriteList(CIniFile &profile) const
{
    bool written = true;
    for (int i = 0; i < m_size; ++i) {
        if (i < m_files.size())
            written = profile.WriteString(Section(), KeyOf(i), m_files[i]) && written;
        else
            written = profile.RemoveKey(Section(), KeyOf(i)) && written;
    }
    return written;
}
