#include "LinkTestSupport.h"
#include "support/TempTree.h"

#include "model/ComponentFactory.h"
#include "model/ComponentTable.h"
#include "model/ProjectSchema.h"
#include "platform/Archive.h"

#include <QClipboard>
#include <QGuiApplication>

#include "platform/Prompt.h"

#include <gtest/gtest.h>

using namespace LinkTest;

namespace {

QByteArray StoreTable(CComponentTable &table)
{
    CArchive ar;
    table.SerializeComponent(ar);
    return ar.GetBuffer();
}

std::unique_ptr<CComponentTable> LoadTable(CArchive &ar, int schema = ProjectSchema::kCurrent)
{
    const CComponentFactory::LoadOptions options(schema);
    auto component = CComponentFactory::LoadComponent(ar, options);
    auto *table = dynamic_cast<CComponentTable *>(component.get());
    if (!table)
        return nullptr;
    component.release();
    return std::unique_ptr<CComponentTable>(table);
}

std::unique_ptr<CComponentTable> LoadTable(const QByteArray &bytes)
{
    CArchive ar(bytes);
    return LoadTable(ar);
}

// The start of a table record of the files before the cell settings, up to the cell texts: type code,
// bounds, base name "t1", the grid, the table border and the splitter positions.
CArchive OldRecordHead(const CRect &bounds, int rows, int columns, int border, const std::vector<int> &positions)
{
    CArchive out;
    out.WriteInt(ct_table);
    out.WriteRect(bounds);
    out.WriteString(QStringLiteral("t1"));
    out.WriteInt(rows);
    out.WriteInt(columns);
    out.WriteInt(border);
    out.WriteCount(uint32_t(positions.size()));
    for (int position : positions)
        out.WriteInt(position);
    return out;
}

CComponentTable::Settings CustomSettings()
{
    CComponentTable::Settings settings;
    settings.rows = 2;
    settings.columns = 3;
    settings.tableBorder = 2;
    settings.cellBorderThickness = 3;
    settings.cellPadding = 4;
    settings.tableBackground = 0x00EEDDCC;
    settings.summary = QStringLiteral("Prices by year");
    settings.headerKind = CComponentTable::headerTop;
    settings.setColours = 1;
    settings.headerBackground = 0x00112233;
    settings.oldStyleBorders = 1;
    settings.tableBorderColour = 0x00445566;
    settings.cellBorderColour = 0x00778899;
    return settings;
}

// A 2 x 3 table with formatted text in every cell and a popup link in cell 4.
std::unique_ptr<CComponentTable> SampleTable()
{
    auto table = std::make_unique<CComponentTable>(nullptr, CustomSettings());
    table->SetBounds(CRect(36, 32, 520, 332), false);
    table->SetFileName(QStringLiteral("t3"));
    table->SetSplitterPositions({120, 300, 150});
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 3; ++column) {
            table->SetCellText(QStringLiteral("Cell %1 %2 text").arg(row).arg(column), row, column);
            CRichText &text = table->GetCell(row, column)->GetRichText();
            text.SetSel(0, 4);
            if (column == 0)
                text.ToggleBold();
            else
                text.ToggleItalic();
        }
    }
    table->SetActiveCell(4);
    EXPECT_TRUE(table->AddLink(QStringLiteral("text"), 9, 1, 17, QString(), 1, 0, 0, 200, 320));
    table->GetActiveCellContent()->ToggleLinkEffect();
    return table;
}

} // namespace

