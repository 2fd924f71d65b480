#include "model/ComponentTable.h"

#include "model/MediaCopy.h"
#include "platform/Archive.h"
#include "platform/PathUtil.h"

#include <QFile>

#include <algorithm>
#include <limits>

namespace {

const CRect kDefaultBounds(0, 0, 484, 300);

} // namespace

CComponentTable::CComponentTable(CEditCanvas *parent) : CComponentBase(ct_table, parent, kDefaultBounds) {}

CComponentTable::CComponentTable(CEditCanvas *parent, const Settings &settings) : CComponentTable(parent)
{
    m_tableBorder = settings.tableBorder;
    m_cellBorderThickness = settings.cellBorderThickness;
    m_cellPadding = settings.cellPadding;
    m_tableBackground = settings.tableBackground;
    m_summary = settings.summary;
    m_headerKind = settings.headerKind;
    m_setColours = settings.setColours;
    m_headerBackground = settings.headerBackground;
    m_oldStyleBorders = settings.oldStyleBorders;
    m_tableBorderColour = settings.tableBorderColour;
    m_cellBorderColour = settings.cellBorderColour;
    ResizeGrid(settings.rows, settings.columns);
}

void CComponentTable::SetValues(const Values &values)
{
    static_cast<Values &>(*this) = values;
    if (m_activeCell >= int(m_cells.size()))
        m_activeCell = -1;
    ExchangeData(false);
}

CComponentTable::Settings CComponentTable::GetSettings() const
{
    Settings settings;
    settings.rows = m_rows;
    settings.columns = m_columns;
    settings.tableBorder = m_tableBorder;
    settings.cellBorderThickness = m_cellBorderThickness;
    settings.cellPadding = m_cellPadding;
    settings.tableBackground = m_tableBackground;
    settings.summary = m_summary;
    settings.headerKind = m_headerKind;
    settings.setColours = m_setColours;
    settings.headerBackground = m_headerBackground;
    settings.oldStyleBorders = m_oldStyleBorders;
    settings.tableBorderColour = m_tableBorderColour;
    settings.cellBorderColour = m_cellBorderColour;
    return settings;
}

void CComponentTable::SetRowCount(int rows)
{
    ResizeGrid(rows, m_columns);
}

void CComponentTable::SetColumnCount(int columns)
{
    ResizeGrid(m_rows, columns);
}

void CComponentTable::ResizeGrid(int rows, int columns)
{
    rows = std::clamp(rows, 0, kMaxRows);
    columns = std::clamp(columns, 0, kMaxColumns);
    if (columns > 0 && rows > kMaxCells / columns)
        rows = kMaxCells / columns;
    std::vector<CRichTextLinks> cells(size_t(rows) * size_t(columns));
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            CRichTextLinks &cell = cells[size_t(row) * columns + column];
            if (row < m_rows && column < m_columns)
                cell = std::move(m_cells[size_t(row) * m_columns + column]);
            else
                ApplyDefaultFont(cell.GetRichText());
        }
    }
    m_cells = std::move(cells);
    m_rows = rows;
    m_columns = columns;
    if (m_activeCell >= int(m_cells.size()))
        m_activeCell = -1;
}

CRichTextLinks *CComponentTable::GetCell(int row, int column)
{
    if (row < 0 || column < 0 || row >= m_rows || column >= m_columns)
        return nullptr;
    return &m_cells[size_t(row) * m_columns + column];
}

void CComponentTable::SetCellText(const QString &text, int row, int column)
{
    if (CRichTextLinks *cell = GetCell(row, column))
        cell->GetRichText().ReplaceAll(text);
}

void CComponentTable::SetDefaultFont(const QString &face, int size, uint32_t colour)
{
    m_fontFace = face;
    m_fontSize = size;
    m_fontColour = colour;
    m_hasFont = true;
    for (CRichTextLinks &cell : m_cells)
        ApplyDefaultFont(cell.GetRichText());
}

void CComponentTable::ApplyDefaultFont(CRichText &text) const
{
    if (!m_hasFont)
        return;
    CCharFormat format;
    format.mask = CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_BOLD | CFM_UNDERLINE | CFM_STRIKEOUT;
    format.face = m_fontFace;
    format.height = m_fontSize * 20;
    format.colour = m_fontColour;
    text.SetDefaultCharFormat(format);
}

void CComponentTable::SetActiveCell(int index)
{
    m_activeCell = index >= 0 && index < int(m_cells.size()) ? index : -1;
}

CRichTextLinks *CComponentTable::GetActiveCellContent()
{
    return m_activeCell >= 0 ? &m_cells[size_t(m_activeCell)] : nullptr;
}

void CComponentTable::OnActiveCell(void (CRichText::*command)())
{
    if (CRichTextLinks *cell = GetActiveCellContent())
        (cell->GetRichText().*command)();
}

void CComponentTable::AlignLeft() { OnActiveCell(&CRichText::AlignLeft); }
void CComponentTable::Centre() { OnActiveCell(&CRichText::AlignCenter); }
void CComponentTable::AlignRight() { OnActiveCell(&CRichText::AlignRight); }
void CComponentTable::Justify() { OnActiveCell(&CRichText::AlignJustify); }
void CComponentTable::IncreaseIndent() { OnActiveCell(&CRichText::IncreaseIndent); }
void CComponentTable::DecreaseIndent() { OnActiveCell(&CRichText::DecreaseIndent); }

