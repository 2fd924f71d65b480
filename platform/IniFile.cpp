#include "platform/IniFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <sys/stat.h>

#include <algorithm>
#include <climits>

namespace {

bool SameName(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

bool HasLineBreak(const QString &text) { return text.contains(u'\n') || text.contains(u'\r'); }

QString DecodeFile(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringDecoder::Utf16LE)(bytes.mid(2));
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16BE)(bytes.mid(2));
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    return QString::fromUtf8(bytes);
}

} // namespace

CIniFile::CIniFile(QString path) : m_path(std::move(path)) {}

void CIniFile::SetPath(const QString &path)
{
    m_path = path;
    m_loaded = false;
}

CIniFile::Stamp CIniFile::StampOf(const QString &path)
{
    Stamp stamp;
    struct stat st {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return stamp;
    stamp.exists = true;
    stamp.size = st.st_size;
    stamp.seconds = st.st_mtim.tv_sec;
    stamp.nanoseconds = st.st_mtim.tv_nsec;
    stamp.inode = st.st_ino;
    return stamp;
}

void CIniFile::Refresh() const
{
    const Stamp stamp = StampOf(m_path);
    if (m_loaded && stamp == m_stamp)
        return;
    const bool exists = stamp.exists;
    m_loaded = true;
    m_stamp = stamp;
    m_errorText.clear();
    m_readFailed = false;
    m_lines.clear();
    m_crlf = false;
    if (!exists)
        return;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        // Unreadable reads as empty, as a missing file does; the next change of the file is read again.
        m_errorText = file.errorString();
        m_readFailed = true;
        return;
    }
    Parse(file.readAll());
}

void CIniFile::Parse(const QByteArray &bytes) const
{
    const QString text = DecodeFile(bytes);
    m_crlf = text.contains(QLatin1String("\r\n"));
    QStringList rows = text.split(u'\n');
    // A final line end does not start another line.
    if (!rows.isEmpty() && rows.last().isEmpty())
        rows.removeLast();
    for (QString row : rows) {
        if (row.endsWith(u'\r'))
            row.chop(1);
        Line line;
        line.text = row;
        const QString trimmed = row.trimmed();
        if (trimmed.startsWith(u'[')) {
            const qsizetype close = trimmed.indexOf(u']');
            line.kind = Line::section;
            line.name = (close < 0 ? trimmed.mid(1) : trimmed.mid(1, close - 1)).trimmed();
        } else if (!trimmed.startsWith(u';')) {
            const qsizetype equals = trimmed.indexOf(u'=');
            if (equals > 0) {
                line.kind = Line::entry;
                line.name = trimmed.left(equals).trimmed();
                line.value = trimmed.mid(equals + 1).trimmed();
            }
        }
        m_lines.append(line);
    }
}

int CIniFile::FindSection(const QString &section) const
{
    const QString wanted = section.trimmed();
    for (int i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].kind == Line::section && SameName(m_lines[i].name, wanted))
            return i;
    return -1;
}

int CIniFile::FindKey(int header, const QString &key) const
{
    const QString wanted = key.trimmed();
    for (int i = header + 1; i < m_lines.size() && m_lines[i].kind != Line::section; ++i)
        if (m_lines[i].kind == Line::entry && SameName(m_lines[i].name, wanted))
            return i;
    return -1;
}

int CIniFile::SectionInsertPoint(int header) const
{
    int point = header + 1;
    for (int i = header + 1; i < m_lines.size() && m_lines[i].kind != Line::section; ++i)
        if (m_lines[i].kind == Line::entry)
            point = i + 1;
    return point;
}

QString CIniFile::ReadString(const QString &section, const QString &key, const QString &defaultValue) const
{
    Refresh();
    const int header = FindSection(section);
    const int at = header < 0 ? -1 : FindKey(header, key);
    return at < 0 ? defaultValue : m_lines[at].value;
}

int CIniFile::ReadInt(const QString &section, const QString &key, int defaultValue) const
{
    Refresh();
    const int header = FindSection(section);
    const int at = header < 0 ? -1 : FindKey(header, key);
    if (at < 0)
        return defaultValue;
    const QString &value = m_lines[at].value;
    qsizetype i = 0;
    bool negative = false;
    if (i < value.size() && (value[i] == u'-' || value[i] == u'+'))
        negative = value[i++] == u'-';
    qint64 number = 0;
    for (; i < value.size() && value[i] >= u'0' && value[i] <= u'9'; ++i) {
        number = number * 10 + (value[i].unicode() - u'0');
        if (number > qint64(INT_MAX) + 1)
            number = qint64(INT_MAX) + 1; // saturate rather than wrap on absurd lengths
    }
    if (negative)
        number = -number;
    return int(std::clamp<qint64>(number, INT_MIN, INT_MAX));
}

