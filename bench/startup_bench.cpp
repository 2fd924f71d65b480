// Starts the program (its start-up sequence and main window, in this process) with a course of 1,000
// screens of 20 components each on the command line, and prints the time beside that of a start without a
// project and of opening the same project without the program around it. Run with QT_QPA_PLATFORM=offscreen
// where there is no display.

#include "document/ProjectFile.h"
#include "BenchCourse.h"
#include "app/ui/CorvessaApp.h"
#include "platform/RecordingPrompt.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kScreens = 1000;

// The program started with the arguments until its main window is up and every event of the start handled.
double StartMs(const QString &appData, const QStringList &arguments, bool &running)
{
    CRecordingPrompt prompt;
    CAppOptions options;
    options.arguments = arguments;
    options.appDataBase = appData;
    options.prompt = &prompt;
    double ms = 0;
    {
        CCorvessaApp corvessa(options);
        ms = BenchCourse::TimeMs([&] {
            running = corvessa.InitInstance() == CStartupSequence::Result::Running;
            QApplication::processEvents();
        });
        corvessa.ExitInstance();
    }
    if (!prompt.Texts().isEmpty())
        std::printf("the program said: %s\n", qPrintable(prompt.Texts().join(QStringLiteral(" | "))));
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString project = dir.path() + QStringLiteral("/Course.kvx");
    {
        CCorvessaDoc doc(CCorvContext::Empty());
        const QString pictures = dir.path() + QStringLiteral("/pictures");
        if (!BenchCourse::WritePictures(pictures, kScreens))
            return 1;
        BenchCourse::Fill(doc, kScreens, pictures);
        if (!CProjectFile::Save(doc, project))
            return 1;
    }
    constexpr int kRuns = 3;
    std::vector<double> empty, withProject, open;
    for (int run = 0; run < kRuns; ++run) {
        bool running = false;
        empty.push_back(StartMs(dir.path() + QStringLiteral("/config"), {QStringLiteral("corvessa")}, running));
        if (!running)
            return 1;
        withProject.push_back(
            StartMs(dir.path() + QStringLiteral("/config"), {QStringLiteral("corvessa"), project}, running));
        if (!running)
            return 1;
        CCorvessaDoc doc(CCorvContext::Empty());
        open.push_back(BenchCourse::TimeMs([&] { CProjectFile::Open(doc, project); }));
    }
    std::printf("start-up with a project of %d screens x 20 components (best of %d runs)\n", kScreens, kRuns);
    std::printf("start with the project %8.1f ms   start without one %8.1f ms   open the project alone %8.1f ms\n",
                BenchCourse::Best(withProject), BenchCourse::Best(empty), BenchCourse::Best(open));
    return 0;
}
