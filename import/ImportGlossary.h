#pragma once

#include "import/WordDocImporter.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class CImportHost;

// Reads glossary documents: every "kv_glossary" paragraph is a term, the "kv_description" paragraphs after
// it its explanation. Each pair becomes a glossary screen through the import host, in document order.
class CImportGlossary
{
public:
    explicit CImportGlossary(CImportHost &host);

    void SetDocumentLoader(CWordDocImporter::DocumentLoader loader) { m_loader = std::move(loader); }

    // Reads the .doc and .docx files of the list (others are skipped) and returns the number of entries made.
    int ImportGlossaryFromWord(const QStringList &paths);
    // Documents that could not be read, for the caller's report.
    const std::vector<CWordDocImporter::NotImported> &GetNotImported() const { return m_notImported; }

    // The entries of one document, in order.
    static std::vector<CWordDocImporter::Glossary> CollectEntries(const CWordDocument &doc);

private:
    CImportHost &m_host;
    CWordDocImporter::DocumentLoader m_loader;
    std::vector<CWordDocImporter::NotImported> m_notImported;
};
