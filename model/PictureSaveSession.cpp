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
    // The names are tried in the order name, name_2, name_3, ... and the first that is free, or that this
    // source holds already, is given. Every number below the wanted name's next number is taken, so only
    // the numbers this source holds can come before it; the search goes on from there.
    const QString prefix = folder + u'\n';
    const QString base = prefix + name.toLower();
    int &next = m_nextFreeNumber[base];
    if (next < 1)
        next = 1;
    int held = 0;
    for (const QString &key : m_held.value(source)) {
        const int number = NumberInSequence(key, base, prefix, name.toLower());
        if (number > 0 && number < next && (held == 0 || number < held))
            held = number;
    }
    if (held > 0)
        return held == 1 ? name : SuffixedName(name, held);
    for (;; ++next) {
        const QString candidate = next == 1 ? name : SuffixedName(name, next);
        const QString key = prefix + candidate.toLower();
        auto it = m_claims.constFind(key);
        if (it == m_claims.constEnd()) {
            m_claims.insert(key, source);
            m_held[source].append(key);
            ++next;
            return candidate;
        }
        if (*it == source)
            return candidate;
    }
}

int CPictureSaveSession::NumberInSequence(const QString &key, const QString &base, const QString &prefix,
                                          const QString &lowerName)
{
    // 1 for the name itself, n for the name with "_n"; 0 for any other name.
    if (key == base)
        return 1;
    if (!key.startsWith(prefix))
        return 0;
    const QString suffixed = key.mid(prefix.size());
    const qsizetype dot = lowerName.lastIndexOf(u'.');
    const QString stem = dot <= 0 ? lowerName : lowerName.left(dot);
    const QString extension = dot <= 0 ? QString() : lowerName.mid(dot);
    if (suffixed.size() < stem.size() + 2 + extension.size() || !suffixed.startsWith(stem + u'_') ||
        !suffixed.endsWith(extension))
        return 0;
    const QString digits = suffixed.mid(stem.size() + 1, suffixed.size() - stem.size() - 1 - extension.size());
    if (digits.isEmpty() || digits.startsWith(u'0') || digits.size() > 9)
        return 0;
    for (QChar c : digits)
        if (c < u'0' || c > u'9')
            return 0;
    const int number = digits.toInt();
    return number >= 2 ? number : 0;
}
