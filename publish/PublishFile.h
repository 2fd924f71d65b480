#pragma once

#include <QByteArray>
#include <QString>

// One file of the published course: UTF-8 with or without a byte-order mark, text written as given (a
// "\n" is one LF, never CR LF), created or replaced inside the output folder and nowhere else. A failed
// write is remembered: Close reports it, so the step that wrote the file fails.
class CPublishFile
{
public:
    enum ByteOrderMark { NoByteOrderMark, WithByteOrderMark };

    CPublishFile() = default;
    ~CPublishFile();
    CPublishFile(const CPublishFile &) = delete;
    CPublishFile &operator=(const CPublishFile &) = delete;

    // Creates or replaces outputFolder/relativePath. Refused, creating nothing, when the path would lie
    // outside the folder (absolute, "..", a link leading out, a link in the file's place) or the file
    // cannot be created (its folder missing, say).
    bool Open(const QString &outputFolder, const QString &relativePath, ByteOrderMark mark);
    bool IsOpen() const { return m_fd >= 0; }
    // False, writing nothing more, once any write of the file failed or it is not open.
    bool WriteString(const QString &text);
    // False when the file was never opened, any write failed or the last bytes could not be written.
    bool Close();

    QString GetFilePath() const { return m_path; }
    // The system's text for what failed ("" when nothing did).
    QString GetErrorText() const { return m_errorText; }

    // Writes the whole text into outputFolder/relativePath; errorText receives the system's text on failure.
    static bool WriteFile(const QString &outputFolder, const QString &relativePath, const QString &text,
                          ByteOrderMark mark, QString *errorText = nullptr);

private:
    // Writes out what the buffer holds; false, with the reason kept, when the system refused it.
    bool Flush();
    bool Fail(int error);

    int m_fd = -1;
    // Bytes not yet written: a published file goes out in few writes.
    QByteArray m_buffer;
    QString m_path;
    QString m_errorText;
    bool m_failed = false;
};
