#pragma once

#include "import/SAXContentHandlerImpl.h"
#include "import/SlideXmlRecords.h"
#include "platform/Result.h"

#include <memory>

// Reads "slides.export.xml" into a DocumentFromXML. Element names compare without regard to case; an element
// met where its record does not exist (an object outside a page, a fragment field outside a fragment) is
// ignored, so a malformed file never reaches a record that is not there.
class PPTXML2KVPage : public SAXContentHandlerImpl
{
public:
    void startElement(const QString &localName, const SAXAttributes &attributes) override;
    void endElement(const QString &localName) override;

    // The document read, handed over once; null when the file held no "doc".
    std::unique_ptr<DocumentFromXML> TakeDocument() { return std::move(m_document); }

    // Reads a file or bytes: the document read (never null), or why none could be read (not well formed, or
    // no "doc" element in it).
    static CResult<std::unique_ptr<DocumentFromXML>> ReadFile(const QString &path);
    static CResult<std::unique_ptr<DocumentFromXML>> ReadMemory(const QByteArray &xml);

    // The leading integer of a text: white space skipped, an optional sign, digits up to the first other
    // character; 0 when there are none ("122.375" -> 122).
    static long LeadingInteger(const QString &text);
    // TRUE unless the text is "false" in any letter case.
    static bool Flag(const QString &text);

    enum Kind {
        kOther = -1, kDoc, kPage, kObject, kFragment, kRect, kPageCount, kObjectCount, kLeft, kTop, kWidth,
        kHeight, kType, kFontName, kFontSize, kFontColor, kFontIsItalic, kFontIsBold, kFontIsUnderline,
        kFontIsNormal, kAlignment, kParagraphFormat, kLineCount, kFormat, kText, kNote
    };

private:
    void TakeValue(int kind, const QString &text);
    void AppendNotePage(const QString &text);

    std::unique_ptr<DocumentFromXML> m_document;
    PageFromXML *m_page = nullptr;
    ObjectFromXML *m_object = nullptr;
    FragmentFromXML *m_fragment = nullptr;
    FragmentFromXML m_font; // the font values read last; copied into each fragment at its end
    long m_left = 0, m_top = 0, m_width = 0, m_height = 0;
};
