#include "app/ImagesXmlIndex.h"

#include "platform/CorvContext.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"

#include <QFile>

#include <libxml/tree.h>

namespace {

constexpr int kLoadFailedMessage = 57347;

int CountImages(xmlNode *node)
{
    int count = 0;
    for (xmlNode *n = node; n; n = n->next) {
        if (n->type != XML_ELEMENT_NODE)
            continue;
        if (xmlStrcmp(n->name, BAD_CAST "image") == 0)
            ++count;
        count += CountImages(n->children);
    }
    return count;
}

} // namespace

CImagesXmlIndex::CImagesXmlIndex(const CCorvContext &context) : m_context(context) {}

CImagesXmlIndex::~CImagesXmlIndex() = default;

int CImagesXmlIndex::LoadLibraryIndex(const QString &indexPath, const QStringList &excludedWords,
                                      QStringList *usedPictures)
{
    if (m_loaded)
        return 1;
    m_indexPath = indexPath;
    m_excludedWords.append(excludedWords);
    m_usedPictures = usedPictures;

    QFile file(indexPath);
    CorvXmlDom::DocPtr doc;
    if (file.open(QIODevice::ReadOnly)) {
        ++m_parseCount;
        doc = CorvXmlDom::ParseMemory(file.readAll(), "images.xml");
    }
    if (!doc) {
        m_context.Prompt().Error(CStringTable::Load(kLoadFailedMessage) + indexPath);
        return 0;
    }
    m_doc = std::move(doc);
    m_imageCount = CountImages(xmlDocGetRootElement(m_doc.get()));
    m_loaded = true;
    return 1;
}
