// Imports a presentation into a new course and publishes the course as a standalone course, for the browser
// test of imported slides:
//
//   publish_slides_course <program folder> <work folder> <presentation>
//
// The screens are labelled "1", "2", ...; the course is published to <work folder>/out. The exit
// status is 0 when the import made screens, the project was saved and the publish reported success.

#include "document/CorvessaDoc.h"
#include "document/ProjectFile.h"
#include "import/PPT2KVPage.h"
#include "model/CorvPage.h"
#include "model/OutlineTree.h"
#include "publish/CoursePublisher.h"
#include "tests/support/PublishHarness.h"

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
    CPublishHarness harness(argv[1], work);

    CCorvessaDoc doc(harness.context);
    doc.OnNewDocument();
    doc.SetPathName(work + QStringLiteral("/Course.kvx"));
    doc.MutableSettings().CourseName = QStringLiteral("Safety at work");
    doc.MutableSettings().MenuBasedCourse = 0;
    CPPT2KVPage importer(doc);
    const auto imported = importer.ImportPowerPointWithLabel(QString::fromLocal8Bit(argv[3]), QString());
    if (!imported) {
        std::fprintf(stderr, "import failed: %s\n", qPrintable(imported.Error()));
        return 1;
    }
    std::printf("screens: %d\n", int(importer.CreatedScreens().size()));
    // As the author does: the project is saved (its pictures copied into it), then published.
    if (!CProjectFile::Save(doc, work + QStringLiteral("/Course.kvx"))) {
        std::fprintf(stderr, "save failed\n");
        return 1;
    }
    COutlineTree tree;
    tree.RebuildFromScreenLists(doc.MainScreens(), doc.PopupScreens(), doc.GlossaryScreens());
    CCoursePublisher publisher(doc, work + QStringLiteral("/out"), QStringLiteral("Course"), &tree);
    publisher.PublishStandalone();
    return harness.ReportPublish() ? 0 : 1;
}
