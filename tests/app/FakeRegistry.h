#pragma once

#include "app/Registry.h"

#include <QMap>
#include <QSet>
#include <QStringList>

// A registry in memory: keys by hive (compared without regard to case), the hives that may be written, and a
// record of every change, so a test sees exactly what start-up wrote.
class CFakeRegistry : public CRegistry
{
public:
    QSet<QString> keys[2];
    QMap<QString, QString> values[2]; // "key|value name" -> text
    bool writable[2] = {false, true};
    QStringList changes;

    static int Of(RegistryHive hive) { return hive == RegistryHive::LocalMachine ? 0 : 1; }
    void AddKey(RegistryHive hive, const QString &path) { keys[Of(hive)].insert(path.toLower()); }

    bool OpenKey(RegistryHive hive, const QString &path) const override
    {
        const QString key = path.toLower();
        for (const QString &k : keys[Of(hive)])
            if (k == key || k.startsWith(key + u'\\'))
                return true;
        return false;
    }
    bool CreateSubKey(RegistryHive hive, const QString &parent, const QString &name) override
    {
        if (!writable[Of(hive)] || !OpenKey(hive, parent))
            return false;
        AddKey(hive, parent + u'\\' + name);
        changes.append(QStringLiteral("%1 create %2\\%3").arg(Of(hive) ? "HKCU" : "HKLM", parent, name));
        return true;
    }
    bool ReadString(RegistryHive hive, const QString &path, const QString &name, QString &value) const override
    {
        const auto it = values[Of(hive)].constFind(path.toLower() + u'|' + name.toLower());
        if (it == values[Of(hive)].constEnd())
            return false;
        value = *it;
        return true;
    }
    bool WriteString(RegistryHive hive, const QString &path, const QString &name, const QString &value) override
    {
        if (!writable[Of(hive)] || !OpenKey(hive, path))
            return false;
        values[Of(hive)].insert(path.toLower() + u'|' + name.toLower(), value);
        changes.append(QStringLiteral("%1 set %2 %3=%4").arg(Of(hive) ? "HKCU" : "HKLM", path, name, value));
        return true;
    }
};
