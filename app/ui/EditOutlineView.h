#pragma once

#include "app/ui/EditViewApi.h"
#include "document/DocumentObserver.h"
#include "model/CorvPage.h"
#include "model/OutlineTree.h"

#include <QWidget>

class CCorvessaDoc;
class QTreeWidget;
class QTreeWidgetItem;

// The Edit window as far as it goes: the course outline, every screen in its place with its label, title and
// kind. The selected screen is the current one; of the editing commands it carries out only the screen
// preview, which it hands on (PreviewRequested) to the publishing side.
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
    // The author asked to see the screen in the browser.
    void PreviewRequested(CCorvPage *screen);

private:
    void AddItems(const COutlineTree::Item *first, QTreeWidgetItem *parent);

    CCorvessaDoc &m_document;
    COutlineTree m_outline;
    QTreeWidget *m_tree;
};
