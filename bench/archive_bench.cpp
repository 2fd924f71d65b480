// Saves and loads a course of 1,000 screens with 20 components each, and prints the times beside those
// of writing and reading the same number of bytes with plain file calls.

#include "document/CorvessaDoc.h"
#include "model/ComponentButton.h"
#include "model/ComponentEllipse.h"
#include "model/ComponentLine.h"
#include "model/ComponentLink.h"
#include "model/ComponentRectangle.h"
#include "model/CorvPage.h"
#include "platform/Prompt.h"

#include <QCoreApplication>
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
    return 0;
}
