#include "import/SAXXMLReader.h"

#include "import/SAXContentHandlerImpl.h"

#include <QFile>

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>

namespace {

// What the callbacks reach through the parser context's private pointer. The SAX2 defaults we keep for the
// internal subset expect the context itself as their user data, so ours rides beside it.
struct ParseState
{
    SAXContentHandlerImpl *handler = nullptr;
    QString error;
    bool failed = false;
    int depth = 0;
};

// Deeper than any file we read; a bound so a hostile nesting cannot grow the element stacks without end.
constexpr int kMaxDepth = 256;

ParseState &StateOf(void *ctx)
{
    return *static_cast<ParseState *>(static_cast<xmlParserCtxtPtr>(ctx)->_private);
}

QString Utf8(const xmlChar *text, int length = -1)
{
    return QString::fromUtf8(reinterpret_cast<const char *>(text), length);
}

// A handler's exception must never unwind through libxml2's C frames: it stops the parse instead.
template <typename F>
void Guarded(void *ctx, F &&call)
{
    ParseState &state = StateOf(ctx);
    if (state.failed)
        return;
    try {
        call(*state.handler);
    } catch (const std::exception &e) {
        state.failed = true;
        state.error = QString::fromUtf8(e.what());
        xmlStopParser(static_cast<xmlParserCtxtPtr>(ctx));
    } catch (...) {
        state.failed = true;
        state.error = QStringLiteral("The reader stopped on an unexpected error.");
        xmlStopParser(static_cast<xmlParserCtxtPtr>(ctx));
    }
}

void OnStartDocument(void *ctx)
{
    xmlSAX2StartDocument(ctx);   // keeps a document for the internal subset's declarations
    Guarded(ctx, [](SAXContentHandlerImpl &h) { h.startDocument(); });
}

void OnEndDocument(void *ctx)
{
    Guarded(ctx, [](SAXContentHandlerImpl &h) { h.endDocument(); });
}

void OnStartElementNs(void *ctx, const xmlChar *localName, const xmlChar *, const xmlChar *, int, const xmlChar **,
                      int attributeCount, int, const xmlChar **attributes)
{
    ParseState &state = StateOf(ctx);
    if (++state.depth > kMaxDepth && !state.failed) {
        state.failed = true;
        state.error = QStringLiteral("The elements are nested more than %1 deep").arg(kMaxDepth);
        xmlStopParser(static_cast<xmlParserCtxtPtr>(ctx));
        return;
    }
    Guarded(ctx, [&](SAXContentHandlerImpl &h) {
        h.startElement(Utf8(localName), SAXAttributes(attributeCount, const_cast<const unsigned char **>(attributes)));
    });
}

void OnEndElementNs(void *ctx, const xmlChar *localName, const xmlChar *, const xmlChar *)
{
    --StateOf(ctx).depth;
    Guarded(ctx, [&](SAXContentHandlerImpl &h) { h.endElement(Utf8(localName)); });
}

void OnCharacters(void *ctx, const xmlChar *text, int length)
{
    Guarded(ctx, [&](SAXContentHandlerImpl &h) { h.characters(Utf8(text, length)); });
}

void OnProcessingInstruction(void *ctx, const xmlChar *target, const xmlChar *data)
{
    Guarded(ctx, [&](SAXContentHandlerImpl &h) { h.processingInstruction(Utf8(target), Utf8(data)); });
}

// A reader of long texts takes no document type.
void RefuseDocumentType(void *ctx, const xmlChar *, const xmlChar *, const xmlChar *)
{
    ParseState &state = StateOf(ctx);
    if (!state.failed) {
        state.failed = true;
        state.error = QStringLiteral("The XML declares a document type, which this file may not");
    }
    xmlStopParser(static_cast<xmlParserCtxtPtr>(ctx));
}

// References to declared entities deliver nothing: no expansion, no loading.
void OnReference(void *, const xmlChar *) {}

// An external subset is never read, and nothing outside the input is ever resolved.
void OnExternalSubset(void *, const xmlChar *, const xmlChar *, const xmlChar *) {}
xmlParserInputPtr OnResolveEntity(void *, const xmlChar *, const xmlChar *) { return nullptr; }

void OnStructuredError(void *ctx, xmlErrorPtr error)
{
    if (!ctx || !error || error->level < XML_ERR_ERROR)
        return;
    auto *parser = static_cast<xmlParserCtxtPtr>(ctx);
    if (!parser->_private)
        return;
    ParseState &state = StateOf(ctx);
    if (state.error.isEmpty() && error->message)
        state.error = QStringLiteral("line %1: %2").arg(error->line).arg(QString::fromUtf8(error->message).trimmed());
}

xmlSAXHandler MakeHandler()
{
    xmlSAXHandler sax{};
    xmlSAXVersion(&sax, 2);
    sax.startDocument = OnStartDocument;
    sax.endDocument = OnEndDocument;
    sax.startElementNs = OnStartElementNs;
    sax.endElementNs = OnEndElementNs;
    sax.startElement = nullptr;
    sax.endElement = nullptr;
    sax.characters = OnCharacters;
    sax.cdataBlock = OnCharacters;
    sax.ignorableWhitespace = OnCharacters;
    sax.processingInstruction = OnProcessingInstruction;
    sax.comment = nullptr;
    sax.reference = OnReference;
    sax.externalSubset = OnExternalSubset;
    sax.resolveEntity = OnResolveEntity;
    sax.warning = nullptr;
    sax.error = nullptr;
    sax.fatalError = nullptr;
    sax.serror = OnStructuredError;
    return sax;
}

} // namespace

