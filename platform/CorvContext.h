#pragma once

#include <QString>
#include <QStringList>

class CPrompt;
class CProgress;
class CQuestionIdCounter;
class CRandomSource;
struct _xmlDoc;

// What the whole program shares: the program folder, the per-user application-data folder, the version
// texts, the graphics-library root, and the prompt and progress sinks through which headless code reaches
// the author. The application fills one at start-up and hands it to the document and the commands; tests
// fill their own with fixtures. Nothing reaches it through a global: whoever needs it is given it.
class CCorvContext
{
public:
    // Folder of the running program; the program-folder data lies beside it.
    QString programFolder;
    // Zerandt/Corvessa<major> under the per-user configuration folder.
    QString appDataFolder;
    // The major version as text ("4"), used in per-user folder names.
    QString majorVersionText;
    // The full version text ("4.009").
    QString versionText;
    // Graphics-library root, ending in "/".
    QString graphicsLibraryRoot;
    // The graphics library's index (images.xml) as start-up parsed it, shared read-only by whoever searches
    // it; not owned. Null until it is loaded.
    _xmlDoc *graphicsLibraryIndex = nullptr;

    // Sinks, not owned. Without one, messages go to the plain prompt (standard error, safe answers) and
    // progress goes nowhere.
    CPrompt *prompt = nullptr;
    CProgress *progress = nullptr;

    // Random draws, not owned. Without one, a source seeded once from the clock.
    CRandomSource *random = nullptr;

    // The free-form question ids, not owned. Without one, the counter of the whole run.
    CQuestionIdCounter *questionIds = nullptr;

    CPrompt &Prompt() const;
    CProgress &Progress() const;
    CRandomSource &Random() const;
    CQuestionIdCounter &QuestionIds() const;

    // Fills the program folder, the major version and the per-user folder from the running program and the
    // standard locations. The version text (GetExeVersionString) and the graphics-library root are set by
    // the application, which knows them.
    void InitFromEnvironment();
    // The per-user folder for a major version, under the XDG configuration folder.
    static QString DefaultAppDataFolder(const QString &majorVersion);
    // A context with nothing filled and the plain sinks, for readers run without a caller's context.
    static const CCorvContext &Empty();
};
