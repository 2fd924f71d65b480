#include "app/ui/ToolbarArt.h"

#include "app/CommandIds.h"

#include <QPainter>
#include <QPainterPath>

namespace CorvToolbarArt {

namespace {

using namespace CorvCommand;

// The colours of one look of the pictures.
struct Inks {
    QColor ink, paper, blue, red, green, yellow, brown;
};

Inks InksFor(bool grey)
{
    if (grey)
        return {QColor(0x8a, 0x8a, 0x8a), QColor(0xee, 0xee, 0xee), QColor(0xa0, 0xa0, 0xa0), QColor(0x9a, 0x9a, 0x9a),
                QColor(0xa8, 0xa8, 0xa8), QColor(0xc8, 0xc8, 0xc8), QColor(0xb0, 0xb0, 0xb0)};
    return {QColor(0x22, 0x2a, 0x33), Qt::white, QColor(0x2b, 0x6c, 0xb0), QColor(0xc0, 0x39, 0x2b),
            QColor(0x2e, 0x8b, 0x57), QColor(0xf1, 0xc4, 0x0f), QColor(0x9c, 0x6b, 0x3c)};
}

QFont PixelFont(int pixels, bool bold = false, bool italic = false)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void Letter(QPainter &p, const Inks &c, const QString &text, const QFont &font, const QRectF &box = QRectF(0, 0, 16, 16))
{
    p.setFont(font);
    p.setPen(c.ink);
    p.drawText(box, Qt::AlignCenter, text);
}

void Page(QPainter &p, const Inks &c, const QRectF &r)
{
    const qreal fold = r.width() * 0.35;
    QPainterPath page;
    page.moveTo(r.left(), r.top());
    page.lineTo(r.right() - fold, r.top());
    page.lineTo(r.right(), r.top() + fold);
    page.lineTo(r.right(), r.bottom());
    page.lineTo(r.left(), r.bottom());
    page.closeSubpath();
    p.setPen(QPen(c.ink, 1));
    p.setBrush(c.paper);
    p.drawPath(page);
    p.drawPolyline(QPolygonF({QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold),
                              QPointF(r.right(), r.top() + fold)}));
}

void Lines(QPainter &p, const Inks &c, const QList<QPair<qreal, qreal>> &spans)
{
    p.setPen(QPen(c.ink, 1.5));
    qreal y = 3;
    for (const auto &[from, to] : spans) {
        p.drawLine(QPointF(from, y), QPointF(to, y));
        y += 3.3;
    }
}

void Plus(QPainter &p, const Inks &c, QPointF at)
{
    p.setPen(QPen(c.green, 2.2));
    p.drawLine(at + QPointF(-3, 0), at + QPointF(3, 0));
    p.drawLine(at + QPointF(0, -3), at + QPointF(0, 3));
}

void Pencil(QPainter &p, const Inks &c, const QPointF &from, const QPointF &to)
{
    p.setPen(QPen(c.yellow.darker(130), 3.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(from, to);
    p.setPen(QPen(c.ink, 1.2));
    p.drawLine(to, to + (to - from) * 0.18);
}

void Tick(QPainter &p, const Inks &c)
{
    p.setPen(QPen(c.green, 2));
    p.drawPolyline(QPolygonF({QPointF(4, 11), QPointF(7, 14), QPointF(13, 8)}));
}

void ColourBar(QPainter &p, const QColor &colour)
{
    p.fillRect(QRectF(2, 13, 12, 2.5), colour);
}

// One pictogram in a 16 x 16 design box.
void DrawGlyph(QPainter &p, int commandId, const Inks &c)
{
    p.setBrush(Qt::NoBrush);
    switch (commandId) {
    case FileNew: Page(p, c, QRectF(3, 1, 10, 14)); break;
    case FileOpen: {
        p.setPen(QPen(c.ink, 1));
        p.setBrush(c.yellow.darker(110));
        p.drawPolygon(QPolygonF({QPointF(1, 4), QPointF(6, 4), QPointF(7, 5.5), QPointF(14, 5.5), QPointF(14, 13),
                                 QPointF(1, 13)}));
        p.setBrush(c.yellow);
        p.drawPolygon(QPolygonF({QPointF(3, 8), QPointF(15.5, 8), QPointF(14, 13), QPointF(1, 13)}));
        break;
    }
    case FileSave:
        p.setPen(QPen(c.ink, 1));
        p.setBrush(c.blue);
        p.drawRect(QRectF(2, 2, 12, 12));
        p.fillRect(QRectF(4.5, 2.5, 7, 4), c.paper);
        p.fillRect(QRectF(4.5, 9, 7, 5), c.paper);
        break;
    case EditCut:
        p.setPen(QPen(c.ink, 1.3));
        p.drawEllipse(QPointF(5, 12.5), 2.2, 2.2);
        p.drawEllipse(QPointF(11, 12.5), 2.2, 2.2);
        p.drawLine(QPointF(6.2, 10.5), QPointF(11.5, 1.5));
        p.drawLine(QPointF(9.8, 10.5), QPointF(4.5, 1.5));
        break;
    case EditCopy:
        Page(p, c, QRectF(1.5, 1, 8, 10));
        Page(p, c, QRectF(6, 5, 8, 10));
        break;
    case EditPaste:
        p.setPen(QPen(c.ink, 1));
        p.setBrush(c.brown);
        p.drawRect(QRectF(2, 2.5, 10, 12));
        p.fillRect(QRectF(5, 1, 4, 3), c.ink);
        Page(p, c, QRectF(7, 6, 7.5, 9));
        break;
    case SpellCurrentScreen:
    case SpellProject:
        if (commandId == SpellProject)
            Page(p, c, QRectF(8, 1, 7, 9));
        Letter(p, c, QStringLiteral("abc"), PixelFont(7, true), QRectF(0, 0, 13, 8));
        Tick(p, c);
        break;
    case AddTextBox:
        p.setPen(QPen(c.ink, 1, Qt::DashLine));
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        Letter(p, c, QStringLiteral("A"), PixelFont(11, true));
        break;
    case Bold: Letter(p, c, QStringLiteral("B"), PixelFont(14, true)); break;
    case Italic: Letter(p, c, QStringLiteral("I"), PixelFont(14, true, true)); break;
    case Underline: {
        QFont font = PixelFont(13, true);
        font.setUnderline(true);
        Letter(p, c, QStringLiteral("U"), font);
        break;
    }
    case Strikeout: {
        QFont font = PixelFont(13, true);
        font.setStrikeOut(true);
        Letter(p, c, QStringLiteral("S"), font);
        break;
    }
    case TextColour:
        Letter(p, c, QStringLiteral("A"), PixelFont(12, true), QRectF(0, -2, 16, 14));
        ColourBar(p, c.red);
        break;
    case Bulleting:
        for (int i = 0; i < 3; ++i) {
            p.setPen(Qt::NoPen);
            p.setBrush(c.ink);
            p.drawEllipse(QPointF(3, 3.5 + i * 4.5), 1.5, 1.5);
            p.setPen(QPen(c.ink, 1.5));
            p.drawLine(QPointF(6, 3.5 + i * 4.5), QPointF(15, 3.5 + i * 4.5));
        }
        break;
    case Numbering:
        for (int i = 0; i < 3; ++i) {
            Letter(p, c, QString::number(i + 1), PixelFont(6, true), QRectF(0, i * 4.5 + 0.5, 5, 6));
            p.setPen(QPen(c.ink, 1.5));
            p.drawLine(QPointF(6, 3.5 + i * 4.5), QPointF(15, 3.5 + i * 4.5));
        }
        break;
    case DecreaseIndent:
    case IncreaseIndent: {
        Lines(p, c, {{1, 15}, {7, 15}, {7, 15}, {1, 15}});
        p.setPen(Qt::NoPen);
        p.setBrush(c.blue);
        const bool in = commandId == IncreaseIndent;
        p.drawPolygon(in ? QPolygonF({QPointF(1, 5), QPointF(5, 8), QPointF(1, 11)})
                         : QPolygonF({QPointF(5, 5), QPointF(1, 8), QPointF(5, 11)}));
        break;
    }
    case AlignLeft: Lines(p, c, {{1, 15}, {1, 10}, {1, 15}, {1, 10}}); break;
    case AlignCentre: Lines(p, c, {{1, 15}, {4, 12}, {1, 15}, {4, 12}}); break;
    case AlignRight: Lines(p, c, {{1, 15}, {6, 15}, {1, 15}, {6, 15}}); break;
    case Justify: Lines(p, c, {{1, 15}, {1, 15}, {1, 15}, {1, 15}}); break;
    case DrawLine:
        p.setPen(QPen(c.ink, 1.6));
        p.drawLine(QPointF(2, 14), QPointF(14, 2));
        break;
    case DrawRectangle:
        p.setPen(QPen(c.ink, 1.4));
        p.setBrush(c.paper);
        p.drawRect(QRectF(2, 3.5, 12, 9));
        break;
    case DrawCircle:
        p.setPen(QPen(c.ink, 1.4));
        p.setBrush(c.paper);
        p.drawEllipse(QRectF(2, 2, 12, 12));
        break;
    case FillColour:
        p.setPen(QPen(c.ink, 1));
        p.setBrush(c.yellow);
        p.drawPolygon(QPolygonF({QPointF(8, 1), QPointF(14, 7), QPointF(8, 12), QPointF(2, 7)}));
        ColourBar(p, c.yellow.darker(105));
        break;
    case LineColour:
        Pencil(p, c, QPointF(13, 2), QPointF(4, 10));
        ColourBar(p, c.red);
        break;
    case LineStyle:
        for (int i = 0; i < 3; ++i)
            p.fillRect(QRectF(1, 3 + i * 4.5, 14, 1 + i), c.ink);
        break;
    case RecordNarration:
        p.setPen(QPen(c.ink, 1));
        p.setBrush(c.red);
        p.drawEllipse(QRectF(3, 3, 10, 10));
        break;
    // The mode bar.
    case ModeSettings: {
        p.setPen(Qt::NoPen);
        p.setBrush(c.blue);
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(8, 8);
            p.rotate(i * 45);
            p.drawRect(QRectF(-1.4, -7.5, 2.8, 3.5));
            p.restore();
        }
        p.drawEllipse(QPointF(8, 8), 5, 5);
        p.setBrush(c.paper);
        p.drawEllipse(QPointF(8, 8), 2, 2);
        break;
    }
    case ModeImport:
        Page(p, c, QRectF(5, 1, 10, 14));
        p.setPen(QPen(c.green, 2.2));
        p.drawLine(QPointF(0.5, 8), QPointF(9, 8));
        p.setPen(Qt::NoPen);
        p.setBrush(c.green);
        p.drawPolygon(QPolygonF({QPointF(8, 4.5), QPointF(12, 8), QPointF(8, 11.5)}));
        break;
    case ModeEdit: Pencil(p, c, QPointF(14, 2), QPointF(3, 13)); break;
    case ModePublish:
        p.setPen(QPen(c.blue, 1.2));
        p.setBrush(c.paper);
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.drawEllipse(QRectF(5, 1.5, 6, 13));
        p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
        p.drawLine(QPointF(8, 1.5), QPointF(8, 14.5));
        break;
    // The edit bar.
    case AddScreenMenu:
        Page(p, c, QRectF(2, 1, 10, 14));
        Plus(p, c, QPointF(12, 12));
        break;
    case AddQuestionMenu:
        Letter(p, c, QStringLiteral("?"), PixelFont(14, true), QRectF(-2, 0, 14, 16));
        Plus(p, c, QPointF(12, 12));
        break;
    case EditQuestion:
        Letter(p, c, QStringLiteral("?"), PixelFont(14, true), QRectF(-2, 0, 14, 16));
        Pencil(p, c, QPointF(15, 5), QPointF(8, 14));
        break;
    case AddTable:
        p.setPen(QPen(c.ink, 1));
        p.setBrush(c.paper);
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.fillRect(QRectF(2, 3, 12, 3), c.blue);
        p.drawLine(QPointF(1.5, 6), QPointF(14.5, 6));
        p.drawLine(QPointF(1.5, 10), QPointF(14.5, 10));
        p.drawLine(QPointF(6, 2.5), QPointF(6, 13.5));
        p.drawLine(QPointF(10.5, 2.5), QPointF(10.5, 13.5));
        break;
    case AddMediaMenu:
        p.setPen(QPen(c.ink, 1));
        p.setBrush(c.ink);
        p.drawRect(QRectF(1.5, 3, 13, 10));
        p.setPen(Qt::NoPen);
        p.setBrush(c.paper);
        p.drawPolygon(QPolygonF({QPointF(6, 5), QPointF(11, 8), QPointF(6, 11)}));
        break;
    case EditGraphicMenu:
        p.setPen(QPen(c.ink, 1));
        p.setBrush(QColor(0xb8, 0xdc, 0xf5));
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        p.setPen(Qt::NoPen);
        p.setBrush(c.green);
        p.drawPolygon(QPolygonF({QPointF(2, 13), QPointF(6.5, 7), QPointF(9, 10), QPointF(11, 8), QPointF(14, 13)}));
        p.setBrush(c.yellow);
        p.drawEllipse(QPointF(11, 5.5), 1.5, 1.5);
        break;
    case AddLink:
        p.setPen(QPen(c.blue, 1.8));
        p.drawRoundedRect(QRectF(1, 5, 8, 6), 3, 3);
        p.drawRoundedRect(QRectF(7, 5, 8, 6), 3, 3);
        break;
    case PreviewScreen:
        p.setPen(QPen(c.ink, 1.2));
        p.setBrush(c.paper);
        p.drawEllipse(QRectF(1, 4, 14, 8));
        p.setBrush(c.blue);
        p.drawEllipse(QPointF(8, 8), 2.5, 2.5);
        break;
    default: break;
    }
}

// The glyph drawn antialiased on a clear picture of size, in a square of side glyph at the left.
QImage GlyphPicture(int commandId, QSize size, qreal glyph, qreal left, const Inks &c, const QString &label,
                    int labelPixels, bool labelBold)
{
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.save();
    p.translate(left, (size.height() - glyph) / 2);
    p.scale(glyph / 16, glyph / 16);
    DrawGlyph(p, commandId, c);
    p.restore();
    if (!label.isEmpty()) {
        p.setFont(PixelFont(labelPixels, labelBold));
        p.setPen(c.ink);
        p.drawText(QRectF(left + glyph + 4, 0, size.width() - left - glyph - 4, size.height()),
                   Qt::AlignVCenter | Qt::AlignLeft, label);
    }
    return picture;
}

// Pictures side by side on the mask colour. Edge pixels are either taken whole or left to the mask, so no
// blend with the mask colour shows once it is transparent.
QImage Strip(const QList<QImage> &pictures)
{
    if (pictures.isEmpty())
        return {};
    const QSize cell = pictures.first().size();
    QImage strip(cell.width() * int(pictures.size()), cell.height(), QImage::Format_RGB32);
    strip.fill(kMaskColour);
    for (int i = 0; i < pictures.size(); ++i) {
        const QImage picture = pictures[i].convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < cell.height(); ++y)
            for (int x = 0; x < cell.width(); ++x) {
                const QRgb px = picture.pixel(x, y);
                if (qAlpha(px) >= 110)
                    strip.setPixel(i * cell.width() + x, y, qRgb(qRed(px), qGreen(px), qBlue(px)));
            }
    }
    return strip;
}

struct LabelledButton {
    int commandId;
    const char *label;
};

const LabelledButton kModeButtons[] = {
    {ModeSettings, "Settings"}, {ModeImport, "Import"}, {ModeEdit, "Edit"}, {ModePublish, "Publish"}};

const LabelledButton kEditButtons[] = {
    {AddScreenMenu, "Add screen"}, {AddQuestionMenu, "Add question"}, {EditQuestion, "Edit question"},
    {AddTable, "Add table"},       {AddMediaMenu, "Add media"},       {EditGraphicMenu, "Edit graphic"},
    {AddLink, "Add link"},         {PreviewScreen, "Preview"}};

// The pictures of a true-colour bar: each button's glyph with its label beside it.
struct StripLayout {
    QSize cell;
    qreal glyph, left;
    int labelPixels;
    bool labelBold;
};

template <size_t N>
QImage LabelledStrip(const LabelledButton (&buttons)[N], const StripLayout &layout, bool disabled)
{
    QList<QImage> pictures;
    for (const LabelledButton &b : buttons)
        pictures.append(GlyphPicture(b.commandId, layout.cell, layout.glyph, layout.left, InksFor(disabled),
                                     QString::fromLatin1(b.label), layout.labelPixels, layout.labelBold));
    return Strip(pictures);
}


// ---- Larger pictures: the Settings categories and the publish buttons ----

void Monitor(QPainter &p, const Inks &c, const QRectF &r)
{
    const QRectF screen(r.left(), r.top(), r.width(), r.height() * 0.72);
    p.setPen(QPen(c.ink, 1.5));
    p.setBrush(c.blue.lighter(150));
    p.drawRoundedRect(screen, 2, 2);
    p.setBrush(c.ink);
    const qreal foot = r.width() * 0.18;
    p.drawRect(QRectF(r.center().x() - foot / 4, screen.bottom(), foot / 2, r.height() * 0.14));
    p.drawRect(QRectF(r.center().x() - foot, r.bottom() - r.height() * 0.1, foot * 2, r.height() * 0.1));
}

void Globe(QPainter &p, const Inks &c, const QRectF &r)
{
    p.setPen(QPen(c.ink, 1.3));
    p.setBrush(c.green.lighter(150));
    p.drawEllipse(r);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(r.center().x() - r.width() / 4, r.top(), r.width() / 2, r.height()));
    p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
    p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
    p.drawLine(QPointF(r.left() + r.width() * 0.1, r.top() + r.height() * 0.28),
               QPointF(r.right() - r.width() * 0.1, r.top() + r.height() * 0.28));
    p.drawLine(QPointF(r.left() + r.width() * 0.1, r.bottom() - r.height() * 0.28),
               QPointF(r.right() - r.width() * 0.1, r.bottom() - r.height() * 0.28));
}

