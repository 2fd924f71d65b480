#include "editor/ComponentPainter.h"

#include "model/ComponentAudio.h"
#include "model/ComponentButton.h"
#include "model/ComponentLargeTopic.h"
#include "model/ComponentLink.h"
#include "model/ComponentSmallTopic.h"
#include "model/ComponentTopicButton.h"
#include "model/ComponentVideo.h"
#include "model/ComponentWindow.h"
#include "model/GlobalHelpers.h"

#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

#include <algorithm>
#include <map>

namespace ComponentPainter {

namespace {

const QColor kInk(40, 40, 40);

// A rounded key with a bevel, as the Play and Stop buttons and the document pictures share.
void Key(QPainter &p, const QRectF &r, const QColor &top, const QColor &bottom)
{
    QLinearGradient gradient(r.topLeft(), r.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    p.setPen(QPen(QColor(70, 70, 70), 1));
    p.setBrush(gradient);
    p.drawRoundedRect(r, 6, 6);
}

void DrawPlay(QPainter &p, QSize s)
{
    Key(p, QRectF(0.5, 0.5, s.width() - 1, s.height() - 1), QColor(236, 244, 236), QColor(150, 196, 150));
    QPolygonF triangle;
    triangle << QPointF(29, 12) << QPointF(49, 23) << QPointF(29, 34);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 110, 30));
    p.drawPolygon(triangle);
}

void DrawStop(QPainter &p, QSize s)
{
    Key(p, QRectF(0.5, 0.5, s.width() - 1, s.height() - 1), QColor(246, 236, 236), QColor(206, 150, 150));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 24, 24));
    p.drawRect(QRectF(27, 13, 20, 20));
}

void DrawSpeaker(QPainter &p, QSize)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    QPolygonF cone;
    cone << QPointF(8, 19) << QPointF(16, 19) << QPointF(27, 9) << QPointF(27, 41) << QPointF(16, 31)
         << QPointF(8, 31);
    p.drawPolygon(cone);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(24, 16, 12, 18), -60 * 16, 120 * 16);
    p.drawArc(QRectF(22, 9, 22, 32), -60 * 16, 120 * 16);
}

// A page with a folded corner and a short label, for the file kinds.
void DrawDocument(QPainter &p, QSize s, const QColor &band, const QString &label)
{
    QPainterPath page;
    page.moveTo(8, 2);
    page.lineTo(32, 2);
    page.lineTo(41, 11);
    page.lineTo(41, 46);
    page.lineTo(8, 46);
    page.closeSubpath();
    p.setPen(QPen(QColor(80, 80, 80), 1));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.drawLine(QPointF(32, 2), QPointF(32, 11));
    p.drawLine(QPointF(32, 11), QPointF(41, 11));
    p.setPen(Qt::NoPen);
    p.setBrush(band);
    p.drawRect(QRectF(4, 24, s.width() - 12, 14));
    // The label is drawn as strokes rather than text, so the picture needs no font.
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const qreal step = 10;
    qreal x = 8;
    for (QChar c : label) {
        QPainterPath glyph;
        switch (c.toLatin1()) {
        case 'G': glyph.moveTo(x + 7, 28); glyph.lineTo(x + 1, 28); glyph.lineTo(x + 1, 35); glyph.lineTo(x + 7, 35);
                  glyph.lineTo(x + 7, 32); glyph.lineTo(x + 4, 32); break;
        case 'I': glyph.moveTo(x + 3, 28); glyph.lineTo(x + 3, 35); break;
        case 'F': glyph.moveTo(x + 7, 28); glyph.lineTo(x + 1, 28); glyph.lineTo(x + 1, 35); glyph.moveTo(x + 1, 31);
                  glyph.lineTo(x + 5, 31); break;
        case 'P': glyph.moveTo(x + 1, 35); glyph.lineTo(x + 1, 28); glyph.lineTo(x + 7, 28); glyph.lineTo(x + 7, 31);
                  glyph.lineTo(x + 1, 31); break;
        case 'D': glyph.moveTo(x + 1, 28); glyph.lineTo(x + 5, 28); glyph.lineTo(x + 7, 30); glyph.lineTo(x + 7, 33);
                  glyph.lineTo(x + 5, 35); glyph.lineTo(x + 1, 35); glyph.closeSubpath(); break;
        case 'S': glyph.moveTo(x + 7, 28); glyph.lineTo(x + 1, 28); glyph.lineTo(x + 1, 31); glyph.lineTo(x + 7, 31);
                  glyph.lineTo(x + 7, 35); glyph.lineTo(x + 1, 35); break;
        case 'W': glyph.moveTo(x, 28); glyph.lineTo(x + 2, 35); glyph.lineTo(x + 4, 31); glyph.lineTo(x + 6, 35);
                  glyph.lineTo(x + 8, 28); break;
        default: break;
        }
        p.drawPath(glyph);
        x += step;
    }
}

