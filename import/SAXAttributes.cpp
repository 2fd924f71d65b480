#include "import/SAXAttributes.h"

QString SAXAttributes::getLocalName(int index) const
{
    if (index < 0 || index >= m_count)
        return {};
    return QString::fromUtf8(reinterpret_cast<const char *>(m_data[index * 5]));
}

QString SAXAttributes::getValue(int index) const
{
    if (index < 0 || index >= m_count)
        return {};
    const unsigned char *begin = m_data[index * 5 + 3];
    const unsigned char *end = m_data[index * 5 + 4];
    return QString::fromUtf8(reinterpret_cast<const char *>(begin), end - begin);
}

QString GetAttributeValue(const SAXAttributes &attributes, const QString &name, const QString &defaultValue)
{
    for (int i = 0; i < attributes.getLength(); ++i) {
        if (attributes.getLocalName(i) == name)
            return attributes.getValue(i);
    }
    return defaultValue;
}
