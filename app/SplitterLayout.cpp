#include "app/SplitterLayout.h"

#include <algorithm>

namespace {

constexpr int kHalfBar = CSplitterLayout::kBarWidth / 2;

// A rectangle from its edges, right and bottom one past the last pixel; negative sizes become empty.
QRect Edges(int left, int top, int right, int bottom)
{
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

int RightEdge(const QRect &r) { return r.x() + r.width(); }
int BottomEdge(const QRect &r) { return r.y() + r.height(); }

} // namespace

CSplitterLayout::CSplitterLayout(Kind kind, int minimumFirst, int minimumSecond)
    : m_kind(kind), m_minimumFirst(minimumFirst), m_minimumSecond(minimumSecond)
{
}

QString CSplitterLayout::ProfileSection(Kind kind, int id)
{
    return QStringLiteral("%1%2").arg(kind == Vertical ? QStringLiteral("splt\\init_v") : QStringLiteral("splt\\init_h")).arg(id);
}

QString CSplitterLayout::ProfileEntry(Kind kind)
{
    return kind == Vertical ? QStringLiteral("VertSplitPos") : QStringLiteral("HorizSplitPos");
}

int CSplitterLayout::DefaultProfileValue() const { return 2 * (m_kind == Vertical ? m_minimumFirst : m_minimumSecond); }

int CSplitterLayout::ProfileValue() const
{
    if (m_kind == Vertical)
        return m_first.isEmpty() ? -1 : m_leftEdge;
    return m_second.isEmpty() ? -1 : m_second.height();
}

void CSplitterLayout::Initialise(const QRect &client, int profileValue)
{
    m_client = client;
    if (m_kind == Vertical) {
        LayoutAt(profileValue + kHalfBar);
    } else {
        LayoutAt(BottomEdge(client) - kHalfBar - profileValue);
    }
    Remember();
}

void CSplitterLayout::Resize(const QRect &client)
{
    m_client = client;
    if (m_kind == Vertical) {
        if (m_firstHidden) {
            m_second = client;
            return;
        }
        LayoutAt(m_client.x() + m_kept + kHalfBar);
        return;
    }
    LayoutAt(ClampBar(BottomEdge(client) - kHalfBar - m_kept));
}

void CSplitterLayout::SetSplitterPos(int position)
{
    if (m_kind == Vertical) {
        m_leftEdge = position;
        m_kept = position - m_client.x();
        if (!m_firstHidden)
            LayoutAt(position + kHalfBar);
        return;
    }
    LayoutAt(position - kHalfBar);
    Remember();
}

int CSplitterLayout::GetSplitterPos() const
{
    return m_kind == Vertical ? m_leftEdge : m_second.y();
}

int CSplitterLayout::ClampBar(int position) const
{
    if (m_kind == Vertical) {
        const int low = m_client.x() + m_minimumFirst;
        const int high = RightEdge(m_client) - m_minimumSecond;
        return std::max(low, std::min(position, high));
    }
    const int low = m_client.y() + m_minimumFirst;
    const int high = BottomEdge(m_client) - m_minimumSecond;
    return std::max(low, std::min(position, high));
}

void CSplitterLayout::DropBarAt(int position)
{
    LayoutAt(ClampBar(position));
    Remember();
}

void CSplitterLayout::HideFirstPane()
{
    if (m_kind != Vertical || m_firstHidden)
        return;
    m_firstHidden = true;
    m_bar = QRect();
    m_second = m_client;
}

void CSplitterLayout::ShowFirstPane()
{
    if (m_kind != Vertical || !m_firstHidden)
        return;
    m_firstHidden = false;
    LayoutAt(m_leftEdge + kHalfBar);
}

void CSplitterLayout::LayoutAt(int position)
{
    constexpr int b = kBarWidth;
    const int top = m_client.y();
    const int bottom = BottomEdge(m_client);
    const int left = m_client.x();
    const int right = RightEdge(m_client);
    m_barCentre = position;
    if (m_kind == Vertical) {
        m_bar = Edges(position - b, top, position + b, bottom);
        m_first = Edges(left, top, position - kHalfBar, bottom);
        m_second = Edges(RightEdge(m_first) + b, top, right, bottom);
        m_leftEdge = position - kHalfBar;
        return;
    }
    m_bar = Edges(left, position - b, right, position + b);
    m_second = Edges(left, position + kHalfBar, right, bottom);
    m_first = Edges(left, top, right, m_second.y() - b);
}

void CSplitterLayout::Remember()
{
    if (m_kind == Vertical)
        m_kept = m_leftEdge - m_client.x();
    else
        m_kept = m_second.height();
}
