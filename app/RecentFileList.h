#pragma once

#include <QString>
#include <QStringList>

class CIniFile;

// The projects opened or saved last, newest first, as the File menu lists them. Kept in the framework's
// profile (the user's registry file) as File1, File2, ... of the key "Recent File List".
class CRecentFileList
{
public:
    explicit CRecentFileList(int size = 4) : m_size(size) {}

    const QStringList &Files() const { return m_files; }
    int Size() const { return m_size; }

    // Puts the file first; the same file further down goes, and the oldest falls off a full list.
    void Add(const QString &path);
    void Remove(int index);

    // The profile's entries: empty ones are passed over.
    void ReadList(const CIniFile &profile);
    // Writes every entry, removing the keys of entries the list no longer holds. False when the profile
    // could not be written.
    bool WriteList(CIniFile &profile) const;

    static const QString &Section();

private:
    int m_size;
    QStringList m_files;
};
