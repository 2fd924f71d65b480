#include "publish/ScreenPanels.h"

#include "document/CorvessaDoc.h"
#include "model/ComponentFlashVideo.h"
#include "model/ComponentImage.h"
#include "model/CorvPage.h"
#include "model/PlaceholderTemplate.h"
#include "platform/PathUtil.h"
#include "publish/PublishContext.h"
#include "publish/OutputCopier.h"
#include "publish/PublishText.h"
#include "publish/ScreenScriptEntries.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>

namespace CorvScreenPanels {

namespace {

// A marker's reference point lies this far right of and below its top-left corner.
constexpr int kMarkerReference = 14;

// Truncated toward zero, as every derived value is; false for a value no int can hold (an infinite zoom
// from an empty marquee, or sizes from a damaged file), which would make the conversion undefined.
bool ToInt(float value, int &out)
{
    if (!std::isfinite(value) || value <= -2147483648.0f || value >= 2147483648.0f)
        return false;
    out = int(value);
    return true;
}

// "%g" in the C locale; a value that is not a number is written as 0, so the entry stays a script.
QString G(float value)
{
    char text[32];
    const auto result = std::to_chars(std::begin(text), std::end(text), std::isfinite(value) ? double(value) : 0.0,
                                      std::chars_format::general, 6);
    return QString::fromLatin1(text, result.ptr - text);
}

QString Flag(int value) { return value == 1 ? QStringLiteral("true") : QStringLiteral("false"); }

bool UsesMarquee(int effect)
{
    return effect >= CComponentImage::effectZoomIn && effect <= CComponentImage::effectGrow;
}

// The panning modes: dragged by the learner, scrolled with scroll bars, or along the markers.
enum PanMode { panDrag = 0, panScroll = 1, panAutomated = 2 };

int PanModeOf(const CComponentImage &image)
{
    return image.m_panningMode == panScroll || image.m_panningMode == panAutomated ? image.m_panningMode : panDrag;
}

// Works out every value of the geometry; false when one of them cannot be had.
bool Derive(const CComponentImage &image, KenBurnsGeometry &g)
{
    const CRect &m = image.GetStartRect();
    const float s = g.scale;
    const float wz = float(int64_t(m.right) - m.left) * s;
    const float hz = float(int64_t(m.bottom) - m.top) * s;
    const float cx = float((int64_t(m.left) + m.right) / 2);
    const float cy = float((int64_t(m.top) + m.bottom) / 2);
    if (!(wz > 0.0f) || !std::isfinite(wz) || !std::isfinite(hz))
        return false;
    g.zoom = float(g.width) / wz;
    const float r = g.zoom;
    bool ok = ToInt(float(g.width) * r, g.zoomedWidth) && ToInt(float(g.height) * r, g.zoomedHeight);
    ok = ok && ToInt(-std::fabs(float(g.width / 2) - r * (cx * s)), g.offsetX);
    ok = ok && ToInt(-std::fabs(float(g.height / 2) - r * (cy * s)), g.offsetY);
    ok = ok && ToInt(float(m.left) * s, g.marqueeLeft) && ToInt(float(m.top) * s, g.marqueeTop);
    ok = ok && ToInt(wz, g.marqueeWidth) && ToInt(hz, g.marqueeHeight);
    ok = ok && ToInt(cx * s, g.centreX) && ToInt(cy * s, g.centreY);
    ok = ok && ToInt(r * (float(m.left) * s), g.panX) && ToInt(r * (float(m.top) * s), g.panY);
    if (!ok || g.effect != CComponentImage::effectPan || PanModeOf(image) != panAutomated)
        return ok;
    // A damaged file may count more markers than there are.
    const int count = std::clamp(image.m_markerCount, 0, CComponentImage::kMaxMarkers);
    for (int k = 0; k < count; ++k) {
        const CRect &marker = image.m_markers[size_t(k)];
        QPoint point;
        int x = 0, y = 0;
        if (!ToInt(float(int64_t(marker.left) + kMarkerReference) * s * r, x) ||
            !ToInt(float(int64_t(marker.top) + kMarkerReference) * s * r, y))
            return false;
        point.setX(x);
        point.setY(y);
        g.path.append(point);
    }
    return true;
}

// The picture's src: its file name, lower-cased as the copy into "images" names it.
QString PictureSource(const CComponentImage &image)
{
    return QStringLiteral("images/") + CorvPath::FileName(image.GetImageFile()).toLower();
}

QString Container(const KenBurnsGeometry &g, int number, const CRect &b, int panMode)
{
    // An animated picture stays inside its container; a picture panned with scroll bars scrolls in it.
    QString overflow;
    if (g.effect == CComponentImage::effectPan && panMode == panScroll)
        overflow = QStringLiteral("overflow:auto; ");
    else if (g.effect != CComponentImage::effectNone)
        overflow = QStringLiteral("overflow:hidden; ");
    return QStringLiteral(
               "\"<div id='kb%1' style='%2position:absolute; left:%3px; top:%4px; width:%5px; height:%6px;'>")
        .arg(number)
        .arg(overflow)
        .arg(b.left)
        .arg(b.top)
        .arg(g.width)
        .arg(g.height);
}

// The image element in the place where its animation starts.
QString Image(const KenBurnsGeometry &g, int number, const CComponentImage &image, int panMode)
{
    QString fade;
    if (g.effect == CComponentImage::effectFadeIn)
        fade = QStringLiteral(" class='fadein'");
    else if (g.effect == CComponentImage::effectFadeOut)
        fade = QStringLiteral(" class='fadeout'");
    const QString common = QStringLiteral("<img id='kb%1img'%2 src='").arg(number).arg(fade) +
                           CPlaceholderTemplate::AttributeValue(PictureSource(image)) + QStringLiteral("' alt='") +
                           CPlaceholderTemplate::AttributeValue(image.GetAltText()) + QStringLiteral("' title='") +
                           CPlaceholderTemplate::AttributeValue(image.GetTitleText()) +
                           QStringLiteral("' style='position:absolute; ");
    const auto placed = [&](int left, int top, int width, int height) {
        return common + QStringLiteral("left:%1px; top:%2px; width:%3px; height:%4px; margin:0;'>")
                            .arg(left)
                            .arg(top)
                            .arg(width)
                            .arg(height);
    };
    switch (g.effect) {
    case CComponentImage::effectZoomIn: return placed(0, 0, g.width, g.height);
    case CComponentImage::effectZoomOut: return placed(g.offsetX, g.offsetY, g.zoomedWidth, g.zoomedHeight);
    case CComponentImage::effectPan:
        if (panMode == panAutomated)
            return placed(g.offsetX, g.offsetY, g.zoomedWidth, g.zoomedHeight);
        return placed(0, 0, g.zoomedWidth, g.zoomedHeight);
    case CComponentImage::effectShrink:
        return common +
               QStringLiteral("left:0px; top:0px; width:%1px; height:%2px; margin:0;'>").arg(g.width).arg(g.height);
    case CComponentImage::effectGrow: return placed(g.marqueeLeft, g.marqueeTop, g.marqueeWidth, g.marqueeHeight);
    case CComponentImage::effectFadeIn:
    case CComponentImage::effectFadeOut:
        return common + QStringLiteral("left:0px; top:0px; width:%1px; height:%2px;'>").arg(g.width).arg(g.height);
    default: return common + QStringLiteral("left:0px; top:0px; width:100%; height:100%; margin:0;'>");
    }
}

// The anchor of a linked picture; "" when it has none or its screen is gone.
QString Anchor(const CPublishContext &context, const CComponentImage &image)
{
    if (!image.IsLinked())
        return QString();
    const CURLLink &link = image.GetLink();
    if (link.IsScreenLink()) {
        const CCorvPage *target = context.GetDocument().FindScreenByNumber(link.GetTargetScreen());
        if (!target)
            return QString();
        const QString id = ContentsHandlerArgument(target->GetPublishId());
        if (link.GetPopup())
            return QStringLiteral("<a href='#' data-kvx-click='kvx.popup(\\\"") + id +
                   QStringLiteral("\\\",%1,%2)'>").arg(link.GetPopupWidth()).arg(link.GetPopupHeight());
        return QStringLiteral("<a href='#' data-kvx-click='kvx.gotoNewPage(\\\"") + id + QStringLiteral("\\\")'>");
    }
    if (link.IsScript())
        return ScriptLinkAnchor(link.GetUrl());
    return QStringLiteral("<a href='") + CPlaceholderTemplate::AttributeValue(link.GetUrl()) +
           QStringLiteral("' target='_blank'>");
}

QString PanPath(const KenBurnsGeometry &g, const CComponentImage &image)
{
    QStringList legs;
    for (qsizetype k = 0; k < g.path.size(); ++k) {
        QString leg =
            QStringLiteral("[%1,%2,%3]").arg(g.path[k].x()).arg(g.path[k].y()).arg(G(image.m_timeToEachMarker));
        if (k + 1 < g.path.size())
            leg += u',' + G(image.m_waitAtEachMarker);
        legs.append(leg);
    }
    return legs.join(u',');
}

QString KenBurnsEntry(const KenBurnsGeometry &g, const CComponentImage &image, int number)
{
    const QString container = QStringLiteral("kb%1").arg(number);
    const QString source = container + QStringLiteral("img");
    const QString timing = QStringLiteral("'seconds':%1, 'accelType':%2, 'bounce':0, 'oe':null, 'click':%3")
                               .arg(G(image.m_timeToComplete))
                               .arg(image.m_acceleration)
                               .arg(Flag(image.m_clickStart));
    const QString delay = G(image.m_waitBeforeStart);
    const QString head = QStringLiteral("\"kvx.KB('%1', {'container':'%2','src':'%3',");
    switch (g.effect) {
    case CComponentImage::effectZoomIn:
        return head.arg(QStringLiteral("size"), container, source) +
               QStringLiteral("'type':'zoom in','w':%1,'h':%2,'cx':%3, 'cy':%4,%5, 'delay':%6});\"")
                   .arg(g.zoomedWidth)
                   .arg(g.zoomedHeight)
                   .arg(g.centreX)
                   .arg(g.centreY)
                   .arg(timing, delay);
    case CComponentImage::effectZoomOut:
        return head.arg(QStringLiteral("size"), container, source) +
               QStringLiteral(" 'type':'zoom out','w':%1,'h':%2, %3,'delay':%4});\"")
                   .arg(g.width)
                   .arg(g.height)
                   .arg(timing, delay);
    case CComponentImage::effectPan:
        if (PanModeOf(image) == panAutomated)
            return head.arg(QStringLiteral("move"), container, source) +
                   QStringLiteral(
                       "'type':'pan', 'seq':[%1], 'accelType':%2, 'bounce':0, 'oe':null, 'click':%3,'delay':%4});\"")
                       .arg(PanPath(g, image))
                       .arg(image.m_acceleration)
                       .arg(Flag(image.m_clickStart), delay);
        return QStringLiteral("\"kvx.KB('%1', {'container': '%2', 'src': '%3', 'x': %4, 'y': %5});\"")
            .arg(PanModeOf(image) == panScroll ? QStringLiteral("scroll") : QStringLiteral("usermove"), container,
                 source)
            .arg(g.panX)
            .arg(g.panY);
    case CComponentImage::effectShrink:
        return head.arg(QStringLiteral("size"), container, source) +
               QStringLiteral("'type':'shrink','w':%1,'h':%2, 'lt':%3, 'tp':%4,%5,'delay':%6});\"")
                   .arg(g.marqueeWidth)
                   .arg(g.marqueeHeight)
                   .arg(g.marqueeLeft)
                   .arg(g.marqueeTop)
                   .arg(timing, delay);
    case CComponentImage::effectGrow:
        return head.arg(QStringLiteral("size"), container, source) +
               QStringLiteral("'type':'grow','w':%1,'h':%2, %3,'delay':%4});\"")
                   .arg(g.width)
                   .arg(g.height)
                   .arg(timing, delay);
    case CComponentImage::effectFadeIn:
    case CComponentImage::effectFadeOut: {
        const QString type =
            g.effect == CComponentImage::effectFadeIn ? QStringLiteral("fade in") : QStringLiteral("fade out");
        return head.arg(QStringLiteral("fade"), container, source) +
               QStringLiteral("'type':'%1', %2,'delay':%3});\"").arg(type, timing, delay);
    }
    default: return QString();
    }
}

} // namespace

KenBurnsGeometry KenBurnsGeometryOf(const CComponentImage &image)
{
    KenBurnsGeometry g;
    g.width = image.GetBounds().Width();
    g.height = image.GetBounds().Height();
    g.scale = image.m_scale;
    g.effect = image.GetAnimationEffect();
    if (g.effect < CComponentImage::effectNone || g.effect > CComponentImage::effectFadeOut)
        g.effect = CComponentImage::effectNone;
    // An effect that needs the marquee is published without animation when the marquee gives no zoom.
    const bool derived = Derive(image, g);
    if (UsesMarquee(g.effect) && !derived) {
        const int width = g.width;
        const int height = g.height;
        g = KenBurnsGeometry();
        g.width = width;
        g.height = height;
        g.scale = image.m_scale;
    }
    return g;
}

bool ImageToHtml(const CPublishContext &context, CComponentBase &component, int number, QString &piece)
{
    piece.clear();
    const auto *image = dynamic_cast<const CComponentImage *>(&component);
    if (!image)
        return false;
    const KenBurnsGeometry g = KenBurnsGeometryOf(*image);
    const QString anchor = Anchor(context, *image);
    const int panMode = PanModeOf(*image);
    piece = Container(g, number, image->GetBounds(), panMode) + anchor + Image(g, number, *image, panMode) +
            (anchor.isEmpty() ? QString() : QStringLiteral("</a>")) + QStringLiteral("</div>\"");
    return true;
}

void AddKenBurnsScript(QString &list, const CComponentBase &component, int number)
{
    const auto *image = dynamic_cast<const CComponentImage *>(&component);
    if (!image)
        return;
    const QString entry = KenBurnsEntry(KenBurnsGeometryOf(*image), *image, number);
    if (!entry.isEmpty())
        CorvScreenEntries::Append(list, entry);
}

bool MediaToHtml(const CPublishContext &context, CComponentBase &component, QString &piece)
{
    piece.clear();
    const auto *video = dynamic_cast<const CComponentFlashVideo *>(&component);
    if (!video)
        return false;
    if (const CResult<QString> built = video->BuildPublishHtml(context.GetDocument().GetContext()))
        piece = *built;
    else
        context.AddError(built.Error());
    // The player finds its video and still beside the screens' media; a copy that fails is passed over.
    COutputCopier copier(context.GetTargetFolder());
    for (const QString &path : {video->GetFilePath(), video->m_stillImagePath}) {
        const QString name = CorvPath::SafeBareName(CorvPath::FileName(path));
        if (!path.isEmpty() && !name.isEmpty())
            copier.CopyFile(CorvPath::ResolveNoCase(CorvPath::ToSlashes(path)),
                            QStringLiteral("content/media/") + name);
    }
    return true;
}

} // namespace CorvScreenPanels
