#pragma once

#include "support/ZipFixture.h"

#include <QByteArray>
#include <QString>

// A small .docx written by the test: the package parts, the styles of both writers' manners (built-in
// names in lower case, custom styles marked), numbering with bullets and numbers, and the body given.
namespace DocxFixture {

inline QByteArray Document(const QByteArray &body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
           "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
           "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><w:body>"
           + body + "<w:sectPr/></w:body></w:document>";
}

inline QByteArray Styles()
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
           "<w:styles xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
           "<w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:ascii=\"Calibri\"/><w:sz w:val=\"22\"/></w:rPr>"
           "</w:rPrDefault></w:docDefaults>"
           "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name w:val=\"Normal\"/></w:style>"
           "<w:style w:type=\"paragraph\" w:styleId=\"Heading1\"><w:name w:val=\"heading 1\"/>"
           "<w:basedOn w:val=\"Normal\"/><w:rPr><w:b/><w:sz w:val=\"32\"/></w:rPr></w:style>"
           "<w:style w:type=\"paragraph\" w:styleId=\"Heading2\"><w:name w:val=\"heading 2\"/>"
           "<w:basedOn w:val=\"Heading1\"/><w:rPr><w:sz w:val=\"28\"/></w:rPr></w:style>"
           "<w:style w:type=\"paragraph\" w:styleId=\"ListBullet\"><w:name w:val=\"List Bullet\"/>"
           "<w:pPr><w:numPr><w:numId w:val=\"1\"/></w:numPr></w:pPr></w:style>"
           "<w:style w:type=\"paragraph\" w:customStyle=\"1\" w:styleId=\"fakeheading\"><w:name w:val=\"heading 9x\"/></w:style>"
           "<w:style w:type=\"paragraph\" w:customStyle=\"1\" w:styleId=\"stem\"><w:name w:val=\"stem\"/></w:style>"
           "<w:style w:type=\"paragraph\" w:customStyle=\"1\" w:styleId=\"option\"><w:name w:val=\"option\"/></w:style>"
           "<w:style w:type=\"paragraph\" w:customStyle=\"1\" w:styleId=\"optionyes\"><w:name w:val=\"optionyes\"/></w:style>"
           "<w:style w:type=\"paragraph\" w:customStyle=\"1\" w:styleId=\"kvglossary\"><w:name w:val=\"kv_glossary\"/></w:style>"
           "<w:style w:type=\"paragraph\" w:customStyle=\"1\" w:styleId=\"kvdescription\"><w:name w:val=\"kv_description\"/></w:style>"
           "<w:style w:type=\"character\" w:styleId=\"Strong\"><w:name w:val=\"Strong\"/><w:rPr><w:b/></w:rPr></w:style>"
           "</w:styles>";
}

inline QByteArray Numbering()
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
           "<w:numbering xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
           "<w:abstractNum w:abstractNumId=\"10\"><w:lvl w:ilvl=\"0\"><w:numFmt w:val=\"bullet\"/>"
           "<w:pPr><w:ind w:left=\"720\" w:hanging=\"360\"/></w:pPr></w:lvl></w:abstractNum>"
           "<w:abstractNum w:abstractNumId=\"11\"><w:lvl w:ilvl=\"0\"><w:numFmt w:val=\"decimal\"/>"
           "<w:pPr><w:ind w:left=\"360\"/></w:pPr></w:lvl></w:abstractNum>"
           "<w:num w:numId=\"1\"><w:abstractNumId w:val=\"10\"/></w:num>"
           "<w:num w:numId=\"2\"><w:abstractNumId w:val=\"11\"/></w:num>"
           "</w:numbering>";
}

inline std::vector<std::pair<QString, QByteArray>> Parts(const QByteArray &body)
{
    return {
        {"[Content_Types].xml",
         "<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
         "<Default Extension=\"xml\" ContentType=\"application/xml\"/></Types>"},
        {"_rels/.rels",
         "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
         "Target=\"word/document.xml\"/></Relationships>"},
        {"word/_rels/document.xml.rels",
         "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
         "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" Target=\"styles.xml\"/>"
         "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/numbering\" Target=\"numbering.xml\"/>"
         "<Relationship Id=\"rId9\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/hyperlink\" "
         "Target=\"https://example.org/safety\" TargetMode=\"External\"/></Relationships>"},
        {"word/document.xml", Document(body)},
        {"word/styles.xml", Styles()},
        {"word/numbering.xml", Numbering()},
    };
}

// A paragraph of a style with plain runs.
inline QByteArray P(const QByteArray &style, const QByteArray &text, const QByteArray &props = {})
{
    QByteArray pPr = style.isEmpty() && props.isEmpty() ? QByteArray()
                     : "<w:pPr>" + (style.isEmpty() ? QByteArray() : "<w:pStyle w:val=\"" + style + "\"/>") + props + "</w:pPr>";
    return "<w:p>" + pPr + "<w:r><w:t xml:space=\"preserve\">" + text + "</w:t></w:r></w:p>";
}

inline bool Write(const QString &path, const QByteArray &body)
{
    return WriteZip(path, Parts(body));
}

} // namespace DocxFixture
