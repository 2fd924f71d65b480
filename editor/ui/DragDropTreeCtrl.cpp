#include "editor/ui/DragDropTreeCtrl.h"

#include "editor/ui/DroppedFiles.h"

#include "editor/EditController.h"
#include "editor/OutlineRules.h"
#include "editor/OutlineTreeSync.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"

#include <QContextMenuEvent>
#include <QDragMoveEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QSet>
#include <QTreeWidgetItemIterator>

#include <iterator>

namespace {

constexpr int kItemRole = Qt::UserRole + 1;
// The screen a row stood for when it was made, kept only to be compared: the outline items behind the rows
// may be gone by the time the rows are rebuilt.
constexpr int kScreenKeyRole = Qt::UserRole + 2;

// The tree's pictures by image index: folder, container, content, question, assessment folder, container and
// screen, popups-only folder, remediation, menu, glossary folder.
QIcon TreeIcon(int index)
{
    static const QColor colours[] = {QColor(214, 170, 60), QColor(70, 120, 200), QColor(250, 250, 250),
                                     QColor(90, 170, 90),  QColor(200, 110, 50), QColor(170, 80, 160),
                                     QColor(235, 200, 160), QColor(120, 190, 210), QColor(210, 70, 70),
                                     QColor(230, 140, 40), QColor(110, 110, 200)};
    static QIcon icons[std::size(colours)];
    if (index < 0 || index >= int(std::size(colours)))
        index = pt_document;
    if (icons[index].isNull()) {
        QPixmap pixmap(18, 16);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setPen(QColor(60, 60, 60));
        p.setBrush(colours[index]);
        if (index == pt_folder || index == pt_asmt_folder || index == pt_popups_only || index == 9 || index == 10)
            p.drawRoundedRect(QRect(1, 3, 15, 11), 2, 2);
        else
            p.drawRect(QRect(3, 1, 11, 14));
        icons[index] = QIcon(pixmap);
    }
    return icons[index];
}

} // namespace

CDragDropTreeCtrl::CDragDropTreeCtrl(CEditController &controller, QWidget *parent)
    : QTreeWidget(parent), m_controller(controller)
{
    setObjectName(QStringLiteral("OutlineTree"));
    setAccessibleName(QStringLiteral("Course outline"));
    setColumnCount(1);
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setIconSize(QSize(18, 16));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    QPalette p = palette();
    p.setColor(QPalette::Base, QColor(239, 235, 222));
    setPalette(p);
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *current) { OnCurrentItemChanged(current); });
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem *item) { OnItemChanged(item); });
}

COutlineTree::Item *CDragDropTreeCtrl::OutlineItemOf(const QTreeWidgetItem *item)
{
    return item ? static_cast<COutlineTree::Item *>(item->data(0, kItemRole).value<void *>()) : nullptr;
}

QTreeWidgetItem *CDragDropTreeCtrl::WidgetItemOf(const COutlineTree::Item *item) const
{
    if (!item)
        return nullptr;
    // Walk down the same path the outline takes: the chain of ancestors, each found among its siblings.
    std::vector<const COutlineTree::Item *> path;
    const COutlineTree &tree = m_controller.GetTreeCtrl();
    for (const COutlineTree::Item *up = item; up; up = tree.GetParentItem(up))
        path.push_back(up);
    QTreeWidgetItem *found = nullptr;
    for (auto it = path.rbegin(); it != path.rend(); ++it) {
        const int count = found ? found->childCount() : topLevelItemCount();
        QTreeWidgetItem *next = nullptr;
        for (int i = 0; i < count && !next; ++i) {
            QTreeWidgetItem *candidate = found ? found->child(i) : topLevelItem(i);
            if (OutlineItemOf(candidate) == *it)
                next = candidate;
        }
        if (!next)
            return nullptr;
        found = next;
    }
    return found;
}

