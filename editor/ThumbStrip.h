#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>

class CCorvPage;

// The thumbnail list of the Edit window without its window: one item per screen that has a thumbnail, in
// the order main, popups, glossary, each with its caption, its picture index and its states. Pictures live
// in two lists (100 x 70 and 190 x 140) that one index addresses; a slot is drawn the first time it is
// asked for, so opening a large course draws nothing until its thumbnails come into view.
class CThumbStrip
{
public:
    static constexpr QSize kSmallSize{100, 70};
    static constexpr QSize kLargeSize{190, 140};
    // Draws a screen into a picture of the size given.
    using Renderer = std::function<QImage(const CCorvPage &, QSize)>;

    struct Thumb {
        CCorvPage *screen = nullptr;
        QString text;
        int image = -1;
        bool selected = false;
        bool focused = false;
        bool dropHighlighted = false;
    };

    int GetItemCount() const { return int(m_items.size()); }
    const Thumb &GetItem(int index) const { return m_items[size_t(index)]; }
    CCorvPage *GetItemData(int index) const;
    // Inserts at index (clamped to the list); returns where the item went.
    int InsertItem(int index, const QString &text, int image, CCorvPage *screen);
    void DeleteItem(int index);
    void DeleteAllItems() { m_items.clear(); }
    // The index of the first item showing the screen; -1 for null or none.
    int FindItem(const CCorvPage *screen) const;
    // Moves an item to another place, its states with it.
    void MoveItem(int from, int to);

    // Every item loses its selected, focused and drop-highlighted states.
    void ClearStates();
    void ClearDropHighlights();
    void SetStates(int index, bool selected, bool focused, bool dropHighlighted);
    // The first selected item; -1 when none.
    int GetSelectedItem() const;

    // Captions by position: "P%d" or "G%d" for screens whose label starts with "P" or "G", else "%d".
    void RelabelThumbnails();

    // ---- Pictures ----
    void ResetImageLists();
    // A new empty slot in both lists; its index.
    int AddImage();
    int GetImageCount() const { return int(m_small.size()); }
    // Forgets the slot's pictures, so they are drawn again when next asked for.
    void InvalidateImage(int image);
    // The slot's picture, drawn from the screen when it is not yet drawn; null for a slot that does not exist.
    const QImage &SmallImage(int image, const CCorvPage &screen);
    const QImage &LargeImage(int image, const CCorvPage &screen);
    bool IsImageDrawn(int image) const;
    void SetRenderer(Renderer renderer) { m_renderer = std::move(renderer); }
    const Renderer &GetRenderer() const { return m_renderer; }
    // How many pictures have been drawn since the lists were made (for tests and measurements).
    int DrawCount() const { return m_drawCount; }

private:
    const QImage &Image(std::vector<QImage> &list, int image, const CCorvPage &screen, QSize size);

    std::vector<Thumb> m_items;
    std::vector<QImage> m_small;
    std::vector<QImage> m_large;
    Renderer m_renderer;
    int m_drawCount = 0;
};
