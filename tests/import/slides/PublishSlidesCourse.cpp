// Imports a presentation into a new course and publishes the course as a standalone course, for the browser
// test of imported slides:
//
//   publish_slides_course <program folder> <work folder> <presentation>
//
// The screens are labelled "1", "2", ...; the course is published to <work folder>/out. The exit
// status is 0 when the import made screens, the project was saved and the publish reported success.

#include "document/CorvessaDoc.h"
#include "import/PPT2KVPage.h"
#include "model/CorvPage.h"
#include "model/OutlineTree.h"
#include "platform/CorvContext.h"
#include "platform/RecordingPrompt.h"
#include "publish/CoursePublisher.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    if (argc != 4) {
        std::fprintf(stderr, "usage: publish_slides_course <program folder> <work folder> <presentation>\n");
        return 2;
    }
    const QString work = QString::fromLocal8Bit(argv[2]);
    CRecordingPrompt prompt;
    prompt.SetFallback(CPrompt::yes);
    CCorvContext context;
    context.prompt = &prompt;
    context.programFolder = QString::fromLocal8Bit(argv[1]);
    context.appDataFolder = work + QStringLiteral("/appdata");

    CCorvessaDoc doc(context);
    doc.OnNewDocument();
    doc.SetPathName(work + QStringLiteral("/Course.kvx"));
    doc.CourseName = QStringLiteral("Safety at work");
    doc.MenuBasedCourse = 0;
    CPPT2KVPage importer(doc);
    if (!importer.ImportPowerPointWithLabel(QString::fromLocal8Bit(argv[3]), QString())) {
        std::fprintf(stderr, "import failed: %s\n", qPrintable(importer.FailureReason()));
        return 1;
    }
    std::printf("screens: %d\n", int(importer.CreatedScreens().size()));
    // As the author does: the project is saved (its pictures copied into it), then published.
    if (!doc.OnSaveDocument(work + QStringLiteral("/Course.kvx"))) {
        std::fprintf(stderr, "save failed\n");
        return 1;
    }
    COutlineTree tree;
    tree.RebuildFromScreenLists(doc.MainScreenList, doc.PopupScreenList, doc.GlossaryScreenList);
    CCoursePublisher publisher(doc, work + QStringLiteral("/out"), QStringLiteral("Course"), &tree);
    publisher.PublishStandalone();
    bool completed = false;
    for (const QString &text : prompt.Texts()) {
        std::printf("message: %s\n", qPrintable(QString(text).replace(u'\n', QStringLiteral(" | "))));
        completed = completed || text.startsWith(QStringLiteral("Publish has completed successfully"));
    }
    return completed ? 0 : 1;
}