void DrawFilm(QPainter &p, QSize s)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRoundedRect(QRectF(4, 8, s.width() - 8, s.height() - 16), 3, 3);
    p.setBrush(Qt::white);
    for (int x = 7; x < s.width() - 8; x += 7) {
        p.drawRect(QRectF(x, 10, 4, 3));
        p.drawRect(QRectF(x, s.height() - 13, 4, 3));
    }
    QPolygonF triangle;
    triangle << QPointF(19, 17) << QPointF(32, 24) << QPointF(19, 31);
    p.drawPolygon(triangle);
}

void DrawFlashVideo(QPainter &p, QSize s)
{
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(200, 70, 20));
    p.drawRoundedRect(QRectF(0.5, 0.5, s.width() - 1, s.height() - 1), 3, 3);
    QPolygonF triangle;
    triangle << QPointF(8, 10) << QPointF(19, 17.5) << QPointF(8, 25);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(triangle);
}

void DrawYouTube(QPainter &p, QSize)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 30, 30));
    p.drawRoundedRect(QRectF(3, 11, 44, 28), 8, 8);
    QPolygonF triangle;
    triangle << QPointF(20, 18) << QPointF(32, 25) << QPointF(20, 32);
    p.setBrush(Qt::white);
    p.drawPolygon(triangle);
}

QImage MakeBitmap(int bitmap)
{
    const QSize size = BitmapSize(bitmap);
    if (size.isEmpty())
        return {};
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    switch (bitmap) {
    case kAudioPlay: DrawPlay(p, size); break;
    case kAudioStop: DrawStop(p, size); break;
    case kAudioSpeaker: DrawSpeaker(p, size); break;
    case kVideoGif: DrawDocument(p, size, QColor(40, 140, 60), QStringLiteral("GIF")); break;
    case kVideoPdf: DrawDocument(p, size, QColor(190, 30, 30), QStringLiteral("PDF")); break;
    case kVideoFlash: DrawDocument(p, size, QColor(200, 70, 20), QStringLiteral("SWF")); break;
    case kVideoMovie: DrawFilm(p, size); break;
    case kFlashVideo: DrawFlashVideo(p, size); break;
    case kYouTube: DrawYouTube(p, size); break;
    default: break;
    }
    return image;
}

// A sunken-then-raised double line, as an etched frame looks.
void EtchedEdge(QPainter &painter, const QRect &r)
{
    if (r.width() < 2 || r.height() < 2)
        return;
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ButtonFace().darker(150), 1));
    painter.drawRect(r.adjusted(0, 0, -2, -2));
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(r.adjusted(1, 1, -1, -1));
    painter.restore();
}

void DrawCentred(QPainter &painter, int bitmap, const QRect &box)
{
    const QImage &image = BitmapImage(bitmap);
    painter.drawImage(QPoint(box.left() + (box.width() - image.width()) / 2, box.top() + (box.height() - image.height()) / 2),
                      image);
}

} // namespace

