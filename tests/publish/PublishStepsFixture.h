#pragma once

#include "document/CorvessaDoc.h"
#include "document/InternationalProfileFromXML.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/OutlineTree.h"
#include "platform/CorvContext.h"
#include "platform/RecordingProgress.h"
#include "platform/RecordingPrompt.h"
#include "publish/CoursePublisher.h"
#include "support/TempTree.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <memory>

// A one-screen course with a program folder and an output folder of its own in a temporary tree, for
// running single publish steps. The program folder starts empty: each test lays out the data it reads.
class PublishStepsTest : public ::testing::Test
{
protected:
    PublishStepsTest()
    {
        context.prompt = &prompt;
        context.progress = &progress;
        context.programFolder = tmp.MakeFolder("program") + "/";
        context.appDataFolder = tmp.MakeFolder("appdata");
        doc = std::make_unique<CCorvessaDoc>(context);
        doc->SetPathName(tmp / "Courses/Demo.kvx");
        doc->AddScreen(std::make_unique<CCorvPage>(1, "Welcome", "", "", 0, "1", pt_document, -1));
        tree.RebuildFromScreenLists(doc->MainScreens(), doc->PopupScreens(), doc->GlossaryScreens());
        output = tmp / "Published/Out";
    }

    // A publisher for the target, made after the test has set the document up (the constructor reads the
    // profile).
    std::unique_ptr<CCoursePublisher> Publisher(int target, const QString &prefix = "Demo")
    {
        auto publisher = std::make_unique<CCoursePublisher>(*doc, output, prefix, &tree);
        publisher->SetTarget(target);
        return publisher;
    }

    QString Program(const QString &relative, const QByteArray &bytes) const
    {
        return tmp.Write("program/" + relative, bytes);
    }
    QString Project(const QString &relative, const QByteArray &bytes) const
    {
        return tmp.Write("Courses/Demo/" + relative, bytes);
    }
    QByteArray Out(const QString &relative) const { return TempTree::ReadAll(output + "/" + relative); }
    bool OutExists(const QString &relative) const { return QFileInfo::exists(output + "/" + relative); }

    // Every file below the output folder, relative to it, sorted.
    QStringList OutFiles() const { return Listing(QDir::Files); }
    QStringList OutFolders() const { return Listing(QDir::Dirs | QDir::NoDotAndDotDot); }

    TempTree tmp;
    CRecordingPrompt prompt;
    CRecordingProgress progress;
    CCorvContext context;
    std::unique_ptr<CCorvessaDoc> doc;
    COutlineTree tree;
    QString output;

private:
    QStringList Listing(QDir::Filters filters) const
    {
        QStringList names;
        QDirIterator it(output, filters | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (it.hasNext())
            names.append(QDir(output).relativeFilePath(it.next()));
        names.sort();
        return names;
    }
};
