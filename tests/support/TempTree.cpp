#include "support/TempTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempTree::TempTree() : m_path(m_dir.path()) {}

QString TempTree::Write(const QString &relative, const QByteArray &bytes) const
{
    const QString full = m_path + u'/' + relative;
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return full;
}

QString TempTree::MakeFolder(const QString &relative) const
{
    const QString full = m_path + u'/' + relative;
    QDir().mkpath(full);
    return full;
}

QByteArray TempTree::ReadAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
