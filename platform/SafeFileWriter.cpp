#include "platform/SafeFileWriter.h"

#include "platform/FileSystemUtil.h"

#include <QFileInfo>

#include <filesystem>
#include <system_error>

#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace {

QString LinkTarget(const QString &path)
{
    const QFileInfo info(path);
    return info.isSymLink() ? info.symLinkTarget() : path;
}

// The folder's entry for the new name reaches the disk only with the folder itself.
bool SyncFolderOf(const QString &file)
{
    const QString folder = QFileInfo(file).absolutePath();
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // Some file systems cannot force a folder; that is no failure of the save.
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
    ::close(fd);
    return synced;
}

} // namespace

CSafeFileWriter::CSafeFileWriter(const QString &path, SaveFaultHook faults)
    : m_target(LinkTarget(path)), m_temporary(m_target + QStringLiteral(".tmp")), m_faults(std::move(faults))
{
}

CSafeFileWriter::~CSafeFileWriter()
{
    if (m_file.isOpen() || m_failed)
        Cancel();
}

bool CSafeFileWriter::Fail(const QString &reason)
{
    if (m_error.isEmpty())
        m_error = reason;
    m_failed = true;
    Cancel();
    return false;
}

bool CSafeFileWriter::Open()
{
    m_file.setFileName(m_temporary);
    if (Fault(SaveStep::tempFile) || !m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return Fail(m_file.error() != QFile::NoError ? m_file.errorString() : QStringLiteral("The disk is full."));
    return true;
}

bool CSafeFileWriter::Write(const char *data, qint64 size)
{
    if (m_failed || !m_file.isOpen())
        return false;
    if (m_file.write(data, size) != size)
        return Fail(m_file.error() != QFile::NoError ? m_file.errorString() : QStringLiteral("The disk is full."));
    return true;
}

void CSafeFileWriter::Cancel()
{
    if (m_file.isOpen())
        m_file.close();
    QFile::remove(m_temporary);
}

CStatus CSafeFileWriter::Commit()
{
    namespace fs = std::filesystem;
    if (m_failed || !m_file.isOpen())
        return CFailure(m_error.isEmpty() ? QStringLiteral("The file was not written.") : m_error);
    if (Fault(SaveStep::flush) || !m_file.flush() || ::fsync(m_file.handle()) != 0) {
        Fail(QStringLiteral("The file could not be written to the disk."));
        return CFailure(m_error);
    }
    m_file.close();
    std::error_code ec;
    if (QFileInfo::exists(m_target))
        fs::permissions(CorvFs::ToFsPath(m_temporary), fs::status(CorvFs::ToFsPath(m_target), ec).permissions(), ec);
    if (Fault(SaveStep::rename)) {
        Fail(QStringLiteral("The file could not be renamed."));
        return CFailure(m_error);
    }
    ec.clear();
    fs::rename(CorvFs::ToFsPath(m_temporary), CorvFs::ToFsPath(m_target), ec);
    if (ec) {
        Fail(QString::fromLocal8Bit(ec.message()));
        return CFailure(m_error);
    }
    m_replaced = true;
    if (Fault(SaveStep::folderSync) || !SyncFolderOf(m_target)) {
        m_failed = true;
        m_error = QStringLiteral("The folder of %1 could not be written to the disk.").arg(m_target);
        return CFailure(m_error);
    }
    return {};
}

CStatus CSafeFileWriter::WriteFile(const QString &path, const QByteArray &bytes, SaveFaultHook faults,
                                   bool *replaced)
{
    CSafeFileWriter writer(path, std::move(faults));
    CStatus status = writer.Open() && writer.Write(bytes) ? writer.Commit() : CFailure(writer.ErrorText());
    if (replaced)
        *replaced = writer.Replaced();
    return status;
}
