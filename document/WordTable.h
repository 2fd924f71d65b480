#pragma once

#include <QString>

// A table of a Word document as the Word-table screen reads it. The document reader provides it; rows and
// cells are counted from 0. A row may hold more or fewer cells than the table has columns (merged or split
// cells).
class CWordTable
{
public:
    virtual ~CWordTable() = default;

    virtual int RowCount() const = 0;
    // The table's grid columns.
    virtual int ColumnCount() const = 0;
    virtual int CellCount(int row) const = 0;
    // The cell's text as the document holds it: paragraphs joined by "\r", possibly ending in Word's
    // end-of-cell mark "\r\a".
    virtual QString CellText(int row, int cell) const = 0;
};