void Database(QPainter &p, const Inks &c, const QRectF &r)
{
    const qreal lid = r.height() * 0.25;
    p.setPen(QPen(c.ink, 1.3));
    p.setBrush(c.yellow);
    QPainterPath body;
    body.moveTo(r.left(), r.top() + lid / 2);
    body.lineTo(r.left(), r.bottom() - lid / 2);
    body.arcTo(QRectF(r.left(), r.bottom() - lid, r.width(), lid), 180, 180);
    body.lineTo(r.right(), r.top() + lid / 2);
    body.closeSubpath();
    p.drawPath(body);
    p.drawEllipse(QRectF(r.left(), r.top(), r.width(), lid));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(r.left(), r.top() + r.height() * 0.35, r.width(), lid), 180 * 16, 180 * 16);
}

void Cap(QPainter &p, const Inks &c, const QRectF &r)
{
    p.setPen(QPen(c.ink, 1.2));
    p.setBrush(c.ink);
    p.drawPolygon(QPolygonF({QPointF(r.center().x(), r.top()), QPointF(r.right(), r.top() + r.height() * 0.35),
                             QPointF(r.center().x(), r.top() + r.height() * 0.7),
                             QPointF(r.left(), r.top() + r.height() * 0.35)}));
    p.drawRect(QRectF(r.left() + r.width() * 0.25, r.top() + r.height() * 0.45, r.width() * 0.5, r.height() * 0.35));
    p.setPen(QPen(c.yellow, 2));
    p.drawLine(QPointF(r.right() - r.width() * 0.1, r.top() + r.height() * 0.38),
               QPointF(r.right() - r.width() * 0.1, r.bottom()));
}

