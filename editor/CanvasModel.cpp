#include "editor/CanvasModel.h"

#include "model/ComponentBase.h"
#include "model/ComponentImage.h"
#include "model/ComponentLine.h"

#include <algorithm>
#include <cmath>

void CCanvasModel::Clear()
{
    m_list.clear();
    m_selected = nullptr;
    m_tracker = Tracker::None;
}

void CCanvasModel::Append(CComponentBase *component)
{
    if (component)
        m_list.push_back(component);
}

void CCanvasModel::Forget(CComponentBase *component)
{
    std::erase(m_list, component);
    if (m_selected == component) {
        m_selected = nullptr;
        m_tracker = Tracker::None;
    }
}

bool CCanvasModel::Contains(const CComponentBase *component) const
{
    return std::find(m_list.begin(), m_list.end(), component) != m_list.end();
}

void CCanvasModel::Select(CComponentBase *component)
{
    m_selected = component;
    if (!component)
        m_tracker = Tracker::None;
    else if (component->GetType() == ct_line)
        m_tracker = Tracker::Line;
    else
        m_tracker = IsTopicButton(component->GetType()) ? Tracker::None : Tracker::Rect;
}

CComponentBase *CCanvasModel::SelectAt(const QPoint &point)
{
    CComponentBase *hit = HitTest(m_list, point);
    Select(hit);
    return hit;
}

bool CCanvasModel::HasCanvasWindow(int type)
{
    return type != ct_line && type != ct_remediation && type != ct_media;
}

bool CCanvasModel::IsTopicButton(int type)
{
    return type == ct_small_topic || type == ct_large_topic;
}

bool CCanvasModel::HitsLine(const QPoint &first, const QPoint &second, const QPoint &point)
{
    const double dx = second.x() - first.x();
    const double dy = second.y() - first.y();
    const double lengthSquared = dx * dx + dy * dy;
    double t = 0;
    if (lengthSquared > 0)
        t = std::clamp(((point.x() - first.x()) * dx + (point.y() - first.y()) * dy) / lengthSquared, 0.0, 1.0);
    const double distance = std::hypot(point.x() - (first.x() + t * dx), point.y() - (first.y() + t * dy));
    return distance <= kLineSlop;
}

CComponentBase *CCanvasModel::HitTest(const std::vector<CComponentBase *> &list, const QPoint &point)
{
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        CComponentBase *c = *it;
        if (c->GetType() == ct_line) {
            auto *line = static_cast<CComponentLine *>(c);
            QPoint p1, p2;
            line->GetPoints(p1, p2);
            if (line->HitTest(point) || HitsLine(p1, p2, point))
                return c;
            continue;
        }
        if (!HasCanvasWindow(c->GetType()) || !c->GetBounds().PtInRect(point.x(), point.y()))
            continue;
        // A topic button's window keeps its clicks to itself: what lies behind it is not reached either.
        return IsTopicButton(c->GetType()) ? nullptr : c;
    }
    return nullptr;
}

int CCanvasModel::TrackerStyle(int type)
{
    return type == ct_youtube ? kStyleHatchedOnly : kStyleHandles;
}

double CCanvasModel::TrackerRatio(const CComponentBase *component)
{
    if (!component || component->GetType() != ct_image)
        return -1;
    const CRect &b = component->GetBounds();
    return b.Height() != 0 ? double(b.Width()) / double(b.Height()) : -1;
}

QRect CCanvasModel::ClampIntoScreen(const QRect &rect)
{
    QRect r = rect;
    if (r.left() < 0)
        r.translate(-r.left(), 0);
    if (r.top() < 0)
        r.translate(0, -r.top());
    const int right = r.left() + r.width();
    if (right > kWidth)
        r.translate(kWidth - right, 0);
    const int bottom = r.top() + r.height();
    if (bottom > kHeight)
        r.translate(0, kHeight - bottom);
    return r;
}

void CCanvasModel::ArmDrawing(Shape shape)
{
    m_shape = shape;
    if (!m_drawing) {
        m_drawing = true;
        m_pressed = false;
    }
}

void CCanvasModel::Disarm()
{
    m_drawing = false;
    m_pressed = false;
}

void CCanvasModel::PressDrawing(const QPoint &point)
{
    if (!m_drawing)
        return;
    m_pressed = true;
    m_start = point;
    m_current = point;
}

void CCanvasModel::MoveDrawing(const QPoint &point)
{
    if (IsDrawingPressed())
        m_current = point;
}

QRect CCanvasModel::RubberRect() const
{
    const int left = std::min(m_start.x(), m_current.x());
    const int top = std::min(m_start.y(), m_current.y());
    return QRect(left, top, std::abs(m_current.x() - m_start.x()), std::abs(m_current.y() - m_start.y()));
}

std::optional<CCanvasModel::DrawnShape> CCanvasModel::ReleaseDrawing(const QPoint &point)
{
    if (!IsDrawingPressed())
        return std::nullopt;
    m_current = point;
    DrawnShape shape{m_shape, m_start, m_current, RubberRect()};
    Disarm();
    if (shape.shape == Shape::Line ? shape.first == shape.second : shape.rect.isEmpty())
        return std::nullopt;
    return shape;
}