// Guards the whole-table record: settings, bar positions, every cell's formatted text and the cell's link
// come back, and storing again gives the same bytes.
TEST(TableTest, StoresAndReloadsToIdenticalBytes)
{
    auto table = SampleTable();
    const QByteArray first = StoreTable(*table);
    auto read = LoadTable(first);
    ASSERT_TRUE(read);

    EXPECT_EQ(read->GetBounds().ToQRect(), QRect(36, 32, 484, 300));
    EXPECT_EQ(read->GetFileName(), QStringLiteral("t3"));
    EXPECT_EQ(read->GetSplitterPositions(), (std::vector<int>{120, 300, 150}));
    const CComponentTable::Settings s = read->GetSettings();
    const CComponentTable::Settings e = CustomSettings();
    EXPECT_EQ(std::tie(s.rows, s.columns, s.tableBorder, s.cellBorderThickness, s.cellPadding, s.tableBackground,
                       s.summary, s.headerKind, s.setColours, s.headerBackground, s.oldStyleBorders,
                       s.tableBorderColour, s.cellBorderColour),
              std::tie(e.rows, e.columns, e.tableBorder, e.cellBorderThickness, e.cellPadding, e.tableBackground,
                       e.summary, e.headerKind, e.setColours, e.headerBackground, e.oldStyleBorders,
                       e.tableBorderColour, e.cellBorderColour));
    ASSERT_EQ(read->GetCellList().size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        const CRichText &text = read->GetCellList()[i].GetRichText();
        EXPECT_EQ(text.GetText(), table->GetCellList()[i].GetRichText().GetText()) << i;
        EXPECT_EQ(text.GetCharFormatAt(0).Has(CFE_BOLD), i % 3 == 0) << i;
        EXPECT_EQ(text.GetCharFormatAt(0).Has(CFE_ITALIC), i % 3 != 0) << i;
    }
    const CRichTextLinks &cell = read->GetCellList()[4];
    ASSERT_EQ(cell.GetLinkCount(), 1);
    EXPECT_EQ(*cell.GetLinks()[0], *table->GetCellList()[4].GetLinks()[0]);
    EXPECT_EQ(cell.GetLinkPopupWidth(2), 320);
    EXPECT_EQ(cell.GetLinkPopupHeight(2), 200);
    EXPECT_TRUE(IsLinked(cell.GetRichText(), 15, 19));

    EXPECT_EQ(StoreTable(*read), first);
}

// Guards the short record of older files: no cell settings and no cell links are read, the rest of the
// stream stays in step.
TEST(TableTest, OlderRecordKeepsStreamAligned)
{
    CArchive out = OldRecordHead(CRect(10, 10, 200, 100), 2, 3, 5, {40, 80, 50});
    for (int i = 0; i < 6; ++i) {
        CRichText text;
        text.ReplaceAll(QStringLiteral("c%1").arg(i));
        out.WriteString(text.GetRtf());
    }
    out.WriteInt(0x5EED);

    CArchive ar(out.GetBuffer());
    auto table = LoadTable(ar, 10000038);
    ASSERT_TRUE(table);
    EXPECT_EQ(ar.ReadInt(), 0x5EED);
    EXPECT_EQ(table->GetRowCount(), 2);
    EXPECT_EQ(table->GetColumnCount(), 3);
    EXPECT_EQ(table->GetBorderWidth(), 5);
    EXPECT_EQ(table->GetCellPadding(), 1);
    EXPECT_EQ(table->GetCellBorderThickness(), 1);
    EXPECT_EQ(table->GetTableBackground(), 0xFFFFFFu);
    EXPECT_EQ(table->GetHeaderBackground(), 0xFFFFFFu);
    EXPECT_EQ(table->GetHeaderKind(), 0);
    EXPECT_EQ(table->GetSummary(), QString());
    EXPECT_EQ(table->GetSplitterPositions(), (std::vector<int>{40, 80, 50}));
    EXPECT_EQ(table->GetCellList()[5].GetRichText().GetText(), QStringLiteral("c5"));
}

// Guards damaged records: impossible sizes end the read with the archive's error before anything is
// allocated.
TEST(TableTest, OversizedRecordsFailCleanly)
{
    struct Case {
        const char *name;
        int rows, columns, splitters;
    };
    const Case cases[] = {
        {"huge grid", 100000, 100000, 0},
        {"negative rows", -1, 3, 0},
        {"more cells than bytes", 100, 100, 0},
        {"too many splitters", 2, 3, 50},
    };
    for (const Case &c : cases) {
        CArchive out;
        out.WriteInt(ct_table);
        out.WriteRect(CRect(0, 0, 484, 300));
        out.WriteString(QString());
        out.WriteInt(c.rows);
        out.WriteInt(c.columns);
        out.WriteInt(1);
        for (int i = 0; i < 10; ++i)
            i == 3 ? out.WriteString(QString()) : out.WriteInt(1);
        out.WriteCount(uint32_t(c.splitters));
        for (int i = 0; i < c.splitters + 16; ++i)
            out.WriteInt(10);
        CArchive ar(out.GetBuffer());
        EXPECT_THROW(LoadTable(ar), CArchiveException) << c.name;
    }
}

