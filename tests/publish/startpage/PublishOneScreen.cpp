// Publishes a course of one screen for the standalone target with the program-folder data of the build,
// for the browser check of the start page (check_start_page.py).
//
//   publish_one_screen <program folder> <work folder>
//
// The project lies in <work folder>/Course.kvx and the course is published to <work folder>/out. Every
// message the publish shows is printed; the exit status is 0 when the publish reported success.

#include "document/CorvessaDoc.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/OutlineTree.h"
#include "publish/CoursePublisher.h"
#include "tests/support/PublishHarness.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    if (argc != 3) {
        std::fprintf(stderr, "usage: publish_one_screen <program folder> <work folder>\n");
        return 2;
    }
    const QString work = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(work + QStringLiteral("/Course"));

    CPublishHarness harness(argv[1], work);

    CCorvessaDoc doc(harness.context);
    doc.SetPathName(work + QStringLiteral("/Course.kvx"));
    doc.MutableSettings().CourseName = QStringLiteral("Fire Safety at Work");
    doc.MutableSettings().Theme = QStringLiteral("Classical");
    doc.AddScreen(std::make_unique<CCorvPage>(1, QStringLiteral("Welcome"), QString(), QString(), 0,
                                                             QStringLiteral("1"), pt_document, -1));
    COutlineTree tree;
    tree.RebuildFromScreenLists(doc.MainScreens(), doc.PopupScreens(), doc.GlossaryScreens());

    CCoursePublisher publisher(doc, work + QStringLiteral("/out"), QStringLiteral("Course"), &tree);
    publisher.PublishStandalone();
    return harness.ReportPublish() ? 0 : 1;
}
