#include "AppFixture.h"

#include "platform/ui/CmdUIDialog.h"
#include "platform/ui/FolderDialog.h"
#include "app/ui/FontComboBox.h"
#include "app/ui/TrueColorToolBar.h"

#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A 24-bit bitmap stored bottom-up, as the tool-bar strips are: rows[0] is the top row.
QByteArray Bitmap24(const QList<QList<QRgb>> &rows)
{
    const int width = int(rows[0].size());
    const int height = int(rows.size());
    const int stride = (width * 3 + 3) & ~3;
    QByteArray pixels;
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row;
        for (QRgb c : rows[y])
            row.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c)));
        row.append(QByteArray(stride - row.size(), '\0'));
        pixels += row;
    }
    const auto le32 = [](qint32 v) { return QByteArray(reinterpret_cast<const char *>(&v), 4); };
    const auto le16 = [](qint16 v) { return QByteArray(reinterpret_cast<const char *>(&v), 2); };
    QByteArray bmp = "BM" + le32(54 + pixels.size()) + le32(0) + le32(54);
    bmp += le32(40) + le32(width) + le32(height) + le16(1) + le16(24) + le32(0) + le32(pixels.size()) + le32(2835)
           + le32(2835) + le32(0) + le32(0);
    return bmp + pixels;
}

constexpr QRgb M = 0xFFFF00FF; // the mask colour of the strip below
constexpr QRgb R = 0xFFC00000;
constexpr QRgb G = 0xFF00A000;

} // namespace

// Guards the true-colour bars: the strip's bottom-left pixel names the colour that is transparent in every
// look built from the strip, each picture is cut at the image width, and a missing hot strip gives no hot
// pictures while the buttons still get theirs.
TEST(TrueColorToolBar, MaskColourFromTheFirstStoredPixel)
{
    const QImage strip = QImage::fromData(Bitmap24({{R, M, G, G}, {M, R, M, G}, {M, M, G, M}}), "BMP");
    ASSERT_FALSE(strip.isNull());
    EXPECT_EQ(CTrueColorToolBar::MaskColourOf(strip) | 0xFF000000u, M);

    CTrueColorToolBar bar("test");
    QAction *first = bar.addAction("one");
    bar.addSeparator();
    QAction *second = bar.addAction("two");
    ASSERT_TRUE(bar.LoadToolBarImages(2, strip, strip, strip));
    for (QIcon::Mode mode : {QIcon::Normal, QIcon::Active, QIcon::Disabled}) {
        const QList<QPixmap> pictures = bar.Images(mode);
        ASSERT_EQ(pictures.size(), 2);
        const QImage left = pictures[0].toImage();
        const QImage right = pictures[1].toImage();
        EXPECT_EQ(qAlpha(left.pixel(1, 0)), 0);
        EXPECT_EQ(qAlpha(left.pixel(0, 2)), 0);
        EXPECT_EQ(left.pixel(0, 0), R);
        EXPECT_EQ(left.pixel(1, 1), R);
        EXPECT_EQ(right.pixel(0, 0), G);
        EXPECT_EQ(qAlpha(right.pixel(1, 2)), 0);
    }
    EXPECT_FALSE(first->icon().isNull());
    EXPECT_FALSE(second->icon().isNull());

    ASSERT_TRUE(bar.LoadToolBarImages(2, strip, QImage(), strip));
    EXPECT_TRUE(bar.Images(QIcon::Active).isEmpty());
    EXPECT_EQ(bar.Images(QIcon::Disabled).size(), 2);
    EXPECT_FALSE(second->icon().isNull());
    EXPECT_FALSE(bar.LoadToolBarImages(5, strip));
    EXPECT_FALSE(bar.LoadToolBarImages(2, QImage()));
}

