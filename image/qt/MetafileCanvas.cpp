#include "image/qt/MetafileCanvas.h"

#include "image/qt/ImageQt.h"
#include "image/xImageBMP.h"
#include "image/xMemFile.h"

#include <QFontMetricsF>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>

namespace {

constexpr uint32_t kEtoOpaque = 0x2;
constexpr uint32_t kEtoClipped = 0x4;
constexpr uint32_t kTaUpdateCp = 0x1;
constexpr uint32_t kTaRight = 0x2;
constexpr uint32_t kTaCenter = 0x6;
constexpr uint32_t kTaBottom = 0x8;
constexpr uint32_t kTaBaseline = 0x18;

Qt::BrushStyle HatchStyle(uint32_t hatch)
{
    switch (hatch) {
    case 0: return Qt::HorPattern;
    case 1: return Qt::VerPattern;
    case 2: return Qt::FDiagPattern;
    case 3: return Qt::BDiagPattern;
    case 4: return Qt::CrossPattern;
    default: return Qt::DiagCrossPattern;
    }
}

QPainter::CompositionMode RopMode(uint32_t rop, bool &skip)
{
    skip = false;
    switch (rop) {
    case 0x008800C6: return QPainter::RasterOp_SourceAndDestination;     // SRCAND
    case 0x00EE0086: return QPainter::RasterOp_SourceOrDestination;      // SRCPAINT
    case 0x00660046: return QPainter::RasterOp_SourceXorDestination;     // SRCINVERT
    case 0x005A0049: return QPainter::RasterOp_SourceXorDestination;     // PATINVERT
    case 0x00550009: return QPainter::RasterOp_NotDestination;           // DSTINVERT
    case 0x00330008: return QPainter::RasterOp_NotSource;                // NOTSRCCOPY
    case 0x00AA0029: skip = true; return QPainter::CompositionMode_SourceOver; // the destination kept
    default: return QPainter::CompositionMode_SourceOver;
    }
}

QPainterPath RectPath(const QRectF &r)
{
    QPainterPath path;
    path.addRect(r.normalized());
    return path;
}

} // namespace

QColor ColourFromRef(uint32_t ref)
{
    return QColor(int(ref & 0xFF), int((ref >> 8) & 0xFF), int((ref >> 16) & 0xFF));
}

