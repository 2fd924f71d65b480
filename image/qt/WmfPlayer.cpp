// The records of a Windows metafile (WMF): each is a size in 16-bit words, a function number and its
// parameters, 16-bit words that usually list coordinates in reverse order (y before x).
#include "image/qt/MetafileCanvas.h"
#include "image/qt/MetafileRecords.h"
#include "image/xImageWMF.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

constexpr size_t kRecordHead = 6; // size (32 bits), function (16 bits)
constexpr uint16_t kEof = 0x0000;

class WmfPlayer
{
public:
    WmfPlayer(MetafileCanvas &canvas, size_t objectCount) : m_canvas(canvas) { m_objects.resize(objectCount); }

    // False when the record is not one we draw; damage shows in the record's bytes.
    void Play(uint16_t function, RecordBytes &r, size_t words);

private:
    // Parameter i (a 16-bit word) of the record.
    static int16_t P(RecordBytes &r, size_t i) { return r.S16(kRecordHead + 2 * i); }
    static uint16_t U(RecordBytes &r, size_t i) { return r.U16(kRecordHead + 2 * i); }
    static uint32_t Colour(RecordBytes &r, size_t i) { return r.U32(kRecordHead + 2 * i); }
    static QRectF Box(RecordBytes &r, size_t first) // bottom, right, top, left from parameter first on
    {
        const double bottom = P(r, first), right = P(r, first + 1), top = P(r, first + 2), left = P(r, first + 3);
        return QRectF(QPointF(left, top), QPointF(right, bottom));
    }
    static QPolygonF Points(RecordBytes &r, size_t first, size_t count)
    {
        QPolygonF points;
        if (!r.Has(kRecordHead + 2 * first, count * 4)) {
            r.U32(r.Size()); // marks the record damaged
            return points;
        }
        points.reserve(qsizetype(count));
        for (size_t i = 0; i < count; ++i)
            points << QPointF(P(r, first + 2 * i), P(r, first + 2 * i + 1));
        return points;
    }

    void AddObject(const GdiObject &object);
    void Window(RecordBytes &r, uint16_t function);
    void PolyPolygon(RecordBytes &r);
    void TextOut(RecordBytes &r);
    void ExtTextOut(RecordBytes &r, size_t words);
    void DibBlit(RecordBytes &r, uint16_t function, size_t words);
    GdiObject Font(RecordBytes &r, size_t words);

    MetafileCanvas &m_canvas;
    std::vector<std::optional<GdiObject>> m_objects;
};

void WmfPlayer::AddObject(const GdiObject &object)
{
    // A new object takes the lowest free slot of the table.
    for (auto &slot : m_objects) {
        if (!slot) {
            slot = object;
            return;
        }
    }
    m_objects.push_back(object);
}

void WmfPlayer::Window(RecordBytes &r, uint16_t function)
{
    DcState &dc = m_canvas.dc;
    switch (function) {
    case 0x020B: dc.windowOrg = QPointF(P(r, 1), P(r, 0)); break;
    case 0x020C: dc.windowExt = QSizeF(P(r, 1), P(r, 0)); break;
    case 0x020F: dc.windowOrg += QPointF(P(r, 1), P(r, 0)); break;
    case 0x0410: { // SCALEWINDOWEXT: yDenom, yNum, xDenom, xNum
        const int16_t yDenom = P(r, 0), yNum = P(r, 1), xDenom = P(r, 2), xNum = P(r, 3);
        if (xDenom && yDenom)
            dc.windowExt = QSizeF(dc.windowExt.width() * xNum / xDenom, dc.windowExt.height() * yNum / yDenom);
        break;
    }
    default: break;
    }
}

void WmfPlayer::PolyPolygon(RecordBytes &r)
{
    const size_t polygons = U(r, 0);
    std::vector<QPolygonF> shapes;
    size_t at = 1 + polygons;
    for (size_t i = 0; i < polygons && !r.Damaged(); ++i) {
        const size_t count = U(r, 1 + i);
        shapes.push_back(Points(r, at, count));
        at += 2 * count;
    }
    if (!r.Damaged())
        m_canvas.Polygons(shapes);
}

