#include "import/SimpleElementFromXML.h"

void SimpleElementFromXML::AppendText(QStringView characters)
{
    m_text.reserve(m_text.size() + characters.size());
    for (QChar c : characters) {
        if (c == u'\n')
            m_text += u'\r';
        m_text += c;
    }
}
