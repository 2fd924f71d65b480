#include "app/CommandIds.h"
#include "dialogs/LinkDialogs.h"
#include "dialogs/ScreenDialogValues.h"
#include "dialogs/ui/DlgInsertTable.h"
#include "document/CorvessaDoc.h"
#include "editor/ui/RichEditCtrlEx.h"
#include "editor/ui/WndTable.h"
#include "editor/ui/WndTextbox.h"
#include "model/ComponentFactory.h"
#include "model/ComponentTable.h"
#include "model/EditCanvas.h"
#include "model/MarkedText.h"
#include "model/ProjectSchema.h"
#include "platform/Archive.h"
#include "platform/RecordingPrompt.h"
#include "platform/richtext/RichText.h"
#include "publish/PublishContext.h"
#include "publish/RichTextHtml.h"
#include "publish/TableCellSizes.h"
#include "ShownCanvas.h"
#include "WidgetDriving.h"

#include <QDir>
#include <QMenu>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTest>
#include <QTextCursor>

#include <gtest/gtest.h>

namespace {

QString ShotFolder()
{
    const QString folder = QStringLiteral(CORV_BUILD_TEST_DIR "/rich-text-screenshots");
    QDir().mkpath(folder);
    return folder;
}

// A table on the Edit canvas, its window made by the canvas and the table selected, as the author's click
// leaves it.
struct Table {
    ShownCanvas shown;
    CComponentTable *component = nullptr;
    CWndTable *window = nullptr;

    Table(int rows, int columns, const CRect &bounds = CRect(10, 10, 510, 310))
    {
        CComponentTable::Settings settings;
        settings.rows = rows;
        settings.columns = columns;
        auto table = std::make_unique<CComponentTable>(nullptr, settings);
        table->SetBounds(bounds, true);
        component = shown.Put(std::move(table));
        window = static_cast<CWndTable *>(component->GetComponentWindow());
    }
    CRichEditCtrlEx &Cell(int i) const { return *window->Cell(i); }
    QString Text(int i) const { return component->GetCellList()[size_t(i)].GetRichText().GetText(); }
    QStringList Texts() const
    {
        QStringList texts;
        for (const CRichTextLinks &cell : component->GetCellList())
            texts << cell.GetRichText().GetText();
        return texts;
    }
    void TypeInto(int i, const QString &text)
    {
        const int end = Cell(i).GetDocument()->GetTextLength();
        Cell(i).SetDocSelection(end, end);
        QTest::keyClicks(&Cell(i), text);
    }
};

} // namespace

