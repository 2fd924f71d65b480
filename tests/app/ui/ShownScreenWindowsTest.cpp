#include "ShownCanvas.h"
#include "dialogs/ui/DlgElementProperties.h"
#include "editor/ui/RichEditCtrlEx.h"
#include "editor/ui/WndTable.h"
#include "editor/ui/WndTextbox.h"
#include "model/ComponentFactory.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "platform/richtext/RichText.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct Screen {
    CCorvPage *page = nullptr;
    CComponentTextbox *first = nullptr;
    CComponentTextbox *second = nullptr;
    CComponentTable *table = nullptr;
};

Screen MakeScreen(ShownCanvas &shown, const QString &number)
{
    Screen s;
    s.page = shown.doc->AddScreen(std::make_unique<CCorvPage>(shown.doc->TakeNextScreenNumber(), number, QString(),
                                                              QString(), 0, number, pt_document, -1));
    const auto box = [&](const CRect &bounds, const QString &text) {
        auto c = CComponentFactory::CreateComponent(ct_textbox, nullptr);
        c->SetBounds(bounds, true);
        auto *raw = static_cast<CComponentTextbox *>(c.get());
        raw->GetRichText().ReplaceAll(text);
        EXPECT_TRUE(s.page->AddComponent(std::move(c)).Ok());
        return raw;
    };
    s.first = box(CRect(20, 20, 480, 200), QStringLiteral("The first box of screen ") + number);
    s.second = box(CRect(520, 20, 980, 200), QStringLiteral("The second box of screen ") + number);
    auto table = CComponentFactory::CreateComponent(ct_table, nullptr);
    table->SetBounds(CRect(20, 260, 600, 500), true);
    s.table = static_cast<CComponentTable *>(table.get());
    EXPECT_TRUE(s.page->AddComponent(std::move(table)).Ok());
    return s;
}

int Editors(ShownCanvas &shown) { return int(shown.canvas->Page()->findChildren<CRichEditCtrlEx *>().size()); }

// The pixels of the editor's selection colour inside a box of the canvas picture.
int HighlightPixels(const QImage &picture, const QRect &box, const QColor &highlight)
{
    int count = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if (QColor(picture.pixel(x, y)) == highlight)
                ++count;
    return count;
}

// Guards the canvas's windows over a project of several screens: only the shown screen's components have
// windows, whatever made them (these were made without a canvas, as the importers make them); only the
// edited one has an editor; switching screens drops the old windows and wires the new ones (Properties from a
// text box's own menu opens its dialog); and the selection highlight is painted only in the box being edited,
// although the other box's text holds a selection too.
TEST(ShownScreenWindows, OnlyTheShownScreenHasWindowsAndOnlyTheEditedBoxShowsItsSelection)
{
    ShownCanvas shown;
    const Screen one = MakeScreen(shown, QStringLiteral("2"));
    const Screen two = MakeScreen(shown, QStringLiteral("3"));
    shown.canvas->ShowScreen(one.page);
    QApplication::processEvents();
    for (CComponentBase *c : {static_cast<CComponentBase *>(one.first), static_cast<CComponentBase *>(one.second),
                              static_cast<CComponentBase *>(one.table)})
        EXPECT_NE(c->GetComponentWindow(), nullptr);
    for (CComponentBase *c : {static_cast<CComponentBase *>(two.first), static_cast<CComponentBase *>(two.second),
                              static_cast<CComponentBase *>(two.table)})
        EXPECT_EQ(c->GetComponentWindow(), nullptr);
    EXPECT_EQ(Editors(shown), 0);

    // Editing the first box: it alone gets an editor; the second box's text keeps a selection of its own.
    shown.canvas->SelectComponent(one.first);
    auto *edited = dynamic_cast<CWndTextbox *>(one.first->GetComponentWindow());
    ASSERT_NE(edited, nullptr);
    EXPECT_EQ(Editors(shown), 1);
    one.second->GetRichText().SetSel(0, 10);
    edited->Editor()->setFocus();
    edited->Editor()->SetDocSelection(0, 9);
    QApplication::processEvents();
    const QImage picture = shown.canvas->Page()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QString folder = QString::fromUtf8(CORV_BUILD_TEST_DIR) + QStringLiteral("/screenshots");
    QDir().mkpath(folder);
    picture.save(folder + QStringLiteral("/canvas-selection-in-the-edited-box.png"));
    const QPalette palette = edited->Editor()->palette();
    int inEdited = 0;
    int inOther = 0;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        const QColor highlight = palette.color(group, QPalette::Highlight);
        inEdited += HighlightPixels(picture, one.first->GetBounds().ToQRect(), highlight);
        inOther += HighlightPixels(picture, one.second->GetBounds().ToQRect(), highlight);
        inOther += HighlightPixels(picture, one.table->GetBounds().ToQRect(), highlight);
    }
    EXPECT_GT(inEdited, 50);
    EXPECT_EQ(inOther, 0);

    // Another screen: the first screen's windows go, the second's come, wired as the program wires them.
    shown.canvas->ShowScreen(two.page);
    QApplication::processEvents();
    EXPECT_EQ(one.first->GetComponentWindow(), nullptr);
    EXPECT_EQ(one.table->GetComponentWindow(), nullptr);
    EXPECT_EQ(Editors(shown), 0);
    auto *window = dynamic_cast<CWndTextbox *>(two.second->GetComponentWindow());
    ASSERT_NE(window, nullptr);
    EXPECT_NE(dynamic_cast<CWndTable *>(two.table->GetComponentWindow()), nullptr);
    bool opened = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto *dialog = qobject_cast<CDlgElementProperties *>(QApplication::activeModalWidget())) {
            poll.stop();
            opened = true;
            dialog->reject();
        }
    });
    poll.start(5);
    std::unique_ptr<QMenu> menu(window->CreateContextMenu(nullptr));
    for (QAction *action : menu->actions())
        if (action->text() == QStringLiteral("Properties..."))
            action->trigger();
    for (int i = 0; i < 200 && !opened; ++i)
        QTest::qWait(10);
    EXPECT_TRUE(opened) << "Properties of the text box's own menu opened no dialog";
    EXPECT_EQ(shown.canvas->GetSelectedComponent(), two.second);
}

} // namespace
