#pragma once

#include "import/PPT2KVPage.h"
#include "import/WordDocImporter.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

class CCorvessaDoc;
class CGraphicsLibrarySearch;
class CImportHost;
class CTopic;

// Where the screens of a further document go and what the window brings up to date once they are made: the
// Edit window's current screen and outline.
class CImportPlacement
{
public:
    struct Point
    {
        int mode = 0;   // 1: after (or under a container) the screen of the label; 0: the importer's own order
        QString label;
    };
    virtual ~CImportPlacement() = default;
    // The current screen leaves the canvas; with a new topic the main menu becomes current.
    virtual Point Prepare(bool createTopic) = 0;
    // After screens were made: menus laid out, the new topic (when there is one) recorded with the topic
    // count before the import as its number, the outline renumbered.
    virtual void Finish(bool createTopic, int topicCountBefore, const CTopic &topic) = 0;
};

// Importing documents, without widgets, for both windows that do it. For the Import window: the topic and
// glossary-document tables stored into the project and rebuilt from it, and the one-time "Import document(s)
// now" with its checks and its confirmation. For the Edit window: one further document placed at the
// current screen, or read into the glossary only. Both run the Word importer (presentations through the
// slide exporter) within one progress command and end with one message through the document's prompt:
// completed, cancelled, or nothing imported, naming every source that gave nothing.
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
        failed,     // the importer stopped, or nothing was imported; the import stays pending
        cancelled,  // the author stopped it; what was made before stays
    };

    // "Insert > New Document..." of the Edit window.
    struct NewDocument
    {
        QString path;
        QString topicTitle;
        QString banner;
        bool createTopic = false;
        bool glossaryOnly = false;
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
    // Presentations go through the slide exporter beside the program unless another import is set.
    void SetPowerPointImport(CWordDocImporter::PowerPointImport import) { m_powerPoint = std::move(import); }
    // How the slide exporter runs: the window shows its wait box, where the author may stop it.
    void SetSlideExporterRunner(CPPT2KVPage::WaitingRunner runner) { m_exporterRunner = std::move(runner); }
    void SetDocumentLoader(CWordDocImporter::DocumentLoader loader) { m_loader = std::move(loader); }

    // "Import document(s) now" with the rows of the topic table (used for menu-based courses).
    Outcome ImportNow(const std::vector<TopicRow> &rows);
    // True after ImportNow stopped because a linear course names no source document: the window puts the
    // keyboard focus into the source path.
    bool WantsSourcePathFocus() const { return m_focusSourcePath; }
    // One further document: into the glossary only, or placed by the placement.
    Outcome ImportNewDocument(const NewDocument &what, CImportPlacement &placement);

    // The message that closed the last run (empty when none was shown).
    const QString &LastMessage() const { return m_lastMessage; }

private:
    void Tell(const QString &text);
    void PrepareImporter(CWordDocImporter &importer, CImportHost &host);
    CResult<CCorvPage *> ImportPresentation(CImportHost &host, const QString &path, CCorvPage *topicScreen,
                                            const QString &label);
    bool WasCancelled() const;

    CCorvessaDoc &m_doc;
    CImportHost &m_host;
    CGraphicsLibrarySearch *m_library;
    std::function<void()> m_beforeImport;
    CWordDocImporter::PowerPointImport m_powerPoint;
    CWordDocImporter::DocumentLoader m_loader;
    CPPT2KVPage::WaitingRunner m_exporterRunner;
    bool m_exporterCancelled = false;
    bool m_focusSourcePath = false;
    QString m_lastMessage;
};