void WmfPlayer::TextOut(RecordBytes &r)
{
    const size_t count = size_t(std::max<int16_t>(0, P(r, 0)));
    const auto bytes = r.Slice(kRecordHead + 2, count);
    const size_t after = 1 + (count + 1) / 2;
    const QPointF at(P(r, after + 1), P(r, after));
    if (!r.Damaged())
        m_canvas.Text(at, DecodeAnsiText(bytes, m_canvas.dc.font.charset), 0, std::nullopt, {});
}

void WmfPlayer::ExtTextOut(RecordBytes &r, size_t words)
{
    const QPointF at(P(r, 1), P(r, 0));
    const size_t count = size_t(std::max<int16_t>(0, P(r, 2)));
    const uint16_t options = U(r, 3);
    size_t next = 4;
    std::optional<QRectF> box;
    if (options & 0x6) {
        const double left = P(r, 4), top = P(r, 5), right = P(r, 6), bottom = P(r, 7);
        box = QRectF(QPointF(left, top), QPointF(right, bottom));
        next = 8;
    }
    const auto bytes = r.Slice(kRecordHead + 2 * next, count);
    next += (count + 1) / 2;
    std::vector<int32_t> dx;
    if (words >= 3 + next + count) {
        for (size_t i = 0; i < count; ++i)
            dx.push_back(P(r, next + i));
    }
    if (!r.Damaged())
        m_canvas.Text(at, DecodeAnsiText(bytes, m_canvas.dc.font.charset), options, box, dx);
}

// The DIB of a record: info header, colour table and bits, one after the other.
void SplitDib(std::span<const uint8_t> dib, std::span<const uint8_t> &info, std::span<const uint8_t> &bits)
{
    info = bits = {};
    if (dib.size() < 12)
        return;
    const uint32_t headerSize = uint32_t(dib[0]) | (uint32_t(dib[1]) << 8) | (uint32_t(dib[2]) << 16) |
                                (uint32_t(dib[3]) << 24);
    const bool core = headerSize == 12;
    if (!core && (headerSize < 40 || dib.size() < 40))
        return;
    const uint32_t bitCount = core ? (dib[10] | (dib[11] << 8)) : (dib[14] | (dib[15] << 8));
    const uint32_t compression = core ? 0 : uint32_t(dib[16] | (dib[17] << 8));
    uint32_t colours = core ? 0 : uint32_t(dib[32] | (dib[33] << 8) | (dib[34] << 16) | (uint32_t(dib[35]) << 24));
    if (bitCount <= 8 && (colours == 0 || colours > (1u << bitCount)))
        colours = 1u << bitCount;
    if (bitCount > 8 && compression != 3)
        colours = std::min<uint32_t>(colours, 256);
    uint64_t size = uint64_t(headerSize) + uint64_t(colours) * (core ? 3 : 4);
    if (compression == 3 && headerSize == 40)
        size += 12;
    if (size > dib.size())
        return;
    info = dib.first(size_t(size));
    bits = dib.subspan(size_t(size));
}

void WmfPlayer::DibBlit(RecordBytes &r, uint16_t function, size_t words)
{
    const uint32_t rop = Colour(r, 0);
    // Without a picture (DIBBITBLT and DIBSTRETCHBLT only) the record is one word longer before the
    // destination and carries no DIB.
    size_t i = function == 0x0F43 ? 3 : 2; // STRETCHDIB has the colour usage first
    double srcHeight = 0, srcWidth = 0;
    if (function != 0x0940) {
        srcHeight = P(r, i++);
        srcWidth = P(r, i++);
    }
    const double ySrc = P(r, i++), xSrc = P(r, i++);
    const bool noPicture = function != 0x0F43 && words == 3 + i + 5;
    if (noPicture)
        ++i;
    const double height = P(r, i++), width = P(r, i++), yDest = P(r, i++), xDest = P(r, i++);
    if (function == 0x0940) {
        srcWidth = width;
        srcHeight = height;
    }
    const QRectF destination(xDest, yDest, width, height);
    if (r.Damaged())
        return;
    if (noPicture) {
        m_canvas.Blit(destination, nullptr, {}, rop);
        return;
    }
    std::span<const uint8_t> info, bits;
    SplitDib(r.Slice(kRecordHead + 2 * i, r.Size() - std::min(r.Size(), kRecordHead + 2 * i)), info, bits);
    const QImage picture = MetafileCanvas::DecodeDib(info, bits);
    if (!picture.isNull())
        m_canvas.Blit(destination, &picture, QRectF(xSrc, ySrc, srcWidth, srcHeight), rop);
}

