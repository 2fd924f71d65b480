#include "AppFixture.h"

#include "app/ui/controls/AspectKeeperRectTracker.h"
#include "app/ui/controls/ColourPopup.h"
#include "app/ui/controls/DropDownListCtrl.h"
#include "app/ui/controls/ImageStatic.h"
#include "app/ui/controls/InPlaceBrowseEditor.h"
#include "app/ui/controls/LineStylePopup.h"
#include "app/ui/controls/LineTracker.h"
#include "app/ui/controls/RolloverButton.h"
#include "app/ui/controls/SSplitter.h"
#include "platform/IniFile.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using namespace CorvColourPopup;

constexpr uint32_t kRed = 0x0000FF;

// A mouse event delivered straight to a widget at a point of its own.
void SendMouse(QWidget *widget, QEvent::Type type, const QPoint &at, Qt::MouseButton button = Qt::LeftButton,
               Qt::MouseButtons held = Qt::NoButton)
{
    const QPointF local(at);
    QMouseEvent event(type, local, QPointF(widget->mapToGlobal(at)), type == QEvent::MouseMove ? Qt::NoButton : button,
                      held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Runs the deferred deletions, so a popup that closed itself is gone.
void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// The host window popups open over, shown and active so keys and focus behave as on a desktop.
struct Host {
    QWidget window;
    bool active = false;
    Host()
    {
        window.resize(400, 300);
        window.show();
        window.activateWindow();
        active = QTest::qWaitForWindowActive(&window);
        EXPECT_TRUE(active);
    }
};

} // namespace

// Guards picking a colour with the mouse: the highlight follows the pointer cell by cell, and the release
// reports the cell's colour once before the popup deletes itself.
TEST(ColourPopup, PickedByMouse)
{
    Host host;
    QPointer<CColourPopup> popup = new CColourPopup(QPoint(50, 50), kRed, &host.window, "No Fill", "More Colors");
    QSignalSpy highlighted(popup, &CColourPopup::highlighted);
    QSignalSpy selected(popup, &CColourPopup::selected);
    QSignalSpy cancelled(popup, &CColourPopup::cancelled);
    EXPECT_EQ(popup->ChosenBox(), 16); // red is a cell of the table
    EXPECT_EQ(popup->accessibleName(), "Colours");
    SendMouse(popup, QEvent::MouseMove, popup->BoxRect(13).center());
    SendMouse(popup, QEvent::MouseMove, popup->BoxRect(13).center() + QPoint(1, 0));
    ASSERT_EQ(highlighted.count(), 1);
    EXPECT_EQ(highlighted[0][0].value<uint32_t>(), 0xFF0000u); // blue
    EXPECT_EQ(popup->accessibleDescription(), "Blue");
    SendMouse(popup, QEvent::MouseButtonRelease, popup->BoxRect(13).center());
    ASSERT_EQ(selected.count(), 1);
    EXPECT_EQ(selected[0][0].value<uint32_t>(), 0xFF0000u);
    EXPECT_FALSE(selected[0][1].toBool());
    EXPECT_EQ(cancelled.count(), 0);
    Settle();
    EXPECT_TRUE(popup.isNull());
}

// Guards picking by keyboard: the arrows walk from the default box into the grid, Enter chooses, and the
// default box reports the default value with its flag; Escape reports the initial colour.
TEST(ColourPopup, PickedByKeyboard)
{
    Host host;
    struct Case { QList<int> keys; bool selected; uint32_t colour; bool isDefault; };
    const Case cases[] = {
        {{Qt::Key_Down, Qt::Key_Right, Qt::Key_Return}, true, ColourAt(1).colour, false},
        {{Qt::Key_Down, Qt::Key_Left, Qt::Key_Space}, true, kDefaultColour, true},
        {{Qt::Key_Up, Qt::Key_Up, Qt::Key_Escape}, false, kDefaultColour, false}, // default box, then custom box
        {{Qt::Key_Down, Qt::Key_Left, Qt::Key_Escape}, false, kDefaultColour, true},
    };
    for (const Case &c : cases) {
        QPointer<CColourPopup> popup = new CColourPopup(QPoint(50, 50), kDefaultColour, &host.window, "Automatic",
                                                        "More Colors");
        EXPECT_EQ(popup->ChosenBox(), DefaultBox);
        QSignalSpy selected(popup, &CColourPopup::selected);
        QSignalSpy cancelled(popup, &CColourPopup::cancelled);
        for (int key : c.keys)
            QTest::keyClick(popup, Qt::Key(key));
        QSignalSpy &fired = c.selected ? selected : cancelled;
        ASSERT_EQ(fired.count(), 1) << c.keys.size();
        EXPECT_EQ(fired[0][0].value<uint32_t>(), c.colour);
        EXPECT_EQ(fired[0][1].toBool(), c.isDefault);
        EXPECT_EQ(selected.count() + cancelled.count(), 1);
        Settle();
        EXPECT_TRUE(popup.isNull());
    }
}

// Guards the custom box: the colour dialog starts from the initial colour and its colour is reported; a
// cancelled dialog reports a cancel with the initial colour; and the popup being closed while the dialog is
// open (the application deactivated) does not add a second result.
TEST(ColourPopup, CustomColour)
{
    Host host;
    for (const std::optional<uint32_t> answer : {std::optional<uint32_t>(0x123456), std::optional<uint32_t>()}) {
        QPointer<CColourPopup> popup = new CColourPopup(QPoint(50, 50), 0x010203, &host.window, {}, "More Colors");
        EXPECT_EQ(popup->ChosenBox(), CustomBox);
        uint32_t offered = 0;
        popup->SetChooser([&](uint32_t initial, QWidget *) {
            offered = initial;
            popup->close();
            return answer;
        });
        QSignalSpy selected(popup, &CColourPopup::selected);
        QSignalSpy cancelled(popup, &CColourPopup::cancelled);
        SendMouse(popup, QEvent::MouseMove, popup->BoxRect(CustomBox).center());
        SendMouse(popup, QEvent::MouseButtonRelease, popup->BoxRect(CustomBox).center());
        EXPECT_EQ(offered, 0x010203u);
        EXPECT_EQ(selected.count() + cancelled.count(), 1);
        if (answer) {
            ASSERT_EQ(selected.count(), 1);
            EXPECT_EQ(selected[0][0].value<uint32_t>(), 0x123456u);
        } else {
            ASSERT_EQ(cancelled.count(), 1);
            EXPECT_EQ(cancelled[0][0].value<uint32_t>(), 0x010203u);
        }
        Settle();
        EXPECT_TRUE(popup.isNull());
    }
}

// Guards the ends that need no cell: a release inside before any cell was hovered gives the initial colour,
// and a popup closed from outside (a click elsewhere) reports one cancel.
TEST(ColourPopup, ReleaseWithoutCellAndClosedOutside)
{
    Host host;
    QPointer<CColourPopup> popup = new CColourPopup(QPoint(50, 50), 0x010203, &host.window);
    EXPECT_EQ(popup->ChosenBox(), NoBox);
    EXPECT_EQ(popup->size(), QSize(8 * 18 + 4, 5 * 18 + 4));
    QSignalSpy selected(popup, &CColourPopup::selected);
    SendMouse(popup, QEvent::MouseButtonRelease, QPoint(1, 1));
    ASSERT_EQ(selected.count(), 1);
    EXPECT_EQ(selected[0][0].value<uint32_t>(), 0x010203u);
    EXPECT_FALSE(selected[0][1].toBool());
    Settle();

    popup = new CColourPopup(QPoint(50, 50), kRed, &host.window, "No Line", {});
    QSignalSpy cancelled(popup, &CColourPopup::cancelled);
    popup->close();
    popup->close();
    EXPECT_EQ(cancelled.count(), 1);
    Settle();
    EXPECT_TRUE(popup.isNull());
}

// Guards placement: a popup opened at the screen's lower right corner is pulled left and opens above its
// parent instead of running off the screen.
TEST(ColourPopup, StaysOnScreen)
{
    Host host;
    const QRect screen = host.window.screen()->geometry();
    auto *popup = new CColourPopup(screen.bottomRight() - QPoint(10, 10), kRed, &host.window);
    const QRect window = popup->frameGeometry();
    EXPECT_EQ(window.right(), screen.right());
    EXPECT_EQ(window.top(), screen.bottom() - 10 - window.height() - host.window.height());
    popup->close();
    Settle();
}

// Guards choosing a line width: the hovered item is chosen on release, dragging carries the sunken item
// and a release outside reports the width it opened with, a release over no item keeps the current width
// (never 0 points), and the keys choose too.
TEST(LineStylePopup, WidthChosen)
{
    Host host;
    auto itemCentre = [](int item) { return QPoint(50, 3 + 22 * item + 10); };
    QPointer<CLineStylePopup> popup = new CLineStylePopup(QPoint(40, 40), 1, &host.window);
    EXPECT_EQ(popup->size(), QSize(100, 225));
    EXPECT_EQ(popup->SelectedItem(), 0);
    QSignalSpy selected(popup, &CLineStylePopup::selected);
    SendMouse(popup, QEvent::MouseMove, itemCentre(4));
    EXPECT_EQ(popup->HoveredItem(), 4);
    EXPECT_EQ(popup->SelectedItem(), 0);
    SendMouse(popup, QEvent::MouseButtonRelease, itemCentre(4));
    ASSERT_EQ(selected.count(), 1);
    EXPECT_EQ(selected[0][0].toInt(), 5);
    Settle();

    popup = new CLineStylePopup(QPoint(40, 40), 3, &host.window);
    QSignalSpy cancelled(popup, &CLineStylePopup::cancelled);
    SendMouse(popup, QEvent::MouseButtonPress, itemCentre(2));
    SendMouse(popup, QEvent::MouseMove, itemCentre(6), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(popup->SelectedItem(), 6);
    SendMouse(popup, QEvent::MouseButtonRelease, QPoint(300, 300));
    ASSERT_EQ(cancelled.count(), 1);
    EXPECT_EQ(cancelled[0][0].toInt(), 3);
    Settle();

    popup = new CLineStylePopup(QPoint(40, 40), 7, &host.window);
    QSignalSpy unhovered(popup, &CLineStylePopup::selected);
    SendMouse(popup, QEvent::MouseButtonRelease, QPoint(50, 224));
    ASSERT_EQ(unhovered.count(), 1);
    EXPECT_EQ(unhovered[0][0].toInt(), 7);
    Settle();

    popup = new CLineStylePopup(QPoint(40, 40), 1, &host.window);
    QSignalSpy keyed(popup, &CLineStylePopup::selected);
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Down);
    EXPECT_EQ(popup->accessibleDescription(), "3 pt");
    QTest::keyClick(popup, Qt::Key_Return);
    ASSERT_EQ(keyed.count(), 1);
    EXPECT_EQ(keyed[0][0].toInt(), 3);
    Settle();
    EXPECT_TRUE(popup.isNull());
}

namespace {

// A list of four columns (text, check, browse, read-only text) and a few rows, shown and active.
struct ListFixture {
    Host host;
    CScriptedDialogs dialogs;
    CDropDownListCtrl *list = new CDropDownListCtrl(&host.window);

    explicit ListFixture(int rows = 3)
    {
        list->setGeometry(0, 0, 400, 200);
        list->setColumnCount(4);
        list->setRowCount(rows);
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < 4; ++column)
                list->SetCellText(row, column, QStringLiteral("r%1c%2").arg(row).arg(column));
        list->SetCheckColumn(1, true);
        list->SetBrowseColumn(2, true);
        list->SetReadOnlyColumn(3, true);
        list->SetFileDialogs(&dialogs);
        list->show();
        list->setFocus();
    }
    QPoint Cell(int row, int column) const { return list->visualRect(list->model()->index(row, column)).center(); }
    void Click(int row, int column) const { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, Cell(row, column)); }
};

} // namespace

