#pragma once

#include "app/ui/CorvessaApp.h"
#include "platform/ui/FileDialogs.h"
#include "platform/RecordingPrompt.h"
#include "support/TempTree.h"

#include <QProcessEnvironment>
#include <QStringList>

#include <memory>

// File dialogs that answer from a script ("" is a cancelled dialog) and remember what they were asked.
class CScriptedDialogs : public CFileDialogs
{
public:
    QStringList answers;
    QStringList asked;

    QString GetOpenFileName(QWidget *, const QString &caption, const QString &folder, const QString &filter) override
    {
        return Answer("open|" + caption + "|" + folder + "|" + filter);
    }
    QString GetSaveFileName(QWidget *, const QString &caption, const QString &path, const QString &filter) override
    {
        return Answer("save|" + caption + "|" + path + "|" + filter);
    }
    QString GetExistingDirectory(QWidget *, const QString &caption, const QString &folder) override
    {
        return Answer("folder|" + caption + "|" + folder);
    }

private:
    QString Answer(const QString &question)
    {
        asked.append(question);
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

// The title the window system shows: the modified mark put in place of "[*]", or taken out.
QString ShownTitle(const QWidget *window);

// What a program run by a test printed (both channels) and its exit status (-1: it did not start, crashed or
// ran out of time).
struct ToolRun {
    int status = -1;
    QString output;
};
ToolRun RunTool(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment = {},
                int timeoutMs = 180000);

// A program folder with the start-up files, a per-user folder, a recording prompt and scripted dialogs, all
// in a temporary folder; Start runs the application's start-up in it.
struct AppFixture {
    static constexpr qint64 kProcessId = 4242;

    TempTree tree;
    CRecordingPrompt prompt;
    CScriptedDialogs dialogs;

    AppFixture();
    QString ProgramFolder() const { return tree / "bin"; }
    QString AppData() const { return tree / "config/Zerandt/Corvessa4"; }
    CAppOptions Options(const QStringList &arguments = {"corvessa"});
    // The application after start-up; the test fails when start-up does not give expected.
    std::unique_ptr<CCorvessaApp> Start(const QStringList &arguments = {"corvessa"},
                                        CStartupSequence::Result expected = CStartupSequence::Result::Running);
    // Copies what the build lays out beside the programs (the run-time, themes, templates, the graphics
    // library) into the program folder. Files the fixture wrote itself stay unless replace is set; programs
    // are left out except those named.
    void CopyBuiltProgramData(bool replace = false, const QStringList &programs = {});
    // A project file with the screens given as (label, title, page type).
    QString WriteProject(const QString &relative, const QList<std::tuple<QString, QString, int>> &screens,
                         const QString &courseName = {});
};
