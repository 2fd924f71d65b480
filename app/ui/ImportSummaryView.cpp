#include "app/ui/ImportSummaryView.h"

#include "document/CorvessaDoc.h"
#include "model/Topic.h"

#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QTableWidget>
#include <QVBoxLayout>

CImportSummaryView::CImportSummaryView(CCorvessaDoc &document, QWidget *parent)
    : QWidget(parent), m_document(document), m_kind(new QLabel(this)), m_topics(new QTableWidget(this)),
      m_glossary(new QListWidget(this))
{
    setObjectName(QStringLiteral("ImportView"));
    m_topics->setObjectName(QStringLiteral("TopicTable"));
    m_topics->setColumnCount(5);
    m_topics->setHorizontalHeaderLabels({QStringLiteral("Number"), QStringLiteral("Topic name"), QStringLiteral("Banner"),
                                         QStringLiteral("Source document"), QStringLiteral("Assessable")});
    m_topics->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_topics->verticalHeader()->hide();
    QHeaderView *header = m_topics->horizontalHeader();
    for (int column : {0, 2, 4})
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    for (int column : {1, 3})
        header->setSectionResizeMode(column, QHeaderView::Stretch);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_kind);
    layout->addWidget(new QLabel(QStringLiteral("Topics:"), this));
    layout->addWidget(m_topics, 3);
    layout->addWidget(new QLabel(QStringLiteral("Glossary documents:"), this));
    layout->addWidget(m_glossary, 1);
    m_document.AddObserver(this);
    RefreshFromDocument();
}

CImportSummaryView::~CImportSummaryView() { m_document.RemoveObserver(this); }

void CImportSummaryView::OnUpdate(CCorvessaDoc &) { RefreshFromDocument(); }

void CImportSummaryView::RefreshFromDocument()
{
    if (m_document.Settings().MenuBasedCourse)
        m_kind->setText(QStringLiteral("A course built from a menu of topics."));
    else if (m_document.Settings().LinearSourceDocument.isEmpty())
        m_kind->setText(QStringLiteral("A linear course with no source document."));
    else
        m_kind->setText(QStringLiteral("A linear course from the document %1.").arg(m_document.Settings().LinearSourceDocument));

    m_topics->setRowCount(int(m_document.Topics().size()));
    int row = 0;
    for (const auto &topic : m_document.Topics()) {
        const QStringList cells = {topic->GetNumber(), topic->GetName(), topic->GetBanner(), topic->GetSourceDocument(),
                                   topic->GetAssessable()};
        for (int column = 0; column < cells.size(); ++column)
            m_topics->setItem(row, column, new QTableWidgetItem(cells[column]));
        ++row;
    }
    m_glossary->clear();
    m_glossary->addItems(m_document.GlossaryDocuments());
}