bool CIniFile::HasSection(const QString &section) const
{
    Refresh();
    return FindSection(section) >= 0;
}

bool CIniFile::HasKey(const QString &section, const QString &key) const
{
    Refresh();
    const int header = FindSection(section);
    return header >= 0 && FindKey(header, key) >= 0;
}

QStringList CIniFile::SectionNames() const
{
    Refresh();
    QStringList names;
    for (const Line &line : m_lines)
        if (line.kind == Line::section && !names.contains(line.name, Qt::CaseInsensitive))
            names.append(line.name);
    return names;
}

QStringList CIniFile::KeyNames(const QString &section) const
{
    Refresh();
    QStringList names;
    const int header = FindSection(section);
    if (header < 0)
        return names;
    for (int i = header + 1; i < m_lines.size() && m_lines[i].kind != Line::section; ++i)
        if (m_lines[i].kind == Line::entry && !names.contains(m_lines[i].name, Qt::CaseInsensitive))
            names.append(m_lines[i].name);
    return names;
}

CIniFile::Line CIniFile::MakeEntry(const QString &key, const QString &value)
{
    Line line;
    line.kind = Line::entry;
    line.name = key.trimmed();
    line.value = value.trimmed();
    line.text = line.name + u'=' + value;
    return line;
}

CIniFile::Line CIniFile::MakeSection(const QString &section)
{
    Line line;
    line.kind = Line::section;
    line.name = section.trimmed();
    line.text = u'[' + line.name + u']';
    return line;
}

bool CIniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    return WriteStrings(section, {{key, value}});
}

bool CIniFile::WriteInt(const QString &section, const QString &key, int value)
{
    return WriteString(section, key, QString::number(value));
}

bool CIniFile::WriteStrings(const QString &section, const QList<std::pair<QString, QString>> &entries)
{
    const QString sectionName = section.trimmed();
    if (sectionName.isEmpty() || HasLineBreak(section) || sectionName.contains(u']'))
        return false;
    for (const auto &[key, value] : entries) {
        const QString keyName = key.trimmed();
        if (keyName.isEmpty() || HasLineBreak(key) || keyName.contains(u'=') || keyName.startsWith(u'[')
            || keyName.startsWith(u';') || HasLineBreak(value))
            return false;
    }
    Refresh();
    const QList<Line> before = m_lines;
    int header = FindSection(sectionName);
    if (header < 0) {
        m_lines.append(MakeSection(sectionName));
        header = int(m_lines.size()) - 1;
    }
    for (const auto &[key, value] : entries) {
        const int at = FindKey(header, key.trimmed());
        if (at >= 0)
            m_lines[at] = MakeEntry(m_lines[at].name, value);
        else
            m_lines.insert(SectionInsertPoint(header), MakeEntry(key.trimmed(), value));
    }
    if (Save())
        return true;
    m_lines = before;
    return false;
}

bool CIniFile::AddSection(const QString &section)
{
    const QString sectionName = section.trimmed();
    if (sectionName.isEmpty() || HasLineBreak(section) || sectionName.contains(u']'))
        return false;
    Refresh();
    if (FindSection(sectionName) >= 0)
        return true;
    m_lines.append(MakeSection(sectionName));
    if (Save())
        return true;
    m_lines.removeLast();
    return false;
}

bool CIniFile::RemoveKey(const QString &section, const QString &key)
{
    Refresh();
    const int header = FindSection(section);
    const int at = header < 0 ? -1 : FindKey(header, key);
    if (at < 0)
        return true;
    const Line removed = m_lines.takeAt(at);
    if (Save())
        return true;
    m_lines.insert(at, removed);
    return false;
}

bool CIniFile::Save()
{
    if (m_readFailed)
        return false;
    QByteArray bytes;
    const char *end = m_crlf ? "\r\n" : "\n";
    for (const Line &line : m_lines) {
        bytes += line.text.toUtf8();
        bytes += end;
    }
    // The folder is not made here: a profile whose folder is missing is simply not written.
    QSaveFile file(m_path);
    if (m_path.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        m_errorText = m_path.isEmpty() ? QStringLiteral("No file name") : file.errorString();
        return false;
    }
    m_stamp = StampOf(m_path);
    m_errorText.clear();
    return true;
}
