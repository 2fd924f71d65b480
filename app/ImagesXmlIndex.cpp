#include "app/ImagesXmlIndex.h"

#include "platform/CorvContext.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"

#include <QFile>

#include <libxml/parser.h>
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

void CImagesXmlIndex::DocFree::operator()(_xmlDoc *doc) const { xmlFreeDoc(doc); }

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
    xmlDocPtr doc = nullptr;
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        ++m_parseCount;
        doc = xmlReadMemory(bytes.constData(), int(bytes.size()), "images.xml", nullptr,
                            XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    }
    if (!doc || !xmlDocGetRootElement(doc)) {
        xmlFreeDoc(doc);
        m_context.Prompt().Error(CStringTable::Load(kLoadFailedMessage) + indexPath);
        return 0;
    }
    m_doc.reset(doc);
    m_imageCount = CountImages(xmlDocGetRootElement(doc));
    m_loaded = true;
    return 1;
}