CStatus CComponentTable::AddLink(const QString &text, int position, int screenLink, int targetScreen,
                                 const QString &address, int popup, int script, int fullSize, int popupHeight,
                                 int popupWidth)
{
    CRichTextLinks *cell = GetActiveCellContent();
    if (!cell)
        return CFailure(QStringLiteral("Choose a cell of the table before adding a link."));
    return cell->AddLink(text, position, screenLink, targetScreen, address, popup, script, fullSize, popupHeight,
                         popupWidth);
}

std::unique_ptr<CComponentBase> CComponentTable::Clone(bool keepPosition) const
{
    // A deep copy: settings, bar positions, and every cell with its text and links.
    return CloneKind<CComponentTable>(keepPosition);
}

void CComponentTable::SerializeComponent(CArchive &ar)
{
    if (ar.IsStoring()) {
        ExchangeData(true);
        // Every cell is repaired before any text is written, so the texts stored match the links stored
        // after them.
        for (CRichTextLinks &cell : m_cells)
            cell.RepairLinks();
        StoreHead(ar);
        ar.WriteString(m_fileName);
        ar.WriteInt(m_rows);
        ar.WriteInt(m_columns);
        ar.WriteInt(m_tableBorder);
        ar.WriteInt(m_cellBorderThickness);
        ar.WriteInt(m_cellPadding);
        ar.WriteColor(m_tableBackground);
        ar.WriteString(m_summary);
        ar.WriteInt(m_headerKind);
        ar.WriteInt(m_setColours);
        ar.WriteColor(m_headerBackground);
        ar.WriteInt(m_oldStyleBorders);
        ar.WriteColor(m_tableBorderColour);
        ar.WriteColor(m_cellBorderColour);
        ar.WriteCount(uint32_t(m_splitterPositions.size()));
        for (int position : m_splitterPositions)
            ar.WriteInt(position);
        for (const CRichTextLinks &cell : m_cells)
            ar.WriteString(cell.GetRichText().GetRtf());
        for (const CRichTextLinks &cell : m_cells)
            cell.StoreLinks(ar);
        return;
    }

    LoadBounds(ar);
    m_fileName = ar.ReadString();
    const int rows = ar.ReadCheckedInt(kMaxRows, 0);
    const int columns = ar.ReadCheckedInt(kMaxColumns, 0);
    m_tableBorder = ar.ReadInt();
    if (IsSchemaAbove(ProjectSchema::kTableCellSettings)) {
        m_cellBorderThickness = ar.ReadInt();
        m_cellPadding = ar.ReadInt();
        m_tableBackground = ar.ReadColor();
        m_summary = ar.ReadString();
        m_headerKind = ar.ReadInt();
        m_setColours = ar.ReadInt();
        m_headerBackground = ar.ReadColor();
        m_oldStyleBorders = ar.ReadInt();
        m_tableBorderColour = ar.ReadColor();
        m_cellBorderColour = ar.ReadColor();
    }
    if (qint64(rows) * columns > kMaxCells)
        throw CArchiveException(CArchiveException::badCount,
                                QStringLiteral("The file %1 is damaged: a table of %2 x %3 cells is impossible.")
                                    .arg(ar.GetFilePath())
                                    .arg(rows)
                                    .arg(columns));
    // The window keeps a bar between each two cells of a row and below each row, but nothing limits what
    // a file holds: like every other count, this one is bounded by the bytes left (4 per position).
    const uint32_t splitters = ar.ReadCount(std::numeric_limits<uint32_t>::max(), 4);
    m_splitterPositions.assign(splitters, 0);
    for (int &position : m_splitterPositions)
        position = ar.ReadInt();

    const bool cellsInArchive = ProjectSchema::AtLeast(GetFileSchema(), ProjectSchema::kRtfInArchive);
    // Every cell's text takes at least one byte: a grid larger than what is left cannot be real.
    if (cellsInArchive && qint64(rows) * columns > ar.BytesLeft())
        throw CArchiveException(CArchiveException::badCount,
                                QStringLiteral("A table of %1 x %2 cells does not fit in what is left of %3.")
                                    .arg(rows)
                                    .arg(columns)
                                    .arg(ar.GetFilePath()));
    m_cells.clear();
    m_rows = 0;
    m_columns = 0;
    m_activeCell = -1;
    ResizeGrid(rows, columns);
    if (cellsInArchive) {
        for (CRichTextLinks &cell : m_cells)
            cell.GetRichText().SetRtf(ar.ReadString());
    } else {
        LoadCellsFromFiles(ar, CMediaCopy::BaseFolder(ar.GetFilePath(), false));
    }
    if (IsSchemaAbove(ProjectSchema::kTableCellSettings)) {
        for (CRichTextLinks &cell : m_cells) {
            cell.LoadLinks(ar, GetFileSchema());
            cell.MarkPendingLinks(false);
        }
    }
    ExchangeData(false);
}

void CComponentTable::LoadCellsFromFiles(const CArchive &ar, const QString &mediaFolder)
{
    // One listing of the folder serves every cell, and a cell whose file is missing stays empty.
    const QString folder = CorvPath::Join(mediaFolder, QStringLiteral("Rtfs"));
    for (size_t index = 0; index < m_cells.size(); ++index) {
        // The base name comes from the file: it may only name files inside the Rtfs folder.
        const QString name = CorvPath::SafeBareName(QStringLiteral("%1_%2.rtf").arg(m_fileName).arg(index));
        if (name.isEmpty())
            continue;
        QFile file(ar.Paths().Resolve(CorvPath::Join(folder, name)));
        if (file.open(QIODevice::ReadOnly))
            m_cells[index].GetRichText().SetRtfBytes(file.readAll());
    }
}
