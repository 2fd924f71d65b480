#include "editor/ui/WndTable.h"

#include "dialogs/LinkDialogs.h"
#include "editor/CanvasComponentPainter.h"
#include "editor/RichEditMapping.h"
#include "editor/ui/RichEditCtrlEx.h"
#include "model/ColorRef.h"
#include "platform/Prompt.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>

CWndTable::CWndTable(CComponentTable &component, QWidget *canvas)
    : CEditingComponentWindow(component, canvas), m_component(component)
{
    setAccessibleName(tr("Table"));
    setMouseTracking(true);
    // The component is still being made: its cells are read when it is first shown (UpdateFromComponent).
    m_grid = std::make_unique<CTableGrid>(width(), height(), 1, 1, std::vector<int>());
}

CWndTable::~CWndTable() = default;

void CWndTable::MoveWindow(const CRect &rect)
{
    SetBounds(rect);
    // A hidden window gets its resize event only when shown: the grid follows the new size at once.
    if (!m_cells.empty()) {
        m_grid = std::make_unique<CTableGrid>(width(), height(), m_component.GetRowCount(),
                                              m_component.GetColumnCount(), m_component.GetSplitterPositions());
        LayoutCells();
    }
    update();
}

void CWndTable::Invalidate()
{
    ApplyBackgrounds();
    update();
}

void CWndTable::UpdateFromComponent()
{
    if (m_cells.empty()) {
        // Nothing is being edited: the window paints the component's values as they are.
        m_grid = std::make_unique<CTableGrid>(width(), height(), m_component.GetRowCount(),
                                              m_component.GetColumnCount(), m_component.GetSplitterPositions());
        update();
        return;
    }
    const int count = m_component.GetRowCount() * m_component.GetColumnCount();
    if (count != int(m_cells.size()) || m_grid->GetColumns() != std::max(1, m_component.GetColumnCount()) ||
        m_grid->GetRows() != std::max(1, m_component.GetRowCount()))
        BuildCells();
    // The cells edit the component's own texts, which a new set of values replaces.
    std::vector<CRichTextLinks> &texts = m_component.GetCellList();
    for (size_t i = 0; i < m_cells.size() && i < texts.size(); ++i)
        m_cells[i]->SetDocument(&texts[i].GetRichText());
    m_grid = std::make_unique<CTableGrid>(width(), height(), m_component.GetRowCount(),
                                          m_component.GetColumnCount(), m_component.GetSplitterPositions());
    LayoutCells();
    ApplyBackgrounds();
}

void CWndTable::UpdateComponent()
{
    // The cells work on the component's own texts; the bar positions go over whenever a bar is dropped.
}

void CWndTable::EnableEditing(bool enable)
{
    if (enable == m_editing)
        return;
    m_editing = enable;
    if (enable)
        BuildCells();
    else
        DropCells();
    update();
}

const std::vector<CRichEditCtrlEx *> &CWndTable::Cells() const
{
    if (m_cells.empty() && !m_component.GetCellList().empty())
        const_cast<CWndTable *>(this)->BuildCells();
    return m_cells;
}

void CWndTable::DropCells()
{
    // The cell that asked for this may be running its own menu: old cells go once it has returned.
    for (CRichEditCtrlEx *cell : m_cells) {
        cell->hide();
        cell->disconnect(this);
        cell->SetDocument(nullptr); // its text may be gone already
        cell->deleteLater();
    }
    m_cells.clear();
}

void CWndTable::ResetCaret()
{
    for (CRichEditCtrlEx *cell : m_cells)
        cell->SetDocSelection(0, 0);
}

// ---------------------------------------------------------------------------------------------------------
// The grid

void CWndTable::BuildCells()
{
    DropCells();
    std::vector<CRichTextLinks> &texts = m_component.GetCellList();
    for (size_t index = 0; index < texts.size(); ++index) {
        auto *cell = new CRichEditCtrlEx(this, CRichEditCtrlEx::Owner::TableCell);
        const int row = int(index) / std::max(1, m_component.GetColumnCount());
        const int column = int(index) % std::max(1, m_component.GetColumnCount());
        cell->setAccessibleName(tr("Cell %1, %2").arg(row + 1).arg(column + 1));
        cell->setFrameShape(QFrame::NoFrame);
        cell->document()->setDocumentMargin(2);
        cell->SetTabHandledByOwner(true);
        cell->setEnabled(m_editing);
        cell->SetDocument(&texts[index].GetRichText());
        const int i = int(index);
        connect(cell, &CRichEditCtrlEx::SelectionFormatChanged, this, [this, i] { OnCellSelChange(i); });
        connect(cell, &CRichEditCtrlEx::TableCommand, this, [this, i](int id) { OnTableCommand(i, id); });
        connect(cell, &CRichEditCtrlEx::TabPressed, this, [this, i] { FocusNextCell(i); });
        connect(cell, &CRichEditCtrlEx::SelectComponent, this, [this] {
            SelectOwnComponent();
        });
        connect(cell, &CRichEditCtrlEx::BorderPress, this,
                [this](const QPoint &pos, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
                    RelayToCanvas(QEvent::MouseButtonPress, pos, button, button, modifiers);
                });
        cell->show();
        m_cells.push_back(cell);
    }
    m_grid = std::make_unique<CTableGrid>(width(), height(), m_component.GetRowCount(), m_component.GetColumnCount(),
                                          m_component.GetSplitterPositions());
    LayoutCells();
    ApplyBackgrounds();
}

