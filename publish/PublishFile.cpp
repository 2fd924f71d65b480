#include "publish/PublishFile.h"

#include "publish/OutputFolder.h"

#include <QFileInfo>

bool CPublishFile::Open(const QString &outputFolder, const QString &relativePath, ByteOrderMark mark)
{
    Close();
    m_errorText.clear();
    m_failed = false;
    m_path = CorvOutputFolder::Resolve(outputFolder, relativePath);
    // A link in the way could carry the write out of the folder, so none is written through.
    if (m_path.isEmpty() || QFileInfo(m_path).isSymLink() || !CorvOutputFolder::StaysInside(outputFolder, m_path)) {
        m_errorText = QStringLiteral("The file %1 lies outside the output folder %2.").arg(relativePath, outputFolder);
        m_failed = true;
        return false;
    }
    m_file.SetCodePage(CStdioFileEx::kUtf8CodePage);
    m_file.SetWriteBOM(mark == WithByteOrderMark);
    if (!m_file.Open(m_path, CStdioFileEx::modeCreate | CStdioFileEx::modeWrite)) {
        m_errorText = m_file.GetErrorText();
        m_failed = true;
        return false;
    }
    // The mark goes out even when no text follows.
    if (mark == WithByteOrderMark)
        return WriteString(QString());
    return true;
}

bool CPublishFile::WriteString(const QString &text)
{
    if (m_failed)
        return false;
    if (!m_file.IsOpen() || !m_file.WriteString(text)) {
        m_failed = true;
        m_errorText = m_file.GetErrorText();
    }
    return !m_failed;
}

bool CPublishFile::Close()
{
    if (!m_file.IsOpen())
        return !m_failed && !m_path.isEmpty();
    if (!m_file.Close() && !m_failed) {
        m_failed = true;
        m_errorText = m_file.GetErrorText();
    }
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
