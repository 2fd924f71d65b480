#include "CanvasWidgetFixture.h"

#include "dialogs/ui/DlgElementProperties.h"
#include "document/CorvessaDoc.h"
#include "editor/ComponentCommands.h"
#include "editor/ui/ComponentWindows.h"
#include "editor/ui/ScrollViewEx.h"
#include "model/ComponentFactory.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/CorvContext.h"
#include "platform/QuestionIdCounter.h"
#include "platform/RecordingPrompt.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// Component windows on a shown canvas: their mouse input, context menus and the Properties dialog.
class CanvasWindowsTest : public CanvasWidgetFixture
{
protected:
    CanvasWindowsTest() : CanvasWidgetFixture(pt_folder) {}

    CComponentBase *Add(int type, const CRect &bounds)
    {
        auto c = CComponentFactory::CreateComponent(type, canvas.get());
        c->SetBounds(bounds, true);
        CComponentBase *raw = c.get();
        EXPECT_TRUE(screen->AddComponent(std::move(c)).Ok());
        screen->ShowOnCanvas(*canvas);
        return raw;
    }
    static QWidget *WindowOf(CComponentBase *c) { return dynamic_cast<QWidget *>(c->GetComponentWindow()); }

    void Click(CComponentBase *c, const QPoint &offset = QPoint(5, 5))
    {
        QTest::mouseClick(WindowOf(c), Qt::LeftButton, {}, offset);
    }

    // The window's context menu, as a right click opens it, with the entry of the command chosen (0: closed
    // unchosen); the entries seen, with their enabled state, come back.
    QMap<int, bool> ChooseFromMenu(CComponentBase *c, int command)
    {
        QMap<int, bool> entries;
        auto *window = dynamic_cast<CCanvasComponentWindow *>(c->GetComponentWindow());
        EXPECT_NE(window, nullptr);
        if (!window)
            return entries;
        std::unique_ptr<QMenu> menu = window->BuildContextMenu();
        if (!menu)
            return entries;
        QAction *chosen = nullptr;
        for (QAction *action : menu->actions()) {
            entries[action->data().toInt()] = action->isEnabled();
            if (command && action->data().toInt() == command)
                chosen = action;
        }
        if (chosen && chosen->isEnabled())
            chosen->trigger();
        menu.reset();
        QApplication::processEvents();
        return entries;
    }

    // Runs the Properties dialog through the window's menu, acting on the dialog while it is open.
    void Properties(CComponentBase *c, int command, std::function<void(CDlgElementProperties &)> act)
    {
        bool acted = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto *dialog = qobject_cast<CDlgElementProperties *>(QApplication::activeModalWidget())) {
                poll.stop();
                acted = true;
                act(*dialog);
            }
        });
        poll.start(5);
        ChooseFromMenu(c, command);
        for (int i = 0; i < 100 && !acted; ++i)
            QTest::qWait(10);
        EXPECT_TRUE(acted) << "the Properties dialog did not open";
    }
};

// Guards against a right click changing the selection of kinds that keep it, and against pictures and
// topic buttons whose menu would act on another component.
TEST_F(CanvasWindowsTest, ARightClickSelectsOnlyPicturesAndTopicButtons)
{
    CComponentBase *shape = Add(ct_rectangle, CRect(10, 10, 100, 100));
    CComponentBase *video = Add(ct_video, CRect(200, 10, 400, 200));
    CComponentBase *image = Add(ct_image, CRect(500, 10, 700, 200));
    CComponentBase *topic = Add(ct_large_topic, CRect(10, 300, 210, 445));
    Click(shape);
    ASSERT_EQ(canvas->GetSelectedComponent(), shape);
    ChooseFromMenu(video, 0);
    EXPECT_EQ(canvas->GetSelectedComponent(), shape);
    ChooseFromMenu(image, 0);
    EXPECT_EQ(canvas->GetSelectedComponent(), image);
    ChooseFromMenu(topic, 0);
    EXPECT_EQ(canvas->GetSelectedComponent(), topic);
    EXPECT_EQ(canvas->Model().GetTracker(), CCanvasModel::Tracker::None) << "a topic button gets no tracker";

    // A left click on a topic button is its own: the canvas does not see it.
    Click(shape);
    Click(topic);
    EXPECT_EQ(canvas->GetSelectedComponent(), shape);
}

