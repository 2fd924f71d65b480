#pragma once

#include <QString>

// The attributes of one start tag, as the XML reader hands them to a content handler: local names and
// values in document order.
class SAXAttributes
{
public:
    // libxml2's SAX2 layout: five pointers per attribute (local name, prefix, URI, value start, value end).
    SAXAttributes(int count, const unsigned char **data) : m_count(count), m_data(data) {}
    SAXAttributes() = default;

    int getLength() const { return m_count; }
    QString getLocalName(int index) const;
    QString getValue(int index) const;

private:
    int m_count = 0;
    const unsigned char **m_data = nullptr;
};

// The value of the first attribute whose local name is exactly `name` (attribute names are case-sensitive,
// unlike element names), or `defaultValue` when the tag has none.
QString GetAttributeValue(const SAXAttributes &attributes, const QString &name, const QString &defaultValue);
