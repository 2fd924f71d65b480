#pragma once

#include <QDate>
#include <QString>

class CCourseSettings;

// kv_metadata.xml of an LMS package: the course's learning-object metadata, made from a template of the
// program folder (an IMS Meta-data 1.2.1 record for SCORM 1.2, an IEEE LOM record for SCORM 2004) whose
// "[[~name~]]" placeholders take the course's metadata settings.
class CLomMetadata
{
public:
    // The template of the edition, relative to the program folder.
    static QString TemplatePath(bool scorm12);

    // The template with every placeholder replaced, in the order of the placeholder table (a value that
    // holds a later placeholder has that one replaced too). Free texts are made safe for the CDATA sections
    // the templates put them in; today is the date the record carries.
    static QString Fill(const QString &templateText, const CCourseSettings &course, bool scorm12, const QDate &today);

    // The keyword elements for the keyword placeholder: one per ";"-separated part of keywords, at most ten,
    // or one "key word" element when there is none.
    static QString KeywordElements(const QString &keywords, bool scorm12, const QString &languageCode);
};
