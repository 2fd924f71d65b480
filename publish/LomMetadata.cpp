#include "publish/LomMetadata.h"

#include "document/CourseSettings.h"
#include "model/GlobalHelpers.h"
#include "platform/Escape.h"
#include "publish/PublishText.h"

#include <QStringList>

#include <utility>
#include <vector>

namespace {

constexpr int kMaxKeywords = 10;

QString OrDefault(const QString &value, const char *fallback)
{
    return value.isEmpty() ? QString::fromLatin1(fallback) : value;
}

// A free text as it goes into the template's CDATA section.
QString Free(const QString &value) { return CorvEscape::XmlCData(value); }

// A vocabulary word in the edition's spelling: SCORM 2004 writes them in lower case, and the marks of
// 2004-only words go.
QString Vocabulary(QString word, bool scorm12)
{
    word.remove(u'*');
    return scorm12 ? word : word.toLower();
}

QString YesNo(int flag) { return flag != 0 ? QStringLiteral("yes") : QStringLiteral("no"); }

QString Catalog(const QString &catalog)
{
    return catalog.isEmpty() || !IsAsciiLetter(catalog[0]) ? QStringLiteral("elearning") : Free(catalog);
}

} // namespace

QString CLomMetadata::TemplatePath(bool scorm12)
{
    return scorm12 ? QStringLiteral("source/PlaceHolderText/LMS/kv_metadata_12.txt")
                   : QStringLiteral("source/PlaceHolderText/LMS/kv_metadata_2004.txt");
}

QString CLomMetadata::Fill(const QString &templateText, const CCourseSettings &c, bool scorm12, const QDate &today)
{
    const QString language = GetMetadataLanguageCode(unsigned(c.LomLanguage));
    const std::vector<std::pair<const char *, QString>> placeholders = {
        {"coursename", Free(OrDefault(c.CourseName, "no title given"))},
        {"catalog", Catalog(c.LomCatalog)},
        {"entry", Free(OrDefault(c.LomEntry, "lesson"))},
        {"description", Free(OrDefault(c.CourseDescription, "no description given"))},
        {"language", language},
        {"author", Free(c.CourseAuthor)},
        {"status", Vocabulary(GetMetadataStatusText(unsigned(c.LomStatus)), scorm12)},
        {"purpose", Vocabulary(GetMetadataPurposeText(unsigned(c.LomPurpose), scorm12), scorm12)},
        {"type", Vocabulary(GetMetadataResourceTypeText(unsigned(c.LomResourceType), scorm12), scorm12)},
        {"version", Free(OrDefault(c.LomVersion, "1.0"))},
        {"cost", YesNo(c.LomCost)},
        {"copyright", YesNo(c.LomCopyright)},
        {"rightsdescription", Free(OrDefault(c.LomRightsDescription, "(c) Copyright, all rights reserved"))},
        {"org", Free(c.LomOrganization)},
        {"address", Free(c.LomAddress)},
        {"telephone", Free(c.LomTelephone)},
        {"email", Free(c.LomEmail)},
        {"date", QString::asprintf("%04d-%02d-%02d", today.year(), today.month(), today.day())},
        {"keyword", KeywordElements(c.LomKeywords, scorm12, language)},
    };
    QString text = templateText;
    for (const auto &[name, value] : placeholders)
        text.replace(QStringLiteral("[[~%1~]]").arg(QLatin1String(name)), value);
    return text;
}

QString CLomMetadata::KeywordElements(const QString &keywords, bool scorm12, const QString &languageCode)
{
    QStringList parts;
    SplitString(keywords, parts, QStringLiteral(";"));
    if (parts.isEmpty())
        parts.append(QStringLiteral("key word"));
    const QString element = scorm12
        ? QStringLiteral("\t\t\t<keyword>\n\t\t\t\t<langstring><![CDATA[ %1 ]]></langstring>\n\t\t\t</keyword>\n")
        : QStringLiteral("\t\t\t<keyword>\n\t\t\t\t<string language=\"%2\"><![CDATA[ %1 ]]></string>\n\t\t\t</keyword>\n");
    QString out;
    for (const QString &part : parts.mid(0, kMaxKeywords))
        out += scorm12 ? element.arg(Free(part)) : element.arg(Free(part), CorvEscape::XmlAttribute(languageCode));
    return out;
}