QSize BitmapSize(int bitmap)
{
    switch (bitmap) {
    case kAudioPlay:
    case kAudioStop: return {74, 46};
    case kAudioSpeaker:
    case kYouTube: return {50, 50};
    case kVideoMovie:
    case kVideoGif:
    case kVideoPdf:
    case kVideoFlash: return {48, 48};
    case kFlashVideo: return {26, 35};
    default: return {};
    }
}

const QImage &BitmapImage(int bitmap)
{
    static std::map<int, QImage> made;
    auto it = made.find(bitmap);
    if (it == made.end())
        it = made.emplace(bitmap, MakeBitmap(bitmap)).first;
    return it->second;
}

int AudioBitmap(int displayControls, int playButton)
{
    if (displayControls != 1)
        return kAudioSpeaker;
    return playButton == 1 ? kAudioPlay : kAudioStop;
}

int VideoBitmap(const QString &filePath, int type, Look look)
{
    QString extension;
    GetFileExtension(filePath, extension);
    if (extension.compare(QLatin1String("gif"), Qt::CaseInsensitive) == 0)
        return kVideoGif;
    if (extension.compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0)
        return kVideoPdf;
    if (extension.compare(QLatin1String("swf"), Qt::CaseInsensitive) == 0)
        return kVideoFlash;
    return look == Look::Window && type == ct_flash_video ? kFlashVideo : kVideoMovie;
}

QString CaptionFileName(const QString &filePath)
{
    const qsizetype cut = std::max(filePath.lastIndexOf(u'\\'), filePath.lastIndexOf(u'/'));
    QString name = filePath.mid(cut + 1);
    RemoveUnsafeChars(name);
    return name;
}

QRect SmallTopicPictureRect(QSize picture)
{
    const int w = picture.width();
    const int h = picture.height();
    if (w <= 0 || h <= 0)
        return {};
    constexpr int side = CComponentSmallTopic::kPictureSide;
    if (w > h) {
        const int height = std::max(1, h * side / w);
        return QRect(1, 20 - height / 2, side, height);
    }
    const int width = std::max(1, w * side / h);
    return QRect(20 - width / 2, 1, width, side);
}

QRect FittedPictureRect(QSize picture, const QRect &box)
{
    int width = 0, height = 0;
    double scale = 1.0;
    if (picture.width() <= 0 || picture.height() <= 0 ||
        !FitSizeInBox(box.width(), box.height(), picture.width(), picture.height(), width, height, scale))
        return {};
    return QRect(box.left() + (box.width() - width) / 2, box.top() + (box.height() - height) / 2, width, height);
}

QRect LargeTopicTitleRect(const QRect &client, int showPicture)
{
    QRect title = client.adjusted(25, 4, -25, -4);
    if (showPicture)
        title.setTop(client.top() + 149);
    return title;
}

QFont AudioCaptionFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(-FontHeightFromPoints(7));
    return font;
}

QFont ButtonFont(const CComponentButton &button, const QFont &fallback)
{
    QFont font = fallback;
    if (!button.GetFontFace().isEmpty())
        font.setFamily(button.GetFontFace());
    if (button.GetFontSize() > 0)
        font.setPixelSize(-FontHeightFromPoints(button.GetFontSize()));
    return font;
}

QFont LinkFont(const CComponentLink &link, const QFont &fallback)
{
    QFont font = fallback;
    if (link.HasFont()) {
        if (!link.GetFontFace().isEmpty())
            font.setFamily(link.GetFontFace());
        if (link.GetFontPoints() > 0)
            font.setPixelSize(-FontHeightFromPoints(link.GetFontPoints()));
    }
    return font;
}

QColor ButtonFace()
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return QGuiApplication::palette().color(QPalette::Button);
    return QColor(240, 240, 240);
}