void Check(QPainter &p, const QColor &colour, const QPointF &at, qreal size)
{
    p.setPen(QPen(colour, size / 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({at + QPointF(0, size / 2), at + QPointF(size / 3, size), at + QPointF(size, 0)}));
}

// A category's glyph on a 32 x 32 picture.
void DrawCategory(QPainter &p, int category, const Inks &c)
{
    p.setRenderHint(QPainter::Antialiasing);
    switch (category) {
    case 0: // General: the course's facts
        p.setPen(QPen(c.ink, 1.5));
        p.setBrush(c.blue);
        p.drawEllipse(QRectF(4, 4, 24, 24));
        p.setPen(c.paper);
        p.setFont(PixelFont(18, true));
        p.drawText(QRectF(4, 4, 24, 24), Qt::AlignCenter, QStringLiteral("i"));
        break;
    case 1: // Themes: a palette
        p.setPen(QPen(c.ink, 1.5));
        p.setBrush(c.brown.lighter(160));
        p.drawEllipse(QRectF(3, 5, 26, 22));
        p.setPen(Qt::NoPen);
        for (const auto &[colour, at] : {std::pair{c.red, QPointF(10, 11)}, std::pair{c.blue, QPointF(17, 9)},
                                         std::pair{c.green, QPointF(23, 13)}, std::pair{c.yellow, QPointF(21, 20)}}) {
            p.setBrush(colour);
            p.drawEllipse(at, 3, 3);
        }
        p.setBrush(c.paper);
        p.drawEllipse(QPointF(11, 20), 3, 3);
        break;
    case 2: // Background: a landscape
        p.setPen(QPen(c.ink, 1.5));
        p.setBrush(c.blue.lighter(160));
        p.drawRect(QRectF(3, 6, 26, 20));
        p.setPen(Qt::NoPen);
        p.setBrush(c.yellow);
        p.drawEllipse(QPointF(22, 12), 3, 3);
        p.setBrush(c.green);
        p.drawPolygon(QPolygonF({QPointF(4, 25), QPointF(12, 14), QPointF(19, 25)}));
        p.drawPolygon(QPolygonF({QPointF(14, 25), QPointF(21, 17), QPointF(28, 25)}));
        break;
    case 3: // Templates: a screen's layout
        Page(p, c, QRectF(6, 3, 20, 26));
        p.setPen(Qt::NoPen);
        p.setBrush(c.blue);
        p.drawRect(QRectF(9, 9, 8, 7));
        p.setBrush(c.ink);
        for (qreal y : {19.0, 22.0, 25.0})
            p.drawRect(QRectF(9, y, 14, 1.5));
        break;
    case 4: // Fonts
        p.setPen(c.ink);
        p.setFont(PixelFont(22, true));
        p.drawText(QRectF(0, 2, 20, 28), Qt::AlignCenter, QStringLiteral("A"));
        p.setPen(c.red);
        p.setFont(PixelFont(16, false, true));
        p.drawText(QRectF(14, 8, 18, 22), Qt::AlignCenter, QStringLiteral("a"));
        break;
    case 5: // Graphics: shapes
        p.setPen(QPen(c.ink, 1.3));
        p.setBrush(c.red);
        p.drawEllipse(QRectF(3, 4, 14, 14));
        p.setBrush(c.blue);
        p.drawRect(QRectF(14, 12, 14, 14));
        p.setBrush(c.yellow);
        p.drawPolygon(QPolygonF({QPointF(4, 28), QPointF(10, 17), QPointF(16, 28)}));
        break;
    case 6: // Buttons
        p.setPen(QPen(c.ink, 1.5));
        p.setBrush(c.blue);
        p.drawRoundedRect(QRectF(3, 9, 26, 14), 5, 5);
        p.setPen(QPen(c.paper, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(14, 12), QPointF(19, 16), QPointF(14, 20)}));
        break;
    case 7: { // Interactivity: the pointer
        p.setPen(QPen(c.ink, 1.3));
        p.setBrush(c.paper);
        p.drawPolygon(QPolygonF({QPointF(9, 3), QPointF(9, 25), QPointF(14, 20), QPointF(18, 29), QPointF(22, 27),
                                 QPointF(18, 19), QPointF(25, 19)}));
        break;
    }
    case 8: // Questions
        p.setPen(QPen(c.ink, 1.5));
        p.setBrush(c.yellow);
        p.drawRoundedRect(QRectF(3, 4, 26, 19), 6, 6);
        p.drawPolygon(QPolygonF({QPointF(9, 22), QPointF(8, 29), QPointF(15, 22)}));
        p.setPen(c.ink);
        p.setFont(PixelFont(16, true));
        p.drawText(QRectF(3, 4, 26, 19), Qt::AlignCenter, QStringLiteral("?"));
        break;
    case 9: // Assessment: a marked list
        Page(p, c, QRectF(5, 3, 22, 26));
        for (qreal y : {8.0, 15.0, 22.0}) {
            Check(p, c.green, QPointF(8, y - 2), 5);
            p.setPen(QPen(c.ink, 1.5));
            p.drawLine(QPointF(15, y + 1), QPointF(23, y + 1));
        }
        break;
    case 10: // Construction: bricks
        p.setPen(QPen(c.paper, 1));
        p.setBrush(c.red);
        for (int row = 0; row < 4; ++row)
            for (int brick = -1; brick < 3; ++brick) {
                const qreal x = 3 + brick * 10 + (row % 2 ? 5 : 0);
                const QRectF r = QRectF(x, 5 + row * 6, 10, 6).intersected(QRectF(3, 5, 26, 24));
                if (!r.isEmpty())
                    p.drawRect(r);
            }
        break;
    case 11: // Management: the learners' records
        Database(p, c, QRectF(7, 4, 18, 24));
        break;
    default: // Internationalization: the globe
        Globe(p, c, QRectF(4, 4, 24, 24));
        break;
    }
}

