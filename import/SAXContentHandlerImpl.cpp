#include "import/SAXContentHandlerImpl.h"

void SAXContentHandlerImpl::startElement(const QString &, const SAXAttributes &)
{
    m_collecting = false;
    PushElement(-1);
}

void SAXContentHandlerImpl::endElement(const QString &)
{
    PopElement();
}

void SAXContentHandlerImpl::characters(QStringView text)
{
    if (!m_collecting || m_elements.empty())
        return;
    if (auto *holder = dynamic_cast<SimpleElementFromXML *>(m_elements.back().holder))
        holder->AppendText(text);
}

void SAXContentHandlerImpl::PushElement(int kind, XMLElementHolder *holder)
{
    m_elements.push_back(ElementEntry{kind, holder, nullptr});
}

SimpleElementFromXML *SAXContentHandlerImpl::PushTextElement(int kind)
{
    auto text = std::make_unique<SimpleElementFromXML>();
    SimpleElementFromXML *raw = text.get();
    m_elements.push_back(ElementEntry{kind, raw, std::move(text)});
    m_collecting = true;
    return raw;
}

SAXContentHandlerImpl::ElementEntry SAXContentHandlerImpl::PopElement()
{
    m_collecting = false;
    if (m_elements.empty())
        return ElementEntry{-1, nullptr, nullptr};
    ElementEntry top = std::move(m_elements.back());
    m_elements.pop_back();
    return top;
}