GdiObject WmfPlayer::Font(RecordBytes &r, size_t words)
{
    GdiObject object;
    object.kind = GdiObject::Font;
    GdiFont &font = object.font;
    font.height = P(r, 0);
    font.escapement = P(r, 2);
    font.weight = P(r, 4);
    const size_t flags = kRecordHead + 10;
    font.italic = r.U16(flags) & 0xFF;
    font.underline = r.U16(flags) >> 8;
    font.strikeOut = r.U16(flags + 2) & 0xFF;
    font.charset = uint8_t(r.U16(flags + 2) >> 8);
    const size_t nameAt = kRecordHead + 18;
    const size_t end = std::min<size_t>(words * 2, r.Size());
    const auto face = nameAt < end ? r.Slice(nameAt, std::min<size_t>(32, end - nameAt)) : std::span<const uint8_t>();
    QByteArray name;
    for (uint8_t c : face) {
        if (!c)
            break;
        name.append(char(c));
    }
    if (!name.isEmpty())
        font.face = QString::fromLatin1(name);
    return object;
}

void WmfPlayer::Play(uint16_t function, RecordBytes &r, size_t words)
{
    DcState &dc = m_canvas.dc;
    switch (function) {
    case 0x0201: dc.backColour = ColourFromRef(Colour(r, 0)); break;       // SETBKCOLOR
    case 0x0209: dc.textColour = ColourFromRef(Colour(r, 0)); break;       // SETTEXTCOLOR
    case 0x0102: dc.backMode = P(r, 0); break;                             // SETBKMODE
    case 0x0104: dc.rop2 = P(r, 0); break;                                 // SETROP2
    case 0x0106: dc.fillMode = P(r, 0); break;                             // SETPOLYFILLMODE
    case 0x012E: dc.textAlign = U(r, 0); break;                            // SETTEXTALIGN
    case 0x020B:                                                           // SETWINDOWORG
    case 0x020C:                                                           // SETWINDOWEXT
    case 0x020F:                                                           // OFFSETWINDOWORG
    case 0x0410: Window(r, function); break;                               // SCALEWINDOWEXT
    case 0x001E: m_canvas.SaveDc(); break;                                 // SAVEDC
    case 0x0127: m_canvas.RestoreDc(P(r, 0)); break;                       // RESTOREDC
    case 0x0416: m_canvas.IntersectClip(Box(r, 0)); break;                 // INTERSECTCLIPRECT
    case 0x0415: m_canvas.ExcludeClip(Box(r, 0)); break;                   // EXCLUDECLIPRECT
    case 0x012C: m_canvas.SetClip(std::nullopt, 5); break;                 // SELECTCLIPREGION
    case 0x0214: m_canvas.MoveTo(QPointF(P(r, 1), P(r, 0))); break;        // MOVETO
    case 0x0213: m_canvas.LineTo(QPointF(P(r, 1), P(r, 0))); break;        // LINETO
    case 0x041B: m_canvas.Rectangle(Box(r, 0)); break;                     // RECTANGLE
    case 0x0418: m_canvas.Ellipse(Box(r, 0)); break;                       // ELLIPSE
    case 0x061C: m_canvas.RoundRect(Box(r, 2), QSizeF(P(r, 1), P(r, 0))); break; // ROUNDRECT
    case 0x0817:                                                           // ARC
    case 0x0830:                                                           // CHORD
    case 0x081A: {                                                         // PIE
        const QPointF end(P(r, 1), P(r, 0)), start(P(r, 3), P(r, 2));
        m_canvas.Arc(Box(r, 4), start, end, function == 0x0817 ? 0 : function == 0x0830 ? 1 : 2);
        break;
    }
    case 0x0324: {                                                         // POLYGON
        const QPolygonF points = Points(r, 1, U(r, 0));
        if (!r.Damaged())
            m_canvas.Polygons({points});
        break;
    }
    case 0x0325: {                                                         // POLYLINE
        const QPolygonF points = Points(r, 1, U(r, 0));
        if (!r.Damaged())
            m_canvas.Polyline(points, false);
        break;
    }
    case 0x0538: PolyPolygon(r); break;                                    // POLYPOLYGON
    case 0x041F: m_canvas.SetPixel(QPointF(P(r, 3), P(r, 2)), ColourFromRef(Colour(r, 0))); break; // SETPIXEL
    case 0x0521: TextOut(r); break;                                        // TEXTOUT
    case 0x0A32: ExtTextOut(r, words); break;                              // EXTTEXTOUT
    case 0x061D: {                                                         // PATBLT
        const QRectF box(P(r, 5), P(r, 4), P(r, 3), P(r, 2));
        if (!r.Damaged())
            m_canvas.Blit(box, nullptr, {}, Colour(r, 0));
        break;
    }
    case 0x0940:                                                           // DIBBITBLT
    case 0x0B41:                                                           // DIBSTRETCHBLT
    case 0x0F43: DibBlit(r, function, words); break;                       // STRETCHDIB
    case 0x02FA: {                                                         // CREATEPENINDIRECT
        GdiObject object;
        object.kind = GdiObject::Pen;
        object.pen = GdiPen{U(r, 0), double(P(r, 1)), ColourFromRef(Colour(r, 3))};
        AddObject(object);
        break;
    }
    case 0x02FC: {                                                         // CREATEBRUSHINDIRECT
        GdiObject object;
        object.kind = GdiObject::Brush;
        object.brush = GdiBrush{U(r, 0), ColourFromRef(Colour(r, 1)), U(r, 3), {}};
        AddObject(object);
        break;
    }
    case 0x0142: {                                                         // DIBCREATEPATTERNBRUSH
        GdiObject object;
        object.kind = GdiObject::Brush;
        object.brush.style = 5;
        std::span<const uint8_t> info, bits;
        SplitDib(r.Slice(kRecordHead + 4, r.Size() - std::min(r.Size(), kRecordHead + 4)), info, bits);
        object.brush.pattern = MetafileCanvas::DecodeDib(info, bits);
        AddObject(object);
        break;
    }
    case 0x02FB: AddObject(Font(r, words)); break;                         // CREATEFONTINDIRECT
    case 0x00F7:                                                           // CREATEPALETTE
    case 0x01F9:                                                           // CREATEPATTERNBRUSH
    case 0x06FF: AddObject(GdiObject{}); break;                            // CREATEREGION
    case 0x012D: {                                                         // SELECTOBJECT
        const size_t index = U(r, 0);
        if (index < m_objects.size() && m_objects[index])
            m_canvas.SelectObject(*m_objects[index]);
        break;
    }
    case 0x01F0: {                                                         // DELETEOBJECT
        const size_t index = U(r, 0);
        if (index < m_objects.size())
            m_objects[index].reset();
        break;
    }
    default: break; // records that draw nothing here (palettes, escapes, modes we do not need) are skipped
    }
}

} // namespace

bool PlayWmfRecords(MetafileCanvas &canvas, const MetafilePicture &picture, std::string &error)
{
    const std::vector<uint8_t> &bytes = picture.records;
    const std::span<const uint8_t> all(bytes);
    if (bytes.size() < 18)
        return true;
    const size_t headerWords = size_t(bytes[2] | (bytes[3] << 8));
    const size_t objectCount = size_t(bytes[10] | (bytes[11] << 8));
    WmfPlayer player(canvas, objectCount);
    size_t at = headerWords * 2;
    while (at + kRecordHead <= bytes.size()) {
        RecordBytes head(all.subspan(at, kRecordHead));
        const uint64_t words = head.U32(0);
        const uint16_t function = head.U16(4);
        if (function == kEof)
            return true;
        if (words < 3 || words * 2 > bytes.size() - at) {
            error = "corrupted WMF";
            return false;
        }
        RecordBytes record(all.subspan(at, size_t(words) * 2));
        player.Play(function, record, size_t(words));
        if (record.Damaged()) {
            error = "corrupted WMF";
            return false;
        }
        at += size_t(words) * 2;
    }
    return true;
}
