// Saves and opens a course of 1,000 screens (and with --large of 10,000) of 20 components each, and prints
// the time per screen of each size side by side (the open both in this process and in a fresh child), with the
// time QDataStream takes to write and read as many bytes and the time cp takes to copy the file; and the peak
// resident memory of a fresh process that builds the course and saves it beside one that opens it and saves
// it. Then the archive stream against QDataStream on the same values, the picture names one save gives
// out, and the large and hostile records: text boxes at the link limit, and an old project's table whose
// cells lie in files.

#include "BenchCourse.h"
#include "document/CorvessaDoc.h"
#include "document/ProjectFile.h"
#include "model/ComponentButton.h"
#include "model/ComponentFactory.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/ComponentEllipse.h"
#include "model/ComponentLine.h"
#include "model/ComponentLink.h"
#include "model/ComponentRectangle.h"
#include "model/CorvPage.h"
#include "model/PictureSaveSession.h"
#include "platform/Archive.h"
#include "platform/Prompt.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

using BenchCourse::Best;
using BenchCourse::TimeMs;

// A text box entry with `links` links. intact: every link between its hidden markers, numbered as the
// current schema stores them. Otherwise each link has lost its closing marker (a damaged file): loading
// puts every one back.
QByteArray BoxWithLinks(int links, bool intact)
{
    QString plain;
    std::vector<std::pair<int, int>> hidden;
    for (int i = 0; i < links; ++i) {
        const int open = int(plain.size());
        plain += CURLLink::OpeningMarker(i) + QStringLiteral("link") + (intact ? CURLLink::ClosingMarker(i) : QString());
        hidden.emplace_back(open, open + 6);
        if (intact)
            hidden.emplace_back(int(plain.size()) - 6, int(plain.size()));
        plain += QStringLiteral(" and some words between links. ");
    }
    CComponentTextbox box;
    box.GetRichText().ReplaceAll(plain);
    for (const auto &[start, end] : hidden)
        box.GetRichText().HideRange(start, end);
    for (int i = 0; i < links; ++i)
        box.GetContent().AppendLink(std::make_unique<CURLLink>(QStringLiteral("link"), i, -1, 0, -1,
                                                               QStringLiteral("https://example.org/"), 0, 0, 0,
                                                               100, 250));
    // Written without the repair a store makes, so the damage reaches the reader.
    CArchive ar;
    ar.WriteInt(ct_textbox);
    ar.WriteRect(CRect(36, 32, 520, 332));
    ar.WriteString(QStringLiteral("tb1.rtf"));
    box.GetContent().StoreLinks(ar);
    ar.WriteInt(0);
    ar.WriteString(box.GetRichText().GetRtf());
    return ar.GetBuffer();
}

std::unique_ptr<CComponentBase> LoadEntry(const QByteArray &bytes, const QString &path, int schema)
{
    CArchive ar(bytes);
    ar.SetFilePath(path);
    return CComponentFactory::LoadComponent(ar, {schema});
}

void BenchLinks()
{
    for (bool intact : {true, false}) {
        const QByteArray bytes = BoxWithLinks(CRichTextLinks::kMaxLinkNumber, intact);
        std::unique_ptr<CComponentBase> box;
        const double load = TimeMs([&] { box = LoadEntry(bytes, QString(), ProjectSchema::kCurrent); });
        CArchive out;
        const double save = TimeMs([&] { box->SerializeEntry(out); });
        std::printf("text box, %d links%s: load %8.2f ms, save %8.2f ms\n", CRichTextLinks::kMaxLinkNumber,
                    intact ? "" : " without closing markers", load, save);
    }
}

// A table of an old project (cells in files of their own): 100 x 100 cells in a record of a few dozen bytes,
// in a project whose Rtfs folder holds 2,000 files of which only some are the table's.
void BenchOldTable(const QString &folder)
{
    QDir().mkpath(folder + QStringLiteral("/Course/Rtfs"));
    for (int i = 0; i < 2000; ++i) {
        QFile f(folder + QStringLiteral("/Course/Rtfs/") +
                (i % 2 ? QStringLiteral("other_%1.rtf").arg(i) : QStringLiteral("T1_%1.RTF").arg(i)));
        if (f.open(QIODevice::WriteOnly))
            f.write("{\\rtf1 cell}");
    }
    CArchive ar;
    ar.WriteInt(ct_table);
    ar.WriteRect(CRect(0, 0, 484, 300));
    ar.WriteString(QStringLiteral("t1"));
    ar.WriteInt(100);
    ar.WriteInt(100);
    ar.WriteInt(1);
    ar.WriteCount(0);
    std::unique_ptr<CComponentBase> table;
    const double load =
        TimeMs([&] { table = LoadEntry(ar.GetBuffer(), folder + QStringLiteral("/Course.kvx"),
                                             ProjectSchema::kRtfInArchive - 1); });
    CArchive out;
    const double save = TimeMs([&] { table->SerializeEntry(out); });
    std::printf("old table of 10,000 cells (%lld-byte record), 2,000 files in its folder: load %8.2f ms, "
                "save %8.2f ms (%lld bytes)\n",
                static_cast<long long>(ar.GetBuffer().size()), load, save,
                static_cast<long long>(out.GetBuffer().size()));
}

