#pragma once

#include <QRect>

#include <cstdint>
#include <vector>

// The geometry of a table's grid of cells in its window, the same as the publisher lays the table out
// (publish/TableCellSizes): the grid stands 5 pixels inside the window, its outermost splitter has a
// one-pixel border, bars are 3 pixels wide. A column bar at p ends column j - 1 at p and starts column j at
// p + 3; a row bar at p starts row i at p and ends row i - 1 at p - 3 (both within the grid's inside).
//
// Only the first row's column bars and the row bars can be moved; the column bars of the later rows follow
// the first row's. The stored splitter positions list every splitter in the order the grid makes them
// (the first row's column bars, then for each further row its column bars and the row bar above it) and
// pair with that list from its end.
class CTableGrid
{
public:
    static constexpr int kInset = 5;
    static constexpr int kBar = 3;
    static constexpr int kMinPane = 30;

    CTableGrid(int width, int height, int rows, int columns, const std::vector<int> &stored);

    int GetRows() const { return m_rows; }
    int GetColumns() const { return m_columns; }
    // Width and height the grid gives new cells: the inside divided evenly.
    int GetColumnWidth() const { return m_cellWidth; }
    int GetRowHeight() const { return m_rowHeight; }
    const std::vector<int> &GetColumnBars() const { return m_columnBars; }
    const std::vector<int> &GetRowBars() const { return m_rowBars; }

    // Cell index (row x columns + column) and its control id (index + 1).
    static int CellId(int row, int column, int columns) { return row * columns + column + 1; }
    // The cell's rectangle in window coordinates.
    QRect CellRect(int index) const;
    // The bars the author can drag, in window coordinates: column bar j (1 .. columns - 1) across the first
    // row, row bar i (1 .. rows - 1) across the whole grid.
    QRect ColumnBarRect(int j) const;
    QRect RowBarRect(int i) const;
    // Moves a bar, kept so that no pane gets smaller than 30 pixels.
    void MoveColumnBar(int j, int position);
    void MoveRowBar(int i, int position);
    // Every splitter's position in the order the grid makes them.
    std::vector<int> SplitterPositions() const;

    // The background of a cell by the table's header kind (0 none, 1 left column, 2 top row, 3 both);
    // another kind keeps `current`.
    static uint32_t CellBackground(int headerKind, int row, int column, uint32_t table, uint32_t header,
                                   uint32_t current);

private:
    int InnerWidth() const { return m_width - 2 * kInset - 2; }
    int InnerHeight() const { return m_height - 2 * kInset - 2; }
    int ColumnLeft(int j) const;
    int ColumnRight(int j) const;
    int RowTop(int i) const;
    int RowBottom(int i) const;

    int m_width;
    int m_height;
    int m_rows;
    int m_columns;
    int m_cellWidth;
    int m_rowHeight;
    std::vector<int> m_columnBars; // [j - 1]: the bar before column j
    std::vector<int> m_rowBars;    // [i - 1]: the bar above row i
};
