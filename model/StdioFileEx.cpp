#include "model/StdioFileEx.h"

#include "platform/CodePage.h"

#include <QtEndian>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";
constexpr char kUtf16Bom[] = "\xFF\xFE";

// Lines up to this size are read without growing the buffer.
constexpr qsizetype kLineBuffer = 4096;

QIODevice::OpenMode ToOpenMode(unsigned flags)
{
    QIODevice::OpenMode mode;
    if (flags & CStdioFileEx::modeReadWrite)
        mode = QIODevice::ReadWrite;
    else if (flags & CStdioFileEx::modeWrite)
        mode = QIODevice::WriteOnly;
    else
        mode = QIODevice::ReadOnly;
    if (flags & CStdioFileEx::modeCreate) {
        if (!(flags & CStdioFileEx::modeNoTruncate) && (mode & QIODevice::WriteOnly))
            mode |= QIODevice::Truncate;
    } else {
        // Without the create flag a missing file is a failure, never made silently.
        mode |= QIODevice::ExistingOnly;
    }
    return mode;
}

} // namespace

CStdioFileEx::CStdioFileEx() = default;

CStdioFileEx::CStdioFileEx(const QString &path, unsigned flags)
{
    // The opening constructor takes the flags as they are: no preparation, no byte-order-mark detection.
    OpenStream(path, flags);
}

CStdioFileEx::~CStdioFileEx() { Close(); }