// Guards the grid against the published table: every cell of the window has the size the publisher gives
// it, for a new grid and after the author drags a bar; a later row's columns follow the first row's.
TEST(WndTable, CellsHaveThePublishedSizes)
{
    Table t(2, 3);
    ASSERT_EQ(t.window->GetCellCount(), 6);
    const auto sizes = [&] {
        std::vector<QSize> shown;
        for (int i = 0; i < t.window->GetCellCount(); ++i)
            shown.push_back(t.Cell(i).size());
        return shown;
    };
    EXPECT_EQ(sizes(), TableCellSizes(*t.component));
    EXPECT_EQ(t.component->GetSplitterPositions(), std::vector<int>()); // a new grid keeps even places

    // A drag of the first row's first bar, pressed and moved as the author does.
    const QRect bar = t.window->Grid().ColumnBarRect(1);
    QTest::mousePress(t.window, Qt::LeftButton, {}, bar.center());
    QMouseEvent move(QEvent::MouseMove, QPointF(bar.center() + QPoint(40, 0)), QPointF(), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(t.window, &move);
    QTest::mouseRelease(t.window, Qt::LeftButton, {}, bar.center() + QPoint(40, 0));
    EXPECT_EQ(t.component->GetSplitterPositions(), (std::vector<int>{198, 316, 198, 316, 140}));
    EXPECT_EQ(sizes(), TableCellSizes(*t.component));
    EXPECT_EQ(t.Cell(1).x(), t.Cell(4).x());
    EXPECT_TRUE(t.shown.presses.isEmpty());

    Table one(1, 1, CRect(0, 0, 300, 200));
    EXPECT_EQ(one.Cell(0).geometry(), QRect(5, 5, 285, 185));
}

// Guards editing and "Update table": texts typed into cells reach the component, and a new size keeps the
// cells inside both grids with their texts and links (no clipboard involved), adds empty ones and clears the
// active cell.
TEST(WndTable, CellsKeepTextAndLinksWhenRowsAndColumnsChange)
{
    Table t(2, 2);
    const QStringList typed{"a", "b", "c", "d"};
    for (int i = 0; i < 4; ++i)
        t.TypeInto(i, typed[i] + " cell");
    EXPECT_EQ(t.Texts(), (QStringList{"a cell", "b cell", "c cell", "d cell"}));
    EXPECT_EQ(t.window->GetActiveCell(), 3);

    // "a" in the first cell becomes a link.
    CRecordingPrompt prompt;
    CAddLinkValues target;
    target.SetMode(CAddLinkValues::UrlMode);
    target.SetAddress(QStringLiteral("http://example.com/"));
    t.Cell(0).setFocus();
    t.Cell(0).SetDocSelection(0, 1);
    ASSERT_TRUE(t.window->AddLink(target, prompt));
    EXPECT_EQ(t.Text(0), QStringLiteral("[0002#a#0002] cell"));
    EXPECT_EQ(t.Cell(0).toPlainText(), QStringLiteral("a cell"));

    CComponentTable::Settings settings = t.component->GetSettings();
    settings.rows = 3;
    settings.columns = 3;
    t.window->UpdateTable(settings);
    EXPECT_EQ(t.window->GetActiveCell(), -1);
    EXPECT_EQ(t.Texts(), (QStringList{"[0002#a#0002] cell", "b cell", "", "c cell", "d cell", "", "", "", ""}));
    ASSERT_EQ(t.window->GetCellCount(), 9);
    EXPECT_EQ(t.Cell(3).toPlainText(), QStringLiteral("c cell"));
    const CRichTextLinks &first = t.component->GetCellList()[0];
    ASSERT_EQ(first.GetLinkCount(), 1);
    EXPECT_EQ(first.GetLinks()[0]->GetUrl(), QStringLiteral("http://example.com/"));

    settings.rows = 1;
    settings.columns = 3;
    t.window->UpdateTable(settings);
    EXPECT_EQ(t.Texts(), (QStringList{"[0002#a#0002] cell", "b cell", ""}));

    Table wide(3, 2);
    for (int i = 0; i < 6; ++i)
        wide.TypeInto(i, QString::number(i));
    settings = wide.component->GetSettings();
    settings.rows = 2;
    settings.columns = 3;
    wide.window->UpdateTable(settings);
    EXPECT_EQ(wide.Texts(), (QStringList{"0", "1", "", "2", "3", ""}));
    EXPECT_EQ(wide.window->GetCellCount(), 6);
    wide.TypeInto(5, "new");
    EXPECT_EQ(wide.Text(5), QStringLiteral("new"));
}

// Guards Tab: it goes from cell to cell, from the last to the first, and Shift+Tab goes forward too.
TEST(WndTable, TabGoesForwardFromCellToCell)
{
    Table t(2, 2);
    t.Cell(0).setFocus();
    QList<int> visited;
    for (int i = 0; i < 5; ++i) {
        ASSERT_NE(t.shown.canvas->focusWidget(), nullptr);
        QTest::keyClick(t.shown.canvas->focusWidget(), Qt::Key_Tab, i == 2 ? Qt::ShiftModifier : Qt::NoModifier);
        visited << t.window->FocusedCell();
    }
    EXPECT_EQ(visited, (QList<int>{1, 2, 3, 0, 1}));
    EXPECT_TRUE(t.Text(0).isEmpty()); // no tab character went into a cell
}

// Guards the border band: a press in a cell's outer 8 pixels reaches the canvas (which may move the table)
// and places the caret; a press further in only places the caret.
TEST(WndTable, PressInTheBorderBandReachesTheCanvas)
{
    Table t(1, 2);
    t.TypeInto(1, "some text in the cell");
    CRichEditCtrlEx &cell = t.Cell(1);
    const QPoint band(3, 10);
    QTest::mouseClick(cell.viewport(), Qt::LeftButton, {}, cell.viewport()->mapFrom(&cell, band));
    ASSERT_EQ(t.shown.presses.size(), 1);
    EXPECT_EQ(t.shown.presses[0], cell.mapTo(t.shown.canvas->Page(), band));
    int start = 0, end = 0;
    cell.GetDocSelection(start, end);
    EXPECT_EQ(start, 0);

    const QPoint inside(cell.width() / 2, 12);
    QTest::mouseClick(cell.viewport(), Qt::LeftButton, {}, cell.viewport()->mapFrom(&cell, inside));
    EXPECT_EQ(t.shown.presses.size(), 1);
    cell.GetDocSelection(start, end);
    EXPECT_GT(start, 0);
}

// Guards the header colours of each header kind, and the picture of a table being edited.
TEST(WndTable, HeaderCellsTakeTheHeaderBackground)
{
    Table t(3, 3);
    CComponentTable::Settings settings = t.component->GetSettings();
    settings.tableBackground = 0xFFFFFF;
    settings.headerBackground = 0x80C0FF; // COLORREF: red FF, green C0, blue 80
    settings.headerKind = CComponentTable::headerBoth;
    t.window->UpdateTable(settings);
    const QColor header(0xFF, 0xC0, 0x80);
    EXPECT_EQ(t.Cell(1).palette().color(QPalette::Base), header);
    EXPECT_EQ(t.Cell(3).palette().color(QPalette::Base), header);
    EXPECT_EQ(t.Cell(4).palette().color(QPalette::Base), QColor(Qt::white));
    t.TypeInto(0, "Exit");
    t.TypeInto(1, "Floor");
    t.TypeInto(4, "Stairs B");
    t.Cell(4).SetDocSelection(0, 6);
    t.Cell(4).ToggleBold();
    EXPECT_TRUE(t.window->grab().save(ShotFolder() + "/table-editing.png"));
}

// Guards the cell menu as the program wires it: text commands act on the cell, "Update Table..." opens the
// table dialog preset from the table and its OK gives the table the author's rows, columns, borders, header
// and colours; Copy fills the canvas's clipboard, Bring to top restacks and Cut takes the table away.
TEST(WndTable, CellMenuCommands)
{
    Table t(1, 2);
    t.TypeInto(0, "word");
    std::unique_ptr<QMenu> menu(t.Cell(0).CreateCellMenu(nullptr));
    const auto trigger = [&](const QString &text) {
        for (QAction *a : menu->actions())
            if (a->text() == text)
                a->trigger();
        QApplication::processEvents(); // the component commands run once the menu has returned
    };
    t.Cell(0).SetDocSelection(0, 4);
    trigger("&Underline");
    EXPECT_TRUE(t.component->GetCellList()[0].GetRichText().GetCharFormat(0, 4).Has(CFE_UNDERLINE));
    // The formatting bar's commands act on the cell with the focus.
    t.Cell(0).setFocus();
    EXPECT_TRUE(t.window->OnFormatCommand(CorvCommand::Italic));
    EXPECT_TRUE(t.component->GetCellList()[0].GetRichText().GetCharFormat(0, 4).Has(CFE_ITALIC));
    EXPECT_FALSE(t.component->GetCellList()[1].GetRichText().GetCharFormat(0, 0).Has(CFE_ITALIC));
    EXPECT_FALSE(t.window->OnFormatCommand(CorvCommand::DrawLine));

    CInsertTableValues preset;
    EXPECT_TRUE(WhileOpen<CDlgInsertTable>([&] { trigger("Update &Table..."); }, [&](CDlgInsertTable &dialog) {
        preset = dialog.values;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Update table"));
        dialog.ColumnsBox()->setText(QStringLiteral("3"));
        dialog.RowsBox()->setText(QStringLiteral("2"));
        dialog.HeaderRadio(CComponentTable::headerTop)->click();
        dialog.PaddingBox()->setText(QStringLiteral("7"));
        ClickOk(&dialog);
    }));
    EXPECT_EQ(preset.rows, 1);
    EXPECT_EQ(preset.columns, 2);
    EXPECT_EQ(t.component->GetRowCount(), 2);
    EXPECT_EQ(t.component->GetColumnCount(), 3);
    EXPECT_EQ(t.component->GetSettings().headerKind, int(CComponentTable::headerTop));
    EXPECT_EQ(t.component->GetSettings().cellPadding, 7);
    EXPECT_EQ(t.Text(0), QStringLiteral("word"));
    EXPECT_EQ(t.shown.screen->GetModified(), 1);
    QApplication::processEvents(); // the old cells go once their menu has returned

    // The menu's commands belong to the cells made by the update now.
    menu.reset(t.Cell(0).CreateCellMenu(nullptr));
    trigger("&Copy Table");
    EXPECT_NE(dynamic_cast<const CComponentTable *>(t.shown.canvas->Clipboard().GetComponent()), nullptr);
    trigger("Cu&t Table");
    EXPECT_EQ(t.shown.screen->GetComponentCount(), 0);
}

// Guards the whole way of a table: cells edited and formatted in the window, rows added, the table stored
// as a project stores it, read back into a new window, and published with the same cells and formats.
TEST(WndTable, EditedTableIsSavedReopenedAndPublished)
{
    Table t(1, 2);
    t.TypeInto(0, "Exit");
    t.TypeInto(1, "Stairs");
    t.Cell(1).SetDocSelection(0, 6);
    t.Cell(1).ToggleBold();
    CComponentTable::Settings settings = t.component->GetSettings();
    settings.rows = 2;
    t.window->UpdateTable(settings);
    t.TypeInto(2, "Ground");

    CArchive out;
    t.component->SerializeEntry(out);
    CArchive in(out.GetBuffer());
    CComponentFactory::LoadOptions options(ProjectSchema::kCurrent);
    std::unique_ptr<CComponentBase> loaded = CComponentFactory::LoadComponent(in, options);
    ASSERT_NE(loaded, nullptr);
    auto &table = *t.shown.Put(std::unique_ptr<CComponentTable>(static_cast<CComponentTable *>(loaded.release())));
    ASSERT_EQ(table.GetRowCount(), 2);
    auto *reopened = static_cast<CWndTable *>(table.GetComponentWindow());
    ASSERT_NE(reopened, nullptr);
    ASSERT_EQ(reopened->GetCellCount(), 4);
    EXPECT_EQ(reopened->Cell(0)->toPlainText(), QStringLiteral("Exit"));
    EXPECT_EQ(reopened->Cell(1)->toPlainText(), QStringLiteral("Stairs"));
    EXPECT_EQ(reopened->Cell(2)->toPlainText(), QStringLiteral("Ground"));
    EXPECT_TRUE(table.GetCellList()[1].GetRichText().GetCharFormat(0, 6).Has(CFE_BOLD));
    EXPECT_EQ(table.GetSplitterPositions(), t.component->GetSplitterPositions());

    CCorvessaDoc doc(CCorvContext::Empty(), [] { return int64_t(0); });
    CPublishContext context(doc, QDir::tempPath(), QStringLiteral("p"), nullptr);
    const QString html = CRichTextHtml(context).TableToHtml(table, 1);
    EXPECT_EQ(html.count(QStringLiteral("<td")), 4) << qPrintable(html);
    const qsizetype stairs = html.indexOf(QStringLiteral("Stairs"));
    ASSERT_GE(stairs, 0);
    EXPECT_GT(html.lastIndexOf(QStringLiteral("font-weight:bold"), stairs), html.indexOf(QStringLiteral("Exit")));
    EXPECT_LT(html.indexOf(QStringLiteral("Exit")), stairs);
    EXPECT_LT(stairs, html.indexOf(QStringLiteral("Ground")));
}
