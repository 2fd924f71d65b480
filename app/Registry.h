#pragma once

#include "platform/IniFile.h"

#include <QString>

// The two registry hives the program reads: the machine's, installed with the program and never written,
// and the user's, which the program may create keys and values in.
enum class RegistryHive { LocalMachine, CurrentUser };

// The registry as the start-up uses it: keys by their path ("Software\Zerandt\Corvessa 4", compared without
// regard to case) holding named string values. Tests give a fake.
class CRegistry
{
public:
    virtual ~CRegistry() = default;
    // Whether the key exists (a key with sub-keys exists too).
    virtual bool OpenKey(RegistryHive hive, const QString &path) const = 0;
    // Creates the key name under the existing key parent. False when the parent does not open or the hive
    // cannot be written.
    virtual bool CreateSubKey(RegistryHive hive, const QString &parent, const QString &name) = 0;
    // The string value of the key; false when the key or the value is absent.
    virtual bool ReadString(RegistryHive hive, const QString &path, const QString &valueName, QString &value) const = 0;
    // Sets the string value of an existing key; false when the key does not open or cannot be written.
    virtual bool WriteString(RegistryHive hive, const QString &path, const QString &valueName, const QString &value) = 0;
};

// The registry kept in two small key-value files with the key and value names of the registry: each key is a
// section named by its path, each value a line of it. The machine's file lies in the program folder and is
// only read; the user's lies in the per-user configuration folder.
class CFileRegistry : public CRegistry
{
public:
    CFileRegistry(const QString &machineFile, const QString &userFile);

    bool OpenKey(RegistryHive hive, const QString &path) const override;
    bool CreateSubKey(RegistryHive hive, const QString &parent, const QString &name) override;
    bool ReadString(RegistryHive hive, const QString &path, const QString &valueName, QString &value) const override;
    bool WriteString(RegistryHive hive, const QString &path, const QString &valueName, const QString &value) override;

    // The user's file: the framework keeps its profile there too (recent files, window state).
    CIniFile &UserFile() { return m_user; }

private:
    const CIniFile &File(RegistryHive hive) const { return hive == RegistryHive::LocalMachine ? m_machine : m_user; }

    CIniFile m_machine;
    CIniFile m_user;
};

// The keys and values the program names.
namespace CorvRegistryKeys {
inline const QString kMakerKey = QStringLiteral("Software\\Zerandt");
inline const QString kProductName = QStringLiteral("Corvessa 4");
inline const QString kProductKey = QStringLiteral("Software\\Zerandt\\Corvessa 4");
inline const QString kImageRootPath = QStringLiteral("Image Root Path");
} // namespace CorvRegistryKeys
