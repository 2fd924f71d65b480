#include "app/ui/controls/ColourPopup.h"

#include "app/ui/controls/ColorSelectButton.h"
#include "app/ui/controls/ColourDialog.h"
#include "app/ui/controls/PlacePopup.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QToolTip>
#include <qdrawutil.h>

using namespace CorvColourPopup;

namespace {

// The width of a 3-D edge, the popup's margin.
constexpr int kEdge = 2;

} // namespace

CColourPopup::CColourPopup(const QPoint &topLeft, uint32_t initial, QWidget *parent, const QString &defaultText,
                           const QString &customText)
    : QWidget(parent, Qt::Popup), m_initial(initial), m_chosen(initial), m_defaultText(defaultText),
      m_customText(customText), m_chooser(CorvColourDialog::Ask)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Colours"));
    const QFontMetrics metrics(font());
    QSize text;
    for (const QString &t : {m_defaultText, m_customText})
        if (!t.isEmpty())
            text = text.expandedTo(metrics.size(Qt::TextSingleLine, t));
    m_layout = ComputeLayout(kEdge, text, !m_defaultText.isEmpty(), !m_customText.isEmpty());
    m_chosenBox = ChosenBoxFor(initial, !m_defaultText.isEmpty(), !m_customText.isEmpty());
    setFixedSize(m_layout.window);

    PlacePopup(this, topLeft, parent);
    setFocus(Qt::PopupFocusReason);
}

QRect CColourPopup::BoxRect(int box) const
{
    if (box == DefaultBox)
        return m_layout.defaultBox;
    if (box == CustomBox)
        return m_layout.customBox;
    return box >= 0 && box < kColourCount ? m_layout.CellRect(box) : QRect();
}

QString CColourPopup::BoxName(int box) const
{
    if (box == DefaultBox)
        return m_defaultText;
    if (box == CustomBox)
        return m_customText;
    return box >= 0 && box < kColourCount ? QString::fromLatin1(ColourAt(box).name) : QString();
}

void CColourPopup::Highlight(int box)
{
    if (box == m_highlighted)
        return;
    const int old = m_highlighted;
    m_highlighted = box;
    m_chosen = BoxColour(box, m_initial);
    update(BoxRect(old));
    update(BoxRect(box));
    // What a screen reader announces as the highlight moves.
    setAccessibleDescription(BoxName(box));
    emit highlighted(m_chosen);
}

void CColourPopup::mouseMoveEvent(QMouseEvent *event)
{
    const int box = m_layout.BoxAt(event->position().toPoint());
    if (box != NoBox)
        Highlight(box);
}

void CColourPopup::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    Finish(rect().contains(event->position().toPoint()));
}

void CColourPopup::keyPressEvent(QKeyEvent *event)
{
    const bool hasDefault = !m_defaultText.isEmpty();
    const bool hasCustom = !m_customText.isEmpty();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        Finish(true);
        return;
    case Qt::Key_Escape:
        Finish(false);
        return;
    case Qt::Key_Down:
        Highlight(NextBox(m_highlighted, Key::Down, hasDefault, hasCustom));
        return;
    case Qt::Key_Up:
        Highlight(NextBox(m_highlighted, Key::Up, hasDefault, hasCustom));
        return;
    case Qt::Key_Right:
        Highlight(NextBox(m_highlighted, Key::Right, hasDefault, hasCustom));
        return;
    case Qt::Key_Left:
        Highlight(NextBox(m_highlighted, Key::Left, hasDefault, hasCustom));
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void CColourPopup::closeEvent(QCloseEvent *event)
{
    // Closed from outside (a click elsewhere, another window activated): that is a cancel. While the custom
    // colour dialog is open the popup stays, so the host hears one result only.
    if (m_inDialog) {
        event->ignore();
        return;
    }
    if (!m_finished) {
        m_finished = true;
        emit cancelled(m_initial, m_highlighted == DefaultBox);
    }
    QWidget::closeEvent(event);
}

void CColourPopup::Finish(bool asSelected)
{
    if (m_finished || m_inDialog)
        return;
    const bool isDefault = m_highlighted == DefaultBox;
    if (asSelected && m_highlighted == CustomBox) {
        m_inDialog = true;
        // The dialog opens over the popup's owner: the popup steps aside so the dialog takes the mouse.
        hide();
        const std::optional<uint32_t> custom = m_chooser(m_initial, parentWidget());
        m_inDialog = false;
        if (custom)
            m_chosen = *custom;
        else
            asSelected = false;
    }
    if (!asSelected)
        m_chosen = m_initial;
    m_finished = true;
    if (asSelected)
        emit selected(m_chosen, isDefault);
    else
        emit cancelled(m_chosen, isDefault);
    close();
}

bool CColourPopup::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const int box = m_layout.BoxAt(help->pos());
        if (box >= 0)
            QToolTip::showText(help->globalPos(), BoxName(box), this, BoxRect(box));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void CColourPopup::PaintBox(QPainter &painter, int box)
{
    const QRect r = BoxRect(box);
    if (r.isEmpty())
        return;
    const QPalette &pal = palette();
    const bool isHighlighted = box == m_highlighted;
    const bool isChosen = box == m_chosenBox;
    const int m = m_layout.margin;
    if (box >= 0) {
        painter.fillRect(r, isChosen && !isHighlighted ? pal.color(QPalette::Light) : pal.color(QPalette::Button));
    } else {
        QRect area = r;
        if (box == CustomBox) {
            // The custom box is set off from the grid by an etched line.
            area.setTop(r.top() + 2 * m);
            painter.setPen(pal.color(QPalette::Dark));
            painter.drawLine(r.left() + 2 * m, r.top(), r.right() - 2 * m, r.top());
            painter.setPen(pal.color(QPalette::Light));
            painter.drawLine(r.left() + 2 * m, r.top() + 1, r.right() - 2 * m, r.top() + 1);
        }
        painter.fillRect(area, pal.color(QPalette::Button));
        painter.fillRect(area.adjusted(1, 1, -1, -1),
                         isChosen && !isHighlighted ? pal.color(QPalette::Midlight) : pal.color(QPalette::Button));
        if (box == DefaultBox) {
            painter.setPen(pal.color(QPalette::Dark));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(area.adjusted(2 * m, 2 * m, -2 * m - 1, -2 * m - 1));
        }
    }
    const QRect edge = box == CustomBox ? r.adjusted(0, 2 * m, 0, 0) : r;
    if (isHighlighted)
        qDrawShadePanel(&painter, edge, pal, false, 1);
    else if (isChosen)
        qDrawShadePanel(&painter, edge, pal, true, 1);
    if (box >= 0) {
        painter.setPen(pal.color(QPalette::Dark));
        painter.setBrush(CColorSelectButton::ToQColor(ColourAt(box).colour));
        painter.drawRect(r.adjusted(m + 1, m + 1, -m - 2, -m - 2));
    } else {
        painter.setPen(pal.color(QPalette::ButtonText));
        painter.drawText(edge, Qt::AlignCenter | Qt::TextSingleLine, BoxName(box));
    }
}

void CColourPopup::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    PaintBox(painter, DefaultBox);
    for (int i = 0; i < kColourCount; ++i)
        PaintBox(painter, i);
    PaintBox(painter, CustomBox);
    qDrawShadePanel(&painter, rect(), palette(), false, 1);
}
