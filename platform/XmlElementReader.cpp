#include "platform/XmlElementReader.h"

#include <libxml/xmlreader.h>

#include <climits>

namespace CorvXmlElementReader {

namespace {

QString FromXml(const xmlChar *text) { return text ? QString::fromUtf8(reinterpret_cast<const char *>(text)) : QString(); }

} // namespace

bool Read(const QByteArray &bytes, const char *name, const Events &events, QString *errorText)
{
    const auto fail = [&](const QString &why) {
        if (errorText)
            *errorText = why;
        return false;
    };
    if (bytes.size() > INT_MAX)
        return fail(QStringLiteral("The file is too large."));
    xmlResetLastError();
    xmlTextReaderPtr reader = xmlReaderForMemory(bytes.constData(), int(bytes.size()), name, nullptr,
                                                 XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (!reader)
        return fail(QStringLiteral("The file could not be read."));
    int status = 0;
    while ((status = xmlTextReaderRead(reader)) == 1) {
        switch (xmlTextReaderNodeType(reader)) {
        case XML_READER_TYPE_ELEMENT:
            events.start(reader, FromXml(xmlTextReaderConstLocalName(reader)).toLower());
            if (xmlTextReaderIsEmptyElement(reader))
                events.end();
            break;
        case XML_READER_TYPE_END_ELEMENT: events.end(); break;
        case XML_READER_TYPE_TEXT:
        case XML_READER_TYPE_CDATA:
        case XML_READER_TYPE_WHITESPACE:
        case XML_READER_TYPE_SIGNIFICANT_WHITESPACE: events.text(FromXml(xmlTextReaderConstValue(reader))); break;
        default: break;
        }
    }
    QString reason;
    if (status != 0) {
        const xmlError *error = xmlGetLastError();
        reason = error && error->message ? QString::fromUtf8(error->message).trimmed()
                                         : QStringLiteral("The file is not well-formed XML.");
    }
    xmlFreeTextReader(reader);
    return status == 0 || fail(reason);
}

QString Attribute(_xmlTextReader *reader, const char *name, const QString &fallback)
{
    xmlChar *value = xmlTextReaderGetAttribute(reader, BAD_CAST name);
    if (!value)
        return fallback;
    const QString text = FromXml(value);
    xmlFree(value);
    return text;
}

QString WithCrLf(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n').replace(u'\n', QStringLiteral("\r\n"));
}

} // namespace CorvXmlElementReader