bool CStdioFileEx::OpenStream(const QString &path, unsigned flags)
{
    Close();
    m_path = path;
    m_errorText.clear();
    m_writeFailed = false;
    auto file = std::make_unique<QFile>(path);
    const QIODevice::OpenMode mode = ToOpenMode(flags);
    if ((mode & QIODevice::ReadWrite) == QIODevice::WriteOnly && !(mode & QIODevice::Truncate)) {
        // QFile empties a file opened only for writing; a file opened to be added to or written over in
        // place must keep its bytes, so the descriptor is opened here and handed over.
        const int fd = ::open(QFile::encodeName(path).constData(),
                              O_WRONLY | O_CLOEXEC | ((flags & modeCreate) ? O_CREAT : 0), 0666);
        if (fd < 0) {
            m_errorText = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        if (!file->open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            m_errorText = file->errorString();
            return false;
        }
    } else if (!file->open(mode)) {
        m_errorText = file->errorString();
        return false;
    }
    m_file = std::move(file);
    return true;
}

bool CStdioFileEx::Open(const QString &path, unsigned flags)
{
    m_unicode = (flags & modeWriteUnicode) != 0;
    m_openFlags = (flags & ~unsigned(typeText)) | typeBinary;
    if (!OpenStream(path, m_openFlags)) {
        m_unicode = false;
        return false;
    }
    if (!(m_openFlags & (modeCreate | modeWrite))) {
        char mark[2];
        m_unicode = m_file->read(mark, 2) == 2 && uchar(mark[0]) == 0xFF && uchar(mark[1]) == 0xFE;
        Seek(0, begin);
    }
    return true;
}

bool CStdioFileEx::IsOpen() const { return m_file && m_file->isOpen(); }

void CStdioFileEx::SkipByteOrderMark()
{
    if (m_unicode) {
        m_file->skip(2);
    } else if (m_codePage == kUtf8CodePage) {
        // Only a real mark is skipped: a UTF-8 file without one keeps its first characters.
        char head[3];
        if (m_file->peek(head, 3) == 3 && QByteArray(head, 3) == QByteArray(kUtf8Bom, 3))
            m_file->skip(3);
    }
}

bool CStdioFileEx::ReadLineBytes(QByteArray &bytes)
{
    bytes = m_file->readLine();
    if (bytes.isEmpty())
        return false;
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    return true;
}

bool CStdioFileEx::ReadLineUnits(QString &line)
{
    // UTF-16 lines end at the unit LF, which may straddle any byte boundary of the stream's own lines,
    // so units are taken two bytes at a time from the buffered file.
    line.clear();
    line.reserve(kLineBuffer);
    bool any = false;
    char unit[2];
    while (m_file->read(unit, 2) == 2) {
        any = true;
        const char16_t c = char16_t(uchar(unit[0]) | (uchar(unit[1]) << 8));
        if (c == u'\n')
            break;
        line.append(QChar(c));
    }
    return any;
}

bool CStdioFileEx::ReadString(QString &line)
{
    line.clear();
    if (!IsOpen())
        return false;
    if (m_atStart && m_file->pos() == 0)
        SkipByteOrderMark();

    if (m_unicode) {
        if (!ReadLineUnits(line))
            return false;
    } else {
        QByteArray bytes;
        if (!ReadLineBytes(bytes))
            return false;
        line = CCodePage::ToUnicode(bytes, m_codePage);
    }
    if (line.endsWith(u'\r'))
        line.chop(1);
    m_atStart = false;
    return true;
}

bool CStdioFileEx::WriteBytes(const QByteArray &bytes)
{
    return Write(bytes.constData(), bytes.size());
}

bool CStdioFileEx::WriteString(const QString &text)
{
    if (!IsOpen()) {
        m_writeFailed = true;
        return false;
    }
    const bool wideText = (m_openFlags & modeWriteUnicode) != 0;
    if (m_writeBom && m_file->pos() == 0) {
        if (wideText) {
            if (!WriteBytes(QByteArray(kUtf16Bom, 2)))
                return false;
        } else if (m_codePage == kUtf8CodePage) {
            if (!WriteBytes(QByteArray(kUtf8Bom, 3)))
                return false;
        }
    }
    if (wideText) {
        QByteArray units(text.size() * 2, Qt::Uninitialized);
        qToLittleEndian<char16_t>(text.utf16(), text.size(), units.data());
        return WriteBytes(units);
    }
    // Other code pages see composed characters first, so that a letter followed by its combining accent
    // becomes the one accented letter the code page holds; what it cannot hold becomes "#". UTF-8 takes
    // the text as it is (an unpaired surrogate becomes U+FFFD).
    if (CCodePage::IconvName(m_codePage) == "UTF-8")
        return WriteBytes(CCodePage::FromUnicode(text, kUtf8CodePage));
    return WriteBytes(CCodePage::FromUnicode(text.normalized(QString::NormalizationForm_C), m_codePage));
}

qint64 CStdioFileEx::Seek(qint64 offset, SeekPosition from)
{
    m_atStart = true;
    if (!IsOpen())
        return -1;
    qint64 target = offset;
    if (from == current)
        target += m_file->pos();
    else if (from == end)
        target += m_file->size();
    if (target < 0 || !m_file->seek(target))
        return -1;
    return m_file->pos();
}

qint64 CStdioFileEx::GetPosition() const { return IsOpen() ? m_file->pos() : 0; }

qint64 CStdioFileEx::GetLength() const { return IsOpen() ? m_file->size() : 0; }

qint64 CStdioFileEx::Read(void *buffer, qint64 count)
{
    if (!IsOpen() || count <= 0)
        return 0;
    const qint64 got = m_file->read(static_cast<char *>(buffer), count);
    return got < 0 ? 0 : got;
}

bool CStdioFileEx::Write(const void *buffer, qint64 count)
{
    if (!IsOpen()) {
        m_writeFailed = true;
        return false;
    }
    if (count <= 0)
        return true;
    if (m_file->write(static_cast<const char *>(buffer), count) != count) {
        m_writeFailed = true;
        m_errorText = m_file->errorString();
        return false;
    }
    return true;
}

bool CStdioFileEx::Flush()
{
    if (!IsOpen())
        return false;
    if (!m_file->flush()) {
        m_writeFailed = true;
        m_errorText = m_file->errorString();
    }
    return !m_writeFailed;
}

bool CStdioFileEx::Close()
{
    if (!m_file)
        return !m_writeFailed;
    bool ok = true;
    if (m_file->isOpen()) {
        const bool writing = (m_file->openMode() & QIODevice::WriteOnly) != 0;
        if (writing)
            ok = Flush();
        m_file->close();
        if (writing && m_file->error() != QFileDevice::NoError) {
            m_errorText = m_file->errorString();
            ok = false;
        }
    }
    m_file.reset();
    const bool result = ok && !m_writeFailed;
    m_writeFailed = false;
    return result;
}

void CStdioFileEx::SetFilePath(const QString &path)
{
    m_path = path;
    if (m_file && !m_file->isOpen())
        m_file->setFileName(path);
}
