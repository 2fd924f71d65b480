#include "dialogs/ui/PartTargetsView.h"

#include "dialogs/PartPictureGeometry.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <tuple>

namespace {

constexpr int kHandle = 7;
constexpr int kBar = 14;

QRect ToQRect(const CRect &r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

} // namespace

CPartTargetsView::CPartTargetsView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PartPicture"));
    setAccessibleName(QStringLiteral("Picture with the targets"));
    setFixedSize(kWidth, kHeight);
    setFocusPolicy(Qt::StrongFocus);
    for (int i = 0; i < kMaxParts; ++i)
        m_parts[size_t(i)] = PartPictureGeometry::DefaultPart(i);
    m_hbar = new QScrollBar(Qt::Horizontal, this);
    m_vbar = new QScrollBar(Qt::Vertical, this);
    for (QScrollBar *bar : {m_hbar, m_vbar}) {
        bar->setSingleStep(kLine);
        bar->hide();
        connect(bar, &QScrollBar::valueChanged, this, [this] { update(); });
        // Lines of 6 pixels and pages of the window's size, whatever the bar's own steps are.
        connect(bar, &QScrollBar::actionTriggered, this, [this, bar](int action) {
            using PartPictureGeometry::Scroll;
            Scroll step = Scroll::Other;
            switch (action) {
            case QAbstractSlider::SliderSingleStepSub: step = Scroll::LineBack; break;
            case QAbstractSlider::SliderSingleStepAdd: step = Scroll::LineForward; break;
            case QAbstractSlider::SliderPageStepSub: step = Scroll::PageBack; break;
            case QAbstractSlider::SliderPageStepAdd: step = Scroll::PageForward; break;
            case QAbstractSlider::SliderToMinimum: step = Scroll::Start; break;
            case QAbstractSlider::SliderToMaximum: step = Scroll::End; break;
            default: return;
            }
            const int page = bar == m_hbar ? kWidth : kHeight;
            bar->setSliderPosition(PartPictureGeometry::ScrollPosition(step, bar->value(), page, bar->maximum() + 1));
        });
    }
}

CRect CPartTargetsView::PictureRect() const
{
    if (m_picture.isNull())
        return CRect(0, 0, kWidth, kHeight);
    return PartPictureGeometry::LayoutImage(m_picture.width(), m_picture.height(), kWidth, kHeight, m_scaling).image;
}

bool CPartTargetsView::IsScaled() const
{
    return !m_picture.isNull() &&
           PartPictureGeometry::LayoutImage(m_picture.width(), m_picture.height(), kWidth, kHeight, m_scaling).scaled;
}

void CPartTargetsView::SetBitmap(const QImage &picture)
{
    m_picture = picture;
    if (!m_pictureSet && !picture.isNull()) {
        const CRect at = PictureRect();
        for (CRect &part : m_parts)
            part = CRect(part.left + at.left, part.top + at.top, part.right + at.left, part.bottom + at.top);
    }
    m_pictureSet = m_pictureSet || !picture.isNull();
    UpdateBars();
    update();
}

void CPartTargetsView::SetScalingAllowed(bool allowed)
{
    m_scaling = allowed;
    UpdateBars();
    update();
}

void CPartTargetsView::UpdateBars()
{
    // Only a picture shown at its natural size scrolls.
    bool horizontal = false, vertical = false;
    if (!m_picture.isNull() && !IsScaled())
        std::tie(horizontal, vertical) =
            PartPictureGeometry::BarsNeeded(m_picture.width(), m_picture.height(), kWidth, kHeight, kBar);
    const int pageWidth = kWidth - (vertical ? kBar : 0);
    const int pageHeight = kHeight - (horizontal ? kBar : 0);
    m_hbar->setGeometry(0, kHeight - kBar, pageWidth, kBar);
    m_vbar->setGeometry(kWidth - kBar, 0, kBar, pageHeight);
    m_hbar->setPageStep(pageWidth);
    m_vbar->setPageStep(pageHeight);
    m_hbar->setRange(0, horizontal ? std::max(0, m_picture.width() - pageWidth) : 0);
    m_vbar->setRange(0, vertical ? std::max(0, m_picture.height() - pageHeight) : 0);
    m_hbar->setVisible(horizontal);
    m_vbar->setVisible(vertical);
}

void CPartTargetsView::SetPartCount(int count)
{
    m_count = std::clamp(count, 1, kMaxParts);
    m_current = std::min(m_current, m_count - 1);
    update();
}

void CPartTargetsView::SetPartRect(int index, const CRect &rect)
{
    if (index < 0 || index >= kMaxParts)
        return;
    m_parts[size_t(index)] = rect;
    update();
}

