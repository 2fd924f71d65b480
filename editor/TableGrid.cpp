#include "editor/TableGrid.h"

#include <algorithm>

CTableGrid::CTableGrid(int width, int height, int rows, int columns, const std::vector<int> &stored)
    : m_width(width), m_height(height), m_rows(std::max(rows, 1)), m_columns(std::max(columns, 1))
{
    // A table read with no rows or columns is shown as one: nothing divides by zero.
    m_cellWidth = (width - 2 * kInset) / m_columns;
    m_rowHeight = (height - 2 * kInset) / m_rows;
    const int perRow = m_columns - 1;
    const int count = m_rows * perRow + m_rows - 1;
    const long long offset = (long long)stored.size() - count;
    const auto position = [&](int k, int fallback) {
        return k + offset >= 0 ? stored[size_t(k + offset)] : fallback;
    };
    for (int j = 1; j <= perRow; ++j)
        m_columnBars.push_back(position(j - 1, j * (m_cellWidth - kInset)));
    for (int i = 1; i < m_rows; ++i)
        m_rowBars.push_back(position(perRow + (i - 1) * (perRow + 1) + perRow, i * (m_rowHeight - kInset)));
}

int CTableGrid::ColumnLeft(int j) const { return j == 0 ? 0 : m_columnBars[size_t(j - 1)] + kBar; }
int CTableGrid::ColumnRight(int j) const { return j + 1 < m_columns ? m_columnBars[size_t(j)] : InnerWidth(); }
int CTableGrid::RowTop(int i) const { return i == 0 ? 0 : m_rowBars[size_t(i - 1)]; }
int CTableGrid::RowBottom(int i) const { return i + 1 < m_rows ? m_rowBars[size_t(i)] - kBar : InnerHeight(); }

QRect CTableGrid::CellRect(int index) const
{
    if (m_rows == 1 && m_columns == 1)
        return QRect(kInset, kInset, std::max(0, m_cellWidth - kInset), std::max(0, m_rowHeight - kInset));
    const int i = index / m_columns;
    const int j = index % m_columns;
    const int origin = kInset + 1;
    const int left = ColumnLeft(j);
    const int top = RowTop(i);
    return QRect(origin + left, origin + top, std::max(0, ColumnRight(j) - left), std::max(0, RowBottom(i) - top));
}

QRect CTableGrid::ColumnBarRect(int j) const
{
    const int origin = kInset + 1;
    return QRect(origin + m_columnBars[size_t(j - 1)], origin, kBar, std::max(0, RowBottom(0)));
}

QRect CTableGrid::RowBarRect(int i) const
{
    const int origin = kInset + 1;
    return QRect(origin, origin + m_rowBars[size_t(i - 1)] - kBar, InnerWidth(), kBar);
}

void CTableGrid::MoveColumnBar(int j, int position)
{
    if (j < 1 || j >= m_columns)
        return;
    const int low = ColumnLeft(j - 1) + kMinPane;
    const int high = (j + 1 < m_columns ? m_columnBars[size_t(j)] : InnerWidth()) - kBar - kMinPane;
    if (low <= high)
        m_columnBars[size_t(j - 1)] = std::clamp(position, low, high);
}

void CTableGrid::MoveRowBar(int i, int position)
{
    if (i < 1 || i >= m_rows)
        return;
    const int low = RowTop(i - 1) + kMinPane + kBar;
    const int high = (i + 1 < m_rows ? m_rowBars[size_t(i)] - kBar : InnerHeight()) - kMinPane;
    if (low <= high)
        m_rowBars[size_t(i - 1)] = std::clamp(position, low, high);
}

std::vector<int> CTableGrid::SplitterPositions() const
{
    std::vector<int> positions;
    if (m_rows == 1 && m_columns == 1)
        return positions;
    for (int i = 0; i < m_rows; ++i) {
        positions.insert(positions.end(), m_columnBars.begin(), m_columnBars.end());
        if (i > 0)
            positions.push_back(m_rowBars[size_t(i - 1)]);
    }
    return positions;
}

uint32_t CTableGrid::CellBackground(int headerKind, int row, int column, uint32_t table, uint32_t header,
                                    uint32_t current)
{
    switch (headerKind) {
    case 0:
        return table;
    case 1:
        return column == 0 ? header : table;
    case 2:
        return row == 0 ? header : table;
    case 3:
        return row == 0 || column == 0 ? header : table;
    default:
        return current;
    }
}
