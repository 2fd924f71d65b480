#include "app/ui/controls/LineStylePopup.h"

#include "app/LineWidthRules.h"
#include "app/ui/controls/PlacePopup.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <qdrawutil.h>

using namespace CorvLineWidth;

CLineStylePopup::CLineStylePopup(const QPoint &topLeft, int currentWidth, QWidget *parent)
    : QWidget(parent, Qt::Popup), m_initial(currentWidth), m_selected(ItemForWidth(currentWidth))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Line width"));
    if (m_selected >= 0)
        setAccessibleDescription(ItemText(m_selected));
    setFixedSize(kPopupSize);
    PlacePopup(this, topLeft, parent);
    setFocus(Qt::PopupFocusReason);
}

void CLineStylePopup::Select(int item)
{
    if (item == m_selected)
        return;
    m_selected = item;
    setAccessibleDescription(item >= 0 ? ItemText(item) : QString());
    update();
}

void CLineStylePopup::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint point = event->position().toPoint();
    if (!rect().contains(point))
        return;
    const int item = ItemAt(point.y());
    if (item < 0 || item == m_hovered)
        return;
    m_hovered = item;
    // Dragging with the button held carries the sunken item along.
    if (event->buttons() & Qt::LeftButton)
        Select(item);
    update();
}

void CLineStylePopup::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && m_hovered >= 0)
        Select(m_hovered);
    QWidget::mousePressEvent(event);
}

void CLineStylePopup::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // A release over no item keeps the sunken one: a width of 0 points is no width.
    if (m_hovered >= 0)
        m_selected = m_hovered;
    Finish(rect().contains(event->position().toPoint()));
}

void CLineStylePopup::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        Select(m_selected <= 0 ? 0 : m_selected - 1);
        return;
    case Qt::Key_Down:
        Select(m_selected < 0 ? 0 : std::min(m_selected + 1, kItemCount - 1));
        return;
    case Qt::Key_Home:
        Select(0);
        return;
    case Qt::Key_End:
        Select(kItemCount - 1);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        Finish(true);
        return;
    case Qt::Key_Escape:
        Finish(false);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void CLineStylePopup::Finish(bool asSelected)
{
    if (m_finished)
        return;
    m_finished = true;
    if (asSelected && m_selected >= 0)
        emit selected(m_selected + 1);
    else
        emit cancelled(m_initial);
    close();
}

void CLineStylePopup::closeEvent(QCloseEvent *event)
{
    // Closed from outside (a click elsewhere, another window activated): that is a cancel.
    if (!m_finished) {
        m_finished = true;
        emit cancelled(m_initial);
    }
    QWidget::closeEvent(event);
}

void CLineStylePopup::PaintItem(QPainter &painter, int item)
{
    const QRect box = ItemRect(item, width());
    painter.fillRect(box, palette().color(QPalette::Button));
    if (item == m_selected)
        qDrawShadePanel(&painter, box, palette(), true, 1);
    else if (item == m_hovered)
        qDrawShadePanel(&painter, box, palette(), false, 1);
    const QString text = ItemText(item);
    const int textWidth = painter.fontMetrics().horizontalAdvance(text);
    painter.setPen(Qt::black);
    painter.drawText(box.adjusted(5, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    const QRect line = SampleLine(item, width(), textWidth);
    QPen pen(Qt::black, item + 1, Qt::SolidLine, Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLine(line.left(), line.top(), line.right(), line.top());
}

void CLineStylePopup::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    for (int item = 0; item < kItemCount; ++item)
        PaintItem(painter, item);
    qDrawShadePanel(&painter, rect(), palette(), false, 1);
}
