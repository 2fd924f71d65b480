#include "editor/ScreenRenderer.h"

#include "document/CorvessaDoc.h"
#include "document/CourseSettings.h"
#include "editor/CanvasComponentPainter.h"
#include "image/qt/ImageQt.h"
#include "image/xImage.h"
#include "model/ColorRef.h"
#include "model/ComponentBase.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/PictureFiles.h"
#include "platform/PathUtil.h"

#include <QFileInfo>
#include <QPainter>

namespace {

const QRect kScreenRect(0, 0, 1008, 560);
// The frame of a small thumbnail: the screen inset by 5 pixels left and right and 4 top and bottom, its
// outline on the pixels from (5, 4) to (1002, 555) (a one-pixel pen draws one pixel past the width).
const QRect kFrameRect(5, 4, 997, 551);

QColor ScreenColour(const CScreenRenderer::Canvas &canvas)
{
    if (canvas.settings && canvas.settings->UseCustomBackground && canvas.backgroundFlag)
        return ColorFromColorRef(canvas.settings->BgColor);
    return Qt::white;
}

void PaintFrame(QPainter &painter)
{
    painter.save();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(kFrameRect);
    painter.restore();
}

} // namespace

QString CScreenRenderer::BackgroundPath(const CCourseSettings &settings, const QString &programFolder)
{
    if (settings.UseCustomBackground)
        return CorvPath::ResolveNoCase(QString(settings.BgImage).replace(u'\\', u'/'));
    if (settings.Theme.isEmpty() || programFolder.isEmpty())
        return {};
    QString folder = programFolder;
    if (!folder.endsWith(u'/'))
        folder += u'/';
    const QString path = CorvPath::ResolveNoCase(folder + QStringLiteral("themes/") + settings.Theme + QStringLiteral("/bg.jpg"));
    return QFileInfo(path).isFile() ? path : QString();
}

QImage CScreenRenderer::LoadBackground(const CCourseSettings &settings, const QString &programFolder)
{
    const QString path = BackgroundPath(settings, programFolder);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return {};
    CxImage picture;
    if (!PictureFiles::Load(picture, path, GetImageFormatFromExt(path)) || !picture.IsValid())
        return {};
    return toQImage(picture);
}

void CScreenRenderer::PaintBackdrop(QPainter &painter, const Canvas &canvas)
{
    painter.fillRect(kScreenRect, ScreenColour(canvas));
    const QImage *picture = canvas.background;
    if (canvas.backgroundFlag && picture && !picture->isNull()) {
        const bool tiled = canvas.settings && canvas.settings->UseCustomBackground && canvas.settings->UseBgImgTile;
        // Copies never reach beyond the screen, nor beyond what the picture covers.
        painter.save();
        painter.setClipRect(kScreenRect);
        if (tiled) {
            for (int y = 0; y < kScreenSize.height(); y += picture->height())
                for (int x = 0; x < kScreenSize.width(); x += picture->width())
                    painter.drawImage(QPoint(x, y), *picture);
        } else {
            painter.drawImage(QPoint(0, 0), *picture);
        }
        painter.restore();
    }
    if (canvas.gridFlag) {
        painter.save();
        painter.setPen(QPen(QColor(200, 200, 200), 1));
        for (int y = kGridStep; y <= kScreenSize.height(); y += kGridStep)
            painter.drawLine(0, y, kScreenSize.width(), y);
        for (int x = kGridStep; x < kScreenSize.width(); x += kGridStep)
            painter.drawLine(x, 0, x, kScreenSize.height());
        painter.restore();
    }
}

void CScreenRenderer::PaintCanvas(QPainter &painter, const Canvas &canvas, const std::vector<CComponentBase *> &components)
{
    PaintBackdrop(painter, canvas);
    if (canvas.frame)
        PaintFrame(painter);
    for (CComponentBase *component : components)
        CanvasComponentPainter::Paint(painter, *component);
}

void CScreenRenderer::DrawPage(QPainter &painter, const CCorvPage &page, bool frame)
{
    painter.fillRect(kScreenRect, Qt::white);
    if (frame)
        PaintFrame(painter);
    for (const auto &component : page.GetComponentList())
        CanvasComponentPainter::Paint(painter, *component);
}

QImage CScreenRenderer::Stretch(const QImage &full, QSize size)
{
    if (size == kScreenSize)
        return full;
    QImage scaled(size, QImage::Format_RGB32);
    scaled.fill(Qt::white);
    QPainter painter(&scaled);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(QPoint(0, 0), size), full);
    return scaled;
}

QImage CScreenRenderer::Render(const CCorvessaDoc & /*doc*/, const CCorvPage &page, QSize size)
{
    if (size.isEmpty())
        return {};
    QImage full(kScreenSize, QImage::Format_RGB32);
    full.fill(Qt::white);
    {
        QPainter painter(&full);
        DrawPage(painter, page, size == kSmallThumbnail);
    }
    return Stretch(full, size);
}

QImage CScreenRenderer::RenderSmallThumbnail(const CCorvPage &page)
{
    QImage full(kScreenSize, QImage::Format_RGB32);
    full.fill(Qt::white);
    {
        QPainter painter(&full);
        DrawPage(painter, page, true);
    }
    return Stretch(full, kSmallThumbnail);
}

QImage CScreenRenderer::RenderLargeThumbnail(const CCorvPage &page)
{
    QImage full(kScreenSize, QImage::Format_RGB32);
    full.fill(Qt::white);
    {
        QPainter painter(&full);
        DrawPage(painter, page, false);
    }
    return Stretch(full, kLargeThumbnail);
}

QImage CScreenRenderer::RenderCanvas(const Canvas &canvas, const std::vector<CComponentBase *> &components, QSize size)
{
    if (size.isEmpty())
        return {};
    QImage full(kScreenSize, QImage::Format_RGB32);
    full.fill(Qt::white);
    {
        QPainter painter(&full);
        PaintCanvas(painter, canvas, components);
    }
    return Stretch(full, size);
}
