#pragma once

#include "app/IndexSet.h"

#include <QTableWidget>

class CFileDialogs;
class CInPlaceEditDelegate;

// A report list whose cells the author edits in place. Hosts declare read-only columns, check columns (cells
// "true" or "false", toggled by a click or Space), browse columns (a file path with a "..." button) and
// multi-line rows (a three-line editor where Enter makes a new line), then fill the cells with text. A click
// on a cell, F2 or typing opens its editor; every edit that ends, committed or cancelled, is written into
// the cell and reported, and sets the changed flag the host reads and clears.
class CDropDownListCtrl : public QTableWidget
{
    Q_OBJECT
public:
    explicit CDropDownListCtrl(QWidget *parent = nullptr);

    void SetReadOnlyColumn(int column, bool on);
    void SetBrowseColumn(int column, bool on);
    void SetCheckColumn(int column, bool on);
    void SetMultiLineRow(int row, bool on);
    void ClearMultiLineRows();
    bool IsReadOnlyColumn(int column) const { return m_readOnly.Contains(column); }
    bool IsBrowseColumn(int column) const { return m_browse.Contains(column); }
    bool IsCheckColumn(int column) const { return m_check.Contains(column); }
    bool IsMultiLineRow(int row) const { return m_multiLine.Contains(row); }

    // Writes "true" or "false" into a check cell and gives back value; false (and nothing written) for any
    // other cell.
    bool SetCheckText(int row, int column, bool value);
    QString CellText(int row, int column) const;
    void SetCellText(int row, int column, const QString &text);

    // Ends the open edit as losing the focus would (commit, or put back after Escape) and reports it. Hosts
    // call it before they read the cells.
    void EndActiveEdit();
    // Closes an open browse cell's editor, reporting its edit.
    void CloseBrowseButton();
    QWidget *ActiveEditor() const;

    bool ChangedFlag() const { return m_changed; }
    void ClearChangedFlag() { m_changed = false; }

    void SetRightToLeft(bool on) { setLayoutDirection(on ? Qt::RightToLeft : Qt::LeftToRight); }
    // The file picker of browse cells (tests answer from a script); the desktop's by default.
    void SetFileDialogs(CFileDialogs *dialogs) { m_dialogs = dialogs; }
    CFileDialogs &FileDialogs() const;

signals:
    // After every edit, browse or check toggle.
    void listCellChanged();
    // After every edit written into a cell.
    void itemEdited(int row, int column, const QString &text);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;

private:
    void Toggle(int row, int column);
    void OnEdited(int row, int column, const QString &text);

    CIndexSet m_readOnly;
    CIndexSet m_browse;
    CIndexSet m_check;
    CIndexSet m_multiLine;
    bool m_changed = false;
    CInPlaceEditDelegate *m_delegate;
    CFileDialogs *m_dialogs = nullptr;
};