TEST(TableTest, SetCellTextOnlyInsideGrid)
{
    CComponentTable table(nullptr, CustomSettings());
    table.SetCellText(QStringLiteral("outside"), 2, 0);
    table.SetCellText(QStringLiteral("outside"), 0, 3);
    table.SetCellText(QStringLiteral("last"), 1, 2);
    for (size_t i = 0; i < 5; ++i)
        EXPECT_TRUE(table.GetCellList()[i].GetRichText().IsEmpty()) << i;
    EXPECT_EQ(table.GetCellList()[5].GetRichText().GetText(), QStringLiteral("last"));
}

// Guards copy and paste of tables: a deep copy with bar positions and cell links, without the clipboard.
TEST(TableTest, CloneIsDeep)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("the author's own"));
    auto table = SampleTable();
    auto component = table->Clone(true);
    auto *copy = dynamic_cast<CComponentTable *>(component.get());
    ASSERT_TRUE(copy);
    EXPECT_EQ(StoreTable(*copy), StoreTable(*table));
    EXPECT_EQ(copy->GetCellList()[4].GetLinkCount(), 1);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("the author's own"));

    copy->GetCellList()[4].DeleteLink(2);
    EXPECT_EQ(table->GetCellList()[4].GetLinkCount(), 1);
}

// Guards cell links stored without numbers: they are numbered from 0 and wrapped as the table loads,
// and links without an address stay (tables have no drop rule).
TEST(TableTest, PendingCellLinksAreMarkedOnLoad)
{
    // An older program wrote pending records as they were: one cell with two of them.
    CArchive manual;
    manual.WriteInt(ct_table);
    manual.WriteRect(CRect(0, 0, 484, 300));
    manual.WriteString(QString());
    manual.WriteInt(1);
    manual.WriteInt(1);
    manual.WriteInt(1);
    for (int i = 0; i < 10; ++i)
        i == 3 ? manual.WriteString(QString()) : manual.WriteInt(0);
    manual.WriteCount(0);
    CRichText text;
    text.ReplaceAll(QStringLiteral("first and second"));
    manual.WriteString(text.GetRtf());
    manual.WriteInt(2);
    CRichTextLinks::StoreLinkRecord(manual, *Record(QStringLiteral("first"), -1, 0, QString()));
    CRichTextLinks::StoreLinkRecord(manual, *Record(QStringLiteral("second"), -1, 10));
    manual.WriteInt(0x5EED);

    CArchive ar(manual.GetBuffer());
    auto read = LoadTable(ar);
    ASSERT_TRUE(read);
    EXPECT_EQ(ar.ReadInt(), 0x5EED);
    const CRichTextLinks &loaded = *read->GetCell(0, 0);
    ASSERT_EQ(loaded.GetLinkCount(), 2);
    EXPECT_EQ(loaded.GetLinks()[0]->GetNumber(), 0);
    EXPECT_EQ(loaded.GetLinks()[1]->GetNumber(), 1);
    EXPECT_EQ(loaded.GetRichText().GetText(), QStringLiteral("[0000#first#0000] and [0001#second#0001]"));
    EXPECT_EQ(loaded.NewLinkNumber(), 3);
}

