// Opens a course of 1,000 screens of 20 components each with the Edit window watching the document (its
// thumbnails, outline and first screen made ready and painted), then scrolls the thumbnail list from top to
// bottom a page at a time, painting each page. Prints both times beside the document's open of the same
// project without a window. Run with QT_QPA_PLATFORM=offscreen where there is no display.

#include "BenchCourse.h"
#include "document/ProjectFile.h"
#include "editor/ui/DragDropListCtrl.h"
#include "editor/ui/EditFrmVw.h"

#include <QApplication>
#include <QScrollBar>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kScreens = 1000;
constexpr int kRuns = 3;

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
    std::vector<double> open, openInWindow, scroll;
    int pages = 0;
    int drawn = 0;
    for (int run = 0; run < kRuns; ++run) {
        CCorvessaDoc doc(CCorvContext::Empty());
        CEditFrmVw view(doc);
        view.resize(1200, 800);
        view.show();
        QApplication::processEvents();
        openInWindow.push_back(BenchCourse::TimeMs([&] {
            CProjectFile::Open(doc, project);
            doc.UpdateAllViews();
            view.repaint();
            QApplication::processEvents();
        }));
        CDragDropListCtrl *list = view.ThumbnailList();
        QScrollBar *bar = list->verticalScrollBar();
        pages = 0;
        scroll.push_back(BenchCourse::TimeMs([&] {
            for (int value = bar->minimum(); value <= bar->maximum(); value += bar->pageStep()) {
                bar->setValue(value);
                list->viewport()->repaint();
                ++pages;
            }
            QApplication::processEvents();
        }));
        drawn = view.Controller().Thumbs().DrawCount();
        {
            CCorvessaDoc plain(CCorvContext::Empty());
            open.push_back(BenchCourse::TimeMs([&] { CProjectFile::Open(plain, project); }));
        }
        if (view.Controller().Thumbs().GetItemCount() != kScreens)
            std::printf("the thumbnail list holds %d items, not %d\n", view.Controller().Thumbs().GetItemCount(), kScreens);
    }
    std::printf("Edit window with a project of %d screens x 20 components (best of %d runs)\n", kScreens, kRuns);
    std::printf("open in the Edit window %8.1f ms   document open alone %8.1f ms\n", BenchCourse::Best(openInWindow),
                BenchCourse::Best(open));
    std::printf("scroll the thumbnails   %8.1f ms   (%d pages, %d pictures drawn)\n", BenchCourse::Best(scroll), pages,
                drawn);
    return 0;
}
