#pragma once

#include "editor/OutlineDrop.h"
#include "model/OutlineTree.h"

#include <QSet>
#include <QStringList>
#include <QTreeWidget>

#include <functional>

class CEditController;

// The outline tree: a view of the controller's outline. Choosing an item makes its screen current; an item
// dragged with its subtree onto another goes below it or after it as the page types allow; the drag buttons
// of the outline page drop new containers and remediation screens; Delete deletes; labels can be edited.
class CDragDropTreeCtrl : public QTreeWidget
{
    Q_OBJECT
public:
    static constexpr const char *kItemMime = "application/x-corvessa-outline-item";
    static constexpr const char *kNewMime = "application/x-corvessa-new-outline-item";

    CDragDropTreeCtrl(CEditController &controller, QWidget *parent = nullptr);

    // Shows the controller's outline again, keeping what is expanded.
    void Rebuild();
    // Selects the current outline item (a selection by the program).
    void ShowCurrent();
    QTreeWidgetItem *WidgetItemOf(const COutlineTree::Item *item) const;
    static COutlineTree::Item *OutlineItemOf(const QTreeWidgetItem *item);
    // What dropping the dragged item at the point of the viewport would do.
    OutlineDrop::Result Decide(const COutlineTree::Item *dragged, const QPoint &viewportPoint) const;
    // Whether the point lies on the right half of the item's label or beyond it on its row.
    bool OnRightPart(const QTreeWidgetItem *item, const QPoint &viewportPoint) const;

    // Files dragged from the desktop: whether the local files can be taken and what dropping them does;
    // without these the outline takes no files.
    std::function<bool(const QStringList &)> acceptsFiles;
    std::function<void(const QStringList &)> dropFiles;

signals:
    void ScreenChosen();
    void OutlineEdited();
    void CopyRequested();
    void PasteRequested();

protected:
    QMimeData *mimeData(const QList<QTreeWidgetItem *> &items) const override;
    QStringList mimeTypes() const override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void AddItems(const COutlineTree::Item *first, QTreeWidgetItem *parent, const QSet<const void *> &expanded);
    void OnCurrentItemChanged(QTreeWidgetItem *current);
    void OnItemChanged(QTreeWidgetItem *item);
    COutlineTree::Item *DraggedItem(const QMimeData *mime) const;
    // The local files of the drag when the outline takes them; empty otherwise.
    QStringList AcceptableFiles(const QMimeData *mime) const;
    void SetDropHighlight(QTreeWidgetItem *item);
    void DropNewItem(const QByteArray &kind, QTreeWidgetItem *target);

    CEditController &m_controller;
    QTreeWidgetItem *m_dropHighlight = nullptr;
    bool m_programChange = false;
};