// Guards the oldest projects, whose cells lay in files of their own beside the project.
TEST(TableTest, OldestFilesReadCellsFromRtfsFolder)
{
    TempTree tree;
    tree.Write(QStringLiteral("Course/Rtfs/t2_0.rtf"), QByteArrayLiteral("{\\rtf1\\ansi zero}"));
    tree.Write(QStringLiteral("Course/Rtfs/t2_1.rtf"), QByteArrayLiteral("{\\rtf1\\ansi one}"));
    for (const QString &base : {QStringLiteral("t2"), QStringLiteral("..\\..\\t2")}) {
        CArchive out;
        out.WriteInt(ct_table);
        out.WriteRect(CRect(0, 0, 484, 300));
        out.WriteString(base);
        out.WriteInt(1);
        out.WriteInt(2);
        out.WriteInt(1);
        out.WriteCount(1);
        out.WriteInt(200);
        out.WriteInt(0x5EED);
        CArchive ar(out.GetBuffer());
        ar.SetFilePath(tree / QStringLiteral("Course.kvx"));
        auto table = LoadTable(ar, 1000003);
        ASSERT_TRUE(table);
        EXPECT_EQ(ar.ReadInt(), 0x5EED);
        EXPECT_EQ(table->GetCellList()[0].GetRichText().GetText(), QStringLiteral("zero"));
        EXPECT_EQ(table->GetCellList()[1].GetRichText().GetText(), QStringLiteral("one"));
    }
}

// Guards the course font applied after a load: it becomes every cell's default without wiping the
// formats the author gave the text.
TEST(TableTest, DefaultFontKeepsCellFormats)
{
    auto table = SampleTable();
    table->SetDefaultFont(QStringLiteral("Verdana"), 11, 0x00123456);
    for (const CRichTextLinks &cell : table->GetCellList()) {
        EXPECT_EQ(cell.GetRichText().GetDefaultCharFormat().face, QStringLiteral("Verdana"));
        EXPECT_EQ(cell.GetRichText().GetDefaultCharFormat().height, 220);
    }
    EXPECT_TRUE(table->GetCellList()[0].GetRichText().GetCharFormatAt(0).Has(CFE_BOLD));
}

// Guards the order of the record: the cells are repaired before their texts are written, so a link whose
// text the author deleted leaves neither a record nor a stray marker in the stored cell.
TEST(TableTest, StoredCellTextsMatchStoredLinks)
{
    auto table = SampleTable();
    CRichText &text = table->GetCellList()[4].GetRichText();
    text.SetSel(15, 19);
    text.ReplaceSel(QString());
    auto read = LoadTable(StoreTable(*table));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->GetCellList()[4].GetLinkCount(), 0);
    EXPECT_EQ(read->GetCellList()[4].GetRichText().GetText(), QStringLiteral("Cell 1 1 "));
}

// Guards the size checks against refusing a real record: a grid without rows holds no cells, however many
// columns it has, and must read back.
TEST(TableTest, EmptyGridWithManyColumnsReadsBack)
{
    CComponentTable table;
    table.SetColumnCount(CComponentTable::kMaxColumns);
    auto read = LoadTable(StoreTable(table));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->GetColumnCount(), CComponentTable::kMaxColumns);
    EXPECT_TRUE(read->GetCellList().empty());
}

// Guards against refusing real tables: every row of the grid has its own column bars, so a table has
// nearly as many bars as cells, and a 5 x 5 table stores 24 positions.
TEST(TableTest, LargeGridWithAllItsBarsReadsBack)
{
    CComponentTable::Settings settings;
    settings.rows = 5;
    settings.columns = 5;
    CComponentTable table(nullptr, settings);
    std::vector<int> bars;
    for (int i = 0; i < 5 * 4 + 4; ++i)
        bars.push_back(10 + i);
    table.SetSplitterPositions(bars);
    table.SetCellText(QStringLiteral("last"), 4, 4);
    auto read = LoadTable(StoreTable(table));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->GetSplitterPositions(), bars);
    EXPECT_EQ(read->GetCell(4, 4)->GetRichText().GetText(), QStringLiteral("last"));
}

