#pragma once

#include "model/ComponentBase.h"
#include "model/RichTextLinks.h"

#include <QString>

#include <cstdint>
#include <vector>


class CScreenLookup;

// What a table keeps: copied whole by Clone, and what its window and dialogs exchange.
struct STableValues {
    std::vector<int> m_splitterPositions;
    int m_rows = 0;
    int m_columns = 0;
    int m_tableBorder = 1;
    int m_cellPadding = 1;
    int m_cellBorderThickness = 1;
    uint32_t m_tableBackground = 0xFFFFFF;
    uint32_t m_headerBackground = 0xFFFFFF;
    uint32_t m_tableBorderColour = 0;
    uint32_t m_cellBorderColour = 0;
    int m_setColours = 0;
    int m_oldStyleBorders = 0;
    int m_headerKind = 0;
    QString m_summary;
    QString m_fontFace;
    int m_fontSize = 0;
    uint32_t m_fontColour = 0;
    bool m_hasFont = false;
    QString m_fileName;
    std::vector<CRichTextLinks> m_cells;
};

// A grid of rich-text cells on a screen. Every cell is rich text with its own link records and markers, as
// a text box has them. The component keeps the table's settings, the splitter positions (column widths and
// row heights, written by the window whenever a bar moves), the default font and every cell; its record
// holds the whole table, cell texts and cell links included.
class CComponentTable : public CComponentBase, private STableValues
{
public:
    using Values = STableValues;
    const Values &GetValues() const { return *this; }
    // Takes every value and shows them in the window.
    void SetValues(const Values &values);

    // What the table dialog hands over for a new table.
    struct Settings {
        int rows = 0;
        int columns = 0;
        int tableBorder = 1;
        int cellBorderThickness = 1;
        int cellPadding = 1;
        uint32_t tableBackground = 0xFFFFFF;
        QString summary;
        int headerKind = 0;
        int setColours = 0;
        uint32_t headerBackground = 0xFFFFFF;
        int oldStyleBorders = 0;
        uint32_t tableBorderColour = 0;
        uint32_t cellBorderColour = 0;
    };

    // Header kinds.
    enum HeaderKind { headerNone = 0, headerLeft = 1, headerTop = 2, headerBoth = 3 };

    explicit CComponentTable(CEditCanvas *parent = nullptr);
    CComponentTable(CEditCanvas *parent, const Settings &settings);

    Settings GetSettings() const;

    // Changing the size keeps every cell that is still inside the grid; new cells are empty. The grid is
    // kept within kMaxRows x kMaxColumns and kMaxCells.
    int GetRowCount() const { return m_rows; }
    void SetRowCount(int rows);
    int GetColumnCount() const { return m_columns; }
    void SetColumnCount(int columns);
    int GetBorderWidth() const { return m_tableBorder; }
    void SetBorderWidth(int width) { m_tableBorder = width; }
    int GetCellPadding() const { return m_cellPadding; }
    void SetCellPadding(int padding) { m_cellPadding = padding; }
    int GetCellBorderThickness() const { return m_cellBorderThickness; }
    void SetCellBorderThickness(int thickness) { m_cellBorderThickness = thickness; }
    uint32_t GetTableBackground() const { return m_tableBackground; }
    void SetTableBackground(uint32_t colour) { m_tableBackground = colour; }
    uint32_t GetHeaderBackground() const { return m_headerBackground; }
    void SetHeaderBackground(uint32_t colour) { m_headerBackground = colour; }
    uint32_t GetTableBorderColour() const { return m_tableBorderColour; }
    void SetTableBorderColour(uint32_t colour) { m_tableBorderColour = colour; }
    uint32_t GetCellBorderColour() const { return m_cellBorderColour; }
    void SetCellBorderColour(uint32_t colour) { m_cellBorderColour = colour; }
    int GetSetColours() const { return m_setColours; }
    void SetSetColours(int set) { m_setColours = set; }
    int GetOldStyleBorders() const { return m_oldStyleBorders; }
    void SetOldStyleBorders(int oldStyle) { m_oldStyleBorders = oldStyle; }
    int GetHeaderKind() const { return m_headerKind; }
    void SetHeaderKind(int kind) { m_headerKind = kind; }
    QString GetSummary() const { return m_summary; }
    void SetSummary(const QString &summary) { m_summary = summary; }

    // Column widths and row heights as the splitter bars have them, in the window's order.
    const std::vector<int> &GetSplitterPositions() const { return m_splitterPositions; }
    void SetSplitterPositions(const std::vector<int> &positions) { m_splitterPositions = positions; }

    // "t%d": the base name of the cell files of the oldest projects.
    const QString &GetFileName() const { return m_fileName; }
    void SetFileName(const QString &name) { m_fileName = name; }

    // The cells, row by row: cell index = row x columns + column.
    std::vector<CRichTextLinks> &GetCellList() { return m_cells; }
    const std::vector<CRichTextLinks> &GetCellList() const { return m_cells; }
    // Null outside the grid.
    CRichTextLinks *GetCell(int row, int column);
    // Replaces the whole text of the cell; nothing outside the grid.
    void SetCellText(const QString &text, int row, int column);

    // The default character format of every cell: face, points x 20 twips, colour, and neither bold,
    // underlined nor struck out.
    void SetDefaultFont(const QString &face, int size, uint32_t colour);
    const QString &GetDefaultFontFace() const { return m_fontFace; }
    int GetDefaultFontSize() const { return m_fontSize; }
    uint32_t GetDefaultFontColour() const { return m_fontColour; }

    // The cell the author works in (the window sets it from the keyboard focus); -1 for none.
    int GetActiveCell() const { return m_activeCell; }
    void SetActiveCell(int index);
    CRichTextLinks *GetActiveCellContent();

    // Paragraph commands on the active cell.
    void AlignLeft();
    void Centre();
    void AlignRight();
    void Justify();
    void IncreaseIndent();
    void DecreaseIndent();

    // Adds a link in the active cell (the caller then gives it the link effect, ToggleLinkEffect on that
    // cell); fails, with the message for the author, when no cell is active or the cell refuses it.
    CStatus AddLink(const QString &text, int position, int screenLink, int targetScreen, const QString &address,
                    int popup, int script, int fullSize, int popupHeight, int popupWidth);

    std::unique_ptr<CComponentBase> Clone(bool keepPosition) const override;
    void SerializeComponent(CArchive &ar) override;

    // The largest grid a table can have. A grid is kept within them when it is made or resized, so that
    // every table written can be read back; a record beyond them is damaged.
    static constexpr int kMaxRows = 1000;
    static constexpr int kMaxColumns = 1000;
    static constexpr int kMaxCells = 10000;

private:
    void ResizeGrid(int rows, int columns);
    // Runs a paragraph command on the active cell's text; nothing without one.
    void OnActiveCell(void (CRichText::*command)());
    void ApplyDefaultFont(CRichText &text) const;
    void LoadCellsFromFiles(const CArchive &ar, const QString &mediaFolder);

    int m_activeCell = -1;
};
