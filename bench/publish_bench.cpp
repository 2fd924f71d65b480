// Publishes courses of 1,000 and 5,000 screens standalone and as SCORM 2004 packages and prints the time
// beside the floor: copying the published folder (cp -r), and for a package packing the copy with the zip
// program at its default level 6. Each is measured three ways: wall time free to use the machine, CPU time
// of every thread and program, and wall time with the whole process (and the programs it starts) held to
// one core. The last lines give the ratios, one per target and size.
// Each screen holds 20 components (16 text boxes, a table, a 200 x 150 PNG picture, a button and a
// rectangle). Then the package writer alone against the zip program on the same folder.
//
//   publish_bench [screens ...]      (1000 5000 when none are given)
//
// With CORV_PUBLISH_BENCH_KEEP=<folder> the first output of each target and size is kept there; with
// CORV_PUBLISH_BENCH_TARGET=standalone (or scorm2004) only that target is published.

#include "document/CorvessaDoc.h"
#include "model/ComponentButton.h"
#include "model/ComponentImage.h"
#include "model/ComponentRectangle.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/OutlineTree.h"
#include "model/URLLink.h"
#include "platform/CorvContext.h"
#include "platform/ProcessRunner.h"
#include "platform/RecordingPrompt.h"
#include "publish/CoursePublisher.h"
#include "publish/ZipWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <sched.h>
#include <sys/resource.h>

namespace {

constexpr int kRuns = 3;

double Best(const std::vector<double> &ms) { return ms.empty() ? 0 : *std::min_element(ms.begin(), ms.end()); }

QString LoadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readLine()).section(u' ', 0, 2) : QString();
}

CCharFormat Body(uint32_t effects = 0)
{
    CCharFormat f;
    f.mask = CFM_ALL;
    f.face = QStringLiteral("Arial");
    f.height = 240;
    f.colour = 0;
    f.effects = effects;
    return f;
}

template <class Kind>
Kind *Place(CCorvPage &screen, CPrompt &, std::unique_ptr<Kind> component, const CRect &bounds)
{
    Kind *raw = component.get();
    component->SetBounds(bounds, false);
    screen.AddComponent(std::move(component));
    return raw;
}

void FillScreen(CCorvPage &screen, CPrompt &prompt, int s, const QString &picture)
{
    for (int n = 0; n < 16; ++n) {
        auto *box = Place(screen, prompt, std::make_unique<CComponentTextbox>(),
                          CRect(20 + (n % 4) * 240, 20 + (n / 4) * 60, 250 + (n % 4) * 240, 70 + (n / 4) * 60));
        CRichText &text = box->GetContent().GetRichText();
        text.AppendRaw(QStringLiteral("Screen %1, paragraph %2: a few words of the course ").arg(s).arg(n), Body());
        text.AppendRaw(QStringLiteral("in bold"), Body(CFE_BOLD));
        text.AppendRaw(QStringLiteral(" and some more words after them."), Body());
    }
    CComponentTable::Settings settings;
    settings.rows = 3;
    settings.columns = 3;
    settings.summary = QStringLiteral("Figures");
    auto *table = Place(screen, prompt, std::make_unique<CComponentTable>(nullptr, settings), CRect(20, 270, 400, 380));
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            table->GetCell(i, j)->GetRichText().AppendRaw(QStringLiteral("Cell %1.%2").arg(i).arg(j), Body());
    auto *image = Place(screen, prompt, std::make_unique<CComponentImage>(), CRect(420, 270, 620, 420));
    image->SetImageFile(picture, CCorvContext());
    image->SetAltText(QStringLiteral("Picture %1").arg(s));
    auto *button = Place(screen, prompt, std::make_unique<CComponentButton>(), CRect(640, 270, 760, 300));
    button->SetText(QStringLiteral("Next"));
    Place(screen, prompt, std::make_unique<CComponentRectangle>(), CRect(640, 320, 760, 420));
}

// A course of `screens` screens in <work>/Course.kvx with its pictures in <work>/Course/Images/Resized.
void FillCourse(CCorvessaDoc &doc, CPrompt &prompt, const QString &work, int screens)
{
    doc.OnNewDocument();
    doc.SetPathName(work + QStringLiteral("/Course.kvx"));
    doc.MutableSettings().CourseName = QStringLiteral("Benchmark course");
    doc.MutableSettings().Theme = QStringLiteral("Classical");
    doc.MutableSettings().UseScorm = 1;
    doc.MutableSettings().SCORM12 = 0;
    doc.MutableSettings().CreateZip = 1;
    doc.MutableSettings().RecordData = 1;
    const QString pictures = work + QStringLiteral("/Course/Images/Resized/");
    QDir().mkpath(pictures);
    QImage picture(200, 150, QImage::Format_RGB32);
    for (int s = 0; s < screens; ++s) {
        picture.fill(qRgb(s % 256, (s / 256) % 256, 128));
        const QString path = pictures + QStringLiteral("picture%1.png").arg(s);
        picture.save(path);
        auto page = std::make_unique<CCorvPage>(s + 1, QStringLiteral("Screen title %1").arg(s), QString(), QString(), 0,
                                                QString::number(s + 1), pt_document, -1);
        FillScreen(*page, prompt, s, path);
        doc.AddScreen(std::move(page));
    }
}

