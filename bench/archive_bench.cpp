// Saves and loads a course of 1,000 screens with 20 components each, and prints the times beside those
// of writing and reading the same number of bytes with plain file calls. Then the large and hostile
// records: text boxes at the link limit, and an old project's table whose cells lie in files.

#include "document/CorvessaDoc.h"
#include "model/ComponentButton.h"
#include "model/ComponentFactory.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/ComponentEllipse.h"
#include "model/ComponentLine.h"
#include "model/ComponentLink.h"
#include "model/ComponentRectangle.h"
#include "model/CorvPage.h"
#include "platform/Archive.h"
#include "platform/Prompt.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

namespace {

constexpr int kScreens = 1000;
constexpr int kComponentsPerScreen = 20;
constexpr int kRuns = 5;

std::unique_ptr<CComponentBase> MakeComponent(int screen, int n)
{
    const CRect bounds{36 + n * 10, 32 + n * 5, 200 + n * 10, 120 + n * 5};
    std::unique_ptr<CComponentBase> c;
    switch (n % 5) {
    case 0: {
        auto b = std::make_unique<CComponentButton>();
        b->SetText(QStringLiteral("Button %1.%2").arg(screen).arg(n));
        c = std::move(b);
        break;
    }
    case 1: {
        auto l = std::make_unique<CComponentLink>();
        l->SetText(QStringLiteral("See screen %1").arg(screen + 1));
        l->SetTargetLabel(QString::number(screen + 1));
        c = std::move(l);
        break;
    }
    case 2:
        c = std::make_unique<CComponentRectangle>();
        break;
    case 3:
        c = std::make_unique<CComponentEllipse>();
        break;
    default:
        c = std::make_unique<CComponentLine>();
        break;
    }
    c->SetBounds(bounds, false);
    return c;
}

void FillCourse(CCorvessaDoc &doc)
{
    doc.OnNewDocument();
    doc.CourseName = QStringLiteral("Benchmark course");
    for (int s = 0; s < kScreens; ++s) {
        auto page = std::make_unique<CCorvPage>(doc.TakeNextScreenNumber(), QStringLiteral("Screen title %1").arg(s),
                                                QStringLiteral("Banner %1").arg(s), QStringLiteral("source.docx"), 0,
                                                QString::number(s + 1), s == 0 ? 0 : 2, -1);
        for (int n = 0; n < kComponentsPerScreen; ++n)
            page->AddComponent(MakeComponent(s, n), CPrompt::Plain());
        doc.MainScreenList.push_back(std::move(page));
    }
}

double Best(const std::vector<double> &ms)
{
    double best = ms.front();
    for (double v : ms)
        best = std::min(best, v);
    return best;
}

template <class Work>
double TimeMs(Work work)
{
    QElapsedTimer t;
    t.start();
    work();
    return double(t.nsecsElapsed()) / 1e6;
}

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

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString project = dir.path() + QStringLiteral("/Course.kvx");
    const QString plain = dir.path() + QStringLiteral("/plain.bin");

    CCorvessaDoc doc(CCorvContext::Empty());
    FillCourse(doc);

    std::vector<double> save, load, write, read;
    qint64 bytes = 0;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer t;
        t.start();
        if (!doc.OnSaveDocument(project))
            return 1;
        save.push_back(double(t.nsecsElapsed()) / 1e6);
        bytes = QFile(project).size();

        CCorvessaDoc reread(CCorvContext::Empty());
        t.restart();
        if (!reread.OnOpenDocument(project) || reread.MainScreenList.size() != size_t(kScreens))
            return 1;
        load.push_back(double(t.nsecsElapsed()) / 1e6);

        // The same number of bytes with plain file calls.
        std::vector<char> buffer(size_t(bytes), 'x');
        t.restart();
        FILE *out = std::fopen(plain.toLocal8Bit().constData(), "wb");
        if (!out || std::fwrite(buffer.data(), 1, buffer.size(), out) != buffer.size())
            return 1;
        std::fclose(out);
        write.push_back(double(t.nsecsElapsed()) / 1e6);
        t.restart();
        FILE *in = std::fopen(plain.toLocal8Bit().constData(), "rb");
        if (!in || std::fread(buffer.data(), 1, buffer.size(), in) != buffer.size())
            return 1;
        std::fclose(in);
        read.push_back(double(t.nsecsElapsed()) / 1e6);
    }

    std::printf("course: %d screens x %d components, project file %lld bytes (best of %d runs)\n", kScreens,
                kComponentsPerScreen, static_cast<long long>(bytes), kRuns);
    std::printf("save project   %8.2f ms    plain write %8.2f ms\n", Best(save), Best(write));
    std::printf("load project   %8.2f ms    plain read  %8.2f ms\n", Best(load), Best(read));

    BenchLinks();
    BenchOldTable(dir.path() + QStringLiteral("/old"));
    return 0;
}
