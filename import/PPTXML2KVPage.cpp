#include "import/PPTXML2KVPage.h"

#include "import/SAXXMLReader.h"

#include <limits>

namespace {

struct ElementName
{
    const char16_t *name;
    int kind;
    bool collectsText;
};

constexpr ElementName kElements[] = {
    {u"doc", PPTXML2KVPage::kDoc, false},
    {u"page", PPTXML2KVPage::kPage, false},
    {u"object", PPTXML2KVPage::kObject, false},
    {u"fragment", PPTXML2KVPage::kFragment, false},
    {u"rect", PPTXML2KVPage::kRect, false},
    {u"page-count", PPTXML2KVPage::kPageCount, true},
    {u"object-count", PPTXML2KVPage::kObjectCount, true},
    {u"left", PPTXML2KVPage::kLeft, true},
    {u"top", PPTXML2KVPage::kTop, true},
    {u"width", PPTXML2KVPage::kWidth, true},
    {u"height", PPTXML2KVPage::kHeight, true},
    {u"type", PPTXML2KVPage::kType, true},
    {u"font-name", PPTXML2KVPage::kFontName, true},
    {u"font-size", PPTXML2KVPage::kFontSize, true},
    {u"font-color", PPTXML2KVPage::kFontColor, true},
    {u"font-is-italic", PPTXML2KVPage::kFontIsItalic, true},
    {u"font-is-bold", PPTXML2KVPage::kFontIsBold, true},
    {u"font-is-underline", PPTXML2KVPage::kFontIsUnderline, true},
    {u"font-is-normal", PPTXML2KVPage::kFontIsNormal, true},
    {u"alignment", PPTXML2KVPage::kAlignment, true},
    {u"paragraph-format", PPTXML2KVPage::kParagraphFormat, true},
    {u"line-count", PPTXML2KVPage::kLineCount, true},
    {u"format", PPTXML2KVPage::kFormat, true},
    {u"text", PPTXML2KVPage::kText, true},
    {u"note", PPTXML2KVPage::kNote, true},
};

const ElementName *Lookup(const QString &localName)
{
    for (const ElementName &e : kElements) {
        if (SAXContentHandlerImpl::NameIs(localName, e.name))
            return &e;
    }
    return nullptr;
}

int ClampToInt(long value)
{
    return int(std::clamp<long>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

long PPTXML2KVPage::LeadingInteger(const QString &text)
{
    int i = 0;
    const int n = int(text.size());
    while (i < n && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    long long value = 0;
    while (i < n && text[i] >= u'0' && text[i] <= u'9') {
        if (value < (1ll << 40)) // digits beyond any real value stop growing it
            value = value * 10 + (text[i].unicode() - u'0');
        ++i;
    }
    value = std::min<long long>(value, std::numeric_limits<int>::max());
    return long(negative ? -value : value);
}

bool PPTXML2KVPage::Flag(const QString &text)
{
    return text.compare(QLatin1String("false"), Qt::CaseInsensitive) != 0;
}

void PPTXML2KVPage::startElement(const QString &localName, const SAXAttributes &)
{
    const ElementName *e = Lookup(localName);
    if (!e) {
        PushElement(kOther);
        return;
    }
    switch (e->kind) {
    case kDoc:
        if (!m_document)
            m_document = std::make_unique<DocumentFromXML>();
        PushElement(kDoc, m_document.get());
        return;
    case kPage:
        m_object = nullptr;
        m_fragment = nullptr;
        if (m_document) {
            m_document->pages.push_back(std::make_unique<PageFromXML>());
            m_page = m_document->pages.back().get();
        }
        PushElement(kPage, m_page);
        return;
    case kObject:
        m_fragment = nullptr;
        m_object = nullptr;
        if (m_page) {
            m_page->objects.push_back(std::make_unique<ObjectFromXML>());
            m_object = m_page->objects.back().get();
        }
        PushElement(kObject, m_object);
        return;
    case kFragment:
        m_fragment = nullptr;
        if (m_object) {
            m_object->fragments.push_back(std::make_unique<FragmentFromXML>());
            m_fragment = m_object->fragments.back().get();
        }
        PushElement(kFragment, m_fragment);
        return;
    default:
        if (e->collectsText)
            PushTextElement(e->kind);
        else
            PushElement(e->kind);
        return;
    }
}

void PPTXML2KVPage::endElement(const QString &)
{
    ElementEntry entry = PopElement();
    switch (entry.kind) {
    case kFragment:
        if (m_fragment) {
            FragmentFromXML *f = m_fragment;
            f->fontName = m_font.fontName;
            f->fontSize = m_font.fontSize;
            f->fontColor = m_font.fontColor;
            f->fontIsItalic = m_font.fontIsItalic;
            f->fontIsBold = m_font.fontIsBold;
            f->fontIsUnderline = m_font.fontIsUnderline;
            f->fontIsNormal = m_font.fontIsNormal;
        }
        m_fragment = nullptr;
        return;
    case kObject:
        m_object = nullptr;
        m_fragment = nullptr;
        return;
    case kRect:
        if (m_object)
            m_object->rect = CRect(ClampToInt(m_left), ClampToInt(m_top), ClampToInt(m_left + m_width),
                                   ClampToInt(m_top + m_height));
        return;
    default:
        break;
    }
    if (auto *text = dynamic_cast<SimpleElementFromXML *>(entry.holder))
        TakeValue(entry.kind, text->GetText());
}

void PPTXML2KVPage::TakeValue(int kind, const QString &text)
{
    switch (kind) {
    case kPageCount:
        if (m_document)
            m_document->pageCount = ClampToInt(LeadingInteger(text));
        break;
    case kObjectCount:
        if (m_page)
            m_page->objectCount = ClampToInt(LeadingInteger(text));
        break;
    case kLeft: m_left = LeadingInteger(text); break;
    case kTop: m_top = LeadingInteger(text); break;
    case kWidth: m_width = LeadingInteger(text); break;
    case kHeight: m_height = LeadingInteger(text); break;
    case kType:
        if (m_object)
            m_object->type = text;
        break;
    case kLineCount:
        if (m_object)
            m_object->lineCount = ClampToInt(LeadingInteger(text));
        break;
    case kFontName: m_font.fontName = text; break;
    case kFontSize: m_font.fontSize = ClampToInt(LeadingInteger(text)); break;
    case kFontColor: m_font.fontColor = LeadingInteger(text); break;
    case kFontIsItalic: m_font.fontIsItalic = Flag(text); break;
    case kFontIsBold: m_font.fontIsBold = Flag(text); break;
    case kFontIsUnderline: m_font.fontIsUnderline = Flag(text); break;
    case kFontIsNormal: m_font.fontIsNormal = Flag(text); break;
    case kAlignment:
        if (m_fragment)
            m_fragment->alignment = text;
        break;
    case kParagraphFormat:
        if (m_fragment)
            m_fragment->paragraphFormat = text;
        break;
    case kFormat:
        if (m_fragment)
            m_fragment->format = text;
        break;
    case kText:
        if (m_fragment)
            m_fragment->text = text;
        break;
    case kNote:
        AppendNotePage(text);
        break;
    default:
        break;
    }
}

// A note becomes a page of its own right after its slide's page: one text object filling the screen.
void PPTXML2KVPage::AppendNotePage(const QString &text)
{
    // A note without text would only make an empty screen.
    if (!m_document || text.trimmed().isEmpty())
        return;
    auto fragment = std::make_unique<FragmentFromXML>();
    fragment->text = text;
    auto object = std::make_unique<ObjectFromXML>();
    object->type = QStringLiteral("Text");
    object->rect = CRect(36, 32, 972, 520);
    object->fragments.push_back(std::move(fragment));
    auto page = std::make_unique<PageFromXML>();
    page->objects.push_back(std::move(object));
    m_document->pages.push_back(std::move(page));
    m_document->pageCount += 1;
}

namespace {

CResult<std::unique_ptr<DocumentFromXML>> DocumentOf(PPTXML2KVPage &handler)
{
    auto document = handler.TakeDocument();
    if (!document)
        return CFailure(QStringLiteral("The XML holds no \"doc\" element"));
    return document;
}

} // namespace

CResult<std::unique_ptr<DocumentFromXML>> PPTXML2KVPage::ReadFile(const QString &path)
{
    PPTXML2KVPage handler;
    SAXXMLReader reader(handler);
    reader.SetLongTexts(true);   // a slide's text may be long; the exporter writes no document type
    if (!reader.parseURL(path))
        return CFailure(reader.ErrorText());
    return DocumentOf(handler);
}

CResult<std::unique_ptr<DocumentFromXML>> PPTXML2KVPage::ReadMemory(const QByteArray &xml)
{
    PPTXML2KVPage handler;
    SAXXMLReader reader(handler);
    reader.SetLongTexts(true);
    if (!reader.parseMemory(xml))
        return CFailure(reader.ErrorText());
    return DocumentOf(handler);
}
