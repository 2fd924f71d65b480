#include "dialogs/ui/KBImageWnd.h"

#include "app/ui/controls/AspectKeeperRectTracker.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// The marker's point lies this far right of and below its top-left corner.
constexpr int kPoint = 14;

bool HidesMarquee(int effect)
{
    return effect == KenBurns::effectNone || effect == KenBurns::effectFadeIn || effect == KenBurns::effectFadeOut;
}

} // namespace

// ---- CWndPanMarker ----

CWndPanMarker::CWndPanMarker(int number, const CRect &rect, CKBImageWnd *parent)
    : QWidget(parent), m_owner(parent), m_number(number), m_art(MarkerArt(number)), m_rect(rect)
{
    setObjectName(QStringLiteral("PanMarker%1").arg(number));
    setAccessibleName(QStringLiteral("Path marker %1").arg(number));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::ArrowCursor);
    setGeometry(rect.ToQRect());
    hide();
}

QImage CWndPanMarker::MarkerArt(int number)
{
    QImage art(KenBurns::kMarkerWidth, KenBurns::kMarkerHeight, QImage::Format_RGB32);
    art.fill(Qt::white);
    if (number < 1 || number > KenBurns::kMaxMarkers)
        return art;
    QPainter p(&art);
    p.setRenderHint(QPainter::Antialiasing);
    // A ring with cross hairs around the point the pan centres on.
    p.setPen(QPen(QColor(128, 0, 0), 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(kPoint + 0.5, kPoint + 0.5), 11.5, 11.5);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(kPoint, kPoint - 6, kPoint, kPoint + 6);
    p.drawLine(kPoint - 6, kPoint, kPoint + 6, kPoint);
    // The number on a yellow tab below.
    const QRect tab(3, 29, 23, 17);
    p.fillRect(tab, QColor(255, 255, 0));
    p.drawRect(tab.adjusted(0, 0, -1, -1));
    QFont font = p.font();
    font.setPixelSize(12);
    font.setBold(true);
    p.setFont(font);
    p.drawText(tab, Qt::AlignCenter, QString::number(number));
    return art;
}

void CWndPanMarker::SetMarkerRect(const CRect &rect)
{
    m_rect = rect;
    setGeometry(rect.ToQRect());
    update();
}

void CWndPanMarker::paintEvent(QPaintEvent *)
{
    // White lets the picture show through; darker colours darken it.
    QPainter p(this);
    p.setCompositionMode(QPainter::CompositionMode_Multiply);
    p.drawImage(0, 0, m_art);
    if (hasFocus()) {
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.setPen(QPen(Qt::blue, 1, Qt::DotLine));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void CWndPanMarker::DragTo(const QPoint &point)
{
    const CRect r(point.x() - kPoint, point.y() - kPoint, point.x() + kPoint + 1, point.y() + 33);
    MoveTo(m_owner->ConstrainMarker(r));
}

void CWndPanMarker::MoveTo(const CRect &rect)
{
    SetMarkerRect(rect);
    m_owner->update();
}

void CWndPanMarker::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        setFocus(Qt::MouseFocusReason);
    }
    event->accept();
}

void CWndPanMarker::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging)
        DragTo(mapToParent(event->position().toPoint()));
    event->accept();
}

void CWndPanMarker::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_dragging) {
        DragTo(mapToParent(event->position().toPoint()));
        m_dragging = false;
        emit m_owner->changed();
    }
    m_owner->update();
    event->accept();
}

void CWndPanMarker::keyPressEvent(QKeyEvent *event)
{
    const int step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    CRect r = m_rect;
    switch (event->key()) {
    case Qt::Key_Left: r.OffsetRect(-step, 0); break;
    case Qt::Key_Right: r.OffsetRect(step, 0); break;
    case Qt::Key_Up: r.OffsetRect(0, -step); break;
    case Qt::Key_Down: r.OffsetRect(0, step); break;
    default: QWidget::keyPressEvent(event); return;
    }
    MoveTo(m_owner->ConstrainMarker(r));
    emit m_owner->changed();
}

