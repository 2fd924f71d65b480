#include "app/ui/EditOutlineView.h"

#include "app/CommandIds.h"
#include "document/CorvessaDoc.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {

constexpr int kScreenRole = Qt::UserRole + 1;

} // namespace

CEditOutlineView::CEditOutlineView(CCorvessaDoc &document, QWidget *parent)
    : QWidget(parent), m_document(document), m_tree(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("EditView"));
    m_tree->setObjectName(QStringLiteral("OutlineTree"));
    m_tree->setColumnCount(3);
    m_tree->setHeaderLabels({QStringLiteral("Screen"), QStringLiteral("Title"), QStringLiteral("Kind")});
    m_tree->header()->setStretchLastSection(false);
    m_tree->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tree);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, &CEditOutlineView::CurrentPageChanged);
    m_document.AddObserver(this);
    RefreshFromDocument();
}

CEditOutlineView::~CEditOutlineView() { m_document.RemoveObserver(this); }

void CEditOutlineView::OnUpdate(CCorvessaDoc &) { RefreshFromDocument(); }

void CEditOutlineView::RefreshFromDocument()
{
    m_tree->clear();
    m_outline.RebuildFromScreenLists(m_document.MainScreens(), m_document.PopupScreens(),
                                     m_document.GlossaryScreens());
    AddItems(m_outline.GetRootItem(), nullptr);
    m_tree->expandAll();
    m_tree->resizeColumnToContents(0);
    m_tree->resizeColumnToContents(2);
    emit CurrentPageChanged();
}

void CEditOutlineView::AddItems(const COutlineTree::Item *first, QTreeWidgetItem *parent)
{
    for (const COutlineTree::Item *item = first; item; item = m_outline.GetNextSiblingItem(item)) {
        const CCorvPage *screen = m_outline.GetItemData(item);
        const QStringList columns = {screen ? screen->GetLabel() : QString(), item->text,
                                     screen ? PageTypeDisplayName(PageTypeToString(screen->GetPageType())) : QString()};
        auto *row = parent ? new QTreeWidgetItem(parent, columns) : new QTreeWidgetItem(m_tree, columns);
        row->setData(0, kScreenRole, QVariant::fromValue(static_cast<void *>(const_cast<CCorvPage *>(screen))));
        AddItems(m_outline.GetChildItem(item), row);
    }
}

CCorvPage *CEditOutlineView::GetCurrentPage() const
{
    const QTreeWidgetItem *item = m_tree->currentItem();
    return item ? static_cast<CCorvPage *>(item->data(0, kScreenRole).value<void *>()) : nullptr;
}

void CEditOutlineView::MakeCurrentScreen(CCorvPage *screen)
{
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
        if ((*it)->data(0, kScreenRole).value<void *>() == screen) {
            m_tree->setCurrentItem(*it);
            m_tree->scrollToItem(*it);
            return;
        }
}

bool CEditOutlineView::UpdateCommand(int commandId, bool &checked) const
{
    // The other editing commands arrive with the screen editor.
    checked = false;
    return commandId == CorvCommand::PreviewScreen && GetCurrentPage();
}

void CEditOutlineView::OnCommand(int commandId)
{
    if (commandId == CorvCommand::PreviewScreen && GetCurrentPage())
        emit PreviewRequested(GetCurrentPage());
}

void CEditOutlineView::SetFontName(const QString &) {}

void CEditOutlineView::SetFontSize(int) {}