struct CourseFigures {
    int screens = 0;
    qint64 bytes = 0;
    double firstSave = 0, laterSave = 0, open = 0, freshOpen = 0, streamWrite = 0, streamRead = 0, copy = 0;
    // Peak resident memory in MB of a fresh process that builds the course and saves it, and of one that
    // opens the saved course and saves it.
    double builtPeakMb = 0, openedPeakMb = 0;
};

// Opens the project in a child process of this bench, as an author's first open meets it: a fresh heap, no
// memory left over from earlier runs. The child's own figure in ms; negative when it failed.
double OpenInChild(const QString &project, int screens)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--open-child"), project, QString::number(screens)});
    if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        return -1;
    bool ok = false;
    const double ms = QString::fromLatin1(child.readAllStandardOutput()).trimmed().toDouble(&ok);
    return ok ? ms : -1;
}

// The child's side: opens the project once and prints the time it took.
int OpenChild(const QString &project, int screens)
{
    CCorvessaDoc doc(CCorvContext::Empty());
    bool opened = false;
    const double ms = TimeMs([&] { opened = CProjectFile::Open(doc, project).Ok(); });
    if (!opened || doc.MainScreens().size() != size_t(screens))
        return 1;
    std::printf("%.3f\n", ms);
    return 0;
}

// The peak resident memory of this process in MB, as the kernel counts it.
double PeakResidentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

// A child's side of the memory figures: "built" makes the course from its pictures and saves it as the
// project; "opened" opens the project and saves it. Prints the peak resident memory in MB.
int MemoryChild(const QString &how, const QString &pictures, const QString &project, int screens)
{
    CCorvessaDoc doc(CCorvContext::Empty());
    if (how == QStringLiteral("built"))
        BenchCourse::Fill(doc, screens, pictures);
    else if (!CProjectFile::Open(doc, project).Ok() || doc.MainScreens().size() != size_t(screens))
        return 1;
    if (!CProjectFile::Save(doc, project).Ok())
        return 1;
    std::printf("%.1f\n", PeakResidentMb());
    return 0;
}

double MemoryInChild(const QString &how, const QString &pictures, const QString &project, int screens)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--memory-child"), how, pictures, project, QString::number(screens)});
    if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        return -1;
    bool ok = false;
    const double mb = QString::fromLatin1(child.readAllStandardOutput()).trimmed().toDouble(&ok);
    return ok ? mb : -1;
}

// Fresh processes, so that each peak is its own: the course built in memory and saved, then the same
// course opened from that file and saved.
bool MeasureMemory(const QString &folder, int screens, CourseFigures &figures)
{
    const QString project = folder + QStringLiteral("/memory/Course.kvx");
    QDir().mkpath(folder + QStringLiteral("/memory"));
    figures.builtPeakMb = MemoryInChild(QStringLiteral("built"), folder + QStringLiteral("/pictures"), project, screens);
    figures.openedPeakMb = MemoryInChild(QStringLiteral("opened"), QString(), project, screens);
    QDir(folder + QStringLiteral("/memory")).removeRecursively();
    return figures.builtPeakMb > 0 && figures.openedPeakMb > 0;
}