QImage CategoryPicture(int category, bool selected)
{
    QImage picture(QSize(32, 32), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    if (selected) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xd6, 0xe6, 0xf7));
        p.drawRoundedRect(QRectF(0.5, 0.5, 31, 31), 5, 5);
    }
    DrawCategory(p, category, InksFor(false));
    return picture;
}

} // namespace

QImage ModeBarStrip(bool disabled) { return LabelledStrip(kModeButtons, {QSize(128, 32), 26, 8, 15, true}, disabled); }

QImage EditBarStrip(bool disabled) { return LabelledStrip(kEditButtons, {QSize(120, 19), 16, 3, 12, false}, disabled); }

QIcon CommandIcon(int commandId)
{
    QIcon icon;
    for (int side : {18, 36}) {
        const QImage picture = GlyphPicture(commandId, QSize(side, side), side * 16.0 / 18, side / 18.0, InksFor(false),
                                            {}, 0, false);
        icon.addPixmap(QPixmap::fromImage(picture), QIcon::Normal);
        const QImage grey = GlyphPicture(commandId, QSize(side, side), side * 16.0 / 18, side / 18.0, InksFor(true), {},
                                         0, false);
        icon.addPixmap(QPixmap::fromImage(grey), QIcon::Disabled);
    }
    return icon;
}

