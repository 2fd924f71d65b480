#include "publish/TableCellSizes.h"

#include "model/ComponentTable.h"

#include <algorithm>

namespace {

constexpr int kInset = 5;
constexpr int kBar = 3;

// Splits a length by a chain of splitters, from the outermost (the last bar) inwards; each splitter divides
// what its outer neighbour left it. A vertical bar at p leaves its first pane p and its second the rest
// beyond p + 3; a horizontal bar at p leaves its second pane the rest beyond p and its first p - 3. Parts
// are kept within 0 and the whole length.
std::vector<int> SplitLength(int length, const std::vector<long long> &bars, bool firstPaneIsPosition)
{
    std::vector<int> parts(bars.size() + 1, 0);
    const auto fit = [length](long long v) { return int(std::clamp<long long>(v, 0, std::max(length, 0))); };
    long long rest = length;
    for (size_t k = bars.size(); k-- > 0;) {
        const long long position = bars[k];
        parts[k + 1] = fit(firstPaneIsPosition ? rest - position - kBar : rest - position);
        rest = firstPaneIsPosition ? position : position - kBar;
    }
    parts[0] = fit(rest);
    return parts;
}

} // namespace

std::vector<QSize> TableCellSizes(const CComponentTable &table)
{
    const int rows = table.GetRowCount();
    const int columns = table.GetColumnCount();
    if (rows <= 0 || columns <= 0)
        return {};
    const int innerWidth = table.GetBounds().Width() - 2 * kInset;
    const int innerHeight = table.GetBounds().Height() - 2 * kInset;
    const int cellWidth = innerWidth / columns;
    const int rowHeight = innerHeight / rows;
    if (rows == 1 && columns == 1)
        return {QSize(std::max(0, cellWidth - kInset), std::max(0, rowHeight - kInset))};

    // Positions in the order the splitters were made; stored ones pair from the end.
    const int verticalPerRow = columns - 1;
    const int count = rows * verticalPerRow + rows - 1;
    const std::vector<int> &stored = table.GetSplitterPositions();
    const long long offset = (long long)stored.size() - count;
    const auto position = [&](int k, long long fallback) -> long long {
        return k + offset >= 0 ? stored[size_t(k + offset)] : fallback;
    };
    std::vector<long long> columnBars;
    for (int j = 1; j <= verticalPerRow; ++j)
        columnBars.push_back(position(j - 1, (long long)j * (cellWidth - kInset)));
    std::vector<long long> rowBars;
    for (int i = 1; i < rows; ++i) {
        const int made = verticalPerRow + (i - 1) * (verticalPerRow + 1) + verticalPerRow;
        rowBars.push_back(position(made, (long long)i * (rowHeight - kInset)));
    }

    // The outermost splitter's border takes a pixel on each side.
    const std::vector<int> widths = SplitLength(innerWidth - 2, columnBars, true);
    const std::vector<int> heights = SplitLength(innerHeight - 2, rowBars, false);
    std::vector<QSize> sizes;
    sizes.reserve(size_t(rows) * size_t(columns));
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < columns; ++j)
            sizes.emplace_back(widths[size_t(j)], heights[size_t(i)]);
    return sizes;
}
