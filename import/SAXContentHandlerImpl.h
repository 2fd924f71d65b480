#pragma once

#include "import/SAXAttributes.h"
#include "import/SimpleElementFromXML.h"

#include <QString>
#include <QStringView>

#include <deque>
#include <memory>

// The base of every event-by-event XML reader. The base callbacks do nothing; a reader overrides
// startElement and endElement and keeps its open elements on the element stack, each with the holder that
// receives its content. The shared characters operation gives text to the innermost holder while the
// collecting flag is set.
class SAXContentHandlerImpl
{
public:
    struct ElementEntry
    {
        int kind = 0;
        XMLElementHolder *holder = nullptr;              // receives the element's content
        std::unique_ptr<XMLElementHolder> ownedHolder;   // a text holder made for this element
    };

    virtual ~SAXContentHandlerImpl() = default;

    virtual void startDocument() {}
    virtual void endDocument() {}
    virtual void startElement(const QString &localName, const SAXAttributes &attributes);
    virtual void endElement(const QString &localName);
    virtual void characters(QStringView text);
    virtual void ignorableWhitespace(QStringView) {}
    virtual void processingInstruction(const QString &, const QString &) {}

    // Element names compare without regard to case.
    static bool NameIs(const QString &localName, QStringView name)
    {
        return QStringView(localName).compare(name, Qt::CaseInsensitive) == 0;
    }

protected:
    // Pushes an element whose content goes to a record of the reader's model (or nowhere).
    void PushElement(int kind, XMLElementHolder *holder = nullptr);
    // Pushes an element whose text is wanted, with a new text holder, and starts collecting.
    SimpleElementFromXML *PushTextElement(int kind);
    // Takes the innermost entry off the stack; an empty stack gives an entry of kind -1.
    ElementEntry PopElement();
    const ElementEntry *TopElement() const { return m_elements.empty() ? nullptr : &m_elements.back(); }
    size_t Depth() const { return m_elements.size(); }

    std::deque<ElementEntry> m_elements;
    bool m_collecting = false;
};
