#pragma once

#include "document/DocumentObserver.h"

#include <QWidget>

class CCorvessaDoc;
class QTableWidget;
class QTreeWidget;

// The Settings window as far as it goes: the tree of the settings categories and, beside it, every course
// setting of the project with its current value, read only.
class CSettingsSummaryView : public QWidget, public CDocumentObserver
{
    Q_OBJECT
public:
    CSettingsSummaryView(CCorvessaDoc &document, QWidget *parent = nullptr);
    ~CSettingsSummaryView() override;

    QTreeWidget *CategoryTree() const { return m_tree; }
    // Shows the document's settings again (the pages of the window reload their controls).
    void RefreshFromDocument();

    void OnUpdate(CCorvessaDoc &document) override;

private:
    CCorvessaDoc &m_document;
    QTreeWidget *m_tree;
    QTableWidget *m_table;
};