void CDragDropTreeCtrl::Rebuild()
{
    QSet<const void *> expanded;
    for (QTreeWidgetItemIterator it(this); *it; ++it)
        if ((*it)->isExpanded())
            if (const void *screen = (*it)->data(0, kScreenKeyRole).value<void *>())
                expanded.insert(screen);
    const bool first = topLevelItemCount() == 0;
    m_programChange = true;
    m_dropHighlight = nullptr;
    QSignalBlocker block(this);
    clear();
    AddItems(m_controller.GetTreeCtrl().GetRootItem(), nullptr, expanded);
    if (first)
        expandAll();
    m_programChange = false;
    ShowCurrent();
}

void CDragDropTreeCtrl::AddItems(const COutlineTree::Item *first, QTreeWidgetItem *parent,
                                 const QSet<const void *> &expanded)
{
    const COutlineTree &tree = m_controller.GetTreeCtrl();
    for (const COutlineTree::Item *item = first; item; item = tree.GetNextSiblingItem(item)) {
        auto *row = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
        row->setText(0, item->text);
        row->setIcon(0, TreeIcon(OutlineRules::TreeImageIndex(item->screen)));
        row->setData(0, kItemRole, QVariant::fromValue(static_cast<void *>(const_cast<COutlineTree::Item *>(item))));
        row->setData(0, kScreenKeyRole, QVariant::fromValue(static_cast<void *>(item->screen)));
        row->setFlags(row->flags() | Qt::ItemIsEditable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled);
        AddItems(tree.GetChildItem(item), row, expanded);
        if (item->screen && expanded.contains(item->screen))
            row->setExpanded(true);
    }
}

void CDragDropTreeCtrl::ShowCurrent()
{
    m_programChange = true;
    if (QTreeWidgetItem *row = WidgetItemOf(m_controller.GetCurrentItem())) {
        setCurrentItem(row);
        scrollToItem(row);
    } else {
        setCurrentItem(nullptr);
    }
    m_programChange = false;
}

void CDragDropTreeCtrl::OnCurrentItemChanged(QTreeWidgetItem *current)
{
    if (m_programChange || !current)
        return;
    m_controller.SelectTreeItem(OutlineItemOf(current), true);
    emit ScreenChosen();
}

void CDragDropTreeCtrl::OnItemChanged(QTreeWidgetItem *row)
{
    if (m_programChange)
        return;
    COutlineTree::Item *item = OutlineItemOf(row);
    if (!item || row->text(0) == item->text)
        return;
    const QString text = row->text(0);
    if (text.isEmpty()) {
        // An emptied label is no name: the item keeps its title.
        QSignalBlocker block(this);
        row->setText(0, item->text);
        return;
    }
    // The outline is shown again after a rename, which deletes the row whose edit is still being committed:
    // rename once the commit is over, finding the item afresh by its screen.
    CCorvPage *screen = item->screen;
    QMetaObject::invokeMethod(
        this,
        [this, screen, text] {
            if (COutlineTree::Item *renamed = OutlineRules::FindTreeItemOfPage(m_controller.GetTreeCtrl(), screen)) {
                m_controller.RenameItem(renamed, text);
                emit OutlineEdited();
            }
        },
        Qt::QueuedConnection);
}

QStringList CDragDropTreeCtrl::mimeTypes() const { return {QString::fromLatin1(kItemMime)}; }

QMimeData *CDragDropTreeCtrl::mimeData(const QList<QTreeWidgetItem *> &items) const
{
    if (items.isEmpty() || !OutlineItemOf(items.first()))
        return nullptr;
    auto *mime = new QMimeData;
    mime->setData(QString::fromLatin1(kItemMime),
                  QByteArray::number(quintptr(OutlineItemOf(items.first()))));
    return mime;
}

COutlineTree::Item *CDragDropTreeCtrl::DraggedItem(const QMimeData *mime) const
{
    if (!mime || !mime->hasFormat(QString::fromLatin1(kItemMime)))
        return nullptr;
    bool ok = false;
    const quintptr value = mime->data(QString::fromLatin1(kItemMime)).toULongLong(&ok);
    if (!ok)
        return nullptr;
    // Only an item of the outline shown now: a stale or foreign value finds nothing.
    for (QTreeWidgetItemIterator it(const_cast<CDragDropTreeCtrl *>(this)); *it; ++it)
        if (quintptr(OutlineItemOf(*it)) == value)
            return OutlineItemOf(*it);
    return nullptr;
}