QIcon SettingsCategoryIcon(int category)
{
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(CategoryPicture(category, false)), QIcon::Normal);
    icon.addPixmap(QPixmap::fromImage(CategoryPicture(category, true)), QIcon::Selected);
    return icon;
}

QImage PublishPicture(int kind)
{
    QImage picture(QSize(72, 56), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const Inks c = InksFor(false);
    switch (kind) {
    case 0: // standalone: one computer
        Monitor(p, c, QRectF(14, 6, 44, 44));
        break;
    case 1: // LAN: two computers and the database between them
        Monitor(p, c, QRectF(2, 10, 26, 26));
        Monitor(p, c, QRectF(44, 10, 26, 26));
        p.setPen(QPen(c.ink, 1.5));
        p.drawLine(QPointF(15, 42), QPointF(15, 50));
        p.drawLine(QPointF(57, 42), QPointF(57, 50));
        p.drawLine(QPointF(15, 50), QPointF(57, 50));
        Database(p, c, QRectF(28, 26, 16, 22));
        break;
    case 2: // web: the globe before a computer
        Monitor(p, c, QRectF(4, 8, 40, 40));
        Globe(p, c, QRectF(36, 18, 32, 32));
        break;
    default: // LMS: a computer with the mortarboard
        Monitor(p, c, QRectF(4, 14, 40, 40));
        Cap(p, c, QRectF(36, 4, 32, 26));
        break;
    }
    return picture;
}

QImage AboutPicture()
{
    QImage picture(QSize(64, 64), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2b, 0x6c, 0xb0));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    p.setPen(Qt::white);
    p.setFont(PixelFont(40, true));
    p.drawText(QRectF(0, 0, 64, 64), Qt::AlignCenter, QStringLiteral("C"));
    return picture;
}

QIcon ApplicationIcon() { return QIcon(QPixmap::fromImage(AboutPicture())); }

} // namespace CorvToolbarArt
