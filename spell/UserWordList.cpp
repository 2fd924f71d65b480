#include "spell/UserWordList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

CUserWordList::CUserWordList(QString path) : m_path(std::move(path)) {}

QString CUserWordList::PathIn(const QString &appDataFolder)
{
    return appDataFolder.isEmpty() ? QString() : QDir(appDataFolder).filePath(QStringLiteral("userwords.txt"));
}

void CUserWordList::Load()
{
    m_words.clear();
    QFile file(m_path);
    if (m_path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QString word = line.trimmed();
        if (!word.isEmpty() && !m_words.contains(word))
            m_words.append(word);
    }
}

bool CUserWordList::Add(const QString &word)
{
    if (!m_words.contains(word))
        m_words.append(word);
    if (m_path.isEmpty() || !QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return false;
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write((m_words.join(u'\n') + u'\n').toUtf8());
    return file.commit();
}
