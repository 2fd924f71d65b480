#include "app/Registry.h"

namespace {

// Registry paths as section names: "\" between the keys, none at either end.
QString KeyPath(const QString &path)
{
    QString key = path.trimmed();
    key.replace(u'/', u'\\');
    while (key.endsWith(u'\\'))
        key.chop(1);
    while (key.startsWith(u'\\'))
        key.remove(0, 1);
    return key;
}

} // namespace

CFileRegistry::CFileRegistry(const QString &machineFile, const QString &userFile)
    : m_machine(machineFile), m_user(userFile)
{
}

bool CFileRegistry::OpenKey(RegistryHive hive, const QString &path) const
{
    const QString key = KeyPath(path);
    if (key.isEmpty())
        return false;
    const QString below = key + u'\\';
    for (const QString &section : File(hive).SectionNames()) {
        const QString name = KeyPath(section);
        if (name.compare(key, Qt::CaseInsensitive) == 0 || name.startsWith(below, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool CFileRegistry::CreateSubKey(RegistryHive hive, const QString &parent, const QString &name)
{
    // The machine's file belongs to the installation.
    if (hive == RegistryHive::LocalMachine || !OpenKey(hive, parent) || name.trimmed().isEmpty())
        return false;
    return m_user.AddSection(KeyPath(parent) + u'\\' + KeyPath(name));
}

bool CFileRegistry::ReadString(RegistryHive hive, const QString &path, const QString &valueName, QString &value) const
{
    const CIniFile &file = File(hive);
    if (!file.HasKey(KeyPath(path), valueName))
        return false;
    value = file.ReadString(KeyPath(path), valueName);
    return true;
}

bool CFileRegistry::WriteString(RegistryHive hive, const QString &path, const QString &valueName, const QString &value)
{
    if (hive == RegistryHive::LocalMachine || !OpenKey(hive, path))
        return false;
    return m_user.WriteString(KeyPath(path), valueName, value);
}