// Guards a cell edited in place: Enter writes what was typed and reports it once, Escape puts the cell's text
// back yet still reports, and each sets the changed flag the host reads.
TEST(DropDownListCtrl, CellCommittedOrCancelled)
{
    ListFixture f;
    QSignalSpy edited(f.list, &CDropDownListCtrl::itemEdited);
    QSignalSpy changed(f.list, &CDropDownListCtrl::listCellChanged);
    f.Click(1, 0);
    auto *editor = qobject_cast<QLineEdit *>(f.list->ActiveEditor());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "r1c0");
    QTest::keyClicks(editor, "typed");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(f.list->CellText(1, 0), "typed");
    ASSERT_EQ(edited.count(), 1);
    EXPECT_EQ(edited[0], (QList<QVariant>{1, 0, QStringLiteral("typed")}));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(f.list->ChangedFlag());
    EXPECT_EQ(f.list->ActiveEditor(), nullptr);

    f.list->ClearChangedFlag();
    f.Click(2, 0);
    editor = qobject_cast<QLineEdit *>(f.list->ActiveEditor());
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "thrown away");
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(f.list->CellText(2, 0), "r2c0");
    EXPECT_EQ(edited.count(), 2);
    EXPECT_EQ(edited[1][2].toString(), "r2c0");
    EXPECT_EQ(changed.count(), 2);
    EXPECT_TRUE(f.list->ChangedFlag());
}

