#pragma once

#include "document/CorvessaDoc.h"
#include "model/OutlineTree.h"
#include "platform/CorvContext.h"
#include "platform/RecordingPrompt.h"
#include "publish/CoursePublisher.h"
#include "support/TempTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// Failures show texts as text, not as code units.
inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }

// What the LMS steps find in an output folder once the earlier steps ran: pages, scripts, pictures and
// media in every folder the manifest scans, files beside them that the scans do not read (the glossary,
// the question media, a script beside the pages), a second start page whose name differs only in case,
// and names that need escaping.
// Writes the file at an absolute path, making its folders.
inline void WriteFileAt(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

inline void WritePublishedCourse(const QString &folder)
{
    const char *files[] = {
        "index.htm",
        "content/ind.htm", "content/IND.HTM", "content/done.htm", "content/nav.htm", "content/outline.htm",
        "content/signin.js", "content/glossary/g.js",
        "content/images/b.png", "content/images/A.png", "content/images/questions/q.png",
        "content/media/x.gif",
        "content/scripts/kvx.js", "content/scripts/demo.css",
        "content/scripts/pics/kvx.ico", "content/scripts/pics/a&b.png",
        "content/scripts/pics/tree/plus.gif",
    };
    for (const char *file : files)
        WriteFileAt(folder + u'/' + QLatin1String(file), QByteArray("<p>") + file + "</p>\n");
}

// The program's folder with its data, as the build lays it beside the programs.
inline QString DataFolder() { return QStringLiteral(CORV_SOURCE_DIR "/data/"); }

// Runs a program; its exit code (-1 when it could not start) and what it printed.
struct ToolRun {
    int exitCode = -1;
    QString output;
};

inline ToolRun RunTool(const QString &program, const QStringList &arguments, const QByteArray &input = {})
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    ToolRun run;
    if (!process.waitForStarted(10000))
        return run;
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = QString::fromUtf8(process.readAll());
    return run;
}

inline bool HasTool(const QString &program) { return !QStandardPaths::findExecutable(program).isEmpty(); }

// Debian's Python (which the install script provides) before any other on the path: a version manager's
// wrapper can take a second or more to start.
inline QString Python()
{
    const QString debian = QStandardPaths::findExecutable(QStringLiteral("python3"), {QStringLiteral("/usr/bin")});
    return debian.isEmpty() ? QStringLiteral("python3") : debian;
}

// A document, its prompt and an output folder for running single LMS steps.
class LmsStepTest : public ::testing::Test
{
protected:
    LmsStepTest()
    {
        context.prompt = &prompt;
        context.programFolder = DataFolder();
        doc = std::make_unique<CCorvessaDoc>(context);
        output = tmp.MakeFolder("Course Published files/LMS");
    }

    std::unique_ptr<CCoursePublisher> Publisher(const QString &folder = {})
    {
        return std::make_unique<CCoursePublisher>(*doc, folder.isEmpty() ? output : folder, "demo", &tree);
    }

    QByteArray Read(const QString &relative) const { return TempTree::ReadAll(output + u'/' + relative); }

    TempTree tmp;
    CRecordingPrompt prompt;
    CCorvContext context;
    std::unique_ptr<CCorvessaDoc> doc;
    COutlineTree tree;
    QString output;
};
