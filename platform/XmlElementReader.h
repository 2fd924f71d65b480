#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

struct _xmlTextReader;

// Reads small XML files element by element, as the program's catalogue-like files are read (the
// international profile, a content library): element names are handed over in lower case, so they match in
// any letter case; text and CDATA come as they are read. Entities are never expanded from a DTD, no DTD is
// loaded and nothing is fetched from the network.
namespace CorvXmlElementReader {

struct Events {
    // An element starts: its name in lower case. An empty element ends at once.
    std::function<void(_xmlTextReader *reader, const QString &name)> start;
    std::function<void(const QString &text)> text;
    std::function<void()> end;
};

// False, with the parser's reason in *errorText, when the bytes are not well-formed XML.
bool Read(const QByteArray &bytes, const char *name, const Events &events, QString *errorText);

// The attribute's value (names match exactly), or fallback when the element has no such attribute.
QString Attribute(_xmlTextReader *reader, const char *name, const QString &fallback);

// Line ends as the program holds them in texts read from such files: every CR LF, CR or LF becomes CR LF.
QString WithCrLf(QString text);

} // namespace CorvXmlElementReader
