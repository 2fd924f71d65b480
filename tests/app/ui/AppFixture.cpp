#include "AppFixture.h"

#include "document/CorvessaDoc.h"
#include "document/ProjectFile.h"
#include "model/CorvPage.h"

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
