#include "app/ui/controls/DropDownListCtrl.h"

#include "app/DropDownListRules.h"
#include "platform/ui/FileDialogs.h"
#include "app/ui/controls/InPlaceBrowseEditor.h"
#include "app/ui/controls/InPlaceEditDelegate.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

CDropDownListCtrl::CDropDownListCtrl(QWidget *parent) : QTableWidget(parent), m_delegate(new CInPlaceEditDelegate(this))
{
    setItemDelegate(m_delegate);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Clicks are the list's own business (mousePressEvent); the keyboard opens editors with F2 or typing.
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    setAccessibleName(QStringLiteral("List"));
    connect(m_delegate, &CInPlaceEditDelegate::edited, this, &CDropDownListCtrl::OnEdited);
    // The author scrolling the rows away ends the edit first, so what was typed is kept.
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this] { EndActiveEdit(); });
}

CFileDialogs &CDropDownListCtrl::FileDialogs() const { return m_dialogs ? *m_dialogs : CFileDialogs::Native(); }

void CDropDownListCtrl::SetReadOnlyColumn(int column, bool on) { m_readOnly.Set(column, on); }
void CDropDownListCtrl::SetBrowseColumn(int column, bool on) { m_browse.Set(column, on); }
void CDropDownListCtrl::SetCheckColumn(int column, bool on)
{
    m_check.Set(column, on);
    viewport()->update();
}
void CDropDownListCtrl::SetMultiLineRow(int row, bool on) { m_multiLine.Set(row, on); }
void CDropDownListCtrl::ClearMultiLineRows() { m_multiLine.Clear(); }

QString CDropDownListCtrl::CellText(int row, int column) const
{
    const QTableWidgetItem *cell = item(row, column);
    return cell ? cell->text() : QString();
}

void CDropDownListCtrl::SetCellText(int row, int column, const QString &text)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return;
    if (QTableWidgetItem *cell = item(row, column))
        cell->setText(text);
    else
        setItem(row, column, new QTableWidgetItem(text));
}

bool CDropDownListCtrl::SetCheckText(int row, int column, bool value)
{
    if (!IsCheckColumn(column))
        return false;
    SetCellText(row, column, CorvDropDownList::CheckText(value));
    return value;
}

QWidget *CDropDownListCtrl::ActiveEditor() const { return m_delegate->OpenEditor(); }

void CDropDownListCtrl::EndActiveEdit() { m_delegate->EndEdit(); }

void CDropDownListCtrl::CloseBrowseButton()
{
    if (qobject_cast<CInPlaceBrowseEditor *>(m_delegate->OpenEditor()))
        m_delegate->EndEdit();
}

void CDropDownListCtrl::OnEdited(int row, int column, const QString &text)
{
    m_changed = true;
    emit itemEdited(row, column, text);
    emit listCellChanged();
}

void CDropDownListCtrl::Toggle(int row, int column)
{
    SetCellText(row, column, CorvDropDownList::ToggledText(CellText(row, column)));
    // A toggled cell is a change like any other: hosts that read the flag must see it.
    m_changed = true;
    emit listCellChanged();
}

bool CDropDownListCtrl::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    // Read-only cells never open an editor; check cells toggle instead.
    if (index.isValid() && (IsReadOnlyColumn(index.column()) || IsCheckColumn(index.column())))
        return false;
    return QTableWidget::edit(index, trigger, event);
}

void CDropDownListCtrl::mousePressEvent(QMouseEvent *event)
{
    EndActiveEdit();
    const QModelIndex index = indexAt(event->position().toPoint());
    QTableWidget::mousePressEvent(event);
    if (!index.isValid() || event->button() != Qt::LeftButton
        || (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)))
        return;
    const int column = index.column();
    if (IsBrowseColumn(column) && !IsReadOnlyColumn(column))
        edit(index, QAbstractItemView::AllEditTriggers, event);
    else if (IsCheckColumn(column))
        Toggle(index.row(), column);
    else if (!IsReadOnlyColumn(column))
        edit(index, QAbstractItemView::AllEditTriggers, event);
}

void CDropDownListCtrl::keyPressEvent(QKeyEvent *event)
{
    const QModelIndex index = currentIndex();
    if (index.isValid() && IsCheckColumn(index.column()) && event->key() == Qt::Key_Space && !ActiveEditor()) {
        Toggle(index.row(), index.column());
        return;
    }
    QTableWidget::keyPressEvent(event);
}
