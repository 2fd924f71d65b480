#include "editor/ui/DragDropListCtrl.h"

#include "editor/EditController.h"
#include "editor/OutlineRules.h"
#include "editor/ui/ThumbListModel.h"

#include <QContextMenuEvent>
#include <QDragMoveEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>

CDragDropListCtrl::CDragDropListCtrl(CEditController &controller, QWidget *parent)
    : QListView(parent), m_controller(controller), m_model(new CThumbListModel(controller, this))
{
    setObjectName(QStringLiteral("ThumbnailList"));
    setAccessibleName(QStringLiteral("Screen thumbnails"));
    setModel(m_model);
    setViewMode(QListView::IconMode);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setUniformItemSizes(true);
    setIconSize(CThumbStrip::kSmallSize);
    setGridSize(QSize(CThumbStrip::kSmallSize.width() + 16, CThumbStrip::kSmallSize.height() + 26));
    setSpacing(4);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // A static list switches drops off on its viewport: thumbnails are dropped on one another here.
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    // Items all have one size, so even a large course lays out at once; pictures are drawn only as they
    // come into view.
}

void CDragDropListCtrl::ShowCurrent()
{
    m_programSelection = true;
    const int row = m_controller.GetCurrentThumbnailIndex();
    if (row >= 0 && row < m_model->rowCount()) {
        setCurrentIndex(m_model->index(row));
        scrollTo(m_model->index(row));
    } else {
        clearSelection();
    }
    m_programSelection = false;
}

void CDragDropListCtrl::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QListView::currentChanged(current, previous);
    if (m_programSelection || !current.isValid())
        return;
    m_controller.SelectThumbnail(current.row());
    emit ScreenChosen();
}

void CDragDropListCtrl::keyPressEvent(QKeyEvent *event)
{
    // Ctrl+C and Ctrl+V copy and paste screens: they go on to the Edit window rather than copy the row's text.
    if (event->modifiers() == Qt::ControlModifier && (event->key() == Qt::Key_C || event->key() == Qt::Key_V)) {
        event->ignore();
        return;
    }
    if (event->key() == Qt::Key_Delete && currentIndex().isValid()) {
        m_controller.DeleteScreenOfThumbnail(m_controller.Thumbs().GetItemData(currentIndex().row()));
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

int CDragDropListCtrl::DraggedRow(const QMimeData *mime) const
{
    if (!mime || !mime->hasFormat(QString::fromLatin1(CThumbListModel::kMimeType)))
        return -1;
    bool ok = false;
    const int row = mime->data(QString::fromLatin1(CThumbListModel::kMimeType)).toInt(&ok);
    return ok && row >= 0 && row < m_model->rowCount() ? row : -1;
}

bool CDragDropListCtrl::CanDrop(int from, int to) const
{
    const CThumbStrip &strip = m_controller.Thumbs();
    if (from < 0 || to < 0 || from == to || from >= strip.GetItemCount() || to >= strip.GetItemCount())
        return false;
    return !OutlineRules::IsAncestorPage(m_controller.GetTreeCtrl(), strip.GetItemData(from), strip.GetItemData(to));
}

void CDragDropListCtrl::ClearDropHighlights()
{
    m_controller.Thumbs().ClearDropHighlights();
    viewport()->update();
}

void CDragDropListCtrl::dragEnterEvent(QDragEnterEvent *event)
{
    if (DraggedRow(event->mimeData()) < 0) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

void CDragDropListCtrl::dragMoveEvent(QDragMoveEvent *event)
{
    const int from = DraggedRow(event->mimeData());
    const QModelIndex over = indexAt(event->position().toPoint());
    m_controller.Thumbs().ClearDropHighlights();
    if (CanDrop(from, over.row())) {
        m_controller.Thumbs().SetStates(over.row(), false, false, true);
        event->setDropAction(Qt::MoveAction);
        event->accept(visualRect(over));
    } else {
        event->ignore();
    }
    viewport()->update();
}

void CDragDropListCtrl::dragLeaveEvent(QDragLeaveEvent *event)
{
    ClearDropHighlights();
    event->accept();
}

void CDragDropListCtrl::dropEvent(QDropEvent *event)
{
    const int from = DraggedRow(event->mimeData());
    const int to = indexAt(event->position().toPoint()).row();
    if (!CanDrop(from, to)) {
        ClearDropHighlights();
        event->ignore();
        return;
    }
    const int scroll = verticalScrollBar()->value();
    CThumbStrip &strip = m_controller.Thumbs();
    CCorvPage *moved = strip.GetItemData(from);
    m_controller.MoveThumbnailPage(moved, strip.GetItemData(to));
    m_controller.MakeCurrentScreen(moved);
    ShowCurrent();
    verticalScrollBar()->setValue(scroll);
    event->setDropAction(Qt::CopyAction); // the model is changed already; the view removes nothing
    event->accept();
    emit ScreenChosen();
}

void CDragDropListCtrl::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    menu.addAction(QStringLiteral("&Copy"), this, &CDragDropListCtrl::CopyRequested);
    QAction *paste = menu.addAction(QStringLiteral("&Paste"), this, &CDragDropListCtrl::PasteRequested);
    paste->setEnabled(m_controller.GetCopiedScreen() != nullptr);
    menu.addAction(QStringLiteral("&Edit"))->setEnabled(false);
    menu.exec(event->globalPos());
}