bool SAXXMLReader::parseURL(const QString &path)
{
    m_error.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    if (file.size() > m_maxBytes) {
        m_error = QStringLiteral("%1 is larger than %2 bytes").arg(path).arg(m_maxBytes);
        return false;
    }
    const QByteArray bytes = file.read(m_maxBytes + 1);
    if (bytes.size() > m_maxBytes) {
        m_error = QStringLiteral("%1 is larger than %2 bytes").arg(path).arg(m_maxBytes);
        return false;
    }
    return parseMemory(bytes);
}

bool SAXXMLReader::parseMemory(QByteArrayView xml)
{
    m_error.clear();
    if (xml.size() > m_maxBytes) {
        m_error = QStringLiteral("The XML is larger than %1 bytes").arg(m_maxBytes);
        return false;
    }
    xmlSAXHandler sax = MakeHandler();
    if (m_longTexts)
        sax.internalSubset = RefuseDocumentType;
    xmlParserCtxtPtr ctxt = xmlCreatePushParserCtxt(&sax, nullptr, nullptr, 0, nullptr);
    if (!ctxt) {
        m_error = QStringLiteral("The XML reader cannot be created");
        return false;
    }
    ParseState state;
    state.handler = &m_handler;
    ctxt->_private = &state;
    // No network, no DTD loading, no entity substitution (no XML_PARSE_NOENT / DTDLOAD / HUGE).
    xmlCtxtUseOptions(ctxt, XML_PARSE_NONET | XML_PARSE_NOCDATA | (m_longTexts ? XML_PARSE_HUGE : 0));

    // Fed in pieces, so a handler sees long texts in several characters calls as from any SAX reader.
    constexpr qsizetype chunk = 256 * 1024;
    const char *data = xml.data();
    qsizetype left = xml.size();
    int rc = 0;
    while (rc == 0 && !state.failed && left > 0) {
        const int n = int(std::min(left, chunk));
        rc = xmlParseChunk(ctxt, data, n, 0);
        data += n;
        left -= n;
    }
    if (rc == 0 && !state.failed)
        rc = xmlParseChunk(ctxt, nullptr, 0, 1);

    const bool ok = rc == 0 && !state.failed && ctxt->wellFormed;
    if (!ok) {
        m_error = state.error.isEmpty() ? QStringLiteral("The XML is not well formed") : state.error;
    }
    if (ctxt->myDoc) {
        xmlFreeDoc(ctxt->myDoc);
        ctxt->myDoc = nullptr;
    }
    ctxt->_private = nullptr;
    xmlFreeParserCtxt(ctxt);
    return ok;
}