bool CDragDropTreeCtrl::OnRightPart(const QTreeWidgetItem *item, const QPoint &point) const
{
    const QRect row = visualItemRect(item);
    const int left = row.left() + iconSize().width() + 4;
    const int right = left + fontMetrics().horizontalAdvance(item->text(0));
    return point.x() >= (left + right) / 2 && point.y() >= row.top() && point.y() <= row.bottom();
}

OutlineDrop::Result CDragDropTreeCtrl::Decide(const COutlineTree::Item *dragged, const QPoint &point) const
{
    const QTreeWidgetItem *over = itemAt(point);
    if (!over)
        return OutlineDrop::Result::refused;
    return OutlineDrop::DecideTreeDrop(m_controller.GetTreeCtrl(), dragged, OutlineItemOf(over), OnRightPart(over, point));
}

void CDragDropTreeCtrl::SetDropHighlight(QTreeWidgetItem *item)
{
    if (m_dropHighlight == item)
        return;
    if (m_dropHighlight)
        m_dropHighlight->setBackground(0, QBrush());
    m_dropHighlight = item;
    if (item)
        item->setBackground(0, palette().color(QPalette::Highlight).lighter(160));
}

QStringList CDragDropTreeCtrl::AcceptableFiles(const QMimeData *mime) const
{
    const QStringList paths = DroppedLocalFiles(mime);
    return !paths.isEmpty() && acceptsFiles && acceptsFiles(paths) ? paths : QStringList();
}

void CDragDropTreeCtrl::dragEnterEvent(QDragEnterEvent *event)
{
    if (!AcceptableFiles(event->mimeData()).isEmpty()) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
        return;
    }
    if (DraggedItem(event->mimeData()) || event->mimeData()->hasFormat(QString::fromLatin1(kNewMime)))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CDragDropTreeCtrl::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->mimeData()->hasUrls()) {
        SetDropHighlight(nullptr);
        if (AcceptableFiles(event->mimeData()).isEmpty()) {
            event->ignore();
        } else {
            event->setDropAction(Qt::CopyAction);
            event->accept();
        }
        return;
    }
    const QPoint point = event->position().toPoint();
    QTreeWidgetItem *over = itemAt(point);
    if (event->mimeData()->hasFormat(QString::fromLatin1(kNewMime))) {
        const bool container = event->mimeData()->data(QString::fromLatin1(kNewMime)) == "container";
        const COutlineTree::Item *target = OutlineItemOf(over);
        // A remediation needs its settings first: without the dialog to ask for them nothing can be dropped.
        const bool ok = container ? OutlineDrop::AcceptsNewContainer(target)
                                  : m_controller.GetHooks().editRemediation && OutlineDrop::AcceptsNewRemediation(target);
        SetDropHighlight(ok ? over : nullptr);
        ok ? event->acceptProposedAction() : event->ignore();
        return;
    }
    const OutlineDrop::Result r = Decide(DraggedItem(event->mimeData()), point);
    SetDropHighlight(OutlineDrop::Moves(r) || r == OutlineDrop::Result::refusedOnTarget ? over : nullptr);
    if (OutlineDrop::Moves(r)) {
        event->setDropAction(Qt::MoveAction);
        event->accept(visualItemRect(over));
    } else {
        event->ignore();
    }
}

void CDragDropTreeCtrl::dragLeaveEvent(QDragLeaveEvent *event)
{
    SetDropHighlight(nullptr);
    event->accept();
}

