#pragma once

#include "import/WordDocImporter.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

class CCorvessaDoc;
class CGraphicsLibrarySearch;
class CImportHost;

// What the Import window does, without its widgets: the topic and glossary-document tables stored into the
// project and rebuilt from it, and the one-time "Import document(s) now" with its checks, its confirmation,
// the Word importer and the glossary import, and the message that ends it. Messages reach the author
// through the document's prompt.
class CImportCommand
{
public:
    static constexpr int kTopicRows = 25;
    static constexpr int kGlossaryRows = 10;
    // Number, name, banner, source document, assessable ("true"/"false"): the columns of the topic table.
    using TopicRow = std::array<QString, 5>;

    enum class Outcome
    {
        stopped,    // a check failed; nothing was imported
        declined,   // the author did not confirm
        imported,   // the importer ran to its end
        failed,     // the importer stopped; the import stays pending
    };

    CImportCommand(CCorvessaDoc &doc, CImportHost &host, CGraphicsLibrarySearch *library);

    // Every row (empty ones too) becomes a topic of the project; the project is marked modified.
    static void StoreTopicTable(CCorvessaDoc &doc, const std::vector<TopicRow> &rows);
    // The non-empty paths, in row order, become the glossary documents (the project is not marked).
    static void StoreGlossaryTable(CCorvessaDoc &doc, const QStringList &paths);
    // The topic table as the project gives it: one row per topic; none when the project has no topic.
    static std::vector<TopicRow> TopicRows(const CCorvessaDoc &doc);
    // 25 numbered empty rows.
    static std::vector<TopicRow> EmptyTopicRows();

    // Runs before the importer starts (the Edit window comes up).
    void SetBeforeImport(std::function<void()> before) { m_beforeImport = std::move(before); }
    void SetPowerPointImport(CWordDocImporter::PowerPointImport import) { m_powerPoint = std::move(import); }
    void SetDocumentLoader(CWordDocImporter::DocumentLoader loader) { m_loader = std::move(loader); }

    // "Import document(s) now" with the rows of the topic table (used for menu-based courses).
    Outcome ImportNow(const std::vector<TopicRow> &rows);
    // True after ImportNow stopped because a linear course names no source document: the window puts the
    // keyboard focus into the source path.
    bool WantsSourcePathFocus() const { return m_focusSourcePath; }
    // The message that closed the last run (empty when none was shown).
    const QString &LastMessage() const { return m_lastMessage; }

private:
    void Tell(const QString &text);

    CCorvessaDoc &m_doc;
    CImportHost &m_host;
    CGraphicsLibrarySearch *m_library;
    std::function<void()> m_beforeImport;
    CWordDocImporter::PowerPointImport m_powerPoint;
    CWordDocImporter::DocumentLoader m_loader;
    bool m_focusSourcePath = false;
    QString m_lastMessage;
};
