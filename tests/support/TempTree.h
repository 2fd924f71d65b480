#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary folder for one test, removed afterwards, with small helpers to lay out files in it.
class TempTree
{
public:
    TempTree();
    const QString &Path() const { return m_path; }
    // path relative to the tree; folders are created as needed.
    QString Write(const QString &relative, const QByteArray &bytes) const;
    QString MakeFolder(const QString &relative) const;
    QString operator/(const QString &relative) const { return m_path + u'/' + relative; }
    static QByteArray ReadAll(const QString &path);

private:
    QTemporaryDir m_dir;
    QString m_path;
};
