#include "AppFixture.h"

#include "document/CorvessaDoc.h"
#include "document/ProjectFile.h"
#include "model/CorvPage.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

QString ShownTitle(const QWidget *window)
{
    return window->windowHandle() ? window->windowHandle()->title() : QString();
}

AppFixture::AppFixture()
{
    tree.Write("bin/exclusionList.txt", "the\r\nand\r\n");
    tree.Write("bin/specialChars.txt", "a\tb\r\na\tc\r\nabc\r\n");
    tree.Write("bin/images.xml", "<?xml version=\"1.0\"?>\n<images><image><file>apple.jpg</file></image></images>\n");
    tree.Write("bin/registry.ini", "[Software\\Zerandt\\Corvessa 4]\n");
}

CAppOptions AppFixture::Options(const QStringList &arguments)
{
    CAppOptions options;
    options.arguments = arguments;
    options.programFolder = ProgramFolder();
    options.appDataBase = tree / "config";
    options.prompt = &prompt;
    options.fileDialogs = &dialogs;
    options.processId = kProcessId;
    return options;
}

std::unique_ptr<CCorvessaApp> AppFixture::Start(const QStringList &arguments, CStartupSequence::Result expected)
{
    auto app = std::make_unique<CCorvessaApp>(Options(arguments));
    const CStartupSequence::Result result = app->InitInstance();
    EXPECT_EQ(int(result), int(expected)) << qPrintable(prompt.Texts().join(" | "));
    return app;
}

QString AppFixture::WriteProject(const QString &relative, const QList<std::tuple<QString, QString, int>> &screens,
                                 const QString &courseName)
{
    CCorvContext context;
    context.prompt = &prompt;
    CCorvessaDoc doc(context);
    doc.OnNewDocument();
    doc.MutableSettings().CourseName = courseName;
    int number = 1;
    for (const auto &[label, title, pageType] : screens)
        doc.AddScreen(std::make_unique<CCorvPage>(number++, title, "", "", 0, label, pageType, 0));
    const QString path = tree / relative;
    tree.MakeFolder(QFileInfo(path).path().mid(tree.Path().size() + 1));
    EXPECT_TRUE(CProjectFile::Save(doc, path)) << qPrintable(prompt.Texts().join(" | "));
    return path;
}

void AppFixture::CopyBuiltProgramData(bool replace, const QStringList &programs)
{
    const QDir built(QStringLiteral(CORV_BUILT_PROGRAM_FOLDER));
    for (const QFileInfo &entry : built.entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot)) {
        if (entry.isFile() && entry.isExecutable() && !programs.contains(entry.fileName()))
            continue;
        const QString target = ProgramFolder() + u'/' + entry.fileName();
        if (entry.isFile() && QFileInfo::exists(target)) {
            if (!replace)
                continue;
            QFile::remove(target);
        }
        EXPECT_EQ(QProcess::execute("cp", {"-R", entry.absoluteFilePath(), target}), 0) << qPrintable(target);
    }
}

ToolRun RunTool(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment,
                int timeoutMs)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!environment.isEmpty())
        process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForStarted(10000))
        return {};
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
        return {-1, QString::fromUtf8(process.readAll()).trimmed() + QStringLiteral("\n(ran out of time)")};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAll()).trimmed()};
}
