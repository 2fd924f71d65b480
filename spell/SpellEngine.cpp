#include "spell/SpellEngine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <hunspell/hunspell.hxx>

#include <array>
#include <utility>

namespace {

struct LanguageDictionary {
    int language;
    const char *dictionary;
    const char *lexiconStem;
};

// The three English dictionaries of the Language menu; the first is the one of any other value.
const std::array<LanguageDictionary, 3> kDictionaries{{
    {32958, "en_US", "ssceam"},
    {32959, "en_CA", "ssceca"},
    {32960, "en_GB", "sscebr"},
}};

} // namespace

CSpellEngine::CSpellEngine(QString dictionaryFolder)
    : m_folder(dictionaryFolder.isEmpty() ? DefaultDictionaryFolder() : std::move(dictionaryFolder))
{
}

CSpellEngine::~CSpellEngine() = default;

QString CSpellEngine::DefaultDictionaryFolder() { return QStringLiteral("/usr/share/hunspell"); }

QString CSpellEngine::DictionaryName(int dictionaryLanguage)
{
    for (const LanguageDictionary &d : kDictionaries)
        if (d.language == dictionaryLanguage)
            return QString::fromLatin1(d.dictionary);
    return QString::fromLatin1(kDictionaries[0].dictionary);
}

QString CSpellEngine::DictionaryNameOfLexicons(const QString &lexiconFiles)
{
    for (const LanguageDictionary &d : kDictionaries)
        if (lexiconFiles.startsWith(QLatin1String(d.lexiconStem), Qt::CaseInsensitive))
            return QString::fromLatin1(d.dictionary);
    return QString::fromLatin1(kDictionaries[0].dictionary);
}

bool CSpellEngine::LoadDictionary(const QString &name)
{
    m_hunspell.reset();
    m_loaded.clear();
    const QDir folder(m_folder);
    const QString aff = folder.filePath(name + QStringLiteral(".aff"));
    const QString dic = folder.filePath(name + QStringLiteral(".dic"));
    if (!QFileInfo(aff).isReadable() || !QFileInfo(dic).isReadable())
        return false;
    m_hunspell = std::make_unique<Hunspell>(QFile::encodeName(aff).constData(), QFile::encodeName(dic).constData());
    m_loaded = name;
    return true;
}

QString CSpellEngine::Normalised(const QString &word)
{
    QString plain = word;
    plain.replace(QChar(0x2019), u'\'');
    return plain;
}

bool CSpellEngine::IsCorrect(const QString &word) const
{
    const QString plain = Normalised(word);
    if (m_session.contains(plain))
        return true;
    return m_hunspell && m_hunspell->spell(plain.toStdString());
}

QStringList CSpellEngine::Suggest(const QString &word) const
{
    QStringList suggestions;
    if (!m_hunspell)
        return suggestions;
    for (const std::string &s : m_hunspell->suggest(Normalised(word).toStdString()))
        suggestions.append(QString::fromStdString(s));
    return suggestions;
}

void CSpellEngine::AddToSession(const QString &word) { m_session.insert(Normalised(word)); }