// The publisher with the time of each step kept, to show where a publish spends it.
class TimedPublisher : public CCoursePublisher
{
public:
    using CCoursePublisher::CCoursePublisher;
    std::map<int, double> stepMs;

protected:
    int RunStep(PublishStep step, int lessonMode) override
    {
        QElapsedTimer t;
        t.start();
        const int result = CCoursePublisher::RunStep(step, lessonMode);
        stepMs[int(step)] += double(t.nsecsElapsed()) / 1e6;
        return result;
    }
};

// ---- Time: wall, CPU, and the whole process pinned to one core ----

struct Cost
{
    double wallMs = 0;
    double cpuMs = 0;
};

double CpuMs(int who)
{
    rusage use{};
    getrusage(who, &use);
    return (double(use.ru_utime.tv_sec + use.ru_stime.tv_sec) * 1e3 +
            double(use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e3);
}

// Wall time and the CPU time of this process and of the programs it waited for, on all their threads.
template <class Work>
Cost Measure(Work &&work)
{
    const double self = CpuMs(RUSAGE_SELF), children = CpuMs(RUSAGE_CHILDREN);
    QElapsedTimer t;
    t.start();
    work();
    Cost cost;
    cost.wallMs = double(t.nsecsElapsed()) / 1e6;
    cost.cpuMs = CpuMs(RUSAGE_SELF) - self + CpuMs(RUSAGE_CHILDREN) - children;
    return cost;
}

// Every thread of the process (and so every thread and program it starts meanwhile) on one core while
// the object lives, as `taskset -c <core>` would run it.
class OneCore
{
public:
    explicit OneCore(int core)
    {
        sched_getaffinity(0, sizeof m_old, &m_old);
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(core, &one);
        ForEachThread([&one](pid_t tid) { sched_setaffinity(tid, sizeof one, &one); });
    }
    ~OneCore()
    {
        ForEachThread([this](pid_t tid) { sched_setaffinity(tid, sizeof m_old, &m_old); });
    }

private:
    template <class Set>
    static void ForEachThread(Set &&set)
    {
        for (const QString &tid : QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            set(pid_t(tid.toInt()));
    }
    cpu_set_t m_old;
};

// The floor of a publish: copying the published folder, and for a package packing the copy with zip -6.
// False when a program fails.
bool Floor(const QString &published, const QString &work, bool package)
{
    const QString copy = work + QStringLiteral("/floor");
    if (!CProcessRunner::Run(QStringLiteral("cp"), {QStringLiteral("-r"), published, copy}, -1).Succeeded())
        return false;
    return !package || CProcessRunner::Run(QStringLiteral("zip"), {QStringLiteral("-q"), QStringLiteral("-r"),
                                                                   QStringLiteral("-6"), copy + QStringLiteral(".zip"),
                                                                   QStringLiteral(".")},
                                           -1, copy)
                           .Succeeded();
}

void RemoveOutput(const QString &folder)
{
    QDir(folder).removeRecursively();
    QFile::remove(folder + QStringLiteral(".zip"));
}

struct Target
{
    const char *name;   // as the summary lines name it
    const char *title;  // as the detail lines do
    bool package;
    CStatus (CCoursePublisher::*publish)();
};

const Target kTargets[] = {
    {"standalone", "standalone", false, &CCoursePublisher::PublishStandalone},
    {"scorm2004", "SCORM 2004", true, &CCoursePublisher::PublishLms},
};

std::vector<std::string> g_summary;

double Ratio(double a, double b) { return b > 0 ? a / b : 0; }

int BenchTarget(CCorvessaDoc &doc, COutlineTree &tree, CRecordingPrompt &prompt, const QString &work,
                const Target &target, int screens, int core)
{
    std::vector<double> wall, cpu, floorWall, floorCpu, oneCore, floorOneCore;
    std::map<int, double> steps;
    const QString output = work + QStringLiteral("/out");
    qint64 files = 0;
    bool haveFloor = true;
    // The four measures of a run follow one another, so that a change in the machine's load meets them all.
    for (int run = 0; run < kRuns; ++run) {
        for (const bool pinned : {false, true}) {
            std::optional<OneCore> one;
            if (pinned)
                one.emplace(core);
            RemoveOutput(output);
            prompt.Clear();
            TimedPublisher publisher(doc, output, QStringLiteral("Course"), &tree);
            const Cost cost = Measure([&] { (publisher.*target.publish)(); });
            bool completed = false;
            for (const QString &text : prompt.Texts())
                completed = completed || text.startsWith(QStringLiteral("Publish has completed successfully"));
            if (!completed) {
                std::fprintf(stderr, "the publish did not complete: %s\n", qPrintable(prompt.Texts().join(u'|')));
                return 1;
            }
            if (pinned) {
                oneCore.push_back(cost.wallMs);
            } else {
                if (wall.empty() || cost.wallMs <= Best(wall))
                    steps = publisher.stepMs;
                wall.push_back(cost.wallMs);
                cpu.push_back(cost.cpuMs);
            }
            if (files == 0) {
                for (QDirIterator it(output, QDir::Files, QDirIterator::Subdirectories); it.hasNext(); it.next())
                    ++files;
                // A copy of the first output, to compare the published bytes of two builds.
                if (const QString keep = qEnvironmentVariable("CORV_PUBLISH_BENCH_KEEP"); !keep.isEmpty()) {
                    const QString copy = keep + QStringLiteral("/%1-%2").arg(QLatin1String(target.name)).arg(screens);
                    QDir(copy).removeRecursively();
                    QDir().mkpath(keep);
                    CProcessRunner::Run(QStringLiteral("cp"), {QStringLiteral("-r"), output, copy}, -1);
                    if (target.package)
                        QFile::copy(output + QStringLiteral(".zip"), copy + QStringLiteral(".zip"));
                }
            }
            RemoveOutput(work + QStringLiteral("/floor"));
            bool ok = true;
            const Cost f = Measure([&] { ok = Floor(output, work, target.package); });
            haveFloor = haveFloor && ok;
            (pinned ? floorOneCore : floorWall).push_back(f.wallMs);
            if (!pinned)
                floorCpu.push_back(f.cpuMs);
        }
    }
    RemoveOutput(output);
    RemoveOutput(work + QStringLiteral("/floor"));
    const char *floorName = target.package ? "cp -r + zip -6" : "cp -r";
    std::printf("%5d screens, %s (%lld files):\n", screens, target.title, static_cast<long long>(files));
    std::printf("      publish  wall %9.1f ms   CPU %9.1f ms   one core %9.1f ms\n", Best(wall), Best(cpu),
                Best(oneCore));
    if (!haveFloor) {
        std::printf("      floor (%s) not available\n", floorName);
        return 0;
    }
    std::printf("      floor    wall %9.1f ms   CPU %9.1f ms   one core %9.1f ms   (%s)\n", Best(floorWall),
                Best(floorCpu), Best(floorOneCore), floorName);
    std::printf("      steps of the fastest publish:");
    for (const auto &[step, ms] : steps)
        if (ms >= 1.0)
            std::printf("  %s %.0f ms", qPrintable(PublishStepName(PublishStep(step))), ms);
    std::printf("\n");
    char line[200];
    std::snprintf(line, sizeof line, "publish target=%s screens=%d wall_ratio=%.2f cpu_ratio=%.2f one_core_ratio=%.2f",
                  target.name, screens, Ratio(Best(wall), Best(floorWall)), Ratio(Best(cpu), Best(floorCpu)),
                  Ratio(Best(oneCore), Best(floorOneCore)));
    g_summary.emplace_back(line);
    return 0;
}

int BenchCourse(int screens, int core)
{
    QTemporaryDir dir;
    const QString work = dir.path();
    CRecordingPrompt prompt;
    prompt.SetFallback(CPrompt::yes);
    CCorvContext context;
    context.prompt = &prompt;
    context.programFolder = QStringLiteral(CORV_PROGRAM_FOLDER);
    context.appDataFolder = work + QStringLiteral("/appdata");
    CCorvessaDoc doc(context);
    FillCourse(doc, prompt, work, screens);
    COutlineTree tree;
    tree.RebuildFromScreenLists(doc.MainScreens(), doc.PopupScreens(), doc.GlossaryScreens());
    const QString only = qEnvironmentVariable("CORV_PUBLISH_BENCH_TARGET");
    for (const Target &target : kTargets)
        if ((only.isEmpty() || only == QLatin1String(target.name)) && BenchTarget(doc, tree, prompt, work, target, screens, core) != 0)
            return 1;
    return 0;
}

// ---- The package writer alone ----

constexpr int kFiles = 1000;
constexpr int kFileSize = 20 * 1024;
constexpr int kZipRuns = 5;

// Script and page text with names and numbers that vary, so that it compresses as published files do.
QByteArray CourseText(uint32_t seed)
{
    static const char *const words[] = {"var", "function", "return", "kvxPrefs", "screen", "question", "answer",
                                        "<div class=\"panel\">", "</div>", "<span style=\"color:#", "</span>",
                                        "document.getElementById(", ");", "{", "}", "=", "+", "\n", "\t", "if (",
                                        "push(", "\"", "true", "false", "null"};
    QByteArray out;
    out.reserve(kFileSize);
    uint32_t state = seed * 2654435761u + 1;
    while (out.size() < kFileSize) {
        state = state * 1103515245u + 12345u;
        const uint32_t pick = state >> 16;
        if (pick % 5 == 0)
            out += QByteArray::number(pick % 100000, 16);
        else
            out += words[pick % std::size(words)];
        out += ' ';
    }
    out.truncate(kFileSize);
    return out;
}

bool MakeFolder(const QString &root)
{
    static const char *const folders[] = {"content", "content/scripts", "content/images", "content/media", "glossary"};
    for (const char *f : folders)
        if (!QDir().mkpath(root + u'/' + QLatin1String(f)))
            return false;
    for (int i = 0; i < kFiles; ++i) {
        QFile file(root + u'/' + QLatin1String(folders[i % std::size(folders)]) + QStringLiteral("/file%1.js").arg(i));
        if (!file.open(QIODevice::WriteOnly) || file.write(CourseText(uint32_t(i))) != kFileSize)
            return false;
    }
    return true;
}

// The zip program on the folder: its best time, the package size, or a negative time when it is missing.
double ZipProgram(const QString &folder, const QString &package, const char *level, qint64 &size)
{
    std::vector<double> times;
    for (int run = 0; run < kZipRuns; ++run) {
        QFile::remove(package);
        QElapsedTimer t;
        t.start();
        const CProcessResult r = CProcessRunner::Run(QStringLiteral("zip"), {QStringLiteral("-q"), QStringLiteral("-r"),
                                                                            QLatin1String(level), package, QStringLiteral(".")},
                                                     -1, folder);
        if (!r.Succeeded())
            return -1;
        times.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    size = QFileInfo(package).size();
    return Best(times);
}

int BenchPackageWriter()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/LMS");
    if (!MakeFolder(folder)) {
        std::fprintf(stderr, "cannot make the folder to pack\n");
        return 1;
    }
    const QString package = folder + QStringLiteral(".zip");

    // Ours at the package's level 6 and at the writer's default level 8.
    std::vector<double> ours6, ours8;
    qint64 ourSize6 = 0, ourSize8 = 0;
    for (int run = 0; run < kZipRuns; ++run) {
        for (const int level : {6, 8}) {
            QFile::remove(package);
            QElapsedTimer t;
            t.start();
            ZipHandle zip = CreateZipArchive(ZipTarget::FromFileName(package), level);
            if (!zip || CCoursePublisher::AddFolderToZip(zip, folder, folder + u'/') != ZipOk ||
                CloseZipArchive(zip) != ZipOk)
                return 1;
            (level == 6 ? ours6 : ours8).push_back(double(t.nsecsElapsed()) / 1e6);
            (level == 6 ? ourSize6 : ourSize8) = QFileInfo(package).size();
        }
    }

    qint64 size6 = 0, size8 = 0;
    const QString other = dir.path() + QStringLiteral("/other.zip");
    const double zip6 = ZipProgram(folder, other, "-6", size6);
    const double zip8 = ZipProgram(folder, other, "-8", size8);

    std::printf("package writer on a folder of %d files of %d bytes (best of %d runs)\n", kFiles, kFileSize, kZipRuns);
    std::printf("package writer (level 6) %8.2f ms  %9lld bytes\n", Best(ours6), static_cast<long long>(ourSize6));
    std::printf("package writer (level 8) %8.2f ms  %9lld bytes\n", Best(ours8), static_cast<long long>(ourSize8));
    if (zip6 < 0) {
        std::printf("zip program not available\n");
        return 0;
    }
    std::printf("zip -q -r -6             %8.2f ms  %9lld bytes\n", zip6, static_cast<long long>(size6));
    std::printf("zip -q -r -8             %8.2f ms  %9lld bytes\n", zip8, static_cast<long long>(size8));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::max(1, std::atoi(argv[i])));
    if (sizes.empty())
        sizes = {1000, 5000};
    // The core the one-core runs are held to: the one this program started on.
    const int core = std::max(0, sched_getcpu());
    std::printf("publishing, best of %d runs each; one core: core %d; load average %s\n", kRuns, core,
                qPrintable(LoadAverage()));
    for (int screens : sizes)
        if (BenchCourse(screens, core) != 0)
            return 1;
    if (BenchPackageWriter() != 0)
        return 1;
    // wall_ratio: publish over floor, both free to use the machine; cpu_ratio: their CPU time on all
    // threads and programs; one_core_ratio: both pinned to the same one core.
    for (const std::string &line : g_summary)
        std::printf("%s\n", line.c_str());
    return 0;
}
