#include "image/ImageRowCursor.h"

#include "image/xImage.h"

#include <algorithm>
#include <cstring>

ImageRowCursor::ImageRowCursor(CxImage *image)
    : m_row(image ? image->GetRowPointer(0) : nullptr)
    , m_image(image)
{
}

uint8_t *ImageRowCursor::SetRow(int32_t row)
{
    // Only rows inside the picture: a row at the height would address the bytes after the block.
    if (m_image && row >= 0 && row < m_image->GetHeight()) {
        y = row;
        m_row = m_image->GetRowPointer(uint32_t(row));
    }
    return m_row;
}

uint8_t *ImageRowCursor::ToTopRow()
{
    x = 0;
    if (!m_image || !m_image->IsValid())
        return m_row;
    y = m_image->GetHeight() - 1;
    m_row = m_image->GetRowPointer(uint32_t(y));
    return m_row;
}

bool ImageRowCursor::PreviousRow()
{
    --y;
    if (y < 0 || !m_row || !m_image)
        return false;
    m_row -= m_image->GetRowStride();
    return true;
}

void ImageRowCursor::WriteRow(const uint8_t *buffer, int32_t n)
{
    if (!m_row || !buffer || n == 0 || !m_image)
        return;
    const uint32_t stride = m_image->GetRowStride();
    const size_t count = n < 0 ? stride : std::min<size_t>(size_t(n), stride);
    std::memcpy(m_row, buffer, count);
}

void ImageRowCursor::ReadRow(uint8_t *buffer, int32_t n) const
{
    if (!m_row || !buffer || n <= 0 || !m_image)
        return;
    std::memcpy(buffer, m_row, std::min<size_t>(size_t(n), m_image->GetRowStride()));
}
