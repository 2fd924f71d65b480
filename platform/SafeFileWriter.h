#pragma once

#include "platform/Result.h"
#include "platform/SaveFaults.h"

#include <QByteArray>
#include <QFile>
#include <QString>

// Replaces a file only once its new content is whole on the disk: the bytes go to "<target>.tmp" beside
// it, every write is checked for its full size, the file is forced to the disk and then renamed over the
// target, which keeps the permissions the old file had. A write that fails at any step removes the
// temporary file and leaves the target as it was. A link is followed: the file it points at is replaced.
// The fault hook makes a step fail as a full disk would (tempFile for opening and writing, flush, rename,
// folderSync),
// for the tests of the callers.
class CSafeFileWriter
{
public:
    explicit CSafeFileWriter(const QString &path, SaveFaultHook faults = {});
    ~CSafeFileWriter();
    CSafeFileWriter(const CSafeFileWriter &) = delete;
    CSafeFileWriter &operator=(const CSafeFileWriter &) = delete;

    // Opens the temporary file. False, with the reason, when it cannot be made.
    bool Open();
    // Appends bytes; a short write fails the whole writer (later writes and the commit do nothing).
    bool Write(const char *data, qint64 size);
    bool Write(const QByteArray &bytes) { return Write(bytes.constData(), bytes.size()); }
    // Gives up: the temporary file is removed and the target is left as it was.
    void Cancel();
    // Forces the written bytes to the disk, renames them over the target and forces the folder to the disk,
    // so that a power loss cannot take the new name back. A folder that cannot be forced fails the commit
    // with the target already replaced (Replaced() tells).
    CStatus Commit();
    // The target holds the new bytes.
    bool Replaced() const { return m_replaced; }

    // Why the writer failed; empty while it has not.
    const QString &ErrorText() const { return m_error; }

    // Open, write the bytes, commit.
    static CStatus WriteFile(const QString &path, const QByteArray &bytes, SaveFaultHook faults = {},
                             bool *replaced = nullptr);

private:
    bool Fault(SaveStep step) const { return m_faults && m_faults(step); }
    bool Fail(const QString &reason);

    QString m_target;
    QString m_temporary;
    SaveFaultHook m_faults;
    QFile m_file;
    QString m_error;
    bool m_failed = false;
    bool m_replaced = false;
};
