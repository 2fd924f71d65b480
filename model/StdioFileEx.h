#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <memory>

// The line-oriented text file of the whole system. Text is either UTF-16LE (the write-UTF-16 open flag on
// writing, FF FE detected on reading) or 8-bit text in a code page (-1: the legacy ANSI code page, 65001:
// UTF-8). The file is always opened in binary mode, so this class alone decides how bytes become text:
// a "\n" is written as one LF, and a CR before the LF of a read line is removed.
//
// Failures are reported through return values, never by exceptions: Open and the opening constructor
// leave the file closed (IsOpen() false), WriteString, Write, Flush and Close return false when bytes could
// not be written.
class CStdioFileEx
{
public:
    // Open flags: the class library's file flags that the system passes, plus the write-UTF-16 flag.
    enum OpenFlags : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
        modeWriteUnicode = 0x200000,
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    static constexpr int kAnsiCodePage = -1;
    static constexpr int kUtf8CodePage = 65001;

    CStdioFileEx();
    // Opens the file at once with the flags as given: no byte-order-mark detection, 8-bit text.
    CStdioFileEx(const QString &path, unsigned flags);
    ~CStdioFileEx();
    CStdioFileEx(const CStdioFileEx &) = delete;
    CStdioFileEx &operator=(const CStdioFileEx &) = delete;

    void SetCodePage(int codePage) { m_codePage = codePage; }
    int GetCodePage() const { return m_codePage; }
    void SetWriteBOM(bool writeBom) { m_writeBom = writeBom; }
    bool IsUnicode() const { return m_unicode; }

    // Opens in binary mode; on reading, detects FF FE. False when the file cannot be opened.
    bool Open(const QString &path, unsigned flags);
    bool IsOpen() const;

    // One line of any length without its LF and one trailing CR; false (and an empty line) at end of file.
    bool ReadString(QString &line);
    // Writes the text, with a byte-order mark first when due; false when it could not be written whole.
    bool WriteString(const QString &text);

    // Every Seek makes the next ReadString look for a byte-order mark again at position 0.
    qint64 Seek(qint64 offset, SeekPosition from);
    void SeekToBegin() { Seek(0, begin); }
    qint64 SeekToEnd() { return Seek(0, end); }
    qint64 GetPosition() const;
    qint64 GetLength() const;

    // Raw bytes, as the base file does.
    qint64 Read(void *buffer, qint64 count);
    bool Write(const void *buffer, qint64 count);
    bool Flush();
    // False when buffered bytes could not be written or any earlier write failed.
    bool Close();

    void SetFilePath(const QString &path);
    QString GetFilePath() const { return m_path; }
    // The system's text for the last failure of this file ("" when none).
    QString GetErrorText() const { return m_errorText; }

private:
    bool OpenStream(const QString &path, unsigned flags);
    bool ReadLineBytes(QByteArray &bytes);
    bool ReadLineUnits(QString &line);
    void SkipByteOrderMark();
    bool WriteBytes(const QByteArray &bytes);

    std::unique_ptr<QFile> m_file;
    QString m_path;
    QString m_errorText;
    bool m_unicode = false;
    unsigned m_openFlags = 0;
    int m_codePage = kAnsiCodePage;
    bool m_writeBom = true;
    bool m_atStart = true;
    bool m_writeFailed = false;
};
