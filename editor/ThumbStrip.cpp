#include "editor/ThumbStrip.h"

#include "editor/ThumbnailRenderer.h"
#include "model/CorvPage.h"

#include <algorithm>

CCorvPage *CThumbStrip::GetItemData(int index) const
{
    return index >= 0 && index < GetItemCount() ? m_items[size_t(index)].screen : nullptr;
}

int CThumbStrip::InsertItem(int index, const QString &text, int image, CCorvPage *screen)
{
    index = std::clamp(index, 0, GetItemCount());
    Thumb thumb;
    thumb.screen = screen;
    thumb.text = text;
    thumb.image = image;
    m_items.insert(m_items.begin() + index, thumb);
    return index;
}

void CThumbStrip::DeleteItem(int index)
{
    if (index >= 0 && index < GetItemCount())
        m_items.erase(m_items.begin() + index);
}

int CThumbStrip::FindItem(const CCorvPage *screen) const
{
    if (!screen)
        return -1;
    for (int i = 0; i < GetItemCount(); ++i)
        if (m_items[size_t(i)].screen == screen)
            return i;
    return -1;
}

void CThumbStrip::MoveItem(int from, int to)
{
    if (from < 0 || from >= GetItemCount() || from == to)
        return;
    const Thumb thumb = m_items[size_t(from)];
    m_items.erase(m_items.begin() + from);
    m_items.insert(m_items.begin() + std::clamp(to, 0, GetItemCount()), thumb);
}

void CThumbStrip::ClearStates()
{
    for (Thumb &t : m_items)
        t.selected = t.focused = t.dropHighlighted = false;
}

void CThumbStrip::ClearDropHighlights()
{
    for (Thumb &t : m_items)
        t.dropHighlighted = false;
}

void CThumbStrip::SetStates(int index, bool selected, bool focused, bool dropHighlighted)
{
    if (index < 0 || index >= GetItemCount())
        return;
    Thumb &t = m_items[size_t(index)];
    t.selected = selected;
    t.focused = focused;
    t.dropHighlighted = dropHighlighted;
}

int CThumbStrip::GetSelectedItem() const
{
    for (int i = 0; i < GetItemCount(); ++i)
        if (m_items[size_t(i)].selected)
            return i;
    return -1;
}

void CThumbStrip::RelabelThumbnails()
{
    for (int i = 0; i < GetItemCount(); ++i) {
        Thumb &t = m_items[size_t(i)];
        const QString label = t.screen ? t.screen->GetLabel() : QString();
        QString prefix;
        if (label.startsWith(u'P', Qt::CaseInsensitive))
            prefix = QStringLiteral("P");
        else if (label.startsWith(u'G', Qt::CaseInsensitive))
            prefix = QStringLiteral("G");
        t.text = prefix + QString::number(i + 1);
    }
}

void CThumbStrip::ResetImageLists()
{
    m_small.clear();
    m_large.clear();
    m_items.clear();
    m_drawCount = 0;
}

int CThumbStrip::AddImage()
{
    m_small.emplace_back();
    m_large.emplace_back();
    return int(m_small.size()) - 1;
}

void CThumbStrip::InvalidateImage(int image)
{
    if (image < 0 || image >= GetImageCount())
        return;
    m_small[size_t(image)] = QImage();
    m_large[size_t(image)] = QImage();
}

bool CThumbStrip::IsImageDrawn(int image) const
{
    return image >= 0 && image < GetImageCount() && !m_small[size_t(image)].isNull();
}

const QImage &CThumbStrip::Image(std::vector<QImage> &list, int image, const CCorvPage &screen, QSize size)
{
    static const QImage none;
    if (image < 0 || image >= int(list.size()))
        return none;
    QImage &slot = list[size_t(image)];
    if (slot.isNull()) {
        slot = m_renderer ? m_renderer(screen, size) : CThumbnailRenderer::Render(screen, size);
        ++m_drawCount;
    }
    return slot;
}

const QImage &CThumbStrip::SmallImage(int image, const CCorvPage &screen)
{
    return Image(m_small, image, screen, kSmallSize);
}

const QImage &CThumbStrip::LargeImage(int image, const CCorvPage &screen)
{
    return Image(m_large, image, screen, kLargeSize);
}
