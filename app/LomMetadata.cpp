#include "app/LomMetadata.h"

#include "model/GlobalHelpers.h"

namespace CorvLom {

namespace {

constexpr unsigned kLanguageCount = 11;
constexpr unsigned kStatusCount = 4;
constexpr unsigned kPurposeCount = 9;
constexpr unsigned kResourceTypeCount = 15;

QString Shown(QString text) { return text.replace(u'*', QStringLiteral(" (SCORM 2004)")); }

template <class Text>
QStringList Entries(unsigned count, Text text)
{
    QStringList entries;
    for (unsigned i = 0; i < count; ++i)
        entries.append(Shown(text(i)));
    return entries;
}

} // namespace

QStringList LanguageEntries() { return Entries(kLanguageCount, GetMetadataLanguageCode); }
QStringList StatusEntries() { return Entries(kStatusCount, GetMetadataStatusText); }
QStringList PurposeEntries()
{
    return Entries(kPurposeCount, [](unsigned i) { return GetMetadataPurposeText(i, false); });
}
QStringList ResourceTypeEntries()
{
    return Entries(kResourceTypeCount, [](unsigned i) { return GetMetadataResourceTypeText(i, false); });
}

bool AcceptTypedText(const QString &before, const QString &after, int limit)
{
    return after.size() <= limit || after.size() <= before.size();
}

} // namespace CorvLom