// Guards the font-name box: one sorted entry per family, the stored name selected exactly (not a longer name
// that begins the same), and nothing selected in an empty list.
TEST(FontComboBox, ListsEachFamilyOnceSorted)
{
    CFontComboBox box;
    box.SetSelectedName("dejavu sans");
    const QStringList installed = {"Verdana", "DejaVu Sans Mono", "DejaVu Sans", "arial", "Arial", "DejaVu Sans"};
    for (int round = 0; round < 2; ++round) {
        box.FillFonts(installed);
        ASSERT_EQ(box.count(), 4);
        EXPECT_EQ(box.itemText(0), "arial");
        EXPECT_EQ(box.itemText(1), "DejaVu Sans");
        EXPECT_EQ(box.itemText(2), "DejaVu Sans Mono");
        EXPECT_EQ(box.currentText(), "DejaVu Sans");
    }
    box.FillFonts(QStringList{});
    EXPECT_EQ(box.count(), 0);
    EXPECT_EQ(box.currentIndex(), -1);

    // The installed fonts: every family the box lists is scalable (the test machine has Liberation fonts).
    CFontComboBox installedBox;
    installedBox.FillFonts();
    EXPECT_GT(installedBox.count(), 0);
}

// Guards the hover frame: entering starts tracking once and leaving ends it with one repaint; a box with the
// focus starts no tracking, and leaving after a hover that began before the focus does not repaint it cold.
TEST(FontComboBox, HoverAndFocus)
{
    CFontComboBox box;
    const QPointF inside(5, 5);
    QEnterEvent enter(inside, inside, inside);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&box, &enter);
    QApplication::sendEvent(&box, &enter);
    EXPECT_TRUE(box.IsTracking());
    EXPECT_TRUE(box.IsHot());
    EXPECT_EQ(box.HotRepaints(), 1);
    QApplication::sendEvent(&box, &leave);
    EXPECT_FALSE(box.IsTracking());
    EXPECT_FALSE(box.IsHot());
    EXPECT_EQ(box.ColdRepaints(), 1);

    QApplication::sendEvent(&box, &enter);
    QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&box, &focusIn);
    QApplication::sendEvent(&box, &leave);
    EXPECT_TRUE(box.IsHot());
    EXPECT_EQ(box.ColdRepaints(), 1);
    QApplication::sendEvent(&box, &enter);
    EXPECT_FALSE(box.IsTracking());
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&box, &focusOut);
    EXPECT_FALSE(box.IsHot());
    EXPECT_EQ(box.ColdRepaints(), 2);
}

// Guards the folder picker: Cancel leaves no path, OK gives the chosen one, and the picker opens at the
// initial folder under the title without the old dialogs' leading line break.
TEST(FolderDialog, OkAndCancel)
{
    CScriptedDialogs dialogs;
    CFolderDialog cancelled("\nPlease select the location of the graphics library:", "/srv/lib/", nullptr,
                            CFolderDialog::kBrowseFlags, &dialogs);
    EXPECT_EQ(cancelled.DoModal(), CFolderDialog::IDCANCEL);
    EXPECT_TRUE(cancelled.GetFolderPath().isEmpty());
    EXPECT_EQ(dialogs.asked, QStringList{"folder|Please select the location of the graphics library:|/srv/lib/"});

    dialogs.answers = {"/home/a/Library"};
    CFolderDialog chosen("Pick", "", nullptr, CFolderDialog::kBrowseFlags, &dialogs);
    EXPECT_EQ(chosen.DoModal(), CFolderDialog::IDOK);
    EXPECT_EQ(chosen.GetFolderPath(), "/home/a/Library");
    EXPECT_EQ(chosen.GetFlags(), 0x51u);
}

// Guards the dialogs whose controls follow update handlers: each handled control takes the state its
// handler gives when the dialog opens and after the author acts; a control without a handler keeps its own.
TEST(CmdUIDialog, HandlersSetTheirControlsOnly)
{
    CCmdUIDialog dialog;
    auto *option = new QCheckBox("option", &dialog);
    auto *apply = new QPushButton("apply", &dialog);
    auto *free = new QPushButton("free", &dialog);
    free->setEnabled(false);
    dialog.SetUpdateHandler(apply, [option](CCmdUI &ui) { ui.Enable(option->isChecked()); });
    dialog.SetUpdateHandler(option, [](CCmdUI &ui) { ui.SetText("option (handled)"); });
    dialog.show();
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_EQ(option->text(), "option (handled)");
    QTest::mouseClick(option, Qt::LeftButton);
    // The handlers run from the event loop: wait for the effect itself, never for a fixed time.
    EXPECT_TRUE(QTest::qWaitFor([apply] { return apply->isEnabled(); }));
    EXPECT_FALSE(free->isEnabled());
    free->setEnabled(true);
    dialog.UpdateDialogControls();
    EXPECT_TRUE(free->isEnabled());
}
