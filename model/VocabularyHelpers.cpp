#include "model/GlobalHelpers.h"

#include "CorvVersion.h"

#include <iterator>

namespace {

// Page types by code: the word stored in files, the name shown to the author, the course tree's icon.
struct PageTypeEntry {
    const char16_t *word;
    const char16_t *displayName;
    int imageIndex;
};

constexpr PageTypeEntry kPageTypes[] = {
    {u"pt_folder", u"folder", 0},
    {u"pt_container", u"container", 1},
    {u"pt_document", u"screen", 2},
    {u"pt_question", u"question", 3},
    {u"pt_asmt_folder", u"assessment folder", 4},
    {u"pt_asmt_container", u"container", 5},
    {u"pt_asmt_document", u"assessment screen", 6},
    {u"pt_popups_only", u"popups folder", 7},
    {u"pt_remediation", u"remediation folder", 8},
    {u"pt_glossary", u"glossary folder", 10},
};
constexpr char16_t kUnknownWord[] = u"unknown";
// Spelt so in every version; authors have seen it in the outline.
constexpr char16_t kUnknownDisplayName[] = u"unkown";
constexpr int kUnknownImageIndex = 2;
constexpr int kMenuImageIndex = 9;

constexpr const char16_t *kAuxPageTypes[] = {u"apt_normal", u"apt_multi_topic_menu", u"apt_topic"};

struct LexiconEntry {
    int dictionaryLanguage;
    const char *files;
};
constexpr LexiconEntry kLexicons[] = {
    {kDictionaryEnglishCanadian, "ssceca.tlx,ssceca2.clx"},
    {kDictionaryEnglishUk, "sscebr.tlx,sscebr2.clx"},
};
constexpr char kDefaultLexicon[] = "ssceam.tlx,ssceam2.clx";

// Metadata vocabularies of the course package; the first entry of each is its fallback. Entries marked
// "*" are not offered by SCORM 1.2 and fall back there too.
constexpr const char16_t *kLanguageCodes[] = {
    u"de", u"en", u"en-AU", u"en-CA", u"en-UK", u"en-US", u"es", u"fr", u"fr-CA", u"it", u"nl",
};
constexpr char16_t kLanguageFallback[] = u"en";
constexpr const char16_t *kStatusTexts[] = {u"Draft", u"Final", u"Revised", u"Unavailable"};
constexpr const char16_t *kPurposeTexts[] = {
    u"Accessibility Restrictions", u"Competency*", u"Discipline", u"Educational Level",
    u"Educational Objective", u"Idea", u"Prerequisite", u"Security Level", u"Skill Level",
};
constexpr unsigned kPurposeNotInScorm12 = 1;
constexpr const char16_t *kResourceTypeTexts[] = {
    u"Exercise", u"Simulation", u"Questionnaire", u"Diagram", u"Figure", u"Graph", u"Index", u"Slide",
    u"Table", u"Narrative Text", u"Exam", u"Experiment", u"Problem Statement", u"Self Assessment",
    u"Lecture*",
};
constexpr unsigned kResourceTypeNotInScorm12 = 14;

template <std::size_t N>
QString Pick(const char16_t *const (&table)[N], unsigned index, const char16_t *fallback)
{
    return QString::fromUtf16(index < N ? table[index] : fallback);
}

} // namespace

QString GetExeVersionString()
{
    // "+ 0" keeps a part that the build left empty at 0.
    const int major = CORV_VERSION_MAJOR + 0;
    const int minor = CORV_VERSION_MINOR + 0;
    const int build = CORV_VERSION_BUILD + 0;
    const int revision = CORV_VERSION_REVISION + 0;
    QString text = QString::number(major) + u'.' + QString::number(minor) + QString::number(build);
    if (revision != 0)
        text += QString::number(revision);
    return text;
}

QByteArray GetSpellLexiconFiles(int dictionaryLanguage)
{
    for (const LexiconEntry &entry : kLexicons)
        if (entry.dictionaryLanguage == dictionaryLanguage)
            return entry.files;
    return kDefaultLexicon;
}

QString PageTypeToString(int pageType)
{
    const unsigned code = unsigned(pageType);
    return QString::fromUtf16(code < std::size(kPageTypes) ? kPageTypes[code].word : kUnknownWord);
}

int PageTypeFromString(const QString &word)
{
    for (std::size_t code = 0; code < std::size(kPageTypes); ++code)
        if (word == QStringView(kPageTypes[code].word))
            return int(code);
    return pt_document;
}

QString PageTypeDisplayName(const QString &word)
{
    for (const PageTypeEntry &entry : kPageTypes)
        if (word == QStringView(entry.word))
            return QString::fromUtf16(entry.displayName);
    return QString::fromUtf16(kUnknownDisplayName);
}

QString AuxPageTypeToString(int auxPageType)
{
    return Pick(kAuxPageTypes, unsigned(auxPageType), kUnknownWord);
}

int AuxPageTypeFromString(const QString &word)
{
    for (std::size_t code = 0; code < std::size(kAuxPageTypes); ++code)
        if (word == QStringView(kAuxPageTypes[code]))
            return int(code);
    return apt_normal;
}

int GetPageTypeImageIndex(int pageType, int menuFlag)
{
    if (menuFlag == 1)
        return kMenuImageIndex;
    const unsigned code = unsigned(pageType);
    return code < std::size(kPageTypes) ? kPageTypes[code].imageIndex : kUnknownImageIndex;
}

QString GetMetadataLanguageCode(unsigned index) { return Pick(kLanguageCodes, index, kLanguageFallback); }

QString GetMetadataStatusText(unsigned index) { return Pick(kStatusTexts, index, kStatusTexts[0]); }

QString GetMetadataPurposeText(unsigned index, bool scorm12)
{
    if (scorm12 && index == kPurposeNotInScorm12)
        return QString::fromUtf16(kPurposeTexts[0]);
    return Pick(kPurposeTexts, index, kPurposeTexts[0]);
}

QString GetMetadataResourceTypeText(unsigned index, bool scorm12)
{
    if (scorm12 && index == kResourceTypeNotInScorm12)
        return QString::fromUtf16(kResourceTypeTexts[0]);
    return Pick(kResourceTypeTexts, index, kResourceTypeTexts[0]);
}

QString EncodeAnswerText(const QString &text, const QString &key)
{
    QString encoded;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int offset = key.isEmpty() ? 0 : key[i % key.size()].unicode();
        encoded += QString::number(int(text[i].unicode()) + offset) + u'-';
    }
    return encoded;
}