// Guards the ends an author does not think of: clicking another cell, scrolling the rows away and the host
// reading the cells all keep what was typed, and F2 opens the current cell from the keyboard.
TEST(DropDownListCtrl, OpenEditKeptWhenTheListMoves)
{
    ListFixture f(40);
    QSignalSpy edited(f.list, &CDropDownListCtrl::itemEdited);
    f.Click(0, 0);
    QTest::keyClick(f.list->ActiveEditor(), Qt::Key_End);
    QTest::keyClicks(f.list->ActiveEditor(), "-a");
    f.Click(1, 0);
    EXPECT_EQ(f.list->CellText(0, 0), "r0c0-a");
    ASSERT_NE(f.list->ActiveEditor(), nullptr);
    QTest::keyClick(f.list->ActiveEditor(), Qt::Key_End);
    QTest::keyClicks(f.list->ActiveEditor(), "-b");
    f.list->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(f.list->CellText(1, 0), "r1c0-b");
    EXPECT_EQ(f.list->ActiveEditor(), nullptr);
    EXPECT_EQ(edited.count(), 2);

    f.list->setCurrentCell(5, 0);
    f.list->setFocus();
    QTest::keyClick(f.list, Qt::Key_F2);
    ASSERT_NE(f.list->ActiveEditor(), nullptr);
    QTest::keyClick(f.list->ActiveEditor(), Qt::Key_End);
    QTest::keyClicks(f.list->ActiveEditor(), "-c");
    f.list->EndActiveEdit();
    EXPECT_EQ(f.list->CellText(5, 0), "r5c0-c");
    f.list->EndActiveEdit(); // nothing open: nothing reported
    EXPECT_EQ(edited.count(), 3);
}