// The course saved for the first time into a new project folder (a course built anew each run, so that
// every first save starts from the author's own pictures), saved again, and opened; QDataStream writing
// and reading as many bytes as the project file holds.
bool MeasureCourse(const QString &folder, int screens, int runs, CourseFigures &figures)
{
    const QString pictures = folder + QStringLiteral("/pictures");
    if (!BenchCourse::WritePictures(pictures, screens))
        return false;
    figures.screens = screens;
    std::vector<double> first, later, open, fresh, write, read, copies;
    for (int run = 0; run < runs; ++run) {
        const QString project = folder + QStringLiteral("/run%1/Course.kvx").arg(run);
        QDir().mkpath(folder + QStringLiteral("/run%1").arg(run));
        {
            CCorvessaDoc doc(CCorvContext::Empty());
            BenchCourse::Fill(doc, screens, pictures);
            bool saved = false;
            first.push_back(TimeMs([&] { saved = CProjectFile::Save(doc, project).Ok(); }));
            if (!saved)
                return false;
            later.push_back(TimeMs([&] { saved = CProjectFile::Save(doc, project).Ok(); }));
            if (!saved)
                return false;
        }
        figures.bytes = QFile(project).size();
        // The floor of writing the file: the cp program copying it.
        copies.push_back(TimeMs([&] {
            QProcess::execute(QStringLiteral("cp"), {project, project + QStringLiteral(".copy")});
        }));
        QFile::remove(project + QStringLiteral(".copy"));
        {
            CCorvessaDoc reread(CCorvContext::Empty());
            bool opened = false;
            open.push_back(TimeMs([&] { opened = CProjectFile::Open(reread, project).Ok(); }));
            if (!opened || reread.MainScreens().size() != size_t(screens))
                return false;
        }
        fresh.push_back(OpenInChild(project, screens));
        if (fresh.back() < 0)
            return false;
        QDir(folder + QStringLiteral("/run%1").arg(run)).removeRecursively();

        // As many bytes through QDataStream: strings of the length a text box's rich text has.
        QByteArray stream;
        const QString text(400, u'x');
        write.push_back(TimeMs([&] {
            QDataStream out(&stream, QIODevice::WriteOnly);
            for (qint64 written = 0; written < figures.bytes; written += 4 + 4 + 2 * text.size())
                out << qint32(written) << text;
        }));
        read.push_back(TimeMs([&] {
            QDataStream in(stream);
            qint32 n;
            QString s;
            while (!in.atEnd())
                in >> n >> s;
        }));
    }
    figures.firstSave = Best(first);
    figures.laterSave = Best(later);
    figures.open = Best(open);
    figures.freshOpen = Best(fresh);
    figures.streamWrite = Best(write);
    figures.streamRead = Best(read);
    figures.copy = Best(copies);
    return MeasureMemory(folder, screens, figures);
}

void PrintCourses(const std::vector<CourseFigures> &sizes, int runs)
{
    std::printf("course of 16 text boxes, a table, a 200 x 150 PNG, a button and a rectangle per screen "
                "(best of %d runs; ms per screen, and in brackets QDataStream on as many bytes; open: in this "
                "process after earlier runs, and in a fresh process of its own)\n", runs);
    std::printf("%10s %12s %22s %22s %22s %22s\n", "screens", "file MB", "first save", "later save", "open",
                "open, fresh process");
    for (const CourseFigures &f : sizes) {
        const double n = f.screens;
        std::printf("%10d %12.1f %10.3f (%8.4f) %10.3f (%8.4f) %10.3f (%8.4f) %10.3f (%8.4f)\n", f.screens,
                    double(f.bytes) / 1e6, f.firstSave / n, f.streamWrite / n, f.laterSave / n, f.streamWrite / n,
                    f.open / n, f.streamRead / n, f.freshOpen / n, f.streamRead / n);
    }
    std::printf("%10s %14s %24s %24s %8s\n", "screens", "cp of the file", "peak MB, built + saved",
                "peak MB, opened + saved", "ratio");
    for (const CourseFigures &f : sizes)
        std::printf("%10d %11.1f ms %24.1f %24.1f %8.2f\n", f.screens, f.copy, f.builtPeakMb, f.openedPeakMb,
                    f.builtPeakMb / f.openedPeakMb);
    if (sizes.size() > 1) {
        const CourseFigures &a = sizes.front(), &b = sizes.back();
        const auto growth = [&](double x, double y) { return (y / b.screens) / (x / a.screens); };
        std::printf("time per screen at %d over %d screens: first save %.2f, later save %.2f, open %.2f, "
                    "open in a fresh process %.2f\n",
                    b.screens, a.screens, growth(a.firstSave, b.firstSave), growth(a.laterSave, b.laterSave),
                    growth(a.open, b.open), growth(a.freshOpen, b.freshOpen));
    }
}

