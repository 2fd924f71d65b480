#include "platform/ooxml/OoxmlXml.h"

#include "platform/ooxml/OoxmlPackage.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include <cstring>
#include <limits>

namespace {

struct ParseGuard
{
    bool sawDoctype = false;
};

// Any document type declaration stops the parser before its entities are read.
void RefuseDoctype(void *context, const xmlChar *, const xmlChar *, const xmlChar *)
{
    auto *ctxt = static_cast<xmlParserCtxtPtr>(context);
    if (auto *guard = static_cast<ParseGuard *>(ctxt->_private))
        guard->sawDoctype = true;
    xmlStopParser(ctxt);
}

void IgnoreMessage(void *, const char *, ...) {}
void IgnoreStructured(void *, xmlErrorPtr) {}

// Strict namespaces and the transitional ones they stand for: a Strict name is the prefix followed by the
// same rest ("http://purl.oclc.org/ooxml/officeDocument/relationships/image").
struct StrictName
{
    const char *strict;
    const char *transitional;
};
constexpr StrictName kStrictNames[] = {
    {"http://purl.oclc.org/ooxml/wordprocessingml/main", "http://schemas.openxmlformats.org/wordprocessingml/2006/main"},
    {"http://purl.oclc.org/ooxml/presentationml/main", "http://schemas.openxmlformats.org/presentationml/2006/main"},
    {"http://purl.oclc.org/ooxml/spreadsheetml/main", "http://schemas.openxmlformats.org/spreadsheetml/2006/main"},
    {"http://purl.oclc.org/ooxml/drawingml/main", "http://schemas.openxmlformats.org/drawingml/2006/main"},
    {"http://purl.oclc.org/ooxml/drawingml/wordprocessingDrawing",
     "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing"},
    {"http://purl.oclc.org/ooxml/drawingml/picture", "http://schemas.openxmlformats.org/drawingml/2006/picture"},
    {"http://purl.oclc.org/ooxml/drawingml/chart", "http://schemas.openxmlformats.org/drawingml/2006/chart"},
    {"http://purl.oclc.org/ooxml/drawingml/diagram", "http://schemas.openxmlformats.org/drawingml/2006/diagram"},
    {"http://purl.oclc.org/ooxml/drawingml/table", "http://schemas.openxmlformats.org/drawingml/2006/table"},
    {"http://purl.oclc.org/ooxml/officeDocument/relationships",
     "http://schemas.openxmlformats.org/officeDocument/2006/relationships"},
    {"http://purl.oclc.org/ooxml/officeDocument/math", "http://schemas.openxmlformats.org/officeDocument/2006/math"},
    {"http://purl.oclc.org/ooxml/officeDocument/sharedTypes",
     "http://schemas.openxmlformats.org/officeDocument/2006/sharedTypes"},
    {"http://purl.oclc.org/ooxml/officeDocument/extendedProperties",
     "http://schemas.openxmlformats.org/officeDocument/2006/extended-properties"},
    {"http://purl.oclc.org/ooxml/officeDocument/customProperties",
     "http://schemas.openxmlformats.org/officeDocument/2006/custom-properties"},
    {"http://purl.oclc.org/ooxml/officeDocument/customXml", "http://schemas.openxmlformats.org/officeDocument/2006/customXml"},
    {"http://purl.oclc.org/ooxml/officeDocument/bibliography",
     "http://schemas.openxmlformats.org/officeDocument/2006/bibliography"},
};

const StrictName *StrictMatch(const char *uri)
{
    if (!uri || std::strncmp(uri, "http://purl.oclc.org/ooxml/", 27) != 0)
        return nullptr;
    for (const StrictName &name : kStrictNames) {
        const size_t n = std::strlen(name.strict);
        if (std::strncmp(uri, name.strict, n) == 0 && (uri[n] == '\0' || uri[n] == '/'))
            return &name;
    }
    return nullptr;
}

// Every namespace declared in the tree under its transitional name; the elements and attributes that use
// a declaration follow it.
void RenameStrictNamespaces(xmlNodePtr node)
{
    for (; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE)
            continue;
        for (xmlNsPtr ns = node->nsDef; ns; ns = ns->next) {
            const char *href = reinterpret_cast<const char *>(ns->href);
            if (const StrictName *name = StrictMatch(href)) {
                const QByteArray renamed = QByteArray(name->transitional) + QByteArray(href + std::strlen(name->strict));
                xmlFree(const_cast<xmlChar *>(ns->href));
                ns->href = xmlStrdup(reinterpret_cast<const xmlChar *>(renamed.constData()));
            }
        }
        RenameStrictNamespaces(node->children);
    }
}

// What libxml2 says of its own limits, in the author's words.
QString ParseFailure(const xmlError *err)
{
    if (!err || !err->message)
        return QStringLiteral("it is not well-formed XML");
    const QString message = QString::fromUtf8(err->message).trimmed();
    if (message.contains(QLatin1String("Excessive depth")))
        return QStringLiteral("its elements are nested too deeply to be read");
    if (message.contains(QLatin1String("XML_PARSE_HUGE")) || message.contains(QLatin1String("Huge input lookup"))
        || message.contains(QLatin1String("huge text node")))
        return QStringLiteral("it holds a text too large to be read");
    return QStringLiteral("%1 (line %2)").arg(message).arg(err->line);
}

} // namespace

QString OoxmlStrict::Transitional(const QString &uri)
{
    const QByteArray bytes = uri.toUtf8();
    const StrictName *name = StrictMatch(bytes.constData());
    if (!name)
        return uri;
    return QString::fromUtf8(name->transitional) + QString::fromUtf8(bytes.constData() + std::strlen(name->strict));
}