void CWndTable::LayoutCells()
{
    for (size_t i = 0; i < m_cells.size(); ++i)
        m_cells[i]->setGeometry(m_grid->CellRect(int(i)));
    update();
}

void CWndTable::ApplyBackgrounds()
{
    const int columns = std::max(1, m_component.GetColumnCount());
    for (size_t i = 0; i < m_cells.size(); ++i) {
        CRichEditCtrlEx *cell = m_cells[i];
        QPalette palette = cell->palette();
        const uint32_t currentRef = ColorRefFromColor(palette.color(QPalette::Base));
        const uint32_t colour = CTableGrid::CellBackground(m_component.GetHeaderKind(), int(i) / columns,
                                                           int(i) % columns, m_component.GetTableBackground(),
                                                           m_component.GetHeaderBackground(), currentRef);
        palette.setColor(QPalette::Base, ColorFromColorRef(colour));
        cell->setPalette(palette);
    }
}

void CWndTable::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    if (m_cells.empty())
        return;
    m_grid = std::make_unique<CTableGrid>(width(), height(), m_component.GetRowCount(), m_component.GetColumnCount(),
                                          m_component.GetSplitterPositions());
    LayoutCells();
}

void CWndTable::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_cells.empty()) {
        // Not being edited: the table as the screen's pictures show it.
        painter.translate(-m_component.GetBounds().left, -m_component.GetBounds().top);
        CanvasComponentPainter::Paint(painter, m_component);
        return;
    }
    painter.fillRect(rect(), Qt::white);
    painter.setPen(QColor(160, 160, 160));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (m_grid->GetRows() * m_grid->GetColumns() > 1) {
        // The outermost bar's border, and the bars themselves.
        const int inset = CTableGrid::kInset;
        painter.setPen(Qt::black);
        painter.drawRect(QRect(inset, inset, width() - 2 * inset - 1, height() - 2 * inset - 1));
        const QColor bar(212, 208, 200);
        for (int i = 1; i < m_grid->GetRows(); ++i)
            painter.fillRect(m_grid->RowBarRect(i), bar);
        for (int i = 0; i < m_grid->GetRows(); ++i)
            for (int j = 1; j < m_grid->GetColumns(); ++j) {
                const QRect first = m_grid->ColumnBarRect(j);
                const QRect cell = m_grid->CellRect(i * m_grid->GetColumns() + j);
                painter.fillRect(QRect(first.left(), cell.top(), first.width(), cell.height()), bar);
            }
    }
}

void CWndTable::ResizeGrid(int rows, int columns)
{
    // The component moves each kept cell's text and links into its new place; the bars start afresh.
    m_component.SetRowCount(rows);
    m_component.SetColumnCount(columns);
    m_component.SetActiveCell(-1);
    m_component.SetSplitterPositions({});
    m_grid = std::make_unique<CTableGrid>(width(), height(), m_component.GetRowCount(), m_component.GetColumnCount(),
                                          std::vector<int>());
    m_component.SetSplitterPositions(m_grid->SplitterPositions());
    BuildCells();
}

void CWndTable::UpdateTable(const CComponentTable::Settings &settings)
{
    if (settings.rows != m_component.GetRowCount() || settings.columns != m_component.GetColumnCount())
        ResizeGrid(std::max(1, settings.rows), std::max(1, settings.columns));
    m_component.SetBorderWidth(settings.tableBorder);
    m_component.SetCellBorderThickness(settings.cellBorderThickness);
    m_component.SetCellPadding(settings.cellPadding);
    m_component.SetTableBackground(settings.tableBackground);
    m_component.SetSummary(settings.summary);
    m_component.SetHeaderKind(settings.headerKind);
    m_component.SetSetColours(settings.setColours);
    m_component.SetHeaderBackground(settings.headerBackground);
    m_component.SetOldStyleBorders(settings.oldStyleBorders);
    m_component.SetTableBorderColour(settings.tableBorderColour);
    m_component.SetCellBorderColour(settings.cellBorderColour);
    ApplyBackgrounds();
    update();
}