// Guards multi-line rows: Enter makes a line break in the cell instead of ending the edit.
TEST(DropDownListCtrl, MultiLineRowKeepsLineBreaks)
{
    ListFixture f;
    f.list->SetMultiLineRow(2, true);
    f.list->SetCellText(2, 0, "");
    f.Click(2, 0);
    auto *editor = qobject_cast<QPlainTextEdit *>(f.list->ActiveEditor());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->height(), 3 * f.list->visualRect(f.list->model()->index(2, 0)).height());
    QTest::keyClicks(editor, "one");
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClicks(editor, "two");
    ASSERT_NE(f.list->ActiveEditor(), nullptr);
    QTest::keyClick(editor, Qt::Key_Tab);
    EXPECT_EQ(f.list->CellText(2, 0), "one\ntwo");
    f.list->ClearMultiLineRows();
    EXPECT_FALSE(f.list->IsMultiLineRow(2));
}

// Guards check cells: a click or Space toggles without an editor ("TRUE" to "false", anything else to
// "true"), the host hears it and the changed flag is set (a host reading the flag must see toggles).
TEST(DropDownListCtrl, CheckCellsToggle)
{
    ListFixture f;
    QSignalSpy changed(f.list, &CDropDownListCtrl::listCellChanged);
    QSignalSpy edited(f.list, &CDropDownListCtrl::itemEdited);
    f.list->SetCellText(0, 1, "TRUE");
    f.list->SetCellText(1, 1, "maybe");
    f.Click(0, 1);
    EXPECT_EQ(f.list->CellText(0, 1), "false");
    EXPECT_EQ(f.list->ActiveEditor(), nullptr);
    f.Click(1, 1);
    EXPECT_EQ(f.list->CellText(1, 1), "true");
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(edited.count(), 0);
    EXPECT_TRUE(f.list->ChangedFlag());
    QTest::keyClick(f.list, Qt::Key_Space);
    EXPECT_EQ(f.list->CellText(1, 1), "false");
    EXPECT_EQ(changed.count(), 3);

    EXPECT_TRUE(f.list->SetCheckText(2, 1, true));
    EXPECT_EQ(f.list->CellText(2, 1), "true");
    EXPECT_FALSE(f.list->SetCheckText(2, 0, true));
    EXPECT_EQ(f.list->CellText(2, 0), "r2c0");
}

