#include "import/ImportCommand.h"

#include "document/CorvessaDoc.h"
#include "import/ImportGlossary.h"
#include "import/ImportHost.h"
#include "platform/CorvContext.h"
#include "platform/Progress.h"
#include "model/CorvPage.h"
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
const QString kCancelled = QStringLiteral("Import document(s) cancelled");
const QString kNothingImported = QStringLiteral("Nothing was imported.");
const QString kNothingRead = QStringLiteral("Nothing was imported: no source document could be read.");

// What could not be read is never passed over in silence.
QString WithReport(QString message, const std::vector<CWordDocImporter::NotImported> &items)
{
    if (items.empty())
        return message;
    message += (message.isEmpty() ? QString() : QStringLiteral("\n\n")) + QStringLiteral("These were not imported:");
    for (const CWordDocImporter::NotImported &item : items)
        message += QStringLiteral("\n- ") + item.reason;
    return message;
}

std::vector<CWordDocImporter::NotImported> ImporterReport(const CWordDocImporter &importer)
{
    std::vector<CWordDocImporter::NotImported> report = importer.GetNotImported();
    report.insert(report.end(), importer.GetLeftOut().begin(), importer.GetLeftOut().end());
    return report;
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

bool CImportCommand::WasCancelled() const
{
    return m_exporterCancelled || m_doc.GetContext().Progress().IsCancelled();
}

CResult<CCorvPage *> CImportCommand::ImportPresentation(CImportHost &host, const QString &path,
                                                        CCorvPage *topicScreen, const QString &label)
{
    // Each slide's screen is shown as it is made: the current screen leaves the canvas, the new one joins
    // the outline and becomes current.
    CPPT2KVPage slides(m_doc, [&host](CCorvPage *screen) {
        if (CCorvPage *current = host.GetCurrentScreen())
            current->LeaveCanvas();
        host.ClearCanvasSelection();
        host.AddPageAndSelect(screen);
        host.RepaintCanvas();
        host.RefreshCurrentThumbnail();
    });
    if (m_exporterRunner)
        slides.SetWaitingRunner(m_exporterRunner);
    CResult<CCorvPage *> last =
        topicScreen ? slides.ImportPowerPoint(path, topicScreen) : slides.ImportPowerPointWithLabel(path, label);
    if (slides.WasCancelled()) {
        // Stopping the slide program stops the whole command, not only this presentation.
        m_exporterCancelled = true;
        m_doc.GetContext().Progress().Cancel();
    }
    return last;
}

void CImportCommand::PrepareImporter(CWordDocImporter &importer, CImportHost &host)
{
    if (m_powerPoint)
        importer.SetPowerPointImport(m_powerPoint);
    else
        importer.SetPowerPointImport([this, &host](const QString &path, CCorvPage *topicScreen, int, const QString &label) {
            return ImportPresentation(host, path, topicScreen, label);
        });
    if (m_loader)
        importer.SetDocumentLoader(m_loader);
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

    const CProgress::Scope progress(m_doc.GetContext().Progress());
    m_exporterCancelled = false;
    const size_t screensBefore = m_doc.MainScreens().size();
    CWordDocImporter importer(m_doc, m_library, m_host);
    PrepareImporter(importer, m_host);
    std::vector<const CTopic *> list;
    for (const CTopic &topic : working)
        list.push_back(&topic);
    const CStatus status = importer.ConvertDocuments(list, menuBased, menuBased, QStringLiteral("1"));
    const bool cancelled = WasCancelled();
    int glossaryItems = status ? importer.GetGlossaryCount() : 0;
    if (!status)
        m_doc.Prompt().Error(status.Error());
    std::vector<CWordDocImporter::NotImported> report = ImporterReport(importer);
    if (!m_doc.GlossaryDocuments().isEmpty() && !cancelled) {
        CImportGlossary glossary(m_host);
        if (m_loader)
            glossary.SetDocumentLoader(m_loader);
        glossaryItems += glossary.ImportGlossaryFromWord(m_doc.GlossaryDocuments());
        report.insert(report.end(), glossary.GetNotImported().begin(), glossary.GetNotImported().end());
    }
    // The import is used up only when it brought something in; otherwise the author may put the sources
    // right and import again.
    const bool made = m_doc.MainScreens().size() > screensBefore || glossaryItems > 0;
    if (status && made) {
        m_doc.SetImportPending(0);
        m_doc.SetModifiedFlag(true);
    }

    // A run in which every source document was refused imported nothing of theirs, whatever it made around
    // them (menus, topic screens): it is not reported as completed.
    const auto sources = std::count_if(working.begin(), working.end(),
                                       [](const CTopic &topic) { return !topic.GetSourceDocument().isEmpty(); });
    const bool nothingRead = sources > 0 && qsizetype(importer.GetNotImported().size()) >= sources;
    QString message;
    if (cancelled)
        message = kCancelled;
    else if (status && nothingRead)
        message = glossaryItems > 0 ? CStringTable::Load(35068).arg(glossaryItems) + QStringLiteral("\n\n") + kNothingRead
                                    : kNothingRead;
    else if (status && made && !working.empty())
        message = glossaryItems > 0 ? kCompletedWithGlossary.arg(glossaryItems) : kCompleted;
    else if (status && !made)
        message = kNothingImported;
    else if (!status && glossaryItems > 0)
        message = CStringTable::Load(35068).arg(glossaryItems);
    message = WithReport(message, report);
    if (!message.isEmpty())
        Tell(message);
    if (cancelled)
        return Outcome::cancelled;
    return status && made ? Outcome::imported : Outcome::failed;
}

CImportCommand::Outcome CImportCommand::ImportNewDocument(const NewDocument &what, CImportPlacement &placement)
{
    m_focusSourcePath = false;
    m_lastMessage.clear();
    if (what.path.isEmpty() && what.topicTitle.isEmpty())
        return Outcome::stopped;
    const CProgress::Scope progress(m_doc.GetContext().Progress());
    m_exporterCancelled = false;
    if (what.glossaryOnly) {
        CImportGlossary glossary(m_host);
        if (m_loader)
            glossary.SetDocumentLoader(m_loader);
        const int created = glossary.ImportGlossaryFromWord({what.path});
        Tell(WithReport(CStringTable::Load(35068).arg(created), glossary.GetNotImported()));
        return created > 0 ? Outcome::imported : Outcome::failed;
    }

    const CTopic topic(QString(), what.topicTitle, what.banner, what.path, QStringLiteral("FALSE"));
    const int topicsBefore = int(m_doc.Topics().size());
    const size_t screensBefore = m_doc.MainScreens().size();
    CWordDocImporter importer(m_doc, m_library, m_host);
    PrepareImporter(importer, m_host);
    const CImportPlacement::Point point = placement.Prepare(what.createTopic);
    importer.SetInsertionPoint(point.mode, point.label);
    const CStatus status = importer.ConvertDocuments({&topic}, false, what.createTopic, point.label);
    importer.ResetInsertionPoint();
    const std::vector<CWordDocImporter::NotImported> report = ImporterReport(importer);
    if (!status) {
        m_lastMessage = WithReport(status.Error(), report);
        m_doc.Prompt().Error(m_lastMessage);
        return Outcome::failed;
    }
    const bool cancelled = WasCancelled();
    const bool made = m_doc.MainScreens().size() > screensBefore;
    // Screens made before a cancel stay, placed and numbered like any others.
    if (made)
        placement.Finish(what.createTopic, topicsBefore, topic);
    const int glossaryItems = importer.GetGlossaryCount();
    QString message;
    if (cancelled)
        message = kCancelled;
    else if (!made)
        message = kNothingImported;
    else
        message = glossaryItems < 1 ? CStringTable::Load(35003) : CStringTable::Load(35069).arg(glossaryItems);
    Tell(WithReport(message, report));
    if (cancelled)
        return Outcome::cancelled;
    return made ? Outcome::imported : Outcome::failed;
}