void CWndTable::OnUpdateTable()
{
    CComponentTable::Settings settings = m_component.GetSettings();
    if (updateTableDialog && updateTableDialog(settings))
        UpdateTable(settings);
}

void CWndTable::MoveColumnBar(int j, int position)
{
    m_grid->MoveColumnBar(j, position);
    m_component.SetSplitterPositions(m_grid->SplitterPositions());
    LayoutCells();
}

void CWndTable::MoveRowBar(int i, int position)
{
    m_grid->MoveRowBar(i, position);
    m_component.SetSplitterPositions(m_grid->SplitterPositions());
    LayoutCells();
}

// ---------------------------------------------------------------------------------------------------------
// Mouse: bars are dragged here, other presses go to the canvas

void CWndTable::mousePressEvent(QMouseEvent *e)
{
    const QPoint pos = e->position().toPoint();
    m_dragColumn = 0;
    // The bars show and move only while the table is being edited.
    if (e->button() == Qt::LeftButton && !m_cells.empty()) {
        for (int j = 1; j < m_grid->GetColumns(); ++j)
            if (m_grid->ColumnBarRect(j).adjusted(-1, 0, 1, 0).contains(pos))
                m_dragColumn = j;
        for (int i = 1; i < m_grid->GetRows() && m_dragColumn == 0; ++i)
            if (m_grid->RowBarRect(i).adjusted(0, -1, 0, 1).contains(pos))
                m_dragColumn = -i;
    }
    if (m_dragColumn != 0) {
        // Where in the bar it was taken, so that the bar does not jump to the pointer.
        const QRect bar = m_dragColumn > 0 ? m_grid->ColumnBarRect(m_dragColumn) : m_grid->RowBarRect(-m_dragColumn);
        m_dragOffset = m_dragColumn > 0 ? pos.x() - bar.left() : pos.y() - bar.top();
        e->accept();
        return;
    }
    SelectOwnComponent();
    RelayToCanvas(QEvent::MouseButtonPress, pos, e->button(), e->button(), e->modifiers());
    e->accept();
}

void CWndTable::mouseMoveEvent(QMouseEvent *e)
{
    const QPoint pos = e->position().toPoint();
    const int origin = CTableGrid::kInset + 1;
    if (m_dragColumn > 0) {
        MoveColumnBar(m_dragColumn, pos.x() - m_dragOffset - origin);
        return;
    }
    if (m_dragColumn < 0) {
        MoveRowBar(-m_dragColumn, pos.y() - m_dragOffset - origin + CTableGrid::kBar);
        return;
    }
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (m_cells.empty()) {
        setCursor(shape);
        return;
    }
    for (int j = 1; j < m_grid->GetColumns(); ++j)
        if (m_grid->ColumnBarRect(j).contains(pos))
            shape = Qt::SplitHCursor;
    for (int i = 1; i < m_grid->GetRows(); ++i)
        if (m_grid->RowBarRect(i).contains(pos))
            shape = Qt::SplitVCursor;
    setCursor(shape);
}

void CWndTable::mouseReleaseEvent(QMouseEvent *e)
{
    m_dragColumn = 0;
    e->accept();
}

// ---------------------------------------------------------------------------------------------------------
// Cells

int CWndTable::FocusedCell() const
{
    // The focus inside this window's top-level window, which keeps it while another program is active.
    const QWidget *focus = window()->focusWidget();
    for (size_t i = 0; i < m_cells.size(); ++i)
        if (focus && (focus == m_cells[i] || m_cells[i]->isAncestorOf(focus)))
            return int(i);
    return -1;
}

CRichEditCtrlEx *CWndTable::FocusCell() const
{
    const int index = FocusedCell();
    return index >= 0 ? m_cells[size_t(index)] : ActiveCell();
}

CRichEditCtrlEx *CWndTable::ActiveCell() const
{
    const int index = m_component.GetActiveCell();
    return index >= 0 && index < int(m_cells.size()) ? m_cells[size_t(index)] : nullptr;
}

void CWndTable::FocusNextCell(int from)
{
    if (m_cells.empty())
        return;
    // Tab always goes forward, from the last cell to the first.
    const int next = from >= 0 && from + 1 < int(m_cells.size()) ? from + 1 : 0;
    m_cells[size_t(next)]->setFocus(Qt::TabFocusReason);
    m_component.SetActiveCell(next);
}

