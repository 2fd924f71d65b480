#include "ScreenTestSupport.h"

#include "model/ComponentTable.h"
#include "publish/RichTextHtml.h"
#include "publish/TableCellSizes.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <climits>

using namespace ScreenTest;

namespace {

std::unique_ptr<CComponentTable> MakeTable(int rows, int columns, const CRect &bounds)
{
    CComponentTable::Settings settings;
    settings.rows = rows;
    settings.columns = columns;
    auto table = std::make_unique<CComponentTable>(nullptr, settings);
    table->SetBounds(bounds, false);
    return table;
}

std::vector<QSize> Sizes(std::initializer_list<std::pair<int, int>> list)
{
    std::vector<QSize> sizes;
    for (const auto &[w, h] : list)
        sizes.emplace_back(w, h);
    return sizes;
}

// The cell tags of a table's markup: R for a row header, C for a column header, T for a plain cell.
QString CellKinds(const QString &html)
{
    QString kinds;
    static const QRegularExpression tag(QStringLiteral("<(th scope='row'|th scope='col'|td)"));
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const QString t = it.next().captured(1);
        kinds += t == QLatin1String("td") ? u'T' : t.endsWith(QLatin1String("'row'")) ? u'R' : u'C';
    }
    return kinds;
}

} // namespace

// Guards the cell sizes taken from the table's splitters: cells written at the wrong size misalign the
// published table against the screen the author laid out.
TEST(TableCellSizes, FromBoundsAndSplitters)
{
    struct Case {
        const char *name;
        int rows, columns;
        CRect bounds;
        std::vector<int> positions;
        std::vector<QSize> expected;
    };
    const Case cases[] = {
        // Inset 490 x 290, cells 163 x 145: bars at 158 and 316, 140; the bordered root leaves 488 x 288.
        {"new 2 x 3 grid", 2, 3, CRect(0, 0, 500, 300), {},
         Sizes({{158, 137}, {155, 137}, {169, 137}, {158, 148}, {155, 148}, {169, 148}})},
        {"stored positions", 2, 3, CRect(0, 0, 500, 300), {100, 250, 100, 250, 200},
         Sizes({{100, 197}, {147, 197}, {235, 197}, {100, 88}, {147, 88}, {235, 88}})},
        {"later rows follow the first row's bars", 2, 2, CRect(0, 0, 300, 200), {120, 40, 90},
         Sizes({{120, 87}, {165, 87}, {120, 98}, {165, 98}})},
        {"a short list pairs from the end", 2, 2, CRect(0, 0, 300, 200), {90},
         Sizes({{140, 87}, {145, 87}, {140, 98}, {145, 98}})},
        {"one cell", 1, 1, CRect(10, 10, 210, 110), {}, Sizes({{185, 85}})},
        {"one row", 1, 2, CRect(0, 0, 200, 100), {}, Sizes({{90, 88}, {95, 88}})},
        {"positions a damaged file holds", 1, 3, CRect(0, 0, 200, 100), {INT_MIN, INT_MAX}, Sizes({{0, 88}, {188, 88}, {0, 88}})},
        {"no cells", 0, 3, CRect(0, 0, 200, 100), {}, {}},
    };
    for (const Case &c : cases) {
        const auto table = MakeTable(c.rows, c.columns, c.bounds);
        table->SetSplitterPositions(c.positions);
        EXPECT_EQ(TableCellSizes(*table), c.expected) << c.name;
    }
}

class TableHtmlTest : public ::testing::Test
{
protected:
    QString Html(const CComponentTable &table, int number = 1) { return CRichTextHtml(f.Publisher()->Context()).TableToHtml(table, number); }
    Fixture f;
};

// Guards the whole markup of a small table: the box of its bounds that keeps its size, tag (its summary with
// every quote kept as an entity: an apostrophe was once dropped), cells with their sizes and texts, and the
// closing.
TEST_F(TableHtmlTest, WholeTable)
{
    const auto table = MakeTable(1, 2, CRect(10, 20, 210, 120));
    table->SetSummary(QStringLiteral("Bob's \"x\" <list>"));
    Rich(*table->GetCell(0, 0)).Add(QStringLiteral("A"));
    Rich(*table->GetCell(0, 1)).Para(PFA_CENTER, 100).Add(QStringLiteral("B\"\\"));
    EXPECT_EQ(Html(*table, 2),
              "\"<div class='kvxTableBox' style='position:absolute; left:10px; top:20px; width:200px; height:100px; overflow:auto;'>"
              "<table class='table2' style='left:0px; top:0px;' summary='Bob&#39;s &quot;x&quot; &lt;list&gt;'><tr>"
              "<td style='box-sizing:border-box; width:90px; height:88px; vertical-align: top; '><p style='text-align:left;'>A</p></td>"
              "<td style='box-sizing:border-box; width:95px; height:88px; vertical-align: top; '><p style='text-align:center; margin-left:5px;'>"
              "B\\\"\\\\</p></td></tr></table></div>\"");
    table->SetOldStyleBorders(1);
    EXPECT_TRUE(Html(*table).contains(QStringLiteral("summary='Bob&#39;s &quot;x&quot; &lt;list&gt;' border='1'><tr>")));
}

// Guards which cells are header cells and of which scope, for every header kind: screen readers announce
// tables by them.
TEST_F(TableHtmlTest, HeaderCells)
{
    const char *expected[] = {"TTTTTTTTT", "RTTRTTRTT", "CCCTTTTTT", "RCCRTTRTT"};
    for (int kind = 0; kind < 4; ++kind) {
        const auto table = MakeTable(3, 3, CRect(0, 0, 300, 200));
        table->SetHeaderKind(kind);
        EXPECT_EQ(CellKinds(Html(*table)), QLatin1String(expected[kind])) << "header kind " << kind;
        EXPECT_EQ(Html(*table).count(QStringLiteral("</th>")), QString(QLatin1String(expected[kind])).count(u'R') +
                                                                 QString(QLatin1String(expected[kind])).count(u'C'));
    }
}

// Guards a table whose cell list is shorter than its grid: the missing cells are written empty, never read
// past the list; a table without cells writes nothing.
TEST_F(TableHtmlTest, MissingCells)
{
    const auto table = MakeTable(2, 2, CRect(0, 0, 300, 200));
    Rich(*table->GetCell(0, 0)).Add(QStringLiteral("only"));
    table->GetCellList().resize(1);
    const QString html = Html(*table);
    EXPECT_EQ(CellKinds(html), QStringLiteral("TTTT"));
    EXPECT_EQ(html.count(QStringLiteral("vertical-align: top; '></td>")), 3);
    EXPECT_TRUE(html.endsWith(QStringLiteral("</td></tr></table></div>\"")));
    EXPECT_EQ(Html(*MakeTable(0, 0, CRect(0, 0, 300, 200))), QString());
}
