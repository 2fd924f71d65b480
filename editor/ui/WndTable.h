#pragma once

#include "editor/TableGrid.h"
#include "editor/ui/EditingComponentWindow.h"
#include "model/ComponentTable.h"

#include <functional>
#include <memory>
#include <vector>

class CAddLinkValues;
class CComponentBase;
class CPrompt;
class CRichEditCtrlEx;
class QMenu;
class QPainter;

// The canvas window of a table. Not being edited, it paints the table as the screen's pictures do; while
// the table is the canvas's selection (or a cell is asked for) it holds a grid of rich-text cells, each editing the text of its cell in the
// component, separated by bars the author drags. The grid is laid out as the publisher lays the table
// out (CTableGrid); only the first row's column bars and the row bars move, and every row's columns follow
// the first row's. The positions go to the component whenever a bar is dropped.
//
// The window passes Tab from cell to cell (always forward), reports the selection's font to the formatting
// bar, applies formatting and links to the active cell (whose selection changed last), colours header
// cells, answers the table commands of the cells' context menu, and rebuilds the grid when "Update table"
// changes the number of rows or columns: the cells that remain keep their text and their links.
class CWndTable : public CEditingComponentWindow
{
    Q_OBJECT
public:
    CWndTable(CComponentTable &component, QWidget *canvas);
    ~CWndTable() override;

    // CComponentWindow
    void MoveWindow(const CRect &rect) override;
    void Invalidate() override;
    void UpdateFromComponent() override;
    void UpdateComponent() override;
    void EnableEditing(bool enable) override;
    void ResetCaret() override;

    CComponentTable &Component() const { return m_component; }
    // The cells, made when first asked for; they go when the table is no longer edited.
    int GetCellCount() const { return int(Cells().size()); }
    CRichEditCtrlEx *Cell(int index) const { return Cells()[size_t(index)]; }
    bool IsEditing() const { return m_editing; }
    const CTableGrid &Grid() const { return *m_grid; }
    // The active cell (-1: none) and the one with the keyboard focus (-1: none).
    int GetActiveCell() const { return m_component.GetActiveCell(); }
    int FocusedCell() const;

    // A new size: the cells inside both grids keep their text and links, new ones are empty; the bars
    // go back to even places and the active cell is cleared.
    void ResizeGrid(int rows, int columns);
    // The values of "Update table": the grid resized when its counts differ, then every setting taken.
    void UpdateTable(const CComponentTable::Settings &settings);
    void OnUpdateTable();

    // Formatting: colour, face and size on the active cell's selection; the toggles and paragraph commands
    // on the focused cell; nothing without one.
    void SetActiveCellColour(uint32_t colour);
    void SetActiveCellFontName(const QString &face);
    void SetActiveCellFontSize(int points);
    bool OnFormatCommand(int commandId);

    // Links in the active cell (made active from the focus first).
    int SetActiveCellFromFocus();
    bool AddLink(const CAddLinkValues &target, CPrompt &prompt);
    bool DeleteLinkInActiveCell();

    // Moving a bar as a drag does (column bar j of the first row, row bar i); the positions go to the
    // component.
    void MoveColumnBar(int j, int position);
    void MoveRowBar(int i, int position);

    // The table drawn into a thumbnail: bars as lines, each cell's text in its place.
    void DrawToDC(QPainter &painter, const QRect &rect) const;

    // Beside the callbacks of CEditingComponentWindow (whose component commands here are the table
    // messages: Cut, Copy, Bring to top, Send to back), the "Update table" dialog, which gets the settings
    // to edit and answers true on OK.
    std::function<bool(CComponentTable::Settings &settings)> updateTableDialog;

    // The messages of the cells' table commands.
    enum Message { WM_TABLE_CUT = 5028, WM_TABLE_COPY = 5029, WM_TABLE_TO_TOP = 5030, WM_TABLE_TO_BACK = 5031,
                   WM_TABLE_UPDATE = 5032, WM_DELETE_LINK = 5033 };

protected:
    void resizeEvent(QResizeEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    void BuildCells();
    void DropCells();
    const std::vector<CRichEditCtrlEx *> &Cells() const;
    void LayoutCells();
    void ApplyBackgrounds();
    void OnCellSelChange(int index);
    void OnTableCommand(int index, int id);
    void FocusNextCell(int from);
    CRichEditCtrlEx *ActiveCell() const;
    CRichEditCtrlEx *FocusCell() const;

    CComponentTable &m_component;
    std::unique_ptr<CTableGrid> m_grid;
    std::vector<CRichEditCtrlEx *> m_cells;
    bool m_editing = false;
    int m_dragColumn = 0; // the bar being dragged: column bar j, or row bar -i
    int m_dragOffset = 0;
};
