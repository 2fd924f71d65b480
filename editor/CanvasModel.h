#pragma once

#include <QPoint>
#include <QRect>

#include <optional>
#include <vector>

class CComponentBase;

// What the screen canvas knows without its widget: the components on display in drawing order, the
// selection and the kind of tracker it shows, the drawing tool and its rubber band, hit testing front to
// back and keeping dragged rectangles on the 1008 x 560 screen. All points and rectangles are canvas
// coordinates: the widget maps the scrolled view onto them once, at its edge.
class CCanvasModel
{
public:
    static constexpr int kWidth = 1008;
    static constexpr int kHeight = 560;
    // How far from a line a click still selects it.
    static constexpr int kLineSlop = 5;
    // Tracker styles: hatched border with handles outside, or hatched only (moved, never resized).
    static constexpr int kStyleHandles = 22;
    static constexpr int kStyleHatchedOnly = 6;

    enum class Tracker { None, Rect, Line };
    enum class Shape { Line = 0, Rectangle = 1, Ellipse = 2 };

    // ---- The components on display (not owned), back to front ----
    const std::vector<CComponentBase *> &Components() const { return m_list; }
    bool IsEmpty() const { return m_list.empty(); }
    void Clear();
    void Append(CComponentBase *component);
    // A component is going away: off the list and, when selected, out of the selection.
    void Forget(CComponentBase *component);
    bool Contains(const CComponentBase *component) const;

    // ---- Selection ----
    CComponentBase *GetSelected() const { return m_selected; }
    Tracker GetTracker() const { return m_tracker; }
    // Selects the component as a window asks for it: a rectangle tracker for every kind but the topic
    // buttons (which get none) and the line (which gets its line tracker). Null clears the selection.
    void Select(CComponentBase *component);
    // The front-most component under the point becomes the selection (none when nothing is hit); the hit.
    CComponentBase *SelectAt(const QPoint &point);
    // The trackers go; the selection stays.
    void DropTrackers() { m_tracker = Tracker::None; }

    // The front-most component under the point: a kind with a window by its bounds, a line within
    // kLineSlop pixels. Windowless kinds other than the line are never hit.
    static CComponentBase *HitTest(const std::vector<CComponentBase *> &list, const QPoint &point);
    static bool HitsLine(const QPoint &first, const QPoint &second, const QPoint &point);
    // Kinds that have a window on the canvas.
    static bool HasCanvasWindow(int type);
    static bool IsTopicButton(int type);
    // 6 for YouTube, 22 for the rest.
    static int TrackerStyle(int type);
    // The width / height a picture keeps while its corners are dragged; -1 (no shape kept) for other kinds.
    static double TrackerRatio(const CComponentBase *component);
    // Shifted, never resized, into the screen: left, then top, then right, then bottom, so a rectangle
    // larger than the screen ends flush with its right or bottom edge.
    static QRect ClampIntoScreen(const QRect &rect);

    // ---- Drawing tools: idle, armed, pressed ----
    // Arms a tool (a second tool while armed only changes the shape).
    void ArmDrawing(Shape shape);
    void Disarm();
    bool IsDrawingArmed() const { return m_drawing; }
    bool IsDrawingPressed() const { return m_drawing && m_pressed; }
    Shape GetShape() const { return m_shape; }
    // The press starts the shape at the point; the selection does not change.
    void PressDrawing(const QPoint &point);
    void MoveDrawing(const QPoint &point);
    const QPoint &DrawingStart() const { return m_start; }
    const QPoint &DrawingCurrent() const { return m_current; }
    // The rectangle spanned by the start and current points, normalised.
    QRect RubberRect() const;

    struct DrawnShape {
        Shape shape;
        QPoint first;  // line ends
        QPoint second;
        QRect rect;    // rectangle and ellipse
    };
    // The release ends the shape at the point and disarms the tool (one shape per arming). Nothing to
    // insert when it was not pressed or the shape has no extent.
    std::optional<DrawnShape> ReleaseDrawing(const QPoint &point);

private:
    std::vector<CComponentBase *> m_list;
    CComponentBase *m_selected = nullptr;
    Tracker m_tracker = Tracker::None;
    bool m_drawing = false;
    bool m_pressed = false;
    Shape m_shape = Shape::Line;
    QPoint m_start;
    QPoint m_current;
};
