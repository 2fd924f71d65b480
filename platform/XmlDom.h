#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

struct _xmlDoc;

// An XML document held in memory as a tree, for files that are searched rather than read once (the
// graphics library's images.xml). Parsing never expands entities from a DTD, never loads a DTD and never
// touches the network.
namespace CorvXmlDom {

struct DocFree {
    void operator()(_xmlDoc *doc) const;
};
using DocPtr = std::unique_ptr<_xmlDoc, DocFree>;

// The parsed document, or null with the parser's reason in *errorText when the bytes are not well-formed
// XML or hold no root element.
DocPtr ParseMemory(const QByteArray &bytes, const char *name, QString *errorText = nullptr);

} // namespace CorvXmlDom
