#include "platform/XmlDom.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <climits>

namespace CorvXmlDom {

void DocFree::operator()(_xmlDoc *doc) const { xmlFreeDoc(doc); }

DocPtr ParseMemory(const QByteArray &bytes, const char *name, QString *errorText)
{
    if (bytes.size() > INT_MAX) {
        if (errorText)
            *errorText = QStringLiteral("The file is too large.");
        return nullptr;
    }
    xmlResetLastError();
    DocPtr doc(xmlReadMemory(bytes.constData(), int(bytes.size()), name, nullptr,
                             XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    if (doc && xmlDocGetRootElement(doc.get()))
        return doc;
    if (errorText) {
        const xmlError *error = xmlGetLastError();
        *errorText = error && error->message ? QString::fromUtf8(error->message).trimmed()
                                             : QStringLiteral("The file holds no XML element.");
    }
    return nullptr;
}

} // namespace CorvXmlDom
