// The records of an enhanced metafile (EMF): each is a type and a size in bytes (both 32-bit), then its
// fields. Coordinates are 32-bit, or 16-bit in the records whose names end in 16.
#include "image/qt/MetafileCanvas.h"
#include "image/qt/MetafileRecords.h"
#include "image/xImageWMF.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr uint32_t kEof = 14;
constexpr uint32_t kStockFlag = 0x80000000;

QRectF Box(RecordBytes &r, size_t at)
{
    const double left = r.S32(at), top = r.S32(at + 4), right = r.S32(at + 8), bottom = r.S32(at + 12);
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

QPointF Point(RecordBytes &r, size_t at)
{
    return QPointF(r.S32(at), r.S32(at + 4));
}

// count points from offset, 32-bit or 16-bit coordinates.
QPolygonF Points(RecordBytes &r, size_t at, size_t count, bool small)
{
    QPolygonF points;
    const size_t each = small ? 4 : 8;
    if (count > r.Size() / each || !r.Has(at, count * each)) {
        r.U32(r.Size()); // damaged
        return points;
    }
    points.reserve(qsizetype(count));
    for (size_t i = 0; i < count; ++i) {
        const size_t p = at + i * each;
        points << (small ? QPointF(r.S16(p), r.S16(p + 2)) : QPointF(r.S32(p), r.S32(p + 4)));
    }
    return points;
}

class EmfPlayer
{
public:
    explicit EmfPlayer(MetafileCanvas &canvas) : m_canvas(canvas) {}

    void Play(uint32_t type, RecordBytes &r);

private:
    void Poly(uint32_t type, RecordBytes &r);
    void PolyPoly(uint32_t type, RecordBytes &r);
    void Text(RecordBytes &r, bool wide);
    void Bitmap(uint32_t type, RecordBytes &r);
    void Transform(RecordBytes &r, bool modify);
    void ClipRegion(RecordBytes &r);
    QImage Dib(RecordBytes &r, size_t infoAt, size_t bitsAt);
    void Create(uint32_t index, const GdiObject &object) { m_canvas.objects[index] = object; }

    MetafileCanvas &m_canvas;
};

void EmfPlayer::Poly(uint32_t type, RecordBytes &r)
{
    const bool small = type >= 85;
    const QPolygonF points = Points(r, 28, r.U32(24), small);
    if (r.Damaged())
        return;
    switch (small ? type - 83 : type) {
    case 2: m_canvas.PolyBezier(points, false); break;       // POLYBEZIER
    case 3: m_canvas.Polygons({points}); break;              // POLYGON
    case 4: m_canvas.Polyline(points, false); break;         // POLYLINE
    case 5: m_canvas.PolyBezier(points, true); break;        // POLYBEZIERTO
    case 6: m_canvas.Polyline(points, true); break;          // POLYLINETO
    default: break;
    }
}

void EmfPlayer::PolyPoly(uint32_t type, RecordBytes &r)
{
    const bool small = type >= 90;
    const size_t polys = r.U32(24);
    const size_t total = r.U32(28);
    if (polys > r.Size() / 4 || !r.Has(32, polys * 4)) {
        r.U32(r.Size());
        return;
    }
    const QPolygonF all = Points(r, 32 + polys * 4, total, small);
    std::vector<QPolygonF> shapes;
    size_t used = 0;
    for (size_t i = 0; i < polys && !r.Damaged(); ++i) {
        const size_t count = r.U32(32 + i * 4);
        if (count > total - used) {
            r.U32(r.Size());
            return;
        }
        shapes.push_back(all.mid(qsizetype(used), qsizetype(count)));
        used += count;
    }
    if (r.Damaged())
        return;
    if (type == 7 || type == 90)
        m_canvas.Polylines(shapes);
    else
        m_canvas.Polygons(shapes);
}

void EmfPlayer::Text(RecordBytes &r, bool wide)
{
    const QPointF at = Point(r, 36);
    const size_t count = r.U32(44);
    const size_t offString = r.U32(48);
    const uint32_t options = r.U32(52);
    const QRectF box = Box(r, 56);
    const size_t offDx = r.U32(72);
    if (r.Damaged() || count > r.Size())
        return;
    const auto bytes = r.Slice(offString, count * (wide ? 2 : 1));
    QString text;
    if (wide) {
        for (size_t i = 0; i + 1 < bytes.size(); i += 2)
            text.append(QChar(char16_t(bytes[i] | (bytes[i + 1] << 8))));
    } else {
        text = DecodeAnsiText(bytes, m_canvas.dc.font.charset);
    }
    std::vector<int32_t> dx;
    // ETO_PDY gives a pair (x, y) per character; only the x advances are used.
    const size_t step = (options & 0x2000) ? 8 : 4;
    if (offDx && r.Has(offDx, count * step)) {
        for (size_t i = 0; i < count; ++i)
            dx.push_back(r.S32(offDx + i * step));
    }
    if (r.Damaged())
        return;
    std::optional<QRectF> rect;
    if (!box.isNull())
        rect = box;
    m_canvas.Text(at, text, options, rect, dx);
}

QImage EmfPlayer::Dib(RecordBytes &r, size_t infoAt, size_t bitsAt)
{
    const size_t offInfo = r.U32(infoAt), sizeInfo = r.U32(infoAt + 4);
    const size_t offBits = r.U32(bitsAt), sizeBits = r.U32(bitsAt + 4);
    if (r.Damaged() || sizeInfo == 0)
        return QImage();
    const auto info = r.Slice(offInfo, sizeInfo);
    const auto bits = r.Slice(offBits, sizeBits);
    if (r.Damaged())
        return QImage();
    return MetafileCanvas::DecodeDib(info, bits);
}

void EmfPlayer::Bitmap(uint32_t type, RecordBytes &r)
{
    switch (type) {
    case 76:   // BITBLT
    case 77:   // STRETCHBLT
    case 114: { // ALPHABLEND
        const QRectF destination(r.S32(24), r.S32(28), r.S32(32), r.S32(36));
        const uint32_t rop = r.U32(40);
        const QPointF source(r.S32(44), r.S32(48));
        const QImage picture = r.Size() >= 100 ? Dib(r, 84, 92) : QImage();
        double cx = destination.width(), cy = destination.height();
        if (type != 76) {
            cx = r.S32(100);
            cy = r.S32(104);
        }
        if (r.Damaged())
            return;
        if (type == 114) {
            // The blend function: the constant alpha in its third byte.
            m_canvas.Blit(destination, &picture, QRectF(source, QSizeF(cx, cy)), 0x00CC0020, int((rop >> 16) & 0xFF));
            return;
        }
        m_canvas.Blit(destination, picture.isNull() ? nullptr : &picture, QRectF(source, QSizeF(cx, cy)), rop);
        return;
    }
    case 81: { // STRETCHDIBITS
        const QRectF destination(r.S32(24), r.S32(28), r.S32(72), r.S32(76));
        const double xSrc = r.S32(32), ySrc = r.S32(36), cxSrc = r.S32(40), cySrc = r.S32(44);
        const uint32_t rop = r.U32(68);
        const QImage picture = Dib(r, 48, 56);
        if (r.Damaged())
            return;
        // The source's y counts from the bottom of the picture.
        const double top = picture.isNull() ? ySrc : picture.height() - ySrc - cySrc;
        m_canvas.Blit(destination, picture.isNull() ? nullptr : &picture, QRectF(xSrc, top, cxSrc, cySrc), rop);
        return;
    }
    case 80: { // SETDIBITSTODEVICE
        const QPointF at(r.S32(24), r.S32(28));
        const double xSrc = r.S32(32), ySrc = r.S32(36), cxSrc = r.S32(40), cySrc = r.S32(44);
        const QImage picture = Dib(r, 48, 56);
        if (r.Damaged() || picture.isNull())
            return;
        const double top = picture.height() - ySrc - cySrc;
        m_canvas.Blit(QRectF(at, QSizeF(cxSrc, cySrc)), &picture, QRectF(xSrc, top, cxSrc, cySrc), 0x00CC0020);
        return;
    }
    default: return;
    }
}

void EmfPlayer::Transform(RecordBytes &r, bool modify)
{
    const QTransform x(r.F32(8), r.F32(12), r.F32(16), r.F32(20), r.F32(24), r.F32(28));
    if (r.Damaged())
        return;
    QTransform &world = m_canvas.dc.world;
    if (!modify) {
        world = x;
        return;
    }
    switch (r.U32(32)) {
    case 1: world = QTransform(); break;  // MWT_IDENTITY
    case 2: world = x * world; break;     // MWT_LEFTMULTIPLY
    case 3: world = world * x; break;     // MWT_RIGHTMULTIPLY
    case 4: world = x; break;             // MWT_SET
    default: break;
    }
}

void EmfPlayer::ClipRegion(RecordBytes &r)
{
    const size_t size = r.U32(8);
    const int mode = int(r.U32(12));
    if (r.Damaged())
        return;
    if (size < 32) {
        m_canvas.SetClip(std::nullopt, 5);
        return;
    }
    const size_t count = r.U32(24);
    if (count > (r.Size() - std::min<size_t>(r.Size(), 48)) / 16 || !r.Has(48, count * 16)) {
        r.U32(r.Size());
        return;
    }
    // Region rectangles are in device units.
    QPainterPath path;
    for (size_t i = 0; i < count; ++i)
        path.addRect(Box(r, 48 + i * 16).normalized());
    path = m_canvas.DeviceToTarget().map(path);
    m_canvas.SetClip(path, mode);
}

void EmfPlayer::Play(uint32_t type, RecordBytes &r)
{
    DcState &dc = m_canvas.dc;
    switch (type) {
    case 2: case 3: case 4: case 5: case 6:
    case 85: case 86: case 87: case 88: case 89: Poly(type, r); break;
    case 7: case 8: case 90: case 91: PolyPoly(type, r); break;
    case 9: dc.windowExt = QSizeF(r.S32(8), r.S32(12)); break;                 // SETWINDOWEXTEX
    case 10: dc.windowOrg = Point(r, 8); break;                                 // SETWINDOWORGEX
    case 11: dc.viewportExt = QSizeF(r.S32(8), r.S32(12)); break;               // SETVIEWPORTEXTEX
    case 12: dc.viewportOrg = Point(r, 8); break;                               // SETVIEWPORTORGEX
    case 17: dc.mapMode = int32_t(r.U32(8)); break;                             // SETMAPMODE
    case 18: dc.backMode = int32_t(r.U32(8)); break;                            // SETBKMODE
    case 19: dc.fillMode = int32_t(r.U32(8)); break;                            // SETPOLYFILLMODE
    case 20: dc.rop2 = int32_t(r.U32(8)); break;                                // SETROP2
    case 22: dc.textAlign = r.U32(8); break;                                    // SETTEXTALIGN
    case 24: dc.textColour = ColourFromRef(r.U32(8)); break;                    // SETTEXTCOLOR
    case 25: dc.backColour = ColourFromRef(r.U32(8)); break;                    // SETBKCOLOR
    case 27: m_canvas.MoveTo(Point(r, 8)); break;                               // MOVETOEX
    case 29: m_canvas.ExcludeClip(Box(r, 8)); break;                            // EXCLUDECLIPRECT
    case 30: m_canvas.IntersectClip(Box(r, 8)); break;                          // INTERSECTCLIPRECT
    case 31:                                                                    // SCALEVIEWPORTEXTEX
    case 32: {                                                                  // SCALEWINDOWEXTEX
        const int32_t xNum = r.S32(8), xDenom = r.S32(12), yNum = r.S32(16), yDenom = r.S32(20);
        QSizeF &ext = type == 31 ? dc.viewportExt : dc.windowExt;
        if (xDenom && yDenom)
            ext = QSizeF(ext.width() * xNum / xDenom, ext.height() * yNum / yDenom);
        break;
    }
    case 33: m_canvas.SaveDc(); break;                                          // SAVEDC
    case 34: m_canvas.RestoreDc(r.S32(8)); break;                               // RESTOREDC
    case 35: Transform(r, false); break;                                        // SETWORLDTRANSFORM
    case 36: Transform(r, true); break;                                         // MODIFYWORLDTRANSFORM
    case 37: {                                                                  // SELECTOBJECT
        const uint32_t index = r.U32(8);
        if (index & kStockFlag) {
            m_canvas.SelectStock(index & ~kStockFlag);
        } else if (auto it = m_canvas.objects.find(index); it != m_canvas.objects.end()) {
            m_canvas.SelectObject(it->second);
        }
        break;
    }
    case 38: {                                                                  // CREATEPEN
        GdiObject object;
        object.kind = GdiObject::Pen;
        object.pen = GdiPen{r.U32(12), double(r.S32(16)), ColourFromRef(r.U32(24))};
        Create(r.U32(8), object);
        break;
    }
    case 95: {                                                                  // EXTCREATEPEN
        GdiObject object;
        object.kind = GdiObject::Pen;
        object.pen = GdiPen{r.U32(28), double(r.U32(32)), ColourFromRef(r.U32(40))};
        if (r.U32(36) == 1) // a hollow brush draws nothing
            object.pen.style = (object.pen.style & ~0x0Fu) | 5;
        Create(r.U32(8), object);
        break;
    }
    case 39: {                                                                  // CREATEBRUSHINDIRECT
        GdiObject object;
        object.kind = GdiObject::Brush;
        object.brush = GdiBrush{r.U32(12), ColourFromRef(r.U32(16)), r.U32(20), {}};
        Create(r.U32(8), object);
        break;
    }
    case 93:                                                                    // CREATEMONOBRUSH
    case 94: {                                                                  // CREATEDIBPATTERNBRUSHPT
        GdiObject object;
        object.kind = GdiObject::Brush;
        object.brush.style = 5;
        object.brush.pattern = Dib(r, 16, 24);
        Create(r.U32(8), object);
        break;
    }
    case 82: {                                                                  // EXTCREATEFONTINDIRECTW
        GdiObject object;
        object.kind = GdiObject::Font;
        GdiFont &font = object.font;
        font.height = r.S32(12);
        font.escapement = r.S32(20);
        font.weight = r.S32(28);
        const auto flags = r.Slice(32, 4);
        const auto face = r.Slice(40, 64);
        if (r.Damaged())
            break;
        font.italic = flags[0];
        font.underline = flags[1];
        font.strikeOut = flags[2];
        font.charset = flags[3];
        QString name;
        for (size_t i = 0; i + 1 < face.size(); i += 2) {
            const char16_t c = char16_t(face[i] | (face[i + 1] << 8));
            if (!c)
                break;
            name.append(QChar(c));
        }
        if (!name.isEmpty())
            font.face = name;
        Create(r.U32(8), object);
        break;
    }
    case 40: m_canvas.objects.erase(r.U32(8)); break;                          // DELETEOBJECT
    case 42: m_canvas.Ellipse(Box(r, 8)); break;                                // ELLIPSE
    case 43: m_canvas.Rectangle(Box(r, 8)); break;                              // RECTANGLE
    case 44: m_canvas.RoundRect(Box(r, 8), QSizeF(r.S32(24), r.S32(28))); break; // ROUNDRECT
    case 45: case 46: case 47: case 55: {                                       // ARC, CHORD, PIE, ARCTO
        const QRectF box = Box(r, 8);
        const QPointF start = Point(r, 24), end = Point(r, 32);
        if (!r.Damaged())
            m_canvas.Arc(box, start, end, type == 46 ? 1 : type == 47 ? 2 : 0, type == 55);
        break;
    }
    case 54: m_canvas.LineTo(Point(r, 8)); break;                               // LINETO
    case 59: m_canvas.BeginPath(); break;                                       // BEGINPATH
    case 60: m_canvas.EndPath(); break;                                         // ENDPATH
    case 61: m_canvas.CloseFigure(); break;                                     // CLOSEFIGURE
    case 62: m_canvas.FillPath(true, false); break;                             // FILLPATH
    case 63: m_canvas.FillPath(true, true); break;                              // STROKEANDFILLPATH
    case 64: m_canvas.FillPath(false, true); break;                             // STROKEPATH
    case 67: m_canvas.SelectClipPath(int(r.U32(8))); break;                     // SELECTCLIPPATH
    case 68: m_canvas.AbortPath(); break;                                       // ABORTPATH
    case 75: ClipRegion(r); break;                                              // EXTSELECTCLIPRGN
    case 76: case 77: case 80: case 81: case 114: Bitmap(type, r); break;
    case 83: Text(r, false); break;                                             // EXTTEXTOUTA
    case 84: Text(r, true); break;                                              // EXTTEXTOUTW
    default: break; // comments, palettes, colour management and the like draw nothing here
    }
}

} // namespace

float RecordBytes::F32(size_t offset)
{
    const uint32_t bits = U32(offset);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return std::isfinite(value) ? value : 0.0f;
}

bool PlayEmfRecords(MetafileCanvas &canvas, const MetafilePicture &picture, std::string &error)
{
    const std::vector<uint8_t> &bytes = picture.records;
    const std::span<const uint8_t> all(bytes);
    size_t at = 0;
    EmfPlayer player(canvas);
    while (at + 8 <= bytes.size()) {
        RecordBytes head(all.subspan(at, 8));
        const uint32_t type = head.U32(0);
        const uint32_t size = head.U32(4);
        if (size < 8 || size % 4 != 0 || size > bytes.size() - at) {
            error = "corrupted WMF";
            return false;
        }
        if (type == kEof)
            return true;
        RecordBytes record(all.subspan(at, size));
        if (at > 0)
            player.Play(type, record);
        if (record.Damaged()) {
            error = "corrupted WMF";
            return false;
        }
        at += size;
    }
    return true;
}