// The archive stream and QDataStream writing and reading the same values: an int and a string of a text
// box's length, as a project holds them, to some 64 MB.
void BenchStreams(int runs)
{
    std::vector<QString> texts;
    for (int i = 0; i < 64; ++i)
        texts.push_back(QStringLiteral("{\\rtf1\\ansi text box %1 ").arg(i) + QString(300 + i * 7, QChar(u'a' + i % 26)) +
                        u'}');
    constexpr int kValues = 80000;
    std::vector<double> archiveWrite, archiveRead, streamWrite, streamRead;
    qint64 archiveBytes = 0, streamBytes = 0;
    for (int run = 0; run < runs; ++run) {
        QByteArray bytes;
        archiveWrite.push_back(TimeMs([&] {
            CArchive ar;
            for (int i = 0; i < kValues; ++i) {
                ar.WriteInt(i);
                ar.WriteString(texts[size_t(i) % texts.size()]);
            }
            bytes = ar.GetBuffer();
        }));
        archiveBytes = bytes.size();
        archiveRead.push_back(TimeMs([&] {
            CArchive ar(bytes);
            qint64 sum = 0;
            for (int i = 0; i < kValues; ++i) {
                sum += ar.ReadInt();
                sum += ar.ReadString().size();
            }
            if (sum == 0)
                std::printf("nothing read\n");
        }));
        QByteArray stream;
        streamWrite.push_back(TimeMs([&] {
            QDataStream out(&stream, QIODevice::WriteOnly);
            out.setByteOrder(QDataStream::LittleEndian);
            for (int i = 0; i < kValues; ++i)
                out << qint32(i) << texts[size_t(i) % texts.size()];
        }));
        streamBytes = stream.size();
        streamRead.push_back(TimeMs([&] {
            QDataStream in(stream);
            in.setByteOrder(QDataStream::LittleEndian);
            qint64 sum = 0;
            qint32 n;
            QString s;
            for (int i = 0; i < kValues; ++i) {
                in >> n >> s;
                sum += n + s.size();
            }
            if (sum == 0)
                std::printf("nothing read\n");
        }));
    }
    const auto rate = [](qint64 bytes, double ms) { return double(bytes) / 1e3 / ms; };
    std::printf("stream of %d ints and strings (best of %d): archive %.1f MB, QDataStream %.1f MB\n", kValues, runs,
                double(archiveBytes) / 1e6, double(streamBytes) / 1e6);
    std::printf("  write: archive %8.1f MB/s   QDataStream %8.1f MB/s   (archive %.2f of QDataStream)\n",
                rate(archiveBytes, Best(archiveWrite)), rate(streamBytes, Best(streamWrite)),
                rate(archiveBytes, Best(archiveWrite)) / rate(streamBytes, Best(streamWrite)));
    std::printf("  read:  archive %8.1f MB/s   QDataStream %8.1f MB/s   (archive %.2f of QDataStream)\n",
                rate(archiveBytes, Best(archiveRead)), rate(streamBytes, Best(streamRead)),
                rate(archiveBytes, Best(archiveRead)) / rate(streamBytes, Best(streamRead)));
}

// One save giving out names for many pictures that all want the same name, against as many distinct names.
void BenchPictureNames()
{
    constexpr int kPictures = 8000;
    const QString folder = QStringLiteral("/course/Images");
    const double same = TimeMs([&] {
        CPictureSaveSession session;
        for (int i = 0; i < kPictures; ++i)
            session.ClaimName(folder, QStringLiteral("photo.png"), QStringLiteral("/pictures/%1/photo.png").arg(i));
    });
    const double distinct = TimeMs([&] {
        CPictureSaveSession session;
        for (int i = 0; i < kPictures; ++i)
            session.ClaimName(folder, QStringLiteral("photo%1.png").arg(i), QStringLiteral("/pictures/%1.png").arg(i));
    });
    std::printf("picture names for %d pictures: one name %8.2f ms   distinct names %8.2f ms\n", kPictures, same,
                distinct);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QStringLiteral("--open-child"))
        return OpenChild(args[2], args[3].toInt());
    if (args.size() == 6 && args[1] == QStringLiteral("--memory-child"))
        return MemoryChild(args[2], args[3], args[4], args[5].toInt());
    // --large adds the course of 10,000 screens; --runs N sets the runs of each size (3).
    const bool large = args.contains(QStringLiteral("--large"));
    int runs = 3;
    if (const qsizetype at = args.indexOf(QStringLiteral("--runs")); at >= 0 && at + 1 < args.size())
        runs = std::max(1, args[at + 1].toInt());
    QTemporaryDir dir;

    std::vector<CourseFigures> sizes;
    for (int screens : large ? std::vector<int>{1000, 10000} : std::vector<int>{1000}) {
        CourseFigures figures;
        if (!MeasureCourse(dir.path() + QStringLiteral("/course%1").arg(screens), screens, runs,
                           figures)) {
            std::printf("the course of %d screens could not be saved and opened\n", screens);
            return 1;
        }
        sizes.push_back(figures);
    }
    PrintCourses(sizes, runs);
    BenchStreams(runs);
    BenchPictureNames();
    BenchLinks();
    BenchOldTable(dir.path() + QStringLiteral("/old"));
    return 0;
}