void CPartTargetsView::SetPartRect(int index, const CRect &rect, bool mapFromPicture)
{
    if (!mapFromPicture) {
        SetPartRect(index, rect);
        return;
    }
    // Without a picture there is no natural size: the target is taken as it is.
    SetPartRect(index, PartPictureGeometry::MapPartRect(rect, PictureRect(), m_picture.width(), m_picture.height(),
                                                        IsScaled(), m_scaling));
}

CRect CPartTargetsView::GetPartRect(int index) const
{
    if (index < 0 || index >= kMaxParts)
        return {};
    return Clamped(m_parts[size_t(index)]);
}

void CPartTargetsView::ResetScrollPosition()
{
    m_hbar->setValue(0);
    m_vbar->setValue(0);
}

QPoint CPartTargetsView::ScrollOffset() const { return {m_hbar->value(), m_vbar->value()}; }

CRect CPartTargetsView::Clamped(CRect r) const
{
    if (m_picture.isNull())
        return r;
    return PartPictureGeometry::ClampPart(r, PictureRect());
}

QRect CPartTargetsView::OnScreen(int index) const
{
    return ToQRect(GetPartRect(index)).translated(-ScrollOffset());
}

int CPartTargetsView::PartAt(const QPoint &point) const
{
    // The front target (the last drawn) first; targets beyond the count do not answer.
    for (int i = m_count - 1; i >= 0; --i)
        if (OnScreen(i).adjusted(0, 0, 1, 1).contains(point))
            return i;
    return -1;
}

void CPartTargetsView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_picture.isNull())
        painter.drawImage(ToQRect(PictureRect()).translated(-ScrollOffset()), m_picture);
    for (int i = 0; i < m_count; ++i) {
        const QRect r = OnScreen(i);
        const bool current = i == m_current;
        painter.setPen(QPen(current && hasFocus() ? Qt::red : Qt::blue, 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r);
        painter.fillRect(QRect(r.right() - kHandle + 1, r.bottom() - kHandle + 1, kHandle, kHandle),
                         current ? Qt::red : Qt::blue);
        painter.setPen(Qt::black);
        painter.drawText(r.adjusted(3, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop, QString::number(i + 1));
    }
    painter.setPen(Qt::gray);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CPartTargetsView::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    const int part = PartAt(at);
    if (part < 0 || event->button() != Qt::LeftButton)
        return;
    m_current = part;
    m_dragPart = part;
    const QRect r = OnScreen(part);
    m_resizing = at.x() > r.right() - kHandle && at.y() > r.bottom() - kHandle;
    m_dragStart = at;
    m_dragRect = GetPartRect(part);
    update();
}

void CPartTargetsView::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragPart < 0)
        return;
    const QPoint d = event->position().toPoint() - m_dragStart;
    CRect r = m_dragRect;
    if (m_resizing) {
        r.right = std::max(r.left + 4, r.right + d.x());
        r.bottom = std::max(r.top + 4, r.bottom + d.y());
    } else {
        r = CRect(r.left + d.x(), r.top + d.y(), r.right + d.x(), r.bottom + d.y());
    }
    m_parts[size_t(m_dragPart)] = r;
    update();
}

void CPartTargetsView::mouseReleaseEvent(QMouseEvent *)
{
    if (m_dragPart < 0)
        return;
    // A target dragged outside comes back inside the picture.
    m_parts[size_t(m_dragPart)] = GetPartRect(m_dragPart);
    m_dragPart = -1;
    update();
    emit partsChanged();
}

bool CPartTargetsView::focusNextPrevChild(bool next)
{
    // Tab walks the targets, then leaves the picture.
    const int to = m_current + (next ? 1 : -1);
    if (hasFocus() && to >= 0 && to < m_count) {
        m_current = to;
        update();
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

void CPartTargetsView::keyPressEvent(QKeyEvent *event)
{
    int dx = 0, dy = 0;
    switch (event->key()) {
    case Qt::Key_Left: dx = -1; break;
    case Qt::Key_Right: dx = 1; break;
    case Qt::Key_Up: dy = -1; break;
    case Qt::Key_Down: dy = 1; break;
    default: QWidget::keyPressEvent(event); return;
    }
    CRect r = GetPartRect(m_current);
    if (event->modifiers() & Qt::ShiftModifier) {
        r.right = std::max(r.left + 4, r.right + dx);
        r.bottom = std::max(r.top + 4, r.bottom + dy);
    } else {
        r = CRect(r.left + dx, r.top + dy, r.right + dx, r.bottom + dy);
    }
    m_parts[size_t(m_current)] = r;
    m_parts[size_t(m_current)] = GetPartRect(m_current);
    update();
    emit partsChanged();
}
