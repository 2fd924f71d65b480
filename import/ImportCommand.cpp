#include "import/ImportCommand.h"

#include "document/CorvessaDoc.h"
#include "import/ImportGlossary.h"
#include "import/ImportHost.h"
#include "model/Topic.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"

#include <QFileInfo>

#include <algorithm>
#include <memory>

namespace {

const QString kNoTopics = QStringLiteral("At least one Topic Name or Source Document must be specified.");
const QString kNoSource = QStringLiteral("No Source Document has been specified.");
const QString kOnceOnly = QStringLiteral("You may only import documents once using this tab.\nTo convert other documents "
                                         "you will need to use the Edit tab.\n\nAre you sure you wish to continue?");
const QString kCompletedWithGlossary =
    QStringLiteral("Import document(s) and Glossary completed - %1 glossary items created.");
const QString kCompleted = QStringLiteral("Import document(s) completed");
const QString kNothingImported = QStringLiteral("Nothing was imported: no source document could be read.");

QString Listed(const std::vector<CWordDocImporter::NotImported> &items)
{
    QString out;
    for (const CWordDocImporter::NotImported &item : items)
        out += QStringLiteral("\n- ") + item.reason;
    return out;
}

} // namespace

CImportCommand::CImportCommand(CCorvessaDoc &doc, CImportHost &host, CGraphicsLibrarySearch *library)
    : m_doc(doc), m_host(host), m_library(library)
{
}

void CImportCommand::StoreTopicTable(CCorvessaDoc &doc, const std::vector<TopicRow> &rows)
{
    doc.ClearTopics();
    for (const TopicRow &row : rows)
        doc.AddTopic(std::make_unique<CTopic>(row[0], row[1], row[2], row[3], row[4]));
    doc.SetModifiedFlag(true);
}

void CImportCommand::StoreGlossaryTable(CCorvessaDoc &doc, const QStringList &paths)
{
    QStringList documents;
    for (const QString &path : paths)
        if (!path.isEmpty())
            documents.append(path);
    doc.SetGlossaryDocuments(std::move(documents));
}

std::vector<CImportCommand::TopicRow> CImportCommand::TopicRows(const CCorvessaDoc &doc)
{
    std::vector<TopicRow> rows;
    for (const auto &topic : doc.Topics())
        if (topic)
            rows.push_back({topic->GetNumber(), topic->GetName(), topic->GetBanner(), topic->GetSourceDocument(),
                            topic->GetAssessable()});
    return rows;
}

std::vector<CImportCommand::TopicRow> CImportCommand::EmptyTopicRows()
{
    std::vector<TopicRow> rows(kTopicRows);
    for (int i = 0; i < kTopicRows; ++i)
        rows[size_t(i)][0] = QString::number(i + 1);
    return rows;
}

void CImportCommand::Tell(const QString &text)
{
    m_lastMessage = text;
    m_doc.Prompt().Information(text);
}

CImportCommand::Outcome CImportCommand::ImportNow(const std::vector<TopicRow> &rows)
{
    m_focusSourcePath = false;
    m_lastMessage.clear();
    std::vector<CTopic> working;
    const bool menuBased = m_doc.Settings().MenuBasedCourse != 0;
    if (menuBased) {
        StoreTopicTable(m_doc, rows);
        for (const auto &topic : m_doc.Topics()) {
            if (topic->GetName().isEmpty() && topic->GetSourceDocument().isEmpty())
                continue;
            working.emplace_back(QString::number(working.size() + 1), topic->GetName(), topic->GetBanner(),
                                 topic->GetSourceDocument(), topic->GetAssessable());
        }
        m_doc.ClearTopics();
        for (const CTopic &topic : working)
            m_doc.AddTopic(std::make_unique<CTopic>(topic));
    } else if (!m_doc.Settings().LinearSourceDocument.isEmpty() && QFileInfo::exists(m_doc.Settings().LinearSourceDocument)) {
        working.emplace_back(QString(), QString(), QString(), m_doc.Settings().LinearSourceDocument,
                             m_doc.Settings().LinearSourceAssessable == 1 ? QStringLiteral("TRUE") : QStringLiteral("FALSE"));
    }

    if (menuBased && working.empty()) {
        Tell(kNoTopics);
        return Outcome::stopped;
    }
    if (!menuBased && working.empty() && m_doc.GlossaryDocuments().isEmpty()) {
        Tell(kNoSource);
        m_focusSourcePath = true;
        return Outcome::stopped;
    }
    if (m_doc.Prompt().Ask(CPrompt::yesNo, kOnceOnly, QStringLiteral("Once Only")) != CPrompt::yes)
        return Outcome::declined;
    if (m_beforeImport)
        m_beforeImport();

    CWordDocImporter importer(m_doc, m_library, m_host);
    if (m_powerPoint)
        importer.SetPowerPointImport(m_powerPoint);
    if (m_loader)
        importer.SetDocumentLoader(m_loader);
    std::vector<const CTopic *> list;
    for (const CTopic &topic : working)
        list.push_back(&topic);
    const CStatus status = importer.ConvertDocuments(list, menuBased, menuBased, QStringLiteral("1"));
    int glossaryItems = 0;
    if (status) {
        m_doc.SetImportPending(0);
        m_doc.SetModifiedFlag(true);
        glossaryItems = importer.GetGlossaryCount();
    } else {
        m_doc.Prompt().Error(status.Error());
    }
    std::vector<CWordDocImporter::NotImported> report = importer.GetNotImported();
    report.insert(report.end(), importer.GetLeftOut().begin(), importer.GetLeftOut().end());
    if (!m_doc.GlossaryDocuments().isEmpty()) {
        CImportGlossary glossary(m_host);
        if (m_loader)
            glossary.SetDocumentLoader(m_loader);
        glossaryItems += glossary.ImportGlossaryFromWord(m_doc.GlossaryDocuments());
        report.insert(report.end(), glossary.GetNotImported().begin(), glossary.GetNotImported().end());
    }

    // A run in which every source document was refused imported nothing of theirs, whatever it made around
    // them (menus, topic screens): it is not reported as completed.
    const auto sources = std::count_if(working.begin(), working.end(),
                                       [](const CTopic &topic) { return !topic.GetSourceDocument().isEmpty(); });
    const bool nothingRead = sources > 0 && qsizetype(importer.GetNotImported().size()) >= sources;
    QString message;
    if (status && nothingRead)
        message = glossaryItems > 0 ? CStringTable::Load(35068).arg(glossaryItems) + QStringLiteral("\n\n") + kNothingImported
                                    : kNothingImported;
    else if (status && !working.empty())
        message = glossaryItems > 0 ? kCompletedWithGlossary.arg(glossaryItems) : kCompleted;
    else if (!status && glossaryItems > 0)
        message = CStringTable::Load(35068).arg(glossaryItems);
    // What could not be read is never passed over in silence.
    if (!report.empty())
        message += (message.isEmpty() ? QString() : QStringLiteral("\n\n"))
                   + QStringLiteral("These were not imported:") + Listed(report);
    if (!message.isEmpty())
        Tell(message);
    return status ? Outcome::imported : Outcome::failed;
}
