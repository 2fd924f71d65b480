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