MetafileCanvas::MetafileCanvas(QImage &target, const QTransform &deviceToTarget, QSizeF devicePerMm)
    : m_target(target), m_painter(&target), m_deviceToTarget(deviceToTarget), m_devicePerMm(devicePerMm)
{
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

MetafileCanvas::~MetafileCanvas()
{
    m_painter.end();
}

// ---- state

void MetafileCanvas::SaveDc()
{
    // Nesting is bounded by the records, each of which costs file bytes; a hostile file still cannot
    // make more saved states than it has records.
    m_saved.push_back(dc);
}

void MetafileCanvas::RestoreDc(int32_t which)
{
    if (m_saved.empty())
        return;
    size_t keep;
    if (which < 0) {
        const size_t back = size_t(-int64_t(which));
        if (back > m_saved.size())
            return;
        keep = m_saved.size() - back;
    } else if (which > 0 && size_t(which) <= m_saved.size()) {
        keep = size_t(which) - 1;
    } else {
        return;
    }
    dc = m_saved[keep];
    m_saved.resize(keep);
    ApplyClip();
}

void MetafileCanvas::SelectObject(const GdiObject &object)
{
    switch (object.kind) {
    case GdiObject::Pen: dc.pen = object.pen; break;
    case GdiObject::Brush: dc.brush = object.brush; break;
    case GdiObject::Font: dc.font = object.font; break;
    case GdiObject::Other: break;
    }
}

void MetafileCanvas::SelectStock(uint32_t stock)
{
    switch (stock) {
    case 0: dc.brush = GdiBrush{0, Qt::white, 0, {}}; break;
    case 1: dc.brush = GdiBrush{0, QColor(192, 192, 192), 0, {}}; break;
    case 2: dc.brush = GdiBrush{0, QColor(128, 128, 128), 0, {}}; break;
    case 3: dc.brush = GdiBrush{0, QColor(64, 64, 64), 0, {}}; break;
    case 4: dc.brush = GdiBrush{0, Qt::black, 0, {}}; break;
    case 5: dc.brush = GdiBrush{1, Qt::white, 0, {}}; break;
    case 6: dc.pen = GdiPen{0, 0, Qt::white}; break;
    case 7: dc.pen = GdiPen{0, 0, Qt::black}; break;
    case 8: dc.pen = GdiPen{5, 0, Qt::black}; break;
    case 10:
    case 11:
    case 16: dc.font = GdiFont{}; dc.font.face = QStringLiteral("Liberation Mono"); break;
    case 12:
    case 13:
    case 14:
    case 17: dc.font = GdiFont{}; break;
    default: break;
    }
}

QTransform MetafileCanvas::PageTransform() const
{
    double sx = 1, sy = 1;
    // Millimetres per logical unit for the metric and imperial modes, whose y axis points up.
    double mmPerUnit = 0;
    switch (dc.mapMode) {
    case MapLoMetric: mmPerUnit = 0.1; break;
    case MapHiMetric: mmPerUnit = 0.01; break;
    case MapLoEnglish: mmPerUnit = 0.254; break;
    case MapHiEnglish: mmPerUnit = 0.0254; break;
    case MapTwips: mmPerUnit = 25.4 / 1440; break;
    default: break;
    }
    if (mmPerUnit > 0) {
        sx = mmPerUnit * m_devicePerMm.width();
        sy = -mmPerUnit * m_devicePerMm.height();
    } else if (dc.mapMode == MapIsotropic || dc.mapMode == MapAnisotropic) {
        if (dc.windowExt.width() != 0 && dc.windowExt.height() != 0) {
            sx = dc.viewportExt.width() / dc.windowExt.width();
            sy = dc.viewportExt.height() / dc.windowExt.height();
        }
        if (dc.mapMode == MapIsotropic) {
            const double m = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(m, sx);
            sy = std::copysign(m, sy);
        }
    }
    // device = (logical - window origin) * scale + viewport origin
    return QTransform(sx, 0, 0, sy, dc.viewportOrg.x() - dc.windowOrg.x() * sx,
                      dc.viewportOrg.y() - dc.windowOrg.y() * sy);
}

QTransform MetafileCanvas::Transform() const
{
    return dc.world * PageTransform() * m_deviceToTarget;
}

double MetafileCanvas::ScaleX() const
{
    const QTransform t = Transform();
    return std::hypot(t.m11(), t.m12());
}

double MetafileCanvas::ScaleY() const
{
    const QTransform t = Transform();
    return std::hypot(t.m21(), t.m22());
}

void MetafileCanvas::ApplyClip()
{
    m_painter.setTransform(QTransform());
    if (dc.clip)
        m_painter.setClipPath(*dc.clip);
    else
        m_painter.setClipping(false);
}

void MetafileCanvas::SetClip(const std::optional<QPainterPath> &targetPath, int mode)
{
    // RGN_AND 1, RGN_OR 2, RGN_XOR 3, RGN_DIFF 4, RGN_COPY 5
    QPainterPath whole;
    whole.addRect(QRectF(m_target.rect()));
    const QPainterPath current = dc.clip.value_or(whole);
    if (mode == 5 || !targetPath) {
        dc.clip = targetPath;
    } else if (mode == 1) {
        dc.clip = current.intersected(*targetPath);
    } else if (mode == 2) {
        dc.clip = current.united(*targetPath);
    } else if (mode == 3) {
        dc.clip = current.united(*targetPath).subtracted(current.intersected(*targetPath));
    } else if (mode == 4) {
        dc.clip = current.subtracted(*targetPath);
    }
    ApplyClip();
}

void MetafileCanvas::IntersectClip(const QRectF &logical)
{
    SetClip(Transform().map(RectPath(logical)), 1);
}

void MetafileCanvas::ExcludeClip(const QRectF &logical)
{
    SetClip(Transform().map(RectPath(logical)), 4);
}

// ---- paths

void MetafileCanvas::BeginPath()
{
    m_path = QPainterPath();
    m_pathOpen = true;
}

void MetafileCanvas::AbortPath()
{
    m_path = QPainterPath();
    m_pathOpen = false;
}

void MetafileCanvas::CloseFigure()
{
    if (m_pathOpen)
        m_path.closeSubpath();
}

void MetafileCanvas::FillPath(bool fill, bool stroke)
{
    m_pathOpen = false;
    QPainterPath path = m_path;
    m_path = QPainterPath();
    path.setFillRule(dc.fillMode == 2 ? Qt::WindingFill : Qt::OddEvenFill);
    m_painter.setTransform(QTransform());
    QPen pen = MakePen();
    if (!pen.isCosmetic())
        pen.setWidthF(pen.widthF() * ScaleX());
    ApplyRop2();
    m_painter.setPen(stroke && !dc.pen.IsNull() ? pen : QPen(Qt::NoPen));
    m_painter.setBrush(fill ? MakeBrush() : QBrush(Qt::NoBrush));
    m_painter.drawPath(path);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void MetafileCanvas::SelectClipPath(int mode)
{
    m_pathOpen = false;
    QPainterPath path = m_path;
    path.setFillRule(dc.fillMode == 2 ? Qt::WindingFill : Qt::OddEvenFill);
    m_path = QPainterPath();
    SetClip(path, mode);
}

// ---- pens, brushes, drawing

QPen MetafileCanvas::MakePen() const
{
    if (dc.pen.IsNull())
        return QPen(Qt::NoPen);
    QPen pen(dc.pen.colour);
    pen.setWidthF(dc.pen.width);
    pen.setCosmetic(dc.pen.width <= 1 && (dc.pen.style & 0x00010000) == 0);
    if (pen.isCosmetic())
        pen.setWidthF(1);
    switch (dc.pen.style & 0x0F) {
    case 1: pen.setStyle(Qt::DashLine); break;
    case 2: pen.setStyle(Qt::DotLine); break;
    case 3: pen.setStyle(Qt::DashDotLine); break;
    case 4: pen.setStyle(Qt::DashDotDotLine); break;
    default: pen.setStyle(Qt::SolidLine); break;
    }
    switch (dc.pen.style & 0x0F00) {
    case 0x0100: pen.setCapStyle(Qt::SquareCap); break;
    case 0x0200: pen.setCapStyle(Qt::FlatCap); break;
    default: pen.setCapStyle(Qt::RoundCap); break;
    }
    switch (dc.pen.style & 0xF000) {
    case 0x1000: pen.setJoinStyle(Qt::BevelJoin); break;
    case 0x2000: pen.setJoinStyle(Qt::MiterJoin); break;
    default: pen.setJoinStyle(Qt::RoundJoin); break;
    }
    return pen;
}

QBrush MetafileCanvas::MakeBrush() const
{
    switch (dc.brush.style) {
    case 1: return QBrush(Qt::NoBrush);
    case 2: return QBrush(dc.brush.colour, HatchStyle(dc.brush.hatch));
    case 3:
    case 5:
        if (!dc.brush.pattern.isNull())
            return QBrush(dc.brush.pattern);
        return QBrush(dc.brush.colour);
    default: return QBrush(dc.brush.colour);
    }
}

void MetafileCanvas::ApplyRop2()
{
    switch (dc.rop2) {
    case 7: m_painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
    case 6: m_painter.setCompositionMode(QPainter::RasterOp_NotDestination); break;
    case 9: m_painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination); break;
    case 15: m_painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination); break;
    default: m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver); break;
    }
}

