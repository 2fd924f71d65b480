#include "app/ui/controls/AspectKeeperRectTracker.h"
#include "dialogs/ui/DlgKenBurnsEffect.h"
#include "dialogs/ui/KBImageWnd.h"
#include "platform/RecordingPrompt.h"
#include "support/TempTree.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

// A picture of the size given: a gradient, so that a marker's white shows what lies beneath.
QString WritePicture(const TempTree &tree, const QString &name, int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    QPainter p(&picture);
    QLinearGradient gradient(0, 0, width, height);
    gradient.setColorAt(0, QColor(30, 90, 160));
    gradient.setColorAt(1, QColor(230, 200, 120));
    p.fillRect(picture.rect(), gradient);
    p.end();
    const QString path = tree / name;
    QDir().mkpath(QFileInfo(path).path());
    EXPECT_TRUE(picture.save(path));
    return path;
}

// The editor shown over a picture, with its messages recorded.
struct Editor {
    TempTree tree;
    CRecordingPrompt prompt;
    CDlgKenBurnsEffect dialog;

    explicit Editor(int width = 400, int height = 200, const std::function<void(KenBurnsValues &)> &preset = {})
    {
        dialog.prompt = &prompt;
        dialog.values.pictureFile = WritePicture(tree, "pictures/photo.png", width, height);
        if (preset)
            preset(dialog.values);
        dialog.ShowValues();
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }
    CKBImageWnd &Picture() const { return *dialog.PictureWindow(); }
    // On the indicator: a radio button or check box answers only over its indicator and its text.
    void Click(QAbstractButton *button)
    {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    void Type(QLineEdit *box, const QString &text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Tab);
    }
    void ChooseMarkerCount(int count)
    {
        QComboBox *list = dialog.MarkerCountList();
        list->setFocus();
        // Picked from the list at once, as the mouse picks an entry.
        ASSERT_TRUE(list->isEnabled());
        list->setCurrentIndex(count - 1);
        emit list->activated(count - 1);
    }
    // Drags marker i (from 0) by its point to where the picture area's point is.
    void DragMarker(int i, const QPoint &to)
    {
        CWndPanMarker *marker = Picture().Marker(i);
        ASSERT_NE(marker, nullptr);
        QTest::mousePress(marker, Qt::LeftButton, {}, QPoint(14, 14));
        QTest::mouseMove(marker, marker->mapFromParent(to));
        QTest::mouseRelease(marker, Qt::LeftButton, {}, marker->mapFromParent(to));
    }
    // Drags a point of the picture area (a marquee handle, or inside it) to another.
    void DragInPicture(const QPoint &from, const QPoint &to)
    {
        QTest::mousePress(&Picture(), Qt::LeftButton, {}, from);
        QTest::mouseMove(&Picture(), (from + to) / 2);
        QTest::mouseMove(&Picture(), to);
        QTest::mouseRelease(&Picture(), Qt::LeftButton, {}, to);
    }
};

} // namespace

// Guards the controls the editor offers as the author goes through the effects: an automated pan times
// itself from its markers (and its length cannot be typed over), scroll-bar panning and "None" take the
// timings away, and a mouse click that starts the animation leaves nothing to wait for.
TEST(KenBurnsEditor, ControlsFollowTheAuthorsChoices)
{
    Editor e;
    CDlgKenBurnsEffect &d = e.dialog;
    EXPECT_TRUE(d.EffectButton(KenBurns::effectNone)->isChecked());
    EXPECT_EQ(d.Instruction()->text(), QString());
    for (QWidget *w : std::initializer_list<QWidget *>{d.TimeToCompleteBox(), d.WaitBeforeBox(), d.MarkerCountList(),
                                                       d.TitleBox(), d.WaitAtEachMarkerBox(), d.TimeToEachMarkerBox(),
                                                       d.UserClickBox(), d.AccelerationButton(0), d.PanModeButton(2)})
        EXPECT_FALSE(w->isEnabled()) << qPrintable(w->objectName());

    e.Click(d.EffectButton(KenBurns::effectPan));
    e.Click(d.PanModeButton(KenBurns::panAutomated));
    e.ChooseMarkerCount(3);
    e.Type(d.TimeToEachMarkerBox(), "2.0");
    e.Type(d.WaitAtEachMarkerBox(), "1.5");
    EXPECT_EQ(d.TimeToCompleteBox()->text(), QStringLiteral("9"));
    EXPECT_FALSE(d.TimeToCompleteBox()->isEnabled());
    EXPECT_TRUE(d.WaitAtEachMarkerBox()->isEnabled());
    EXPECT_TRUE(d.Instruction()->text().startsWith("Instruction:\nPosition the markers"));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(e.Picture().Marker(i) && e.Picture().Marker(i)->isVisible()) << i;

    e.Click(d.PanModeButton(KenBurns::panScroll));
    for (QWidget *w : std::initializer_list<QWidget *>{d.MarkerCountList(), d.WaitAtEachMarkerBox(),
                                                       d.TimeToEachMarkerBox(), d.WaitBeforeBox(), d.UserClickBox(),
                                                       d.TimeToCompleteBox()})
        EXPECT_FALSE(w->isEnabled()) << qPrintable(w->objectName());
    EXPECT_EQ(d.Instruction()->text(), QStringLiteral("Instruction:\nResize the marquee to set the size of the graphic."));
    EXPECT_FALSE(e.Picture().Marker(0)->isVisible()) << "markers belong to automated panning only";

    e.Click(d.EffectButton(KenBurns::effectZoomIn));
    EXPECT_TRUE(d.WaitBeforeBox()->isEnabled());
    EXPECT_FALSE(d.PanModeButton(0)->isEnabled());
    e.Click(d.UserClickBox());
    EXPECT_FALSE(d.WaitBeforeBox()->isEnabled());
    e.Click(d.UserClickBox());
    EXPECT_TRUE(d.WaitBeforeBox()->isEnabled());

    // Fading shows neither the marquee nor the markers.
    e.Click(d.EffectButton(KenBurns::effectFadeIn));
    EXPECT_FALSE(e.Picture().ShowsMarquee());
    EXPECT_FALSE(e.Picture().Marker(0)->isVisible());

    e.Click(d.HelpButton(KenBurns::helpAcceleration));
    EXPECT_EQ(e.prompt.Texts(), QStringList{KenBurns::HelpText(KenBurns::helpAcceleration)});
}

