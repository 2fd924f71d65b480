#pragma once

#include <QString>

#include <array>
#include <functional>

class CCharacterSubstitutions;
class CCorvPage;
class CCorvessaDoc;
class COutlineTree;

// What the Publish window does, without the window: the preamble every publish runs (dangling links
// removed, the question-density warning, the save, the output folder and the project prefix), one
// publisher per driver call, the completion message of an ASP web publish, the web-database half of a
// lesson-folder LMS publish, and the folders remembered for the preview and the open-folder buttons.
class CPublishController
{
public:
    enum Kind { Standalone = 0, Lan = 1, Web = 2, Lms = 3 };
    // The drivers of the publisher the commands call.
    enum Driver { DriveStandalone, DriveLan, DriveWebAsp, DriveWebPhp, DriveLms, DriveLessonFolder };

    struct Services {
        // Saves the project (asking for a name when it has none); true when it is saved.
        std::function<bool()> saveProject;
        // Opens a folder or a file with the desktop's handler for it.
        std::function<void(const QString &)> open;
        // Opens a page in the web browser.
        std::function<void(const QString &)> openInBrowser;
        // Told true before a driver runs and false after it (the window's wait cursor and progress window).
        std::function<void(bool)> busy;
        // The per-process temporary folder the screen preview exports components into.
        QString tempFolder;
    };

    CPublishController(CCorvessaDoc &document, const COutlineTree *courseTree, Services services);
    virtual ~CPublishController() = default;
    CPublishController(const CPublishController &) = delete;
    CPublishController &operator=(const CPublishController &) = delete;

    // The desktop's handlers, replaced by tests so that nothing is really opened.
    void SetOpeners(std::function<void(const QString &)> open, std::function<void(const QString &)> openInBrowser)
    {
        m_services.open = std::move(open);
        m_services.openInBrowser = std::move(openInBrowser);
    }
    CCorvessaDoc &Document() const { return m_document; }
    // The application's temporary folder, which it empties when it ends.
    void SetTempFolder(const QString &folder) { m_services.tempFolder = folder; }
    void SetSpecialCharacters(const CCharacterSubstitutions *substitutions) { m_specialCharacters = substitutions; }

    // The whole publish command of a kind, as its button and the Publish menu run it.
    void Publish(Kind kind);

    // Whether the course has fewer questions than the author asked to be warned about.
    bool TooFewQuestions() const;
    // The output folder of a kind for the saved project: beside the project by default, else the author's
    // folder; empty (after telling the author) when that folder does not exist.
    QString OutputFolder(Kind kind) const;
    // The project file's name up to its last dot, cleaned for file names in the published course.
    QString ProjectPrefix() const;

    // The output folder of the last publish of a kind in this run; empty before the first.
    QString PublishedFolder(Kind kind) const { return m_published[kind]; }
    // Whether a publish of the kind ran, which enables its open-folder button (the web one also after
    // a web command that published nothing); the preview follows the standalone kind.
    bool HasPublished(Kind kind) const { return m_enabled[kind]; }
    // The folder the open-folder button of a kind shows: for the LMS kind the folder holding the package
    // when one was made, or the lesson folder in the lesson-folder mode.
    QString FolderToOpen(Kind kind) const;
    void OpenPublishedFolder(Kind kind);
    // The start page of the last standalone publish, opened in the browser.
    QString PreviewPage() const;
    void PreviewPublished();
    // The screen preview: the screen published alone into the per-user preview folder and opened in the
    // browser. Nothing without a screen; true when the page was opened.
    bool PreviewScreen(CCorvPage *screen);

protected:
    // Builds one publisher for the folder and runs one driver on it; the ASP driver's result, true for
    // the others. Tests replace it to watch the sequence.
    virtual bool RunDriver(Driver driver, const QString &folder, int lessonMode, const QString &webFolder);
    // Builds the publisher of the preview folder and previews the screen on it.
    virtual bool RunPreview(CCorvPage &screen);

private:
    // The links, the density warning and the save; false ends the command. Inside an LMS publish only
    // the links are checked: the LMS command did the rest.
    bool Prepare();
    // True when the web-database course was published (for the ASP pages: every step succeeded).
    bool PublishWeb(int lessonMode);
    void PublishLms(const QString &folder);
    bool Run(Driver driver, const QString &folder, int lessonMode = 0, const QString &webFolder = {});

    CCorvessaDoc &m_document;
    const COutlineTree *m_courseTree;
    Services m_services;
    const CCharacterSubstitutions *m_specialCharacters = nullptr;
    // The output folder of the last web-database run, also when it was empty; the lesson folder is made
    // from it.
    QString m_lastWebFolder;
    // Set while an LMS publish runs its web-database part.
    bool m_nestedWebRun = false;
    std::array<QString, 4> m_published;
    std::array<bool, 4> m_enabled{};
};
