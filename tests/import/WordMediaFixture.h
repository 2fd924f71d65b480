#pragma once

#include "DocxFixture.h"

#include "image/qt/ImageQt.h"
#include "image/xImage.h"
#include "image/xMemFile.h"

#include <QImage>

#include <cstdlib>
#include <initializer_list>
#include <tuple>
#include <vector>

// Word documents with pictures and tables, written by the test: encoded pictures (PNG, JPEG, a small
// enhanced metafile), picture runs inline or anchored, formatted runs, tables with their grid, and the
// package holding the media.
namespace WordMediaFixture {

inline QByteArray Encoded(const QImage &image, uint32_t format)
{
    CxImage picture;
    if (!fromQImage(picture, image))
        return {};
    CxMemFile file;
    file.Open();
    if (!picture.Encode(&file, format))
        return {};
    const size_t size = size_t(file.Size());
    uint8_t *buffer = file.GetBuffer(true);
    QByteArray bytes(reinterpret_cast<const char *>(buffer), qsizetype(size));
    std::free(buffer);
    return bytes;
}

inline QByteArray Solid(int width, int height, QRgb colour, uint32_t format)
{
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(colour);
    return Encoded(image, format);
}

inline void Le32(QByteArray &out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

// An enhanced metafile of width x height pixels filled with one blue rectangle.
inline QByteArray BlueEmf(int width, int height)
{
    QByteArray records;
    const auto add = [&](uint32_t type, std::initializer_list<uint32_t> fields) {
        Le32(records, type);
        Le32(records, uint32_t(8 + 4 * fields.size()));
        for (uint32_t f : fields)
            Le32(records, f);
    };
    add(39, {1, 0, 0x00FF0000u, 0});                              // a blue brush
    add(37, {1});                                                 // selected
    add(37, {0x80000008u});                                       // no pen
    add(43, {0, 0, uint32_t(width), uint32_t(height)});           // the rectangle
    QByteArray eof;
    Le32(eof, 14);
    Le32(eof, 20);
    Le32(eof, 0);
    Le32(eof, 16);
    Le32(eof, 20);
    QByteArray out;
    const uint32_t total = uint32_t(88 + records.size() + eof.size());
    for (uint32_t v : {1u, 88u, 0u, 0u, uint32_t(width), uint32_t(height), 0u, 0u,
                       uint32_t(width * 2540 / 96), uint32_t(height * 2540 / 96), 0x464D4520u, 0x10000u, total, 6u})
        Le32(out, v);
    out.append(char(4)).append(char(0)).append(char(0)).append(char(0));   // handles, reserved
    for (uint32_t v : {0u, 0u, 0u, 960u, 960u, 254u, 254u})
        Le32(out, v);
    return out + records + eof;
}

// A run holding a picture: inline, or anchored beside the text.
inline QByteArray Drawing(const QByteArray &id, int widthPx, int heightPx, bool floating = false)
{
    const QByteArray frame = floating ? "wp:anchor" : "wp:inline";
    return "<w:r><w:drawing xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\" "
           "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\"><" + frame + "><wp:extent cx=\""
           + QByteArray::number(widthPx * 9525) + "\" cy=\"" + QByteArray::number(heightPx * 9525)
           + "\"/><a:graphic><a:graphicData><a:blip r:embed=\"" + id + "\"/></a:graphicData></a:graphic></" + frame
           + "></w:drawing></w:r>";
}

inline QByteArray TextRun(const QByteArray &text, const QByteArray &props = {})
{
    return "<w:r>" + (props.isEmpty() ? QByteArray() : "<w:rPr>" + props + "</w:rPr>")
           + "<w:t xml:space=\"preserve\">" + text + "</w:t></w:r>";
}

inline QByteArray Para(const QByteArray &style, const QByteArray &runs)
{
    return "<w:p>" + (style.isEmpty() ? QByteArray() : "<w:pPr><w:pStyle w:val=\"" + style + "\"/></w:pPr>") + runs
           + "</w:p>";
}

// A table of the given column widths (twips), rows of cells (each cell its paragraphs' runs) and row heights
// (twips, 0: none given).
inline QByteArray Table(const std::vector<int> &widths, const std::vector<std::vector<QByteArray>> &rows,
                 const std::vector<int> &heights = {})
{
    QByteArray out = "<w:tbl><w:tblGrid>";
    for (int w : widths)
        out += "<w:gridCol w:w=\"" + QByteArray::number(w) + "\"/>";
    out += "</w:tblGrid>";
    for (size_t r = 0; r < rows.size(); ++r) {
        out += "<w:tr>";
        if (r < heights.size() && heights[r] > 0)
            out += "<w:trPr><w:trHeight w:val=\"" + QByteArray::number(heights[r]) + "\"/></w:trPr>";
        for (const QByteArray &cell : rows[r])
            out += "<w:tc>" + cell + "</w:tc>";
        out += "</w:tr>";
    }
    return out + "</w:tbl>";
}

// A .docx of the body and the media given (relationship id -> part name and bytes).
inline bool WriteDocx(const QString &path, const QByteArray &body,
               const std::vector<std::tuple<QByteArray, QString, QByteArray>> &media)
{
    auto parts = DocxFixture::Parts(body);
    QByteArray rels = parts[2].second;
    QByteArray images;
    for (const auto &[id, name, bytes] : media)
        images += "<Relationship Id=\"" + id + "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                  "relationships/image\" Target=\"media/" + name.toUtf8() + "\"/>";
    rels.replace("</Relationships>", images + "</Relationships>");
    parts[2].second = rels;
    for (const auto &[id, name, bytes] : media)
        parts.emplace_back("word/media/" + name, bytes);
    return WriteZip(path, parts);
}

// The safety course that the import tests and the browser test share: four topics, a PNG, a JPEG and an EMF
// picture (drawn at scale times their base size), a 3 x 4 table whose first three columns start bold, italic
// and red, a multiple-choice question, and the text that a complete-the-paragraph question is made from.
inline bool WriteSafetyCourse(const QString &path, int scale)
{
    const QByteArray bold = "<w:b/>", italic = "<w:i/>", red = "<w:color w:val=\"FF0000\"/>";
    QByteArray body = Para("Heading1", TextRun("Exits"))
                      + Para("", TextRun("The exit sign is green.") + Drawing("rId20", 40 * scale, 30 * scale))
                      + Para("Heading1", TextRun("Helmets"))
                      + Para("", TextRun("Wear a helmet on site.") + Drawing("rId21", 60 * scale, 40 * scale))
                      + Para("Heading1", TextRun("Signs"))
                      + Para("", TextRun("Blue signs give orders.") + Drawing("rId22", 50 * scale, 50 * scale))
                      + Para("Heading1", TextRun("Records")) + Para("", TextRun("The checks of the week."));
    std::vector<std::vector<QByteArray>> rows;
    for (int r = 0; r < 3; ++r) {
        std::vector<QByteArray> cells;
        for (int c = 0; c < 4; ++c)
            cells.push_back(Para("", TextRun("R" + QByteArray::number(r) + "C" + QByteArray::number(c) + " ",
                                             c == 0 ? bold : c == 1 ? italic : c == 2 ? red : QByteArray())
                                         + TextRun("plain")));
        rows.push_back(cells);
    }
    body += Table({1000, 1000, 1000, 1000}, rows, {300, 300, 300});
    body += Para("stem", TextRun("Which sign colour gives an order?")) + Para("option", TextRun("Green"))
            + Para("optionyes", TextRun("Blue")) + Para("option", TextRun("Red"));
    body += Para("", TextRun("Fire doors close by themselves when the alarm sounds and must never be wedged open."));
    body += Para("", TextRun("Escape routes are kept clear of boxes, trolleys and cables at every hour of the day."));
    return WriteDocx(path, body,
                     {{"rId20", "exit.png", Solid(40 * scale, 30 * scale, qRgb(0, 160, 0), ImageFormatPng)},
                      {"rId21", "helmet.jpg", Solid(60 * scale, 40 * scale, qRgb(250, 200, 0), ImageFormatJpg)},
                      {"rId22", "sign.emf", BlueEmf(50 * scale, 50 * scale)}});
}

} // namespace WordMediaFixture