void MetafileCanvas::Draw(const QPainterPath &logical, bool fill, bool stroke)
{
    if (m_pathOpen) {
        m_path.addPath(Transform().map(logical));
        return;
    }
    if (dc.rop2 == 11) // R2_NOP
        return;
    QPainterPath path = logical;
    path.setFillRule(dc.fillMode == 2 ? Qt::WindingFill : Qt::OddEvenFill);
    m_painter.setTransform(Transform());
    ApplyRop2();
    if (fill && dc.brush.style == 2 && dc.backMode == 2) {
        // An opaque hatch fills the gaps with the background colour.
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(dc.backColour);
        m_painter.drawPath(path);
    }
    m_painter.setPen(stroke ? MakePen() : QPen(Qt::NoPen));
    m_painter.setBrush(fill ? MakeBrush() : QBrush(Qt::NoBrush));
    m_painter.drawPath(path);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void MetafileCanvas::MoveTo(QPointF p)
{
    dc.position = p;
    if (m_pathOpen)
        m_path.moveTo(Transform().map(p));
}

void MetafileCanvas::LineTo(QPointF p)
{
    if (m_pathOpen) {
        if (m_path.elementCount() == 0)
            m_path.moveTo(Transform().map(dc.position));
        m_path.lineTo(Transform().map(p));
    } else {
        QPainterPath path(dc.position);
        path.lineTo(p);
        Draw(path, false, true);
    }
    dc.position = p;
}

void MetafileCanvas::Polyline(const QPolygonF &points, bool fromCurrent)
{
    if (points.isEmpty())
        return;
    if (m_pathOpen) {
        const QPolygonF mapped = Transform().map(points);
        if (!fromCurrent || m_path.elementCount() == 0)
            m_path.moveTo(fromCurrent ? Transform().map(dc.position) : mapped.first());
        for (const QPointF &p : mapped)
            m_path.lineTo(p);
    } else {
        QPainterPath path(fromCurrent ? dc.position : points.first());
        for (qsizetype i = fromCurrent ? 0 : 1; i < points.size(); ++i)
            path.lineTo(points[i]);
        Draw(path, false, true);
    }
    if (fromCurrent)
        dc.position = points.last();
}

void MetafileCanvas::PolyBezier(const QPolygonF &points, bool fromCurrent)
{
    if (points.isEmpty())
        return;
    QPainterPath path(fromCurrent ? dc.position : points.first());
    for (qsizetype i = fromCurrent ? 0 : 1; i + 2 < points.size(); i += 3)
        path.cubicTo(points[i], points[i + 1], points[i + 2]);
    if (m_pathOpen) {
        const QPainterPath mapped = Transform().map(path);
        if (fromCurrent && m_path.elementCount() > 0)
            m_path.connectPath(mapped);
        else
            m_path.addPath(mapped);
    } else {
        Draw(path, false, true);
    }
    if (fromCurrent)
        dc.position = path.currentPosition();
}

void MetafileCanvas::Polygons(const std::vector<QPolygonF> &polygons)
{
    QPainterPath path;
    for (const QPolygonF &polygon : polygons) {
        if (polygon.size() < 2)
            continue;
        path.addPolygon(polygon);
        path.closeSubpath();
    }
    Draw(path, true, true);
}

void MetafileCanvas::Polylines(const std::vector<QPolygonF> &lines)
{
    QPainterPath path;
    for (const QPolygonF &line : lines)
        path.addPolygon(line);
    Draw(path, false, true);
}

void MetafileCanvas::Rectangle(const QRectF &box)
{
    Draw(RectPath(box), true, true);
}

void MetafileCanvas::RoundRect(const QRectF &box, QSizeF corner)
{
    QPainterPath path;
    path.addRoundedRect(box.normalized(), std::abs(corner.width()) / 2, std::abs(corner.height()) / 2);
    Draw(path, true, true);
}

void MetafileCanvas::Ellipse(const QRectF &box)
{
    QPainterPath path;
    path.addEllipse(box.normalized());
    Draw(path, true, true);
}

void MetafileCanvas::Arc(const QRectF &box, QPointF start, QPointF end, int kind, bool arcTo)
{
    const QRectF r = box.normalized();
    if (r.width() <= 0 || r.height() <= 0)
        return;
    const QPointF c = r.center();
    // Angles as Qt counts them (counter-clockwise on screen, y down), from the radial points. Arcs run
    // counter-clockwise from start to end, as a device with y down shows them.
    auto angle = [&](QPointF p) {
        return std::atan2(-(p.y() - c.y()) * r.width(), (p.x() - c.x()) * r.height()) * 180.0 / M_PI;
    };
    const double a0 = angle(start);
    double sweep = angle(end) - a0;
    if (sweep <= 0)
        sweep += 360;
    QPainterPath path;
    if (kind == 2) {
        path.moveTo(c);
        path.arcTo(r, a0, sweep);
        path.closeSubpath();
    } else {
        path.arcMoveTo(r, a0);
        if (arcTo) {
            QPainterPath line(dc.position);
            line.lineTo(path.currentPosition());
            Draw(line, false, true);
        }
        path.arcTo(r, a0, sweep);
        if (kind == 1)
            path.closeSubpath();
    }
    if (arcTo)
        dc.position = path.currentPosition();
    Draw(path, kind != 0, true);
}

void MetafileCanvas::SetPixel(QPointF p, QColor colour)
{
    const QPointF at = Transform().map(p);
    const QPoint pixel(int(std::floor(at.x())), int(std::floor(at.y())));
    if (m_target.rect().contains(pixel) && (!dc.clip || dc.clip->contains(at)))
        m_target.setPixelColor(pixel, colour);
}

QFont MetafileCanvas::MakeFont(double pixelHeight) const
{
    QFont font(dc.font.face);
    // A positive height is the cell (ascent and descent); a negative one the character height alone.
    double size = std::abs(pixelHeight);
    if (dc.font.height > 0)
        size *= 0.82;
    font.setPixelSize(std::max(1, int(std::lround(size))));
    font.setWeight(QFont::Weight(std::clamp(int(dc.font.weight == 0 ? 400 : dc.font.weight), 1, 1000)));
    font.setItalic(dc.font.italic);
    font.setUnderline(dc.font.underline);
    font.setStrikeOut(dc.font.strikeOut);
    return font;
}

void MetafileCanvas::Text(QPointF at, const QString &text, uint32_t options, const std::optional<QRectF> &box,
                          std::span<const int32_t> dx)
{
    const QTransform t = Transform();
    if (box && (options & kEtoOpaque)) {
        m_painter.setTransform(t);
        m_painter.fillRect(box->normalized(), dc.backColour);
    }
    // Fonts need the application's font database; a program without one gets the shapes alone.
    if (text.isEmpty() || !QGuiApplication::instance())
        return;
    const bool updateCp = dc.textAlign & kTaUpdateCp;
    if (updateCp)
        at = dc.position;

    const double pixelHeight = (dc.font.height == 0 ? 12.0 : double(dc.font.height)) * ScaleY();
    if (std::abs(pixelHeight) > 4 * std::max(m_target.width(), m_target.height()))
        return; // letters larger than the picture cannot show
    const QFont font = MakeFont(pixelHeight);
    const QFontMetricsF metrics(font);
    const double xScale = ScaleX();
    std::vector<double> advances;
    double width = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const double a = size_t(i) < dx.size() ? dx[size_t(i)] * xScale : metrics.horizontalAdvance(text[i]);
        advances.push_back(a);
        width += a;
    }

    // The reference point in target pixels; the text runs along the escapement angle from there.
    const QPointF origin = t.map(at);
    const double degrees = dc.font.escapement / 10.0;
    QTransform local;
    local.translate(origin.x(), origin.y());
    local.rotate(-degrees);
    double x0 = 0;
    if ((dc.textAlign & kTaCenter) == kTaCenter)
        x0 = -width / 2;
    else if (dc.textAlign & kTaRight)
        x0 = -width;
    double baseline = metrics.ascent();
    if ((dc.textAlign & kTaBaseline) == kTaBaseline)
        baseline = 0;
    else if (dc.textAlign & kTaBottom)
        baseline = -metrics.descent();

    m_painter.setTransform(local);
    if (box && (options & kEtoClipped)) {
        m_painter.save();
        m_painter.setTransform(t);
        m_painter.setClipRect(box->normalized(), Qt::IntersectClip);
        m_painter.setTransform(local);
    }
    if (dc.backMode == 2 && !(options & kEtoOpaque))
        m_painter.fillRect(QRectF(x0, baseline - metrics.ascent(), width, metrics.height()), dc.backColour);
    m_painter.setFont(font);
    m_painter.setPen(dc.textColour);
    double x = x0;
    if (dx.empty()) {
        m_painter.drawText(QPointF(x, baseline), text);
    } else {
        for (qsizetype i = 0; i < text.size(); ++i) {
            m_painter.drawText(QPointF(x, baseline), QString(text[i]));
            x += advances[size_t(i)];
        }
    }
    if (box && (options & kEtoClipped))
        m_painter.restore();
    if (updateCp) {
        // The current position moves on by the text's width, in logical units.
        const QPointF end = local.map(QPointF(x0 + width, 0));
        bool invertible = false;
        const QTransform back = t.inverted(&invertible);
        if (invertible)
            dc.position = back.map(end);
    }
}

