#pragma once

#include "app/InPlaceEditState.h"

#include <QPointer>
#include <QStyledItemDelegate>

class CDropDownListCtrl;

// The in-place editors of one drop-down list: a line edit, a three-line edit for multi-line rows (Enter
// makes a new line) or a browse editor, one open at a time. Enter, Tab and the loss of the focus commit;
// Escape puts the cell's text back and still reports. It also paints the list's rows: alternate rows
// tinted, check cells as check boxes.
class CInPlaceEditDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit CInPlaceEditDelegate(CDropDownListCtrl *list);

    QWidget *OpenEditor() const { return m_open; }
    const CInPlaceEditState &State() const { return m_state; }
    // Commits the open editor (or cancels it when Escape was pressed) and closes it.
    void EndEdit();

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

signals:
    // A cell's edit ended with this text written into it.
    void edited(int row, int column, const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Browse();
    bool OwnsWidget(const QObject *object) const;
    static void PaintText(QPainter *painter, const QStyleOptionViewItem &option);
    static QString EditorText(const QWidget *editor);
    static void SetEditorText(QWidget *editor, const QString &text);

    CDropDownListCtrl *m_list;
    // Qt asks for editors through const members; which one is open and the edit it makes are the
    // delegate's own bookkeeping.
    mutable QPointer<QWidget> m_open;
    mutable CInPlaceEditState m_state;
    // Whether the open editor got the cell's text yet.
    mutable bool m_filled = false;
};