// Guards against "Bring to Top" and "Send to Back" acting on whatever was selected before rather than on
// the component whose menu it is.
TEST_F(CanvasWindowsTest, RestackingActsOnTheComponentRightClicked)
{
    CComponentBase *back = Add(ct_rectangle, CRect(10, 10, 300, 300));
    CComponentBase *front = Add(ct_ellipse, CRect(100, 100, 400, 400));
    CComponentBase *other = Add(ct_rectangle, CRect(600, 10, 700, 100));
    Click(other);
    screen->SetModified(0);
    ChooseFromMenu(back, 32831); // POPUP_RECTANGLE "Bring to Top"
    EXPECT_EQ(screen->GetComponent(2), back);
    EXPECT_EQ(canvas->GetSelectedComponent(), back);
    EXPECT_EQ(screen->GetModified(), 1);
    ChooseFromMenu(front, 32835); // POPUP_ELLIPSE "Send to Back"
    EXPECT_EQ(screen->GetComponent(0), front);
    // The screen shown again stacks the windows as the screen's order.
    EXPECT_EQ(canvas->Model().Components().front(), front);
}

// Guards against Cut using its window after the window is gone, and against Paste entries that do
// nothing while offered.
TEST_F(CanvasWindowsTest, CutFromAWindowsMenuRemovesItAndPasteFollowsTheClipboard)
{
    CComponentBase *shape = Add(ct_rectangle, CRect(300, 200, 500, 300));
    auto entries = ChooseFromMenu(shape, 0);
    ASSERT_TRUE(entries.contains(32878));
    EXPECT_FALSE(entries[32878]) << "nothing to paste yet";
    ChooseFromMenu(shape, 32876); // "Cu&t"
    EXPECT_EQ(screen->GetComponentCount(), 0);
    ASSERT_NE(canvas->Clipboard().GetComponent(), nullptr);
    EXPECT_EQ(canvas->Clipboard().GetComponent()->GetBounds(), CRect(36, 32, 236, 132));

    CComponentBase *ellipse = Add(ct_ellipse, CRect(600, 300, 700, 400));
    EXPECT_TRUE(ChooseFromMenu(ellipse, 32867)[32867]); // "&Paste" pastes the clipboard's copy
    ASSERT_EQ(screen->GetComponentCount(), 2);
    EXPECT_EQ(screen->GetComponent(1)->GetType(), ct_rectangle);
}

// Guards against Properties resizing audio buttons, and against values previewed in a cancelled dialog
// staying on the component.
TEST_F(CanvasWindowsTest, PropertiesKeepAudioSizeAndCancelPutsItBack)
{
    CComponentBase *audio = Add(ct_audio, CRect(10, 10, 84, 81));
    Properties(audio, 33067, [](CDlgElementProperties &dialog) {
        dialog.LeftSpin()->setValue(200);
        dialog.TopSpin()->setValue(100);
        dialog.WidthSpin()->setValue(300);
        dialog.HeightSpin()->setValue(300);
        dialog.accept();
    });
    EXPECT_EQ(audio->GetBounds(), CRect(200, 100, 274, 171));
    EXPECT_EQ(canvas->GetSelectedComponent(), audio);

    CComponentBase *image = Add(ct_image, CRect(400, 100, 600, 300));
    Properties(image, 33062, [](CDlgElementProperties &dialog) {
        dialog.LeftSpin()->setValue(10);
        dialog.WidthSpin()->setValue(100);
        dialog.OnPreview();
        dialog.reject();
    });
    EXPECT_EQ(image->GetBounds(), CRect(400, 100, 600, 300));
    Properties(image, 33062, [](CDlgElementProperties &dialog) {
        dialog.WidthSpin()->setValue(100);
        dialog.HeightSpin()->setValue(50);
        dialog.accept();
    });
    EXPECT_EQ(image->GetBounds(), CRect(400, 100, 500, 150));
}

// Guards the canvas's one factory: every kind gets the window of its kind whatever made the component, and
// the kinds the canvas paints itself get none.
TEST_F(CanvasWindowsTest, EveryKindGetsItsOwnWindow)
{
    const struct {
        int type;
        const char *window;
    } kinds[] = {{ct_textbox, "CWndTextbox"},  {ct_table, "CWndTable"}, {ct_image, "CWndImage"},
                 {ct_rectangle, "CMediaComponentWindow"}, {ct_youtube, "CMediaComponentWindow"},
                 {ct_html_editor, "CCanvasComponentWindow"}};
    for (const auto &kind : kinds) {
        CComponentBase *c = Add(kind.type, CRect(10, 10, 300, 100));
        auto *window = dynamic_cast<QObject *>(c->GetComponentWindow());
        ASSERT_NE(window, nullptr) << kind.type;
        EXPECT_STREQ(window->metaObject()->className(), kind.window) << kind.type;
    }
    EXPECT_EQ(Add(ct_line, CRect())->GetComponentWindow(), nullptr);
}

} // namespace
