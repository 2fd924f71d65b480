#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

class CArchive;
class CCourseSettings;

// The bytes of a ".kvx" project file. The writer always writes the current schema and every field; the
// reader reads each field that was added later only when the file's schema passes that field's gate. The
// settings parts are table-driven (ProjectArchive.cpp) so that the order, the kinds and the gates of the
// two hundred fields are written down once and shared by both directions.
class CProjectArchive
{
public:
    static constexpr int32_t kCurrentSchema = 10000047;
    // A first int32 at or below this is no schema number but the next screen number of an old file.
    static constexpr int32_t kNoSchema = 1000000;

    // The head of the file, before the settings.
    struct Header
    {
        int32_t schema = kCurrentSchema;
        bool hasSchemaNumber = true;
        int32_t nextScreenNumber = 0;
        int32_t nextTextBoxNumber = 1;
        int32_t importPending = 1;
    };

    // What a reader needs to know about the file it reads.
    struct ReadContext
    {
        int32_t schema = kCurrentSchema;
        bool hasSchemaNumber = true;
        // The second pass after a read error: the gates written "or retry" are open.
        bool retry = false;
        // The project's media folder (the project file's path without its extension).
        QString projectFolder;
    };

    // The header and the settings block, up to and including LinearSourceAssessable. The logo is written
    // as its bare file name.
    static void StoreSettingsBlock(CArchive &ar, const CCourseSettings &s, const Header &header);
    // Reads them into s, gate by gate, and applies the normalisations of a read (character sets, the main
    // point size, the logo path, the linear source's assessable flag). Fields a gate keeps out are left
    // alone. Returns the header; context.schema and context.hasSchemaNumber are set from it.
    static Header LoadSettingsBlock(CArchive &ar, CCourseSettings &s, ReadContext &context);

    // The settings and the glossary documents after the topic list.
    static void StorePostTopicBlock(CArchive &ar, const CCourseSettings &s, const QStringList &glossaryDocuments);
    static void LoadPostTopicBlock(CArchive &ar, CCourseSettings &s, QStringList &glossaryDocuments,
                                   const ReadContext &context);

    // The logo's path rebuilt from the bare name stored in a project: the project folder's resized-pictures
    // folder + the name; an empty name stays empty.
    static QString LogoPathFromStoredName(const QString &projectFolder, const QString &stored);
    // The point size text cut before its first "pt" ("14pt" -> "14").
    static QString CutBeforePt(const QString &points);
};