// Guards the splitter count, which nothing in the grid limits: a record with more positions than the grid
// has bars reads back whole (the screens after it with it), while a count beyond the bytes left fails
// before anything is allocated.
TEST(TableTest, SplitterCountIsBoundedByTheBytesLeftOnly)
{
    CComponentTable::Settings settings;
    settings.rows = 1;
    settings.columns = 1;
    CComponentTable table(nullptr, settings);
    std::vector<int> positions(50);
    for (size_t i = 0; i < positions.size(); ++i)
        positions[i] = int(i) * 7;
    table.SetSplitterPositions(positions);
    const QByteArray bytes = StoreTable(table);
    auto read = LoadTable(bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->GetSplitterPositions(), positions);
    EXPECT_EQ(StoreTable(*read), bytes);

    CArchive out;
    out.WriteInt(ct_table);
    out.WriteRect(CRect(0, 0, 10, 10));
    out.WriteString(QStringLiteral("t1"));
    for (int value : {1, 1, 1, 1, 1, 0xFFFFFF, 0, 0, 0, 0xFFFFFF, 0, 0, 0})
        out.WriteInt(value);
    out.WriteString(QString());
    out.WriteCount(0x7FFFFFFF);
    out.WriteInt(1);
    CArchive ar(out.GetBuffer());
    try {
        LoadTable(ar);
        ADD_FAILURE() << "a count beyond the file was read";
    } catch (const CArchiveException &e) {
        EXPECT_EQ(e.GetCause(), CArchiveException::badCount);
    }
}

// Guards the cost of a table of an old project, whose cells lie in files of their own: the folders are listed
// once for all cells, not once per cell (10,000 cells beside 2,000 files took two minutes that way), the
// files are found whatever case a copy from Windows gave them, and a cell whose file is missing stays empty.
TEST(TableTest, OldTableCellsListTheirFolderOnce)
{
    TempTree tree;
    for (int i = 0; i < 600; ++i)
        tree.Write(i % 2 ? QStringLiteral("Course/RTFS/other_%1.rtf").arg(i) : QStringLiteral("Course/RTFS/T1_%1.RTF").arg(i),
                   QByteArray("{\\rtf1 cell ") + QByteArray::number(i) + "}");
    const CArchive out = OldRecordHead(CRect(0, 0, 484, 300), 100, 100, 1, {});
    CArchive ar(out.GetBuffer());
    ar.SetFilePath(tree / QStringLiteral("Course.kvx"));
    auto table = LoadTable(ar, ProjectSchema::kRtfInArchive - 1);
    ASSERT_TRUE(table);
    // The project folder (to find "RTFS") and the cells' folder.
    EXPECT_EQ(ar.Paths().FoldersListed(), 2);
    EXPECT_EQ(table->GetCellList()[598].GetRichText().GetText(), QStringLiteral("cell 598"));
    EXPECT_TRUE(table->GetCellList()[599].GetRichText().IsEmpty());
    EXPECT_TRUE(table->GetCellList()[9999].GetRichText().IsEmpty());
    EXPECT_TRUE(ar.AtEnd());
}

// Guards against writing a table that cannot be read back (the whole project would be unreadable): a
// grid is kept within the sizes a record may have, whatever size it is asked for.
TEST(TableTest, GridSizeStaysReadable)
{
    struct Case {
        int rows, columns;
        int expectRows, expectColumns;
    };
    const Case cases[] = {
        {5000, 1, CComponentTable::kMaxRows, 1},
        {1, 5000, 1, CComponentTable::kMaxColumns},
        {300, 50, CComponentTable::kMaxCells / 50, 50},
        {-3, 2, 0, 2},
    };
    for (const Case &c : cases) {
        CComponentTable table;
        table.SetColumnCount(c.columns);
        table.SetRowCount(c.rows);
        EXPECT_EQ(table.GetRowCount(), c.expectRows) << c.rows << " x " << c.columns;
        EXPECT_EQ(table.GetColumnCount(), c.expectColumns) << c.rows << " x " << c.columns;
        EXPECT_EQ(table.GetCellList().size(), size_t(c.expectRows) * size_t(c.expectColumns));
        auto read = LoadTable(StoreTable(table));
        ASSERT_TRUE(read) << c.rows << " x " << c.columns;
        EXPECT_EQ(read->GetRowCount(), c.expectRows);
    }
}

// Guards against a truncated table being taken for a whole one: the last byte missing ends the read with
// the archive's error.
TEST(TableTest, RecordOneByteShortFails)
{
    auto table = SampleTable();
    QByteArray bytes = StoreTable(*table);
    bytes.chop(1);
    CArchive ar(bytes);
    EXPECT_THROW(LoadTable(ar), CArchiveException);
}