void MetafileCanvas::Blit(const QRectF &destination, const QImage *source, const QRectF &sourceRect, uint32_t rop,
                          int constantAlpha)
{
    if (m_pathOpen)
        return;
    m_painter.setTransform(Transform());
    const QRectF target = destination;
    switch (rop) {
    case 0x00000042: m_painter.fillRect(target, Qt::black); return;  // BLACKNESS
    case 0x00FF0062: m_painter.fillRect(target, Qt::white); return;  // WHITENESS
    case 0x00F00021:                                                 // PATCOPY
    case 0x005A0049:                                                 // PATINVERT
        if (!source || rop == 0x00F00021) {
            bool skip = false;
            m_painter.setCompositionMode(RopMode(rop, skip));
            m_painter.fillRect(target, MakeBrush());
            m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            return;
        }
        break;
    case 0x00550009: {                                               // DSTINVERT
        m_painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        m_painter.fillRect(target, Qt::black);
        m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        return;
    }
    default: break;
    }
    if (!source || source->isNull())
        return;
    bool skip = false;
    const QPainter::CompositionMode mode = RopMode(rop, skip);
    if (skip)
        return;
    m_painter.setCompositionMode(mode);
    if (constantAlpha >= 0)
        m_painter.setOpacity(constantAlpha / 255.0);
    m_painter.drawImage(target, *source, sourceRect);
    m_painter.setOpacity(1.0);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

QImage MetafileCanvas::DecodeDib(std::span<const uint8_t> info, std::span<const uint8_t> bits)
{
    if (info.size() < 12)
        return QImage();
    // Dimensions come from the record: a picture must fit in its bits before any of it is made.
    const auto le32 = [&](size_t at) {
        return uint32_t(info[at]) | (uint32_t(info[at + 1]) << 8) | (uint32_t(info[at + 2]) << 16) |
               (uint32_t(info[at + 3]) << 24);
    };
    int64_t width = 0, height = 0, bitCount = 0, compression = 0;
    if (le32(0) == 12) {
        width = info[4] | (info[5] << 8);
        height = info[6] | (info[7] << 8);
        bitCount = info[10] | (info[11] << 8);
    } else if (info.size() >= 40) {
        width = int32_t(le32(4));
        height = std::abs(int64_t(int32_t(le32(8))));
        bitCount = info[14] | (info[15] << 8);
        compression = le32(16);
    } else {
        return QImage();
    }
    constexpr int64_t kMaxPixels = int64_t(1) << 24; // beyond the largest canvas (4,000 a side)
    if (width <= 0 || height <= 0 || width * height > kMaxPixels)
        return QImage();
    const bool packed = compression == 0 || compression == 3;
    if (packed && int64_t(bits.size()) < ((width * bitCount + 31) / 32) * 4 * height)
        return QImage();
    std::vector<uint8_t> dib(info.begin(), info.end());
    dib.insert(dib.end(), bits.begin(), bits.end());
    CxMemFile file(dib.data(), dib.size());
    CxImageBMP image;
    if (!image.Decode(&file))
        return QImage();
    return toQImage(image);
}
