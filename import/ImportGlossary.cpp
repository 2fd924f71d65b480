#include "import/ImportGlossary.h"

#include "import/ImportHost.h"
#include "import/WordDocumentReader.h"
#include "import/WordTextRules.h"

#include <QFileInfo>

CImportGlossary::CImportGlossary(CImportHost &host)
    : m_host(host), m_loader([](const QString &path) { return CWordDocumentReader::Read(path); })
{
}

std::vector<CWordDocImporter::Glossary> CImportGlossary::CollectEntries(const CWordDocument &doc)
{
    std::vector<CWordDocImporter::Glossary> entries;
    QString term, text;
    for (const CWordDocument::Paragraph &paragraph : doc.paragraphs) {
        const QString cleaned = WordTextRules::CleanParagraphText(paragraph.text, false);
        if (paragraph.styleName.compare(u"kv_glossary", Qt::CaseInsensitive) == 0) {
            if (!text.isEmpty()) {
                entries.push_back({term.isEmpty() ? QStringLiteral("No Glossary Item Name") : term, text});
                text.clear();
            }
            term = cleaned;
        } else if (paragraph.styleName.compare(u"kv_description", Qt::CaseInsensitive) == 0) {
            text += cleaned;
        }
    }
    // A description still open at the end belongs to the last term; a term without one is not an entry.
    if (!text.isEmpty())
        entries.push_back({term.isEmpty() ? QStringLiteral("No Glossary Item Name") : term, text});
    return entries;
}

int CImportGlossary::ImportGlossaryFromWord(const QStringList &paths)
{
    m_notImported.clear();
    int count = 0;
    for (const QString &path : paths) {
        const QString lower = path.toLower();
        if (!lower.endsWith(u"doc") && !lower.endsWith(u"docx"))
            continue;
        if (!QFileInfo(path).isFile())
            continue;
        const CResult<std::unique_ptr<CWordDocument>> doc = m_loader(path);
        if (!doc || !doc.Value()) {
            m_notImported.push_back({path, doc.Error()});
            continue;
        }
        for (const CWordDocImporter::Glossary &entry : CollectEntries(*doc.Value())) {
            m_host.AddGlossaryItem(entry.term, entry.text);
            ++count;
        }
    }
    return count;
}
