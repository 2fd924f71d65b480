#pragma once

#include "document/DocumentObserver.h"

#include <QWidget>

class CCorvessaDoc;
class QLabel;
class QListWidget;
class QTableWidget;

// The Import window as far as it goes: the kind of course, the topic table and the glossary documents of
// the project, read only.
class CImportSummaryView : public QWidget, public CDocumentObserver
{
    Q_OBJECT
public:
    CImportSummaryView(CCorvessaDoc &document, QWidget *parent = nullptr);
    ~CImportSummaryView() override;

    void RefreshFromDocument();
    void OnUpdate(CCorvessaDoc &document) override;

    QTableWidget *TopicTable() const { return m_topics; }

private:
    CCorvessaDoc &m_document;
    QLabel *m_kind;
    QTableWidget *m_topics;
    QListWidget *m_glossary;
};
