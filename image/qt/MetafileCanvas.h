#pragma once

// The drawing state of a metafile being played: the device-context model that WMF and EMF records
// change (selected pen, brush and font, colours and modes, mapping, clipping, saved states, the object
// table) and the drawing operations they call, carried out with QPainter on a QImage.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QString>
#include <QTransform>

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

struct GdiPen
{
    uint32_t style = 0; // PS_* with end-cap and join bits
    double width = 0;   // logical units; 0 = one pixel
    QColor colour = Qt::black;
    bool IsNull() const { return (style & 0x0F) == 5; }
};

struct GdiBrush
{
    uint32_t style = 0; // BS_SOLID 0, BS_NULL 1, BS_HATCHED 2, BS_PATTERN 3, BS_DIBPATTERN 5
    QColor colour = Qt::white;
    uint32_t hatch = 0;
    QImage pattern;
    bool IsNull() const { return style == 1; }
};

struct GdiFont
{
    int32_t height = -12; // logical units; negative: character height, positive: cell height
    int32_t escapement = 0; // tenths of a degree, counter-clockwise
    int32_t weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    uint8_t charset = 0;
    QString face = QStringLiteral("Liberation Sans");
};

struct GdiObject
{
    enum Kind { Pen, Brush, Font, Other } kind = Other;
    GdiPen pen;
    GdiBrush brush;
    GdiFont font;
};

enum MapMode { MapText = 1, MapLoMetric, MapHiMetric, MapLoEnglish, MapHiEnglish, MapTwips, MapIsotropic, MapAnisotropic };

struct DcState
{
    GdiPen pen;
    GdiBrush brush;
    GdiFont font;
    QColor textColour = Qt::black;
    QColor backColour = Qt::white;
    int32_t backMode = 2; // 1 transparent, 2 opaque
    int32_t fillMode = 1; // 1 alternate, 2 winding
    uint32_t textAlign = 0;
    int32_t rop2 = 13;    // R2_COPYPEN
    QPointF position;
    int32_t mapMode = MapText;
    QPointF windowOrg;
    QSizeF windowExt{1, 1};
    QPointF viewportOrg;
    QSizeF viewportExt{1, 1};
    QTransform world;
    std::optional<QPainterPath> clip; // in target pixels
};

// A COLORREF (0x00bbggrr); palette-relative forms keep their RGB bytes.
QColor ColourFromRef(uint32_t ref);

class MetafileCanvas
{
public:
    // deviceToTarget takes the player's device coordinates onto the target's pixels; devicePerMm is
    // the reference device's resolution, for the metric mapping modes.
    MetafileCanvas(QImage &target, const QTransform &deviceToTarget, QSizeF devicePerMm);
    ~MetafileCanvas();

    DcState dc;
    // Enhanced metafiles name their objects by index; WMF fills the lowest free slot.
    std::map<uint32_t, GdiObject> objects;

    // ---- state
    void SaveDc();
    void RestoreDc(int32_t which);
    void SelectObject(const GdiObject &object);
    void SelectStock(uint32_t stock);
    QTransform Transform() const; // logical coordinates to target pixels
    // Logical length along x and y in target pixels.
    double ScaleX() const;
    double ScaleY() const;
    void IntersectClip(const QRectF &logical);
    void ExcludeClip(const QRectF &logical);
    void SetClip(const std::optional<QPainterPath> &targetPath, int mode);
    const QTransform &DeviceToTarget() const { return m_deviceToTarget; }

    // ---- paths: while a path is open, shapes are collected instead of drawn
    void BeginPath();
    void EndPath() { m_pathOpen = false; }
    void AbortPath();
    void CloseFigure();
    void FillPath(bool fill, bool stroke);
    void SelectClipPath(int mode);

    // ---- drawing, in logical coordinates
    void MoveTo(QPointF p);
    void LineTo(QPointF p);
    void Polyline(const QPolygonF &points, bool fromCurrent);
    void PolyBezier(const QPolygonF &points, bool fromCurrent);
    void Polygons(const std::vector<QPolygonF> &polygons);
    void Polylines(const std::vector<QPolygonF> &lines);
    void Rectangle(const QRectF &box);
    void RoundRect(const QRectF &box, QSizeF corner);
    void Ellipse(const QRectF &box);
    // kind: 0 arc, 1 chord, 2 pie; arcTo draws a line from the current position and moves it.
    void Arc(const QRectF &box, QPointF start, QPointF end, int kind, bool arcTo = false);
    void SetPixel(QPointF p, QColor colour);
    // options: ETO_OPAQUE 2, ETO_CLIPPED 4. dx: advance of each character in logical units, or empty.
    void Text(QPointF at, const QString &text, uint32_t options, const std::optional<QRectF> &box,
              std::span<const int32_t> dx);
    // A raster operation over a logical rectangle: with a source picture (part source of it) or with the
    // brush only.
    void Blit(const QRectF &destination, const QImage *source, const QRectF &sourceRect, uint32_t rop,
              int constantAlpha = -1);

    // A picture in the device-independent bitmap layout (info header, colours, bits), or a null image.
    static QImage DecodeDib(std::span<const uint8_t> info, std::span<const uint8_t> bits);

private:
    QTransform PageTransform() const;
    QPen MakePen() const;
    QBrush MakeBrush() const;
    void ApplyClip();
    void ApplyRop2();
    void Draw(const QPainterPath &logical, bool fill, bool stroke);
    QFont MakeFont(double pixelHeight) const;

    QImage &m_target;
    QPainter m_painter;
    QTransform m_deviceToTarget;
    QSizeF m_devicePerMm;
    std::vector<DcState> m_saved;
    bool m_pathOpen = false;
    QPainterPath m_path; // in logical units of the moment it was drawn, kept in target pixels
};
