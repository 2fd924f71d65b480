#include "app/ui/controls/SSplitter.h"

#include "platform/IniFile.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>

namespace {

// How far an arrow key moves the bar.
constexpr int kKeyStep = 8;

} // namespace

CSSplitter::CSSplitter(QWidget *parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("Splitter"));
}

CSSplitter::~CSSplitter() { SaveProfile(); }

void CSSplitter::SetProfile(CIniFile *profile, const QString &baseKey)
{
    m_profile = profile;
    m_baseKey = baseKey;
}

bool CSSplitter::Create(int style, QWidget *parent, QWidget *first, QWidget *second, int id, const QRect &rect,
                        int minimum1, int minimum2)
{
    const auto kind = (style & HorizontalSplit) ? CSplitterLayout::Horizontal : CSplitterLayout::Vertical;
    m_layout = std::make_unique<CSplitterLayout>(kind, minimum1, minimum2);
    m_id = id;
    m_first = first;
    m_second = second;
    setParent(parent);
    setGeometry(rect);
    for (QWidget *pane : {first, second}) {
        if (!pane)
            continue;
        pane->setParent(this);
        pane->show();
        // A splitter inside a pane reports its drops through this one.
        if (auto *inner = qobject_cast<CSSplitter *>(pane))
            connect(inner, &CSSplitter::splitterMoved, this, &CSSplitter::splitterMoved);
    }
    setCursor(kind == CSplitterLayout::Vertical ? Qt::SplitHCursor : Qt::SplitVCursor);
    setFocusPolicy(Qt::TabFocus);
    int stored = m_layout->DefaultProfileValue();
    if (m_profile)
        stored = m_profile->ReadInt(m_baseKey + u'\\' + CSplitterLayout::ProfileSection(kind, id),
                                    CSplitterLayout::ProfileEntry(kind), stored);
    m_layout->Initialise(QRect(QPoint(0, 0), rect.size()), stored);
    Place();
    show();
    return true;
}

bool CSSplitter::RestoreFromProfile()
{
    if (!m_profile || !m_layout)
        return false;
    const auto kind = m_layout->GetKind();
    const QString section = m_baseKey + u'\\' + CSplitterLayout::ProfileSection(kind, m_id);
    if (!m_profile->HasKey(section, CSplitterLayout::ProfileEntry(kind)))
        return false;
    const int stored = m_profile->ReadInt(section, CSplitterLayout::ProfileEntry(kind));
    m_layout->Initialise(m_layout->Client(), stored);
    Place();
    return true;
}

void CSSplitter::SaveProfile()
{
    if (!m_profile || !m_layout)
        return;
    const int value = m_layout->ProfileValue();
    if (value < 0)
        return;
    const auto kind = m_layout->GetKind();
    m_profile->WriteInt(m_baseKey + u'\\' + CSplitterLayout::ProfileSection(kind, m_id), CSplitterLayout::ProfileEntry(kind),
                        value);
}

void CSSplitter::Place()
{
    if (!m_layout)
        return;
    const bool hidden = m_layout->IsFirstPaneHidden();
    if (m_first) {
        m_first->setVisible(!hidden);
        if (!hidden)
            m_first->setGeometry(m_layout->FirstPane());
    }
    if (m_second)
        m_second->setGeometry(m_layout->SecondPane());
    update();
}

void CSSplitter::SetSplitterPos(int position)
{
    if (!m_layout)
        return;
    m_layout->SetSplitterPos(position);
    Place();
}

int CSSplitter::GetSplitterPos() const { return m_layout ? m_layout->GetSplitterPos() : 0; }

bool CSSplitter::IsHorizontalSplit() const { return m_layout && m_layout->GetKind() == CSplitterLayout::Horizontal; }

void CSSplitter::HideFirstPane()
{
    if (!m_layout || !m_second)
        return;
    m_layout->HideFirstPane();
    Place();
}