// Guards the marquee of a picture that has none, and its shape: the default is two fifths of the picture
// 10 pixels in, only corners are offered, a dragged corner keeps the picture's proportions, and OK gives
// it back relative to the picture's left edge.
TEST(KenBurnsEditor, MarqueeStartsAtTheDefaultAndKeepsThePicturesShape)
{
    Editor e(400, 200, [](KenBurnsValues &v) { v.effect = KenBurns::effectZoomIn; });
    const CRect image = e.Picture().ImageRect();
    EXPECT_EQ(image, CRect(50, 0, 450, 200));
    EXPECT_EQ(e.Picture().GetPartRect(), CRect(60, 10, 220, 90));
    EXPECT_EQ(e.Picture().Tracker().GetHandleMask(), 0x0Fu) << "corner handles only";

    e.DragInPicture(QPoint(219, 89), QPoint(259, 89));
    const CRect m = e.Picture().GetPartRect();
    EXPECT_EQ(m.left, 60);
    EXPECT_EQ(m.top, 10);
    EXPECT_EQ(m.Width(), 200);
    EXPECT_EQ(m.Height(), 100) << "the height follows the picture's 2:1 shape";

    // Moved by its middle past the picture's edge, it comes back inside.
    e.DragInPicture(QPoint(150, 50), QPoint(20, 50));
    EXPECT_EQ(e.Picture().GetPartRect(), CRect(50, 10, 250, 110));

    // From the keyboard: the arrows move it (never off the picture), Shift and the arrows resize it in shape.
    e.Picture().setFocus();
    QTest::keyClick(&e.Picture(), Qt::Key_Left);
    EXPECT_EQ(e.Picture().GetPartRect(), CRect(50, 10, 250, 110));
    QTest::keyClick(&e.Picture(), Qt::Key_Down);
    EXPECT_EQ(e.Picture().GetPartRect(), CRect(50, 11, 250, 111));
    QTest::keyClick(&e.Picture(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(e.Picture().GetPartRect(), CRect(50, 11, 254, 113));

    QTest::mouseClick(e.dialog.OkButton(), Qt::LeftButton);
    ASSERT_EQ(e.dialog.result(), QDialog::Accepted);
    EXPECT_EQ(e.dialog.GetStartRect(), CRect(0, 11, 204, 113));
}

// Guards the markers: new ones go 44 pixels apart on the marquee's centre line, fewer markers destroy the
// extra ones, and a marker dragged past the picture's left edge stops half a marquee inside it.
TEST(KenBurnsEditor, MarkersAreLaidOutAndDraggedInsideThePicture)
{
    Editor e(400, 200, [](KenBurnsValues &v) {
        v.effect = KenBurns::effectPan;
        v.panMode = KenBurns::panAutomated;
    });
    const CRect image = e.Picture().ImageRect();
    const CRect m = e.Picture().GetPartRect(); // (60, 10, 220, 90): half 80 x 40
    e.ChooseMarkerCount(4);
    for (int i = 1; i < 4; ++i) {
        ASSERT_NE(e.Picture().Marker(i), nullptr);
        EXPECT_TRUE(e.Picture().Marker(i)->isVisible());
        EXPECT_EQ(e.Picture().GetMarkerRect(i).top, m.top + m.Height() / 2);
        EXPECT_EQ(e.Picture().GetMarkerRect(i).left, image.left + m.Width() / 2 + 29 + 44 * (i - 1));
    }
    e.ChooseMarkerCount(2);
    EXPECT_EQ(e.Picture().Marker(2), nullptr);
    EXPECT_EQ(e.Picture().Marker(3), nullptr);
    EXPECT_NE(e.Picture().Marker(1), nullptr);

    e.DragMarker(1, QPoint(5, 100));
    EXPECT_EQ(e.Picture().Marker(1)->MarkerRect().left, image.left + m.Width() / 2);
    EXPECT_EQ(e.Picture().Marker(1)->geometry().left(), image.left + m.Width() / 2);
    e.DragMarker(0, QPoint(300, 120));
    EXPECT_EQ(e.Picture().Marker(0)->MarkerRect(), CRect(286, 106, 315, 153));

    // The arrow keys move the marker that has the focus, within the same bounds.
    e.Picture().Marker(0)->setFocus();
    QTest::keyClick(e.Picture().Marker(0), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(e.Picture().Marker(0)->MarkerRect(), CRect(276, 106, 305, 153));

    QTest::mouseClick(e.dialog.OkButton(), Qt::LeftButton);
    ASSERT_EQ(e.dialog.result(), QDialog::Accepted);
    EXPECT_EQ(e.dialog.values.markerCount, 2);
    EXPECT_EQ(e.dialog.GetKeyFrame(0), CRect(226, 106, 255, 153));
    EXPECT_EQ(e.dialog.GetKeyFrame(1), CRect(80, 86, 109, 133));
}

// Guards the rectangles of a picture still in its own coordinates: a 300 x 200 picture shown 450 wide
// scales them by 1.5 for display and they come back in the display's scale with only the offset taken off;
// a picture of no size (its file unreadable) is not scaled at all and the editor still works.
TEST(KenBurnsEditor, StoredRectanglesAreScaledToThePictureShown)
{
    const auto preset = [](const CRect &component) {
        return [component](KenBurnsValues &v) {
            v.effect = KenBurns::effectPan;
            v.panMode = KenBurns::panAutomated;
            v.componentRect = component;
            v.rescale = 1;
            v.SetKeyFrame(CRect(100, 60, 129, 107), 0);
            v.SetStartRect(CRect(10, 10, 110, 70));
        };
    };
    {
        Editor e(450, 300, preset(CRect(200, 100, 500, 300)));
        EXPECT_EQ(e.Picture().ImageRect(), CRect(25, 0, 475, 300));
        EXPECT_EQ(e.Picture().GetMarkerRect(0), CRect(175, 90, 218, 160));
        EXPECT_EQ(e.Picture().GetPartRect(), CRect(40, 15, 190, 105));
        QTest::mouseClick(e.dialog.OkButton(), Qt::LeftButton);
        ASSERT_EQ(e.dialog.result(), QDialog::Accepted);
        EXPECT_EQ(e.dialog.GetKeyFrame(0), CRect(150, 90, 193, 160));
        EXPECT_EQ(e.dialog.GetStartRect(), CRect(15, 15, 165, 105));
    }
    {
        // Without a marquee of its own the picture gets the default one, already in the area's scale.
        Editor e(450, 300, [&](KenBurnsValues &v) {
            preset(CRect(200, 100, 500, 300))(v);
            v.SetStartRect(CRect());
        });
        EXPECT_EQ(e.Picture().GetPartRect(), CRect(35, 10, 215, 130));
    }
    {
        Editor e(450, 300, [&](KenBurnsValues &v) {
            preset(CRect(200, 100, 200, 100))(v);
            v.pictureFile = QStringLiteral("/nonexistent/missing.png");
        });
        EXPECT_TRUE(e.Picture().Bitmap().isNull());
        QTest::mouseClick(e.dialog.OkButton(), Qt::LeftButton);
        ASSERT_EQ(e.dialog.result(), QDialog::Accepted);
        EXPECT_EQ(e.dialog.GetKeyFrame(0), CRect(100, 60, 129, 107));
        EXPECT_EQ(e.dialog.GetStartRect(), CRect(10, 10, 110, 70));
    }
}

// Guards OK against a time that is not a number: the pattern's message, the dialog stays open and the
// values keep what they held.
TEST(KenBurnsEditor, ATimeThatIsNoNumberKeepsTheDialogOpen)
{
    Editor e(400, 200, [](KenBurnsValues &v) { v.effect = KenBurns::effectZoomOut; });
    e.dialog.TimeToCompleteBox()->setText(QStringLiteral("soon"));
    QTest::mouseClick(e.dialog.OkButton(), Qt::LeftButton);
    EXPECT_TRUE(e.dialog.isVisible());
    EXPECT_EQ(e.dialog.result(), 0);
    EXPECT_EQ(e.prompt.Texts(), QStringList{QStringLiteral("Please enter a number.")});
    EXPECT_FLOAT_EQ(e.dialog.values.timeToComplete, 6.0f);
    e.dialog.TimeToCompleteBox()->setText(QStringLiteral("4.5"));
    QTest::mouseClick(e.dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(e.dialog.result(), QDialog::Accepted);
    EXPECT_FLOAT_EQ(e.dialog.values.timeToComplete, 4.5f);
}