// Guards read-only and browse columns: a read-only column opens nothing (also for a browse column, and
// after being set twice and cleared once it is editable again); the browse button writes the chosen path
// and reports it, and a cancelled file dialog reports nothing.
TEST(DropDownListCtrl, ReadOnlyAndBrowse)
{
    ListFixture f;
    QSignalSpy changed(f.list, &CDropDownListCtrl::listCellChanged);
    f.Click(0, 3);
    EXPECT_EQ(f.list->ActiveEditor(), nullptr);
    f.list->SetReadOnlyColumn(2, true);
    f.list->SetReadOnlyColumn(2, true);
    f.Click(0, 2);
    EXPECT_EQ(f.list->ActiveEditor(), nullptr);
    f.list->SetReadOnlyColumn(2, false);
    EXPECT_EQ(changed.count(), 0);

    f.Click(0, 2);
    auto *browse = qobject_cast<CInPlaceBrowseEditor *>(f.list->ActiveEditor());
    ASSERT_NE(browse, nullptr);
    EXPECT_EQ(browse->Button()->accessibleName(), "Browse");
    EXPECT_LT(browse->Edit()->width(), browse->width());
    f.dialogs.answers = {""};
    QTest::mouseClick(browse->Button(), Qt::LeftButton);
    EXPECT_EQ(changed.count(), 0);
    ASSERT_EQ(f.list->ActiveEditor(), browse);
    EXPECT_EQ(f.dialogs.asked.value(0),
              "open|Open|r0c2|All Available (*.doc,*.docx,*.ppt,*.pptx,*.rtf,*.txt) "
              "(*.doc *.docx *.ppt *.pptx *.rtf *.txt)");

    f.dialogs.answers = {"/home/a/course.docx"};
    QTest::keyClick(browse->Edit(), Qt::Key_F4); // the keyboard's way to the button
    EXPECT_EQ(f.list->CellText(0, 2), "/home/a/course.docx");
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(f.list->ActiveEditor(), nullptr);
}

// Guards the picture preview: fitted pictures are centred with their shape kept on white, stretched ones
// fill the control, no picture draws nothing, and the badge sits 111 pixels in from the lower right.
TEST(ImageStatic, FitStretchAndBadge)
{
    CImageStatic control;
    control.resize(200, 100);
    EXPECT_FALSE(control.accessibleName().isEmpty());
    QImage square(10, 10, QImage::Format_RGB32);
    square.fill(Qt::red);
    control.SetBitmap(square);
    EXPECT_EQ(control.PictureRect(), QRect(0, 0, 200, 100));
    control.SetStretch(false);
    EXPECT_EQ(control.PictureRect(), QRect(50, 0, 100, 100));
    QImage shot = control.grab().toImage();
    EXPECT_EQ(shot.pixelColor(10, 50), QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(100, 50), QColor(Qt::red));

    QImage badge(20, 20, QImage::Format_ARGB32);
    badge.fill(Qt::blue);
    control.SetBadgeImage(badge);
    control.SetBadge(true);
    control.resize(300, 200);
    shot = control.grab().toImage();
    EXPECT_EQ(shot.pixelColor(300 - 111 + 5, 200 - 111 + 5), QColor(Qt::blue));

    control.SetBitmap(QImage(0, 0, QImage::Format_RGB32));
    EXPECT_TRUE(control.PictureRect().isEmpty());
    control.grab(); // paints nothing, and does not divide by the empty size
    control.SetBitmap(QImage());
    EXPECT_TRUE(control.PictureRect().isEmpty());
}

// Guards the rollover button: the host hears the pointer (or the keyboard focus) arrive once, with the
// button's id, and leave once.
TEST(RolloverButton, HoverAndLeave)
{
    CRolloverButton button("LMS");
    button.SetControlId(1044);
    QSignalSpy hover(&button, &CRolloverButton::rolloverHover);
    QSignalSpy leave(&button, &CRolloverButton::rolloverLeave);
    QEvent enter(QEvent::Enter);
    QEvent leaveEvent(QEvent::Leave);
    QApplication::sendEvent(&button, &enter);
    QApplication::sendEvent(&button, &enter);
    ASSERT_EQ(hover.count(), 1);
    EXPECT_EQ(hover[0][0].toInt(), 1044);
    QApplication::sendEvent(&button, &leaveEvent);
    EXPECT_EQ(leave.count(), 1);
    QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&button, &focusIn);
    EXPECT_EQ(hover.count(), 2);
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&button, &focusOut);
    EXPECT_EQ(leave.count(), 2);
}

