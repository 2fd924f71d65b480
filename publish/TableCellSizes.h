#pragma once

#include <QSize>

#include <vector>

class CComponentTable;

// The size in pixels of every cell of a table, row by row, as the table's window lays its grid out from the
// table's bounds and its stored splitter positions.
//
// The window keeps the grid 5 pixels inside its edges. Each row is a chain of vertical splitters from the
// left (the splitter of column j holds everything left of cell j as its first pane), the rows a chain of
// horizontal splitters from the top; the outermost splitter carries a one-pixel border. A bar is 3 pixels
// wide: a vertical bar at position p gives its first pane width p and its second the rest less 3; a
// horizontal bar at p gives its second pane the height below p and its first p - 3. Splitters are listed
// in the order they were made: the first row's vertical ones, then for each further row its vertical ones
// and the horizontal one above it. Stored positions pair with that list from its end; splitters without one
// keep the place a new grid gives them. The column bars of every row follow the first row's, as the window
// aligns them whenever it paints. A one-cell table has no splitter: its cell is 15 pixels smaller than
// the window each way.
//
// A cell never comes out smaller than 0 x 0, whatever the stored positions say.
std::vector<QSize> TableCellSizes(const CComponentTable &table);
