#include "publish/PublishFile.h"

#include "platform/CodePage.h"
#include "publish/OutputFolder.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace {

// The buffer is written out once it holds this much.
constexpr qsizetype kFlushAt = 256 * 1024;

QString OutsideText(const QString &relativePath, const QString &outputFolder)
{
    return QStringLiteral("The file %1 lies outside the output folder %2.").arg(relativePath, outputFolder);
}

} // namespace

CPublishFile::~CPublishFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool CPublishFile::Fail(int error)
{
    if (!m_failed)
        m_errorText = QString::fromLocal8Bit(std::strerror(error));
    m_failed = true;
    return false;
}

bool CPublishFile::Open(const QString &outputFolder, const QString &relativePath, ByteOrderMark mark)
{
    Close();
    m_errorText.clear();
    m_failed = false;
    m_buffer.clear();
    m_path = CorvOutputFolder::Resolve(outputFolder, relativePath);
    if (m_path.isEmpty() || !CorvOutputFolder::FolderOfStaysInside(outputFolder, m_path)) {
        m_errorText = OutsideText(relativePath, outputFolder);
        m_failed = true;
        return false;
    }
    // A link in the file's place could carry the write out of the folder, so none is written through.
    m_fd = ::open(QFile::encodeName(m_path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (m_fd < 0) {
        const int error = errno;
        if (error == ELOOP) {
            m_errorText = OutsideText(relativePath, outputFolder);
            m_failed = true;
            return false;
        }
        return Fail(error);
    }
    // The mark goes out even when no text follows.
    if (mark == WithByteOrderMark)
        m_buffer.append("\xEF\xBB\xBF", 3);
    return true;
}

bool CPublishFile::WriteString(const QString &text)
{
    if (m_failed)
        return false;
    if (m_fd < 0) {
        m_failed = true;
        return false;
    }
    // An unpaired surrogate becomes U+FFFD.
    m_buffer += CCodePage::FromUnicode(text, CCodePage::kUtf8);
    return m_buffer.size() < kFlushAt || Flush();
}

bool CPublishFile::Flush()
{
    const char *data = m_buffer.constData();
    qsizetype left = m_buffer.size();
    while (left > 0) {
        const ssize_t n = ::write(m_fd, data, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Fail(errno);
        if (n == 0)
            return Fail(ENOSPC);
        data += n;
        left -= n;
    }
    m_buffer.clear();
    return true;
}

bool CPublishFile::Close()
{
    if (m_fd < 0)
        return !m_failed && !m_path.isEmpty();
    if (!m_failed)
        Flush();
    m_buffer = QByteArray();
    const int fd = m_fd;
    m_fd = -1;
    // A file system may report a failed write only when the file is closed.
    if (::close(fd) != 0 && errno != EINTR)
        Fail(errno);
    return !m_failed;
}

bool CPublishFile::WriteFile(const QString &outputFolder, const QString &relativePath, const QString &text,
                             ByteOrderMark mark, QString *errorText)
{
    CPublishFile file;
    const bool ok = file.Open(outputFolder, relativePath, mark) && file.WriteString(text) && file.Close();
    if (!ok && errorText)
        *errorText = file.GetErrorText();
    return ok;
}