void CDragDropTreeCtrl::dropEvent(QDropEvent *event)
{
    SetDropHighlight(nullptr);
    if (event->mimeData()->hasUrls()) {
        const QStringList paths = AcceptableFiles(event->mimeData());
        if (paths.isEmpty() || !dropFiles) {
            event->ignore();
            return;
        }
        event->setDropAction(Qt::CopyAction);
        event->accept();
        dropFiles(paths);
        return;
    }
    const QPoint point = event->position().toPoint();
    QTreeWidgetItem *over = itemAt(point);
    if (event->mimeData()->hasFormat(QString::fromLatin1(kNewMime))) {
        DropNewItem(event->mimeData()->data(QString::fromLatin1(kNewMime)), over);
        event->setDropAction(Qt::CopyAction);
        event->accept();
        return;
    }
    COutlineTree::Item *dragged = DraggedItem(event->mimeData());
    const OutlineDrop::Result r = Decide(dragged, point);
    if (!OutlineDrop::Moves(r) || !m_controller.DropTreeItem(dragged, OutlineItemOf(over), r)) {
        event->ignore();
        return;
    }
    // The view has been rebuilt from the outline; Qt must not remove the dragged row itself.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit OutlineEdited();
}

void CDragDropTreeCtrl::DropNewItem(const QByteArray &kind, QTreeWidgetItem *over)
{
    COutlineTree::Item *target = OutlineItemOf(over);
    if (!target || !target->screen)
        return;
    const int type = target->screen->GetPageType();
    if (kind == "container") {
        if (type == pt_folder) {
            m_controller.AddContainerUnder(target);
            COutlineTreeSync(m_controller.Document(), m_controller.GetTreeCtrl()).RebuildTopicList();
        } else if (type == pt_document) {
            m_controller.ConvertToFolderWithContainer(target);
        } else {
            return;
        }
    } else if (OutlineDrop::AcceptsNewRemediation(target)) {
        if (!m_controller.AddRemediationAfter(target))
            return;
    } else {
        return;
    }
    if (m_controller.GetHooks().layoutAllMenus)
        m_controller.GetHooks().layoutAllMenus();
    if (m_controller.GetHooks().updateSectionLinks)
        m_controller.GetHooks().updateSectionLinks();
    if (QTreeWidgetItem *row = WidgetItemOf(target))
        row->setExpanded(true);
    emit OutlineEdited();
}

void CDragDropTreeCtrl::keyPressEvent(QKeyEvent *event)
{
    // Ctrl+C and Ctrl+V copy and paste screens: they go on to the Edit window rather than copy the row's text.
    if (event->modifiers() == Qt::ControlModifier && (event->key() == Qt::Key_C || event->key() == Qt::Key_V)) {
        event->ignore();
        return;
    }
    if (event->key() == Qt::Key_Delete && state() != QAbstractItemView::EditingState) {
        if (COutlineTree::Item *item = OutlineItemOf(currentItem())) {
            if (m_controller.DeleteOutlineItem(item, true)) {
                emit OutlineEdited();
                emit ScreenChosen();
            }
        }
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void CDragDropTreeCtrl::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTreeWidgetItem *row = itemAt(event->position().toPoint());
    COutlineTree::Item *item = OutlineItemOf(row);
    if (!item)
        return;
    if (item->screen && item->screen->GetPageType() == pt_remediation) {
        m_controller.EditRemediation(item->screen);
        return;
    }
    // On a label nothing happens; elsewhere on the row the item opens or closes.
    const QRect row_ = visualItemRect(row);
    const int labelLeft = row_.left() + iconSize().width() + 4;
    if (event->position().x() >= labelLeft)
        return;
    QTreeWidget::mouseDoubleClickEvent(event);
}

void CDragDropTreeCtrl::contextMenuEvent(QContextMenuEvent *event)
{
    QTreeWidgetItem *row = itemAt(event->pos());
    COutlineTree::Item *item = OutlineItemOf(row);
    if (!item)
        return;
    QMenu menu(this);
    menu.addAction(QStringLiteral("&Copy"), this, [this, item] {
        m_controller.CopyScreen(item->screen);
        emit CopyRequested();
    });
    QAction *paste = menu.addAction(QStringLiteral("&Paste"), this, &CDragDropTreeCtrl::PasteRequested);
    paste->setEnabled(m_controller.GetCopiedScreen() != nullptr);
    QAction *edit = menu.addAction(QStringLiteral("&Edit"), this, [this, item] { m_controller.EditRemediation(item->screen); });
    edit->setEnabled(item->screen && item->screen->GetPageType() == pt_remediation);
    menu.exec(event->globalPos());
}