COoxmlXml::~COoxmlXml()
{
    if (m_doc)
        xmlFreeDoc(m_doc);
}

std::unique_ptr<COoxmlXml> COoxmlXml::Parse(const QByteArray &bytes, QString *error)
{
    xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
    if (!ctxt) {
        if (error)
            *error = QStringLiteral("there is not enough memory");
        return nullptr;
    }
    ParseGuard guard;
    ctxt->_private = &guard;
    ctxt->sax->internalSubset = RefuseDoctype;
    ctxt->sax->warning = IgnoreMessage;
    ctxt->sax->error = IgnoreMessage;
    ctxt->vctxt.error = IgnoreMessage;
    ctxt->vctxt.warning = IgnoreMessage;
    ctxt->sax->serror = IgnoreStructured;
    // Encoding errors are raised past the context's handlers, to the thread's generic handler (standard
    // error): it is silenced for the parse, and the failure read from the context.
    const xmlGenericErrorFunc genericError = xmlGenericError;
    void *const genericContext = xmlGenericErrorContext;
    xmlSetGenericErrorFunc(nullptr, IgnoreMessage);
    xmlDocPtr doc = xmlCtxtReadMemory(ctxt, bytes.constData(), int(bytes.size()), nullptr, nullptr,
                                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    xmlSetGenericErrorFunc(genericContext, genericError);
    QString reason;
    if (guard.sawDoctype) {
        reason = QStringLiteral("it declares a document type, which no part of a document may");
    } else if (!doc || !ctxt->wellFormed) {
        reason = ParseFailure(xmlCtxtGetLastError(ctxt));
    }
    xmlFreeParserCtxt(ctxt);
    if (!reason.isEmpty() || !doc || !xmlDocGetRootElement(doc)) {
        if (doc)
            xmlFreeDoc(doc);
        if (error)
            *error = reason.isEmpty() ? QStringLiteral("it holds no element") : reason;
        return nullptr;
    }
    RenameStrictNamespaces(xmlDocGetRootElement(doc));
    return std::unique_ptr<COoxmlXml>(new COoxmlXml(doc));
}

std::unique_ptr<COoxmlXml> COoxmlXml::ReadPart(const COoxmlPackage &package, const QString &partName,
                                               QString *error)
{
    QByteArray bytes;
    if (!package.ReadPart(partName, &bytes, error))
        return nullptr;
    QString reason;
    auto xml = Parse(bytes, &reason);
    if (!xml && error)
        *error = QStringLiteral("The part \"%1\" of \"%2\" cannot be read: %3.").arg(partName, package.Path(), reason);
    return xml;
}

xmlNodePtr COoxmlXml::Root() const
{
    return xmlDocGetRootElement(m_doc);
}

bool COoxmlXml::Is(xmlNodePtr node, const char *ns, const char *localName)
{
    if (!node || node->type != XML_ELEMENT_NODE)
        return false;
    if (localName && std::strcmp(reinterpret_cast<const char *>(node->name), localName) != 0)
        return false;
    if (ns) {
        if (!node->ns || !node->ns->href)
            return false;
        return std::strcmp(reinterpret_cast<const char *>(node->ns->href), ns) == 0;
    }
    return true;
}

xmlNodePtr COoxmlXml::Child(xmlNodePtr parent, const char *ns, const char *localName)
{
    if (!parent)
        return nullptr;
    for (xmlNodePtr c = parent->children; c; c = c->next) {
        if (Is(c, ns, localName))
            return c;
    }
    return nullptr;
}

std::vector<xmlNodePtr> COoxmlXml::Children(xmlNodePtr parent, const char *ns, const char *localName)
{
    std::vector<xmlNodePtr> out;
    if (!parent)
        return out;
    for (xmlNodePtr c = parent->children; c; c = c->next) {
        if (Is(c, ns, localName))
            out.push_back(c);
    }
    return out;
}

xmlNodePtr COoxmlXml::Path(xmlNodePtr parent, const char *ns, std::initializer_list<const char *> names)
{
    xmlNodePtr node = parent;
    for (const char *name : names) {
        node = Child(node, ns, name);
        if (!node)
            return nullptr;
    }
    return node;
}

QString COoxmlXml::LocalName(xmlNodePtr node)
{
    return node ? QString::fromUtf8(reinterpret_cast<const char *>(node->name)) : QString();
}

bool COoxmlXml::HasAttr(xmlNodePtr node, const char *localName, const char *ns)
{
    if (!node)
        return false;
    return ns ? xmlHasNsProp(node, BAD_CAST localName, BAD_CAST ns) != nullptr
              : xmlHasNsProp(node, BAD_CAST localName, nullptr) != nullptr;
}

QString COoxmlXml::Attr(xmlNodePtr node, const char *localName, const char *ns)
{
    if (!node)
        return {};
    xmlChar *value = ns ? xmlGetNsProp(node, BAD_CAST localName, BAD_CAST ns)
                        : xmlGetNoNsProp(node, BAD_CAST localName);
    if (!value)
        return {};
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(value));
    xmlFree(value);
    return text;
}

long long COoxmlXml::IntAttr(xmlNodePtr node, const char *localName, long long fallback, bool *present)
{
    const QString text = Attr(node, localName);
    bool ok = false;
    const long long value = text.trimmed().toLongLong(&ok);
    if (present)
        *present = ok;
    return ok ? value : fallback;
}

QString COoxmlXml::Text(xmlNodePtr node)
{
    if (!node)
        return {};
    xmlChar *content = xmlNodeGetContent(node);
    if (!content)
        return {};
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(content));
    xmlFree(content);
    return text;
}
