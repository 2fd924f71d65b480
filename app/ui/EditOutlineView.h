#pragma once

#include "app/ui/EditViewApi.h"
#include "document/DocumentObserver.h"
#include "model/OutlineTree.h"

#include <QWidget>

class CCorvessaDoc;
class QTreeWidget;
class QTreeWidgetItem;

// The Edit window as far as it goes: the course outline, every screen in its place with its label, title and
// kind. The selected screen is the current one; it carries out no editing command yet.
class CEditOutlineView : public QWidget, public CDocumentObserver, public CEditViewApi
{
    Q_OBJECT
public:
    CEditOutlineView(CCorvessaDoc &document, QWidget *parent = nullptr);
    ~CEditOutlineView() override;

    QTreeWidget *OutlineWidget() const { return m_tree; }
    void RefreshFromDocument();

    void OnUpdate(CCorvessaDoc &document) override;

    CCorvPage *GetCurrentPage() const override;
    bool UpdateCommand(int commandId, bool &checked) const override;
    void OnCommand(int commandId) override;
    void SetFontName(const QString &faceName) override;
    void SetFontSize(int points) override;
    const COutlineTree &GetTreeCtrl() const override { return m_outline; }
    void MakeCurrentScreen(CCorvPage *screen) override;

signals:
    void CurrentPageChanged();

private:
    void AddItems(const COutlineTree::Item *first, QTreeWidgetItem *parent);

    CCorvessaDoc &m_document;
    COutlineTree m_outline;
    QTreeWidget *m_tree;
};
