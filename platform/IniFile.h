#pragma once

#include <QString>
#include <QStringList>

// A private-profile (ini) file: "[section]" lines, each followed by "key=value" lines. The rules are the
// system's own: section and key names are found without regard to case and without the blanks around
// them; a value is the rest of its line after the first "=", trimmed of blanks at both ends and read in full
// (no length limit); of two equal keys in one section the first counts; lines before the first section,
// comment lines (";") and lines without "=" are kept but never match. The file is UTF-8 (a UTF-8 or UTF-16
// byte-order mark is honoured on reading).
//
// Every read sees the file as it is on disk: it is read again whenever its size or time stamp changed. A
// write changes one line (or adds the key at the end of its section, or the section at the end of the
// file), keeps every other line as it was, and replaces the file only once the new one is complete. A
// write never creates the folder the file lies in.
class CIniFile
{
public:
    explicit CIniFile(QString path = {});

    const QString &Path() const { return m_path; }
    void SetPath(const QString &path);

    // The value of the key, or defaultValue when the section or the key is absent.
    QString ReadString(const QString &section, const QString &key, const QString &defaultValue = {}) const;
    // The value as a decimal number: blanks, an optional sign and the digits at its start ("12abc" is 12);
    // 0 when it does not start with a number; defaultValue when the key is absent.
    int ReadInt(const QString &section, const QString &key, int defaultValue = 0) const;
    bool HasSection(const QString &section) const;
    bool HasKey(const QString &section, const QString &key) const;
    // Names as the file spells them, in file order (each once, without regard to case).
    QStringList SectionNames() const;
    QStringList KeyNames(const QString &section) const;

    // Sets the key's value, creating the file, the section and the key as needed. False when the file could
    // not be written or could not be read first (it is then unchanged), or when a name or the value holds a line break, or a section
    // name a "]" or a key name a "=" or nothing, which the file could not hold.
    bool WriteString(const QString &section, const QString &key, const QString &value);
    bool WriteInt(const QString &section, const QString &key, int value);
    // Adds an empty section unless one of that name exists. False when the file could not be written.
    bool AddSection(const QString &section);
    // Removes the key's line (the first of that name). True when it is gone (also when it was absent).
    bool RemoveKey(const QString &section, const QString &key);

    // The text of the file after the first read failure ("" when the last read or write worked).
    const QString &ErrorText() const { return m_errorText; }

private:
    struct Line {
        enum Kind { other, section, entry } kind = other;
        QString text; // the whole line as read or written, without its line end
        QString name; // section or key name, trimmed
        QString value; // entry value, trimmed
    };

    void Refresh() const;
    void Parse(const QByteArray &bytes) const;
    bool Save();
    // Index of the section's header line, or -1.
    int FindSection(const QString &section) const;
    // Index of the key's line inside the section that starts at header, or -1.
    int FindKey(int header, const QString &key) const;
    // Index after the last entry of the section that starts at header (where a new key goes).
    int SectionInsertPoint(int header) const;
    static Line MakeEntry(const QString &key, const QString &value);
    static Line MakeSection(const QString &section);

    QString m_path;
    mutable QList<Line> m_lines;
    mutable bool m_crlf = false;
    mutable bool m_loaded = false;
    // The file exists but could not be read: writing would replace what it holds, so nothing is written.
    mutable bool m_readFailed = false;
    // What the file was when last read or written: a rename over it, a new size or time stamp reads it again.
    struct Stamp {
        bool exists = false;
        qint64 size = 0, seconds = 0, nanoseconds = 0;
        quint64 inode = 0;
        bool operator==(const Stamp &) const = default;
    };
    static Stamp StampOf(const QString &path);
    mutable Stamp m_stamp;
    mutable QString m_errorText;
};
