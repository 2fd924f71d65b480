#pragma once

#include <QByteArray>
#include <QString>

struct stat;

// Copies program data and the project's files into a publish's output folder. A source is read only when
// it is a regular file of its own (a link is never followed, so a link in the project cannot bring in a
// file from elsewhere); a missing or unreadable source is passed over, as the run-time copy always did.
// Destinations lie inside the output folder and are replaced whole, never written through a link; a
// destination that cannot be written (read-only folder, full disk) is a failure, and the first one's
// system text is kept.
class COutputCopier
{
public:
    explicit COutputCopier(const QString &outputFolder) : m_outputFolder(outputFolder) {}

    // Copies source to relativeDestination under the output folder, replacing what is there. False only
    // when the destination could not be written.
    bool CopyFile(const QString &source, const QString &relativeDestination);
    // Copies every regular file of the source folder (not its sub-folders) into the folder
    // relativeDestination ("" for the output folder itself) under its lower-cased name. With dropUnsafe, a
    // file whose lower-cased name holds a blank, "<", ">" or "&" is left out (and left where it is). False
    // when any destination could not be written.
    bool CopyFolderFilesLowerCase(const QString &sourceFolder, const QString &relativeDestination, bool dropUnsafe);

    bool Failed() const { return !m_errorText.isEmpty(); }
    // The system's text of the first destination that could not be written.
    const QString &GetErrorText() const { return m_errorText; }

    // An open descriptor, closed when it goes.
    struct Descriptor
    {
        int fd = -1;
        explicit Descriptor(int f) : fd(f) {}
        Descriptor(Descriptor &&other) noexcept : fd(other.fd) { other.fd = -1; }
        Descriptor(const Descriptor &) = delete;
        Descriptor &operator=(const Descriptor &) = delete;
        ~Descriptor();
    };

private:
    bool Fail(const QString &text);
    // Copies the bytes of in into the opened destination out and closes it; on failure nothing half-written
    // stays behind.
    bool WriteCopy(Descriptor out, int in, const struct stat &from, const QByteArray &to, const QString &destination);

    QString m_outputFolder;
    QString m_errorText;
};