// ---- CKBImageWnd ----

CKBImageWnd::CKBImageWnd(QWidget *parent) : QWidget(parent), m_tracker(std::make_unique<CAspectKeeperRectTracker>())
{
    setObjectName(QStringLiteral("KBImageWnd"));
    setAccessibleName(QStringLiteral("Picture and marquee"));
    setFocusPolicy(Qt::StrongFocus);
    for (int i = 0; i < KenBurns::kMaxMarkers; ++i)
        m_markerRects[size_t(i)] = KenBurns::DefaultMarkerRect(i);
    connect(m_tracker.get(), &CDragTracker::trackFinished, this, [this](bool completed) {
        if (!completed)
            return;
        m_marquee = CRect::FromQRect(m_tracker->Rect());
        m_marquee.NormalizeRect();
        // A marquee dragged off the picture comes back inside it.
        if (!m_picture.isNull())
            m_marquee = KenBurns::KeepInside(m_marquee, m_image);
        ReplaceTracker();
        update();
        emit changed();
    });
}

CKBImageWnd::~CKBImageWnd() = default;

void CKBImageWnd::Create(const QRect &rect)
{
    setGeometry(rect);
    m_windowWidth = rect.width();
    m_windowHeight = rect.height();
    setFixedSize(rect.size());
    for (CWndPanMarker *&marker : m_markers) {
        delete marker;
        marker = nullptr;
    }
    m_created = true;
    LayoutImage();
    m_tracker->SetRect(m_marquee.ToQRect());
    m_tracker->SetAspectRatio(0, false);
    for (int i = 0; i < m_markerCount; ++i)
        MakeMarker(i);
    ApplyMarkerVisibility();
    show();
}

CWndPanMarker *CKBImageWnd::MakeMarker(int i)
{
    auto *marker = new CWndPanMarker(i + 1, m_markerRects[size_t(i)], this);
    marker->SetPanMode(m_panMode);
    m_markers[size_t(i)] = marker;
    return marker;
}

void CKBImageWnd::SetEffect(int effect)
{
    m_effect = effect;
    SetPanMode(m_panMode);
}

void CKBImageWnd::SetPanMode(int mode)
{
    m_panMode = mode;
    ApplyMarkerVisibility();
    update();
}

void CKBImageWnd::ApplyMarkerVisibility()
{
    const bool shown = m_effect == KenBurns::effectPan && m_panMode == KenBurns::panAutomated;
    for (int i = 0; i < KenBurns::kMaxMarkers; ++i)
        if (CWndPanMarker *marker = m_markers[size_t(i)]) {
            marker->SetPanMode(m_panMode);
            marker->setVisible(shown && i < m_markerCount);
        }
}

void CKBImageWnd::SetMarkerCount(int count)
{
    count = std::clamp(count, 1, KenBurns::kMaxMarkers);
    if (count > m_markerCount) {
        const std::vector<CRect> placed = KenBurns::LayoutNewMarkers(m_markerCount, count, m_image, GetPartRect());
        for (int i = m_markerCount; i < count; ++i) {
            m_markerRects[size_t(i)] = placed[size_t(i - m_markerCount)];
            if (m_created) {
                delete m_markers[size_t(i)];
                MakeMarker(i);
            }
        }
    } else {
        for (int i = count; i < m_markerCount; ++i) {
            delete m_markers[size_t(i)];
            m_markers[size_t(i)] = nullptr;
        }
    }
    m_markerCount = count;
    SetPanMode(m_panMode);
}

void CKBImageWnd::LayoutImage()
{
    m_image = KenBurns::LayoutImage(m_windowWidth, m_windowHeight, m_picture.width(), m_picture.height());
}

void CKBImageWnd::ReplaceTracker()
{
    m_tracker->SetRect(m_marquee.ToQRect());
    m_tracker->SetAspectRatio(KenBurns::AspectRatio(m_image), true);
}