void PaintAudio(QPainter &painter, const CComponentAudio &audio, const QRect &rect, Look look)
{
    const QImage &image = BitmapImage(AudioBitmap(audio.m_buttonControls, audio.GetPlayButton()));
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.drawImage(rect.topLeft(), image);
    if (look == Look::Window) {
        painter.setFont(AudioCaptionFont());
        painter.setPen(Qt::black);
        painter.drawText(QRect(rect.left(), rect.bottom() + 1 - 25, rect.width(), 25),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, CaptionFileName(audio.GetFilePath()));
    }
    painter.restore();
}

void PaintVideo(QPainter &painter, const CComponentVideo &video, const QRect &rect, Look look)
{
    painter.save();
    painter.fillRect(rect, ButtonFace());
    const QRect edged = look == Look::Window ? rect.adjusted(0, 0, 0, -30) : rect;
    EtchedEdge(painter, edged);
    DrawCentred(painter, VideoBitmap(video.GetFilePath(), video.GetType(), look), edged);
    if (look == Look::Window) {
        painter.setPen(Qt::black);
        painter.drawText(QRect(rect.left(), rect.bottom() + 1 - 30, rect.width(), 30),
                         Qt::AlignCenter | Qt::TextSingleLine, CaptionFileName(video.GetFilePath()));
    }
    painter.restore();
}

void PaintYouTube(QPainter &painter, const QRect &rect)
{
    painter.save();
    painter.fillRect(rect, ButtonFace());
    EtchedEdge(painter, rect);
    DrawCentred(painter, kYouTube, rect);
    painter.restore();
}

void PaintButton(QPainter &painter, const CComponentButton &button, const QRect &rect)
{
    painter.save();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.setFont(ButtonFont(button, painter.font()));
    painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, button.GetText());
    painter.restore();
}

void PaintLink(QPainter &painter, const CComponentLink &link, const QRect &rect)
{
    painter.save();
    // Links show their caption as the course shows it: blue and underlined.
    QFont font = LinkFont(link, painter.font());
    font.setUnderline(true);
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 238));
    painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, link.GetText());
    painter.restore();
}

void PaintTopicWindow(QPainter &painter, const CComponentTopicButton &button, const QRect &rect,
                      const ListPicture &listPicture)
{
    painter.save();
    painter.fillRect(rect, Qt::white);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    const int show = button.GetShowPicture();
    const int index = button.GetThumbnailIndex();
    const QImage own = index == -1 && button.GetPicture().IsValid() ? button.GetDisplayImage() : QImage();
    const QImage listed = index != -1 && listPicture ? listPicture(index) : QImage();
    const QPoint origin = rect.topLeft();
    if (button.GetType() == ct_large_topic) {
        if (show) {
            if (!listed.isNull())
                painter.drawImage(origin + QPoint(1, 1), listed);
            else if (!own.isNull())
                if (const QRect target = FittedPictureRect(own.size(), kLargePictureBox); !target.isEmpty())
                    painter.drawImage(target.translated(origin), own);
        }
        painter.drawText(LargeTopicTitleRect(rect, show), Qt::AlignCenter | Qt::TextSingleLine, button.GetTitle());
    } else {
        if (show) {
            if (!listed.isNull()) {
                // The list picture goes into a 190 x 170 bitmap at its origin, which is stretched into 40 x 40.
                QImage box(190, 170, QImage::Format_RGB32);
                box.fill(Qt::white);
                QPainter(&box).drawImage(QPoint(0, 0), listed);
                painter.drawImage(QRect(origin + QPoint(1, 1), QSize(40, 40)), box);
            } else if (!own.isNull()) {
                if (const QRect target = SmallTopicPictureRect(own.size()); !target.isEmpty())
                    painter.drawImage(target.translated(origin), own);
            }
        }
        painter.drawText(rect.adjusted(SmallTopicTitleOffset(show), 0, 0, 0),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, button.GetTitle());
    }
    painter.restore();
}

} // namespace ComponentPainter
