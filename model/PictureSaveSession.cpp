#include "model/PictureSaveSession.h"

#include "model/ComponentBase.h"
#include "model/PictureWriter.h"

CPictureSaveSession::CPictureSaveSession() = default;

CPictureSaveSession::CPictureSaveSession(NumberSource topicButtonNumbers, int publishImagesAtStandardResolution)
    : m_numbers(std::move(topicButtonNumbers)), m_standardResolution(publishImagesAtStandardResolution ? 1 : 0)
{
}

void CPictureSaveSession::StoreComponent(CComponentBase &component, CArchive &ar)
{
    if (auto *writer = dynamic_cast<CPictureWriter *>(&component))
        writer->StoreRecord(ar, *this);
    else
        component.SerializeEntry(ar);
}

int CPictureSaveSession::TakeTopicButtonNumber()
{
    return m_numbers ? m_numbers() : m_nextNumber++;
}

QString CPictureSaveSession::SuffixedName(const QString &name, int number)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString suffix = QStringLiteral("_%1").arg(number);
    if (dot <= 0)
        return name + suffix;
    return name.left(dot) + suffix + name.mid(dot);
}

QString CPictureSaveSession::ClaimName(const QString &folder, const QString &name, const QString &source)
{
    QString candidate = name;
    for (int number = 2;; ++number) {
        const QString key = folder + u'\n' + candidate.toLower();
        auto it = m_claims.constFind(key);
        if (it == m_claims.constEnd()) {
            m_claims.insert(key, source);
            return candidate;
        }
        if (*it == source)
            return candidate;
        candidate = SuffixedName(name, number);
    }
}
