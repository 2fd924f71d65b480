// The Edit window on courses of 250, 1,000 and 2,000 screens of 20 components each, beside the document's
// own open of the same project. Each size runs in a process of its own (this program started again with
// "--screens N"), so that one size's memory does not count in another's. In that process, in this order:
//   1. an empty Edit window is made, shown and painted once (fonts, styles and the canvas are then loaded);
//   2. the document alone opens the project three times; the resident memory is read (after giving freed
//      memory back) while the first of them is still open, then it is closed;
//   3. the Edit window opens the project three times, each time until its thumbnails, outline and first
//      screen are ready and painted; the resident memory is read after the first, minus that of step 2;
//   4. on the last one, 50 screens spread over the project are made current one after the other as a click
//      on their thumbnails does, each until its events are processed and the canvas painted (median and
//      best), and the shown screen is painted 10 times (best).
// Then the program's own start-up with the 1,000-screen project is measured by startup_bench, a process of
// its own beside this one, and its figure printed. Run with QT_QPA_PLATFORM=offscreen where there is no
// display.

#include "BenchCourse.h"
#include "document/ProjectFile.h"
#include "editor/EditController.h"
#include "editor/ui/EditFrmVw.h"
#include "editor/ui/ScrollViewEx.h"

#include <QApplication>
#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <malloc.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kRuns = 3;
constexpr int kSwitches = 50;
constexpr int kDraws = 10;
const int kSizes[] = {250, 1000, 2000};

// Resident memory in megabytes, once the heap has given back what is free.
double ResidentMb()
{
    malloc_trim(0);
    QFile status(QStringLiteral("/proc/self/statm"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = status.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * 4096.0 / (1024.0 * 1024.0) : 0;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Settle(CEditFrmVw &view)
{
    view.repaint();
    QApplication::processEvents();
}

int MeasureSize(int screens)
{
    QTemporaryDir dir;
    const QString project = dir.path() + QStringLiteral("/Course.kvx");
    {
        CCorvessaDoc doc(CCorvContext::Empty());
        const QString pictures = dir.path() + QStringLiteral("/pictures");
        if (!BenchCourse::WritePictures(pictures, screens))
            return 1;
        BenchCourse::Fill(doc, screens, pictures);
        if (!CProjectFile::Save(doc, project))
            return 1;
    }
    {
        CCorvessaDoc empty(CCorvContext::Empty());
        CEditFrmVw warm(empty);
        warm.resize(1200, 800);
        warm.show();
        Settle(warm);
    }

    std::vector<double> open;
    double documentMb = 0;
    for (int run = 0; run < kRuns; ++run) {
        CCorvessaDoc plain(CCorvContext::Empty());
        open.push_back(BenchCourse::TimeMs([&] { CProjectFile::Open(plain, project); }));
        if (run == 0)
            documentMb = ResidentMb();
    }

    std::vector<double> openInWindow, switches, draws;
    double windowMb = 0;
    for (int run = 0; run < kRuns; ++run) {
        CCorvessaDoc doc(CCorvContext::Empty());
        CEditFrmVw view(doc);
        view.resize(1200, 800);
        view.show();
        QApplication::processEvents();
        openInWindow.push_back(BenchCourse::TimeMs([&] {
            CProjectFile::Open(doc, project);
            doc.UpdateAllViews();
            Settle(view);
        }));
        if (view.Controller().Thumbs().GetItemCount() != screens)
            std::printf("the thumbnail list holds %d items, not %d\n", view.Controller().Thumbs().GetItemCount(),
                        screens);
        if (run == 0)
            windowMb = ResidentMb();
        if (run != kRuns - 1)
            continue;
        for (int s = 1; s <= kSwitches; ++s) {
            const int index = int((long long)s * (screens - 1) / kSwitches);
            switches.push_back(BenchCourse::TimeMs([&] {
                view.Controller().SelectThumbnail(index);
                Settle(view);
            }));
        }
        // One screen painted whole, the windows on it included, into a picture (as every platform paints it,
        // the offscreen one too).
        for (int d = 0; d < kDraws; ++d)
            draws.push_back(BenchCourse::TimeMs([&] { (void)view.Canvas()->Page()->grab(); }));
    }
    const double best = BenchCourse::Best(open);
    const double inWindow = BenchCourse::Best(openInWindow);
    std::printf("edit_window screens=%d open_ms=%.1f document_open_ms=%.1f ratio=%.2f switch_median_ms=%.1f "
                "switch_best_ms=%.1f draw_ms=%.1f rss_over_document_mb=%.0f\n",
                screens, inWindow, best, best > 0 ? inWindow / best : 0.0, Median(switches),
                BenchCourse::Best(switches), BenchCourse::Best(draws), windowMb - documentMb);
    return 0;
}

// Runs a program beside this one and passes on what it printed.
void RunBeside(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitCode() != 0)
        std::printf("%s did not finish: %s\n", qPrintable(program), qPrintable(process.errorString()));
    std::fputs(process.readAllStandardOutput().constData(), stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const qsizetype at = arguments.indexOf(QStringLiteral("--screens"));
    if (at >= 0 && at + 1 < arguments.size())
        return MeasureSize(arguments[at + 1].toInt());

    std::printf("Edit window with projects of 20 components a screen: open best of %d, %d switches, %d paints; "
                "one process a size (order in the header of edit_window_bench.cpp)\n",
                kRuns, kSwitches, kDraws);
    std::fflush(stdout);
    for (int screens : kSizes)
        RunBeside(QApplication::applicationFilePath(), {QStringLiteral("--screens"), QString::number(screens)});
    const QString startup = QFileInfo(QApplication::applicationFilePath()).dir().filePath(QStringLiteral("startup_bench"));
    if (QFileInfo::exists(startup))
        RunBeside(startup, {});
    else
        std::printf("startup_bench is not built beside this program\n");
    return 0;
}