void CKBImageWnd::SetBitmap(const QImage &picture)
{
    m_picture = picture;
    LayoutImage();
    if (m_firstPicture && !picture.isNull()) {
        m_firstPicture = false;
        if (m_marquee.IsRectNull())
            m_marquee = KenBurns::DefaultMarquee(m_image);
        if (m_created)
            ReplaceTracker();
    }
    update();
}

void CKBImageWnd::SetPartRect(const CRect &rect)
{
    m_marquee = rect;
    if (!m_created)
        return;
    ReplaceTracker();
    for (int i = 0; i < m_markerCount; ++i)
        SetMarkerRect(i, ConstrainMarker(m_markerRects[size_t(i)]));
    update();
}

CRect CKBImageWnd::GetPartRect() const
{
    return m_tracker->IsTracking() ? CRect::FromQRect(m_tracker->Rect()) : m_marquee;
}

bool CKBImageWnd::ShowsMarquee() const { return !HidesMarquee(m_effect); }

CRect CKBImageWnd::GetMarkerRect(int i) const
{
    return i >= 0 && i < KenBurns::kMaxMarkers ? m_markerRects[size_t(i)] : CRect();
}

void CKBImageWnd::SetMarkerRect(int i, const CRect &rect)
{
    if (i < 0 || i >= KenBurns::kMaxMarkers)
        return;
    m_markerRects[size_t(i)] = rect;
    if (CWndPanMarker *marker = m_markers[size_t(i)])
        marker->SetMarkerRect(rect);
}

void CKBImageWnd::ReadMarkerRects()
{
    for (int i = 0; i < m_markerCount; ++i)
        if (CWndPanMarker *marker = m_markers[size_t(i)])
            m_markerRects[size_t(i)] = marker->MarkerRect();
}

CRect CKBImageWnd::ConstrainMarker(const CRect &rect) const
{
    return KenBurns::ConstrainMarker(rect, m_image, GetPartRect());
}

CWndPanMarker *CKBImageWnd::Marker(int i) const
{
    return i >= 0 && i < KenBurns::kMaxMarkers ? m_markers[size_t(i)] : nullptr;
}

void CKBImageWnd::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    if (!m_picture.isNull()) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(m_image.ToQRect(), m_picture);
    }
    // A marquee that has left the picture is brought back inside it.
    if (!m_tracker->IsTracking() && !m_picture.isNull()) {
        const CRect inside = KenBurns::KeepInside(m_marquee, m_image);
        if (!(inside == m_marquee)) {
            m_marquee = inside;
            ReplaceTracker();
        }
    }
    if (ShowsMarquee())
        m_tracker->Draw(p);
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void CKBImageWnd::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton && ShowsMarquee())
        m_tracker->Track(this, event->position().toPoint());
    QWidget::mousePressEvent(event);
}

void CKBImageWnd::keyPressEvent(QKeyEvent *event)
{
    if (!ShowsMarquee()) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int step = 1;
    const bool resize = event->modifiers() & Qt::ShiftModifier;
    QRect r = m_marquee.ToQRect();
    int dx = 0, dy = 0;
    switch (event->key()) {
    case Qt::Key_Left: dx = -step; break;
    case Qt::Key_Right: dx = step; break;
    case Qt::Key_Up: dy = -step; break;
    case Qt::Key_Down: dy = step; break;
    default: QWidget::keyPressEvent(event); return;
    }
    if (resize) {
        // The width changes and the height follows the picture's shape.
        const int width = std::max(2, r.width() + (dx ? dx : dy) * 4);
        const double ratio = KenBurns::AspectRatio(m_image);
        const int height = ratio > 0 ? int(std::ceil(width / ratio)) : r.height();
        r.setSize(QSize(width, height));
    } else {
        r.translate(dx, dy);
    }
    m_marquee = CRect::FromQRect(r);
    if (!m_picture.isNull())
        m_marquee = KenBurns::KeepInside(m_marquee, m_image);
    ReplaceTracker();
    update();
    emit changed();
}