void CWndTable::OnCellSelChange(int index)
{
    m_component.SetActiveCell(index);
    const CCharFormat format = m_cells[size_t(index)]->GetSelectionCharFormat();
    const auto uniform = UniformFaceAndSize(format);
    if (uniform)
        ReportFont(uniform->first, uniform->second);
}

void CWndTable::OnTableCommand(int index, int id)
{
    switch (id) {
    case CRichEditCtrlEx::idTableCut:
        RunComponentCommand(WM_TABLE_CUT);
        break;
    case CRichEditCtrlEx::idTableCopy:
        RunComponentCommand(WM_TABLE_COPY);
        break;
    case CRichEditCtrlEx::idBringToTop:
        RunComponentCommand(WM_TABLE_TO_TOP);
        break;
    case CRichEditCtrlEx::idSendToBack:
        RunComponentCommand(WM_TABLE_TO_BACK);
        break;
    case CRichEditCtrlEx::idUpdateTable:
        OnUpdateTable();
        break;
    case CRichEditCtrlEx::idDeleteLink:
        m_component.SetActiveCell(index);
        DeleteLinkInActiveCell();
        break;
    default:
        break;
    }
}

void CWndTable::SetActiveCellColour(uint32_t colour)
{
    if (CRichEditCtrlEx *cell = ActiveCell())
        cell->SetSelectionColour(colour);
}

void CWndTable::SetActiveCellFontName(const QString &face)
{
    if (CRichEditCtrlEx *cell = ActiveCell())
        cell->SetSelectionFace(face);
}

void CWndTable::SetActiveCellFontSize(int points)
{
    if (CRichEditCtrlEx *cell = ActiveCell())
        cell->SetSelectionPointSize(points);
}

bool CWndTable::OnFormatCommand(int commandId)
{
    CRichEditCtrlEx *cell = FocusCell();
    return cell && cell->OnFormatCommand(commandId);
}

int CWndTable::SetActiveCellFromFocus()
{
    const int index = FocusedCell();
    if (index >= 0)
        m_component.SetActiveCell(index);
    return m_component.GetActiveCell();
}

bool CWndTable::AddLink(const CAddLinkValues &target, CPrompt &prompt)
{
    SetActiveCellFromFocus();
    CRichEditCtrlEx *cell = ActiveCell();
    if (!cell)
        return false;
    CRichText &text = *cell->GetDocument();
    const QTextCursor c = cell->textCursor();
    const auto range = CRichEditMapping(text).LinkableRange(c.selectionStart(), c.selectionEnd());
    if (!range)
        return false;
    const auto [start, end] = *range;
    if (const CStatus status = m_component.AddLink(text.GetTextRange(start, end), start, target.screenLink,
                                                   target.targetScreen, target.Url(), target.popup, target.script,
                                                   target.fullSize, target.popupHeight, target.popupWidth);
        !status) {
        prompt.Information(status.Error());
        return false;
    }
    // The new link's text is left selected: it takes the link effect.
    m_component.GetActiveCellContent()->ToggleLinkEffect();
    cell->Refresh();
    return true;
}

bool CWndTable::DeleteLinkInActiveCell()
{
    CRichTextLinks *content = m_component.GetActiveCellContent();
    CRichEditCtrlEx *cell = ActiveCell();
    if (!content || !cell)
        return false;
    const bool deleted = content->DeleteLinkAtCaret();
    if (deleted)
        cell->Refresh();
    return deleted;
}

void CWndTable::DrawToDC(QPainter &painter, const QRect &rect) const
{
    painter.save();
    painter.drawRect(rect);
    painter.setPen(Qt::black);
    const QPoint origin = rect.topLeft();
    for (int j = 1; j < m_grid->GetColumns(); ++j) {
        const QRect bar = m_grid->ColumnBarRect(j).translated(origin);
        painter.drawLine(bar.center().x(), rect.top() + CTableGrid::kInset, bar.center().x(),
                         rect.bottom() - CTableGrid::kInset);
    }
    for (int i = 1; i < m_grid->GetRows(); ++i) {
        const QRect bar = m_grid->RowBarRect(i).translated(origin);
        painter.drawLine(rect.left() + CTableGrid::kInset, bar.center().y(), rect.right() - CTableGrid::kInset,
                         bar.center().y());
    }
    const std::vector<CRichTextLinks> &texts = m_component.GetCellList();
    for (size_t i = 0; i < texts.size(); ++i) {
        const QRect cell = m_grid->CellRect(int(i)).translated(origin);
        texts[i].GetRichText().DrawToDC(painter, CRect(cell.left(), cell.top(), cell.right() + 1, cell.bottom() + 1));
    }
    painter.restore();
}
