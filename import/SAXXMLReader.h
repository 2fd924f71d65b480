#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class SAXContentHandlerImpl;

// The event-by-event XML reader under every SAX reading routine, over libxml2. It never loads a DTD or an
// external entity and never touches the network; internal entities are not expanded (a reference to one
// delivers no text), so an entity bomb costs nothing. Input larger than the limit is refused unread.
class SAXXMLReader
{
public:
    static constexpr qint64 defaultMaxBytes = 64 * 1024 * 1024;

    explicit SAXXMLReader(SAXContentHandlerImpl &handler) : m_handler(handler) {}

    void SetMaxBytes(qint64 maxBytes) { m_maxBytes = maxBytes; }
    // Texts of any length within the byte limit (libxml2 otherwise stops at 10 MB in one text, "Huge input
    // lookup"). A file read so may declare no document type at all: none is ever needed by such a file,
    // and entity bombs come in through one.
    void SetLongTexts(bool on) { m_longTexts = on; }

    // Parses the whole file before returning. False for a missing, unreadable, too large or ill-formed
    // file; the callbacks already delivered are then not to be trusted.
    bool parseURL(const QString &path);
    bool parseMemory(QByteArrayView xml);

    // Why the last parse failed, for logs and the importers' own messages; empty after a success.
    QString ErrorText() const { return m_error; }

private:
    SAXContentHandlerImpl &m_handler;
    qint64 m_maxBytes = defaultMaxBytes;
    bool m_longTexts = false;
    QString m_error;
};