// Guards the line tracker's drag: an end follows the mouse and the release completes; the whole line moves
// by the pointer's steps; Escape ends as cancelled with the ends where the last move put them; a press
// beside the line starts nothing.
TEST(LineTracker, DragEndsAndLine)
{
    Host host;
    CLineTracker tracker(QPoint(10, 10), QPoint(110, 10));
    QSignalSpy finished(&tracker, &CLineTracker::trackFinished);
    EXPECT_FALSE(tracker.Track(&host.window, QPoint(60, 40)));
    ASSERT_TRUE(tracker.Track(&host.window, QPoint(110, 10)));
    SendMouse(&host.window, QEvent::MouseMove, QPoint(200, 50), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(tracker.Second(), QPoint(200, 50));
    SendMouse(&host.window, QEvent::MouseButtonRelease, QPoint(210, 60));
    EXPECT_EQ(tracker.Second(), QPoint(210, 60));
    EXPECT_EQ(tracker.First(), QPoint(10, 10));
    ASSERT_EQ(finished.count(), 1);
    EXPECT_TRUE(finished[0][0].toBool());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    ASSERT_TRUE(tracker.Track(&host.window, QPoint(60, 20)));
    SendMouse(&host.window, QEvent::MouseMove, QPoint(70, 40), Qt::LeftButton, Qt::LeftButton);
    QTest::keyClick(&host.window, Qt::Key_Escape);
    EXPECT_EQ(tracker.First(), QPoint(20, 30));
    EXPECT_EQ(tracker.Second(), QPoint(220, 80));
    ASSERT_EQ(finished.count(), 2);
    EXPECT_FALSE(finished[1][0].toBool());
    EXPECT_FALSE(tracker.IsTracking());
}

// Guards pictures resized at their shape: only corners are offered, a dragged corner keeps the ratio, and
// Escape puts the rectangle back.
TEST(AspectKeeperRectTracker, CornerKeepsRatio)
{
    Host host;
    CAspectKeeperRectTracker tracker(QRect(10, 10, 100, 50));
    tracker.SetAspectRatio(2.0, true);
    EXPECT_EQ(tracker.GetHandleMask(), 0x0Fu);
    EXPECT_EQ(tracker.HitTest(QPoint(110, 35)), -1); // the right side's handle is not offered
    EXPECT_EQ(tracker.HitTest(QPoint(50, 30)), 8);
    ASSERT_TRUE(tracker.Track(&host.window, QPoint(110, 60)));
    SendMouse(&host.window, QEvent::MouseMove, QPoint(130, 90), Qt::LeftButton, Qt::LeftButton);
    SendMouse(&host.window, QEvent::MouseButtonRelease, QPoint(130, 90));
    EXPECT_EQ(tracker.Rect(), QRect(10, 10, 120, 60));

    ASSERT_TRUE(tracker.Track(&host.window, QPoint(50, 30)));
    SendMouse(&host.window, QEvent::MouseMove, QPoint(80, 30), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(tracker.Rect(), QRect(40, 10, 120, 60));
    QTest::keyClick(&host.window, Qt::Key_Escape);
    EXPECT_EQ(tracker.Rect(), QRect(10, 10, 120, 60));

    tracker.SetAspectRatio(0, false);
    EXPECT_EQ(tracker.GetHandleMask(), 0xFFu);
}

namespace {

// A splitter of two panes in a shown window, its place kept in a profile file.
// The profile outlives the window: a splitter writes its place when the window deletes it.
struct SplitterFixture {
    TempTree tree;
    CIniFile profile{tree / "registry.ini"};
    Host host;
    QPointer<QWidget> left = new QWidget;
    QPointer<QWidget> right = new QWidget;
    CSSplitter *splitter = new CSSplitter;

    explicit SplitterFixture(int style = CSSplitter::VerticalSplit)
    {
        host.window.resize(800, 600);
        splitter->SetProfile(&profile, "Software\\Zerandt\\Corvessa 4");
        splitter->Create(style, &host.window, left, right, 7, QRect(0, 0, 800, 600), 120, 100);
    }
};

} // namespace

// Guards the side-by-side splitter: a new one gives the left pane twice its minimum, a drag stops where the
// right pane keeps its minimum and tells the host once, resizing keeps the left pane's width, and the place
// is kept in the profile for the next splitter of that id.
TEST(SSplitter, DragResizeAndProfile)
{
    SplitterFixture f;
    EXPECT_EQ(f.left->geometry(), QRect(0, 0, 240, 600));
    EXPECT_EQ(f.right->geometry(), QRect(243, 0, 557, 600));
    QSignalSpy moved(f.splitter, &CSSplitter::splitterMoved);
    SendMouse(f.splitter, QEvent::MouseButtonPress, QPoint(241, 300));
    EXPECT_TRUE(f.splitter->IsDragging());
    SendMouse(f.splitter, QEvent::MouseMove, QPoint(2000, 300), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(f.left->width(), 240); // nothing moves before the drop
    SendMouse(f.splitter, QEvent::MouseButtonRelease, QPoint(2000, 300));
    EXPECT_EQ(f.splitter->GetSplitterPos(), 699);
    EXPECT_EQ(moved.count(), 1);
    f.splitter->SetSplitterPos(300);
    f.splitter->resize(1000, 500);
    EXPECT_EQ(f.left->geometry(), QRect(0, 0, 300, 500));
    EXPECT_EQ(f.right->width(), 1000 - 303);

    // Escape ends a drag where it began.
    SendMouse(f.splitter, QEvent::MouseButtonPress, QPoint(301, 100));
    SendMouse(f.splitter, QEvent::MouseMove, QPoint(500, 100), Qt::LeftButton, Qt::LeftButton);
    QTest::keyClick(f.splitter, Qt::Key_Escape);
    SendMouse(f.splitter, QEvent::MouseButtonRelease, QPoint(500, 100));
    EXPECT_FALSE(f.splitter->IsDragging());
    EXPECT_EQ(f.left->width(), 300);
    EXPECT_EQ(moved.count(), 1);

    // The keyboard moves the bar too.
    f.splitter->setFocus();
    QTest::keyClick(f.splitter, Qt::Key_Right);
    EXPECT_EQ(f.splitter->GetSplitterPos(), 308);

    f.splitter->HideFirstPane();
    EXPECT_FALSE(f.left->isVisible());
    EXPECT_EQ(f.right->geometry(), QRect(0, 0, 1000, 500));
    EXPECT_EQ(f.splitter->GetSplitterPos(), 308);
    f.splitter->ShowFirstPane();
    EXPECT_EQ(f.left->geometry(), QRect(0, 0, 308, 500));

    delete f.splitter;
    EXPECT_EQ(f.profile.ReadInt("Software\\Zerandt\\Corvessa 4\\splt\\init_v7", "VertSplitPos"), 308);
    auto *again = new CSSplitter;
    again->SetProfile(&f.profile, "Software\\Zerandt\\Corvessa 4");
    auto *a = new QWidget, *b = new QWidget;
    again->Create(CSSplitter::VerticalSplit, &f.host.window, a, b, 7, QRect(0, 0, 800, 600), 120, 100);
    EXPECT_EQ(a->width(), 308);
}

// Guards the stacked splitter: the bottom pane keeps its height through resizing and a dropped bar tells the
// host nothing.
TEST(SSplitter, HorizontalKeepsBottomPane)
{
    SplitterFixture f(CSSplitter::HorizontalSplit);
    EXPECT_TRUE(f.splitter->IsHorizontalSplit());
    EXPECT_EQ(f.right->geometry(), QRect(0, 400, 800, 200));
    QSignalSpy moved(f.splitter, &CSSplitter::splitterMoved);
    SendMouse(f.splitter, QEvent::MouseButtonPress, QPoint(400, 399));
    SendMouse(f.splitter, QEvent::MouseButtonRelease, QPoint(400, 300));
    EXPECT_EQ(f.right->geometry(), QRect(0, 301, 800, 299));
    EXPECT_EQ(moved.count(), 0);
    f.splitter->resize(800, 700);
    EXPECT_EQ(f.right->geometry(), QRect(0, 401, 800, 299));
    QImage canvas(800, 700, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    f.splitter->DrawSplitLine(painter, QRect(0, 0, 800, 700));
    painter.end();
    EXPECT_EQ(canvas.pixelColor(10, 398), QColor(Qt::black));
}
