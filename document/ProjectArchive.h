#pragma once

#include "document/SettingsFields.h"
#include "model/ProjectSchema.h"
#include "platform/PathUtil.h"
#include "platform/Result.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

class CArchive;
class CEditCanvas;
class CPictureSaveSession;
class CProgress;
class CPrompt;
class CCorvessaDoc;
class CCorvPage;
class CCourseSettings;
class CScreenLookup;

// The bytes of a ".kvx" project file. The writer always writes the current schema and every field; the
// reader reads each field that was added later only when the file's schema passes that field's gate. The
// settings parts are table-driven: their layouts come from the places the settings' rows give
// (CourseSettingTable), so that the order, the kinds and the gates of the two hundred fields are written
// down once, beside each setting, and shared by both directions.
class CProjectArchive
{
public:
    static constexpr int32_t kCurrentSchema = ProjectSchema::kCurrent;
    // A first int32 at or below this is no schema number but the next screen number of an old file.
    static constexpr int32_t kNoSchema = ProjectSchema::kNone;

    // Every settings field of the file in file order: the settings block, then the block after the topic
    // list (whose glossary documents are no setting).
    static std::vector<SettingsFields::Field> SettingsLayout();

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
        // Finds stored names on disk without regard to case, listing each folder once; plain lookups
        // without one.
        CorvPath::CNoCaseResolver *paths = nullptr;
        // The canvas the components read get their windows on; none without one.
        CEditCanvas *canvas = nullptr;
        // Told the title of each screen as it is read; none without one.
        CProgress *progress = nullptr;
        // A single-screen file is read: its screen always stores the menu kind, and its components are
        // stand-alone (their media lie beside the file).
        bool singleScreen = false;
        // How far into the file the pass has read completely (after the settings, the topics, the block
        // after them, each screen): what a pass that ends early keeps reaches this far.
        qint64 completeUpTo = 0;
    };

    // The header and the settings block, up to and including LinearSourceAssessable. The logo is written
    // as its bare file name.
    static void StoreSettingsBlock(CArchive &ar, const CCourseSettings &s, const Header &header);
    // Reads them into s, gate by gate, and applies the normalisations of a read (character sets, the main
    // point size, the logo path, the linear source's assessable flag). Fields a gate keeps out are left
    // alone. Returns the header; context.schema and context.hasSchemaNumber are set from it.
    static Header LoadSettingsBlock(CArchive &ar, CCourseSettings &s, ReadContext &context);
    // The two halves of LoadSettingsBlock. The fields' normalisations run however the read ends, so a file
    // cut inside the block leaves no stored path or old label behind.
    static Header LoadHeader(CArchive &ar, ReadContext &context);
    static void LoadSettingsFields(CArchive &ar, CCourseSettings &s, const ReadContext &context);
    static void NormaliseReadSettings(CCourseSettings &s, const ReadContext &context);

    // The settings and the glossary documents after the topic list.
    static void StorePostTopicBlock(CArchive &ar, const CCourseSettings &s, const QStringList &glossaryDocuments);
    static void LoadPostTopicBlock(CArchive &ar, CCourseSettings &s, QStringList &glossaryDocuments,
                                   const ReadContext &context);

    // Before the settings are written: the background copied into the project folder (BgImage becomes the
    // copy's path) and the logo prepared there (LogoImage becomes its bare name), in the document itself.
    static void PreparePictures(const CArchive &ar, CCorvessaDoc &doc);
    // The whole project: settings, topics, the settings after them, the main list, then the "<popups>" and
    // "<glossary>" sections.
    static void StoreProject(CArchive &ar, CCorvessaDoc &doc);
    // One reading pass over the whole file into doc, whose lists are emptied first. Screens join their list
    // only once read completely. Throws CArchiveException where the file ends early or holds what cannot be
    // read in step; context.completeUpTo then tells how far the pass got.
    static void LoadProjectPass(CArchive &ar, CCorvessaDoc &doc, ReadContext &context);
    // Points the links of the main list's folder screens at the screens their labels name.
    static void ResolveLinks(CCorvessaDoc &doc);

    // One screen record and its components; the menu kind is stored for main-list screens only. Components
    // the list cannot hold are left out; remediation targets are stored as the screens say they still exist.
    // Components are stored through the session of the whole save when one is given (the project writer
    // gives one), so that their pictures share one numbering and never overwrite each other. Each component
    // is stored with the stand-alone flag given: 0 in a project, whose media go to its folder; 1 in a
    // single-screen file, whose media go beside it.
    static void StoreScreen(CArchive &ar, CCorvPage &screen, bool mainList, const CScreenLookup &screens,
                            CPictureSaveSession *pictures = nullptr, int standAlone = 0);
    // number < 0: read the number from the record.
    static std::unique_ptr<CCorvPage> LoadScreen(CArchive &ar, CCorvessaDoc &doc, const ReadContext &context,
                                                 bool mainList, int number);

    // The main font's point size as a number, as loaders and new components take it: the leading decimal
    // digits of FontSizePoints[0], 0 when there are none.
    static int MainFontPoints(const CCourseSettings &s);

    // The project folder's sub-folders, in the order they are made.
    static const QStringList &ProjectSubFolders();
    // Makes the project folder and its sub-folders where missing; a folder that already exists in another
    // case (a project copied from Windows) is used as it is. Failures are reported; a sub-folder that
    // cannot be made does not stop the rest. False (reported once) when the project folder itself cannot
    // be made.
    static bool CreateProjectFolders(const QString &projectFolder, CPrompt &prompt);
    // The same for a save of the file at path, whose folder it is: when the folder itself cannot be made the
    // failure's text is cannotSave ("%1" the file, "%2" the system's reason); a sub-folder that cannot be
    // made is reported on the prompt on its own and the save goes on.
    static CStatus CreateFoldersForSave(const QString &projectFolder, CPrompt &prompt, const QString &cannotSave,
                                     const QString &path);
    // Whether the folder is a project folder a save has made: it holds every one of the sub-folders.
    static bool IsProjectFolder(const QString &projectFolder);

    // Section markers; a reader reads them without looking at their text.
    static const QString &PopupsMarker();
    static const QString &GlossaryMarker();

    // The logo's path rebuilt from the bare name stored in a project: the project folder's resized-pictures
    // folder + the name, matched on disk without regard to case; an empty name stays empty.
    static QString LogoPathFromStoredName(const QString &projectFolder, const QString &stored,
                                          CorvPath::CNoCaseResolver *paths = nullptr);
    // The name a project file keeps for the logo: the file name of its path without blanks, "<", ">" and
    // "&", which is the name of the copy the save prepares in the project folder.
    static QString StoredLogoName(const QString &logoPath);
    // The point size text cut before its first "pt" ("14pt" -> "14").
    static QString CutBeforePt(const QString &points);
};
