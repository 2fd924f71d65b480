#pragma once

#include "app/CommandLineInfo.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class CCorvContext;
class CGraphicsLibraryIndex;
class CRegistry;

// What the window side does at start-up, called by the sequence at its place among the steps.
class CStartupHost
{
public:
    virtual ~CStartupHost() = default;
    // The main frame, the first document (with a new project's settings) and the Settings view. False
    // ends start-up without a further message.
    virtual bool CreateFrameAndDocument() = 0;
    // Shows the main window, centred on the screen.
    virtual void ShowMainWindow() = 0;
    // The wait window of the index load, painted before the load starts; closed right after it.
    virtual void ShowLoadingWindow() = 0;
    virtual void CloseLoadingWindow() = 0;
    // The document's list of library pictures already used in the project.
    virtual QStringList *UsedLibraryPictures() = 0;
    // The substitutions of published texts, in the order of their lines.
    virtual void SetSpecialCharacters(const QList<QPair<QString, QString>> &substitutions) = 0;
    // Takes the Settings view as the visible one and creates the Import, Edit and Publish views hidden.
    virtual void CreateMainViews() = 0;
    // Shows or hides the edit and formatting bars for the visible view.
    virtual void UpdateBarVisibility() = 0;
    // Opens the project named on the command line, or makes a second new project once every view exists.
    // False ends start-up.
    virtual bool ProcessCommandLine(const CCommandLineInfo &commandLine) = 0;
    // Gives the keyboard focus to the Settings window's category tree.
    virtual void FocusCategoryTree() = 0;
};

// The start-up of the program in its fixed order: folders and version, the frame and first document, the
// registry check, the per-user folder, the library root, the excluded words, the graphics-library index
// behind its wait window, the special characters, the main views, the bars, the command line and the
// focus. Start-up fails, after the message of the cause, when the excluded words or the index cannot be
// read or the window side refuses a step.
class CStartupSequence
{
public:
    enum class Result { Failed, Running, AutomationOnly };

    // Fills the context's version texts, per-user folder and library root as it goes; all references must
    // outlive the sequence. appDataBase is the per-user configuration folder the program's folder goes in.
    CStartupSequence(CStartupHost &host, CRegistry &registry, CGraphicsLibraryIndex &library, CCorvContext &context,
                     QString appDataBase);

    Result Run(const CCommandLineInfo &commandLine);

    // The words of exclusionList.txt, once read.
    const QStringList &ExcludedWords() const { return m_excludedWords; }

private:
    bool ReadExcludedWords();

    CStartupHost &m_host;
    CRegistry &m_registry;
    CGraphicsLibraryIndex &m_library;
    CCorvContext &m_context;
    QString m_appDataBase;
    QStringList m_excludedWords;
};
