#pragma once

#include <QRect>
#include <QString>

// Where a splitter puts its two panes and its bar, without a window: side by side (a vertical bar) or one
// above the other (a horizontal bar), the bar 3 pixels wide, each pane kept at its minimum while dragging. The
// vertical kind keeps the left pane's width when the splitter is resized, the horizontal kind the bottom
// pane's height.
class CSplitterLayout
{
public:
    enum Kind { Vertical = 1, Horizontal = 2 };
    static constexpr int kBarWidth = 3;

    CSplitterLayout(Kind kind, int minimumFirst, int minimumSecond);

    Kind GetKind() const { return m_kind; }
    int MinimumFirst() const { return m_minimumFirst; }
    int MinimumSecond() const { return m_minimumSecond; }

    // The profile of the bar position: section "splt\init_v<id>" entry "VertSplitPos" (the left pane's right
    // edge), or "splt\init_h<id>" entry "HorizSplitPos" (the bottom pane's height); twice the first (left) or
    // second (bottom) minimum when the profile has none.
    static QString ProfileSection(Kind kind, int id);
    static QString ProfileEntry(Kind kind);
    int DefaultProfileValue() const;
    // The value to keep in the profile, or -1 when the pane it measures is empty.
    int ProfileValue() const;

    // The first layout in a client area from a profile value.
    void Initialise(const QRect &client, int profileValue);
    // The client area changed: the left pane keeps its width (or the bottom pane its height).
    void Resize(const QRect &client);
    // Vertical: the left pane's right edge; horizontal: the bottom pane's top.
    void SetSplitterPos(int position);
    int GetSplitterPos() const;
    // The bar centre a drag may reach: each pane keeps its minimum.
    int ClampBar(int position) const;
    // Lays out at a bar centre and remembers the kept pane's size (a dropped drag).
    void DropBarAt(int position);

    // Vertical only: the right pane takes the whole client area and the bar cannot be grabbed; showing
    // lays out again at the remembered left edge.
    void HideFirstPane();
    void ShowFirstPane();
    bool IsFirstPaneHidden() const { return m_firstHidden; }

    const QRect &Client() const { return m_client; }
    const QRect &FirstPane() const { return m_first; }
    const QRect &SecondPane() const { return m_second; }
    // The bar's centre line as laid out last.
    int BarCentre() const { return m_barCentre; }
    // Where a press grabs the bar (empty while the first pane is hidden).
    const QRect &BarZone() const { return m_bar; }

private:
    void LayoutAt(int position);
    void Remember();

    Kind m_kind;
    int m_minimumFirst;
    int m_minimumSecond;
    QRect m_client;
    QRect m_first;
    QRect m_second;
    QRect m_bar;
    // The left pane's width (vertical) or the bottom pane's height (horizontal) kept across resizing.
    int m_kept = 0;
    // The left pane's right edge before the pane was hidden.
    int m_leftEdge = 0;
    int m_barCentre = 0;
    bool m_firstHidden = false;
};