void CSSplitter::ShowFirstPane()
{
    if (!m_layout)
        return;
    m_layout->ShowFirstPane();
    Place();
}

void CSSplitter::DrawSplitLine(QPainter &painter, const QRect &offset) const
{
    if (!m_layout)
        return;
    constexpr int b = CSplitterLayout::kBarWidth;
    const QRect bar = m_layout->BarZone();
    painter.save();
    painter.setPen(Qt::black);
    if (IsHorizontalSplit()) {
        const int y = offset.top() + b / 2 + bar.top();
        painter.drawLine(offset.left(), y, offset.right(), y);
    } else {
        const int x = bar.left() + b + offset.left();
        painter.drawLine(x, offset.top(), x, offset.bottom());
    }
    painter.restore();
}

void CSSplitter::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (!m_layout)
        return;
    m_layout->Resize(rect());
    Place();
}

int CSSplitter::Along(const QPoint &point) const { return IsHorizontalSplit() ? point.y() : point.x(); }

void CSSplitter::mousePressEvent(QMouseEvent *event)
{
    if (m_passThrough || !m_layout) {
        event->ignore();
        return;
    }
    const QPoint point = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !m_layout->BarZone().contains(point)) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_focusBefore = QApplication::focusWidget();
    setFocus(Qt::MouseFocusReason);
    m_dragging = true;
    ShowBand(m_layout->ClampBar(Along(point)));
}

void CSSplitter::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging)
        ShowBand(m_layout->ClampBar(Along(event->position().toPoint())));
}

void CSSplitter::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_dragging || event->button() != Qt::LeftButton)
        return;
    EndDrag();
    Drop(Along(event->position().toPoint()));
}

void CSSplitter::Drop(int position)
{
    m_layout->DropBarAt(position);
    Place();
    // Only the side-by-side kind tells its host (the navigator and canvas of the Edit window listen).
    if (!IsHorizontalSplit())
        emit splitterMoved();
}

void CSSplitter::EndDrag()
{
    m_dragging = false;
    if (m_band)
        m_band->hide();
    if (m_focusBefore && m_focusBefore != this)
        m_focusBefore->setFocus(Qt::OtherFocusReason);
}

void CSSplitter::ShowBand(int position)
{
    m_dragPosition = position;
    if (!m_band)
        m_band = new QRubberBand(QRubberBand::Line, this);
    constexpr int b = CSplitterLayout::kBarWidth;
    if (IsHorizontalSplit())
        m_band->setGeometry(0, position - b / 2, width(), b);
    else
        m_band->setGeometry(position - b / 2, 0, b, height());
    m_band->show();
    m_band->raise();
}

void CSSplitter::keyPressEvent(QKeyEvent *event)
{
    if (!m_layout) {
        event->ignore();
        return;
    }
    if (m_dragging && event->key() == Qt::Key_Escape) {
        // The drag ends where it began: the panes never moved.
        EndDrag();
        return;
    }
    const bool horizontal = IsHorizontalSplit();
    int step = 0;
    if (event->key() == (horizontal ? Qt::Key_Up : Qt::Key_Left))
        step = -kKeyStep;
    else if (event->key() == (horizontal ? Qt::Key_Down : Qt::Key_Right))
        step = kKeyStep;
    if (step == 0 || m_dragging || m_layout->IsFirstPaneHidden()) {
        // Other keys (the frame's shortcuts among them) go on to the parent.
        event->ignore();
        return;
    }
    Drop(m_layout->BarCentre() + step);
}

void CSSplitter::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void CSSplitter::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

void CSSplitter::paintEvent(QPaintEvent *)
{
    if (!hasFocus() || !m_layout || m_layout->BarZone().isEmpty())
        return;
    // The bar shows the focus, so the author sees what the arrow keys move.
    QPainter painter(this);
    painter.fillRect(m_layout->BarZone().intersected(rect()), palette().color(QPalette::Highlight));
}
