#include "app/TemplateTable.h"

#include "platform/StringTable.h"

#include <QPainter>

#include <utility>
#include <vector>

namespace CorvTemplates {

namespace {

constexpr int kFirstListText = 10450;
constexpr int kFirstDescription = 10470;
constexpr QSize kPreviewSize(181, 135);
// The screen the layouts are drawn for.
constexpr QSize kScreen(1008, 560);

struct Box
{
    bool picture;
    QRect rect; // on the screen
};

// Layouts of the fixed templates with medium pictures (320 x 240), as the content screens place them.
const std::vector<Box> &Layout(int index)
{
    constexpr int w = 320, h = 240;
    static const std::vector<Box> layouts[] = {
        {{true, QRect(36, 32, w, h)}, {false, QRect(w + 76, 32, 896 - w - 40, h)}, {false, QRect(36, h + 64, 936, 456 - h)}},
        {{true, QRect(972 - w, 32, w, h)}, {false, QRect(36, 32, 896 - w, h)}, {false, QRect(36, h + 64, 936, 456 - h)}},
        {{false, QRect(36, 32, 936, 456 - h)}, {true, QRect(36, 520 - h, w, h)}, {false, QRect(w + 76, 520 - h, 896 - w, h)}},
        {{false, QRect(36, 32, 936, 456 - h)}, {false, QRect(36, 520 - h, 896 - w, h)}, {true, QRect(972 - w, 520 - h, w, h)}},
        {{true, QRect(36, 32, w, h)}, {false, QRect(w + 76, 32, 896 - w, 456 - h)}, {false, QRect(36, h + 64, 896 - w, 456 - h)}, {true, QRect(972 - w, 520 - h, w, h)}},
        {{false, QRect(36, 32, 896 - w, 456 - h)}, {true, QRect(972 - w, 32, w, h)}, {true, QRect(36, 520 - h, w, h)}, {false, QRect(w + 76, h + 64, 896 - w, 456 - h)}},
        {{true, QRect((1008 - w) / 2, 32, w, h)}, {false, QRect(36, h + 64, 936, 456 - h)}},
        {{true, QRect(36, (560 - w) / 2, w, w)}, {false, QRect(w + 76, 32, 896 - w, 488)}},
        {{false, QRect(36, 32, 936, 456 - h)}, {true, QRect((1008 - w) / 2, 520 - h, w, h)}},
        {{false, QRect(36, 32, 896 - w, 488)}, {true, QRect(972 - w, (560 - w) / 2, w, w)}},
        {}, {}, {},
        {{false, QRect(36, 32, 936, 488)}},
    };
    return layouts[index];
}

// The fixed layouts a random entry picks from.
std::pair<int, int> RandomRange(int index)
{
    switch (index) {
    case 10: return {0, 9};
    case 11: return {0, 5};
    default: return {6, 9};
    }
}

void DrawLayout(QPainter &painter, int index, const QRectF &target)
{
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / kScreen.width(), target.height() / kScreen.height());
    painter.fillRect(QRect(QPoint(0, 0), kScreen), QColor(0xFB, 0xF8, 0xF0));
    for (const Box &box : Layout(index)) {
        if (box.picture) {
            painter.fillRect(box.rect, QColor(0x9A, 0xA8, 0xB8));
            painter.setPen(QPen(QColor(0x5A, 0x68, 0x78), 8));
            painter.drawLine(box.rect.topLeft(), box.rect.bottomRight());
            painter.drawLine(box.rect.topRight(), box.rect.bottomLeft());
        } else {
            painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 10));
            for (int y = box.rect.top() + 24; y < box.rect.bottom() - 10; y += 44)
                painter.drawLine(box.rect.left() + 10, y, box.rect.right() - 10, y);
        }
    }
    painter.setPen(QPen(Qt::black, 6));
    painter.drawRect(QRect(QPoint(0, 0), kScreen));
    painter.restore();
}

} // namespace

bool IsValid(int index) { return index >= 0 && index < kCount; }

QString ListText(int index) { return IsValid(index) ? CStringTable::Load(kFirstListText + index) : QString(); }

QString Description(int index)
{
    return IsValid(index) ? CStringTable::Load(kFirstDescription + index) : QString();
}

QImage Preview(int index)
{
    if (!IsValid(index))
        return {};
    QImage image(kPreviewSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!Layout(index).empty() || index == kCount - 1) {
        DrawLayout(painter, index, QRectF(4, 20, 173, 96));
        return image;
    }
    // A random choice: its layouts side by side in a grid, small.
    const auto [first, last] = RandomRange(index);
    const int count = last - first + 1;
    const int columns = count > 6 ? 4 : count > 4 ? 3 : 2;
    const int rows = (count + columns - 1) / columns;
    const double cellWidth = 181.0 / columns, cellHeight = cellWidth * kScreen.height() / kScreen.width();
    const double top = (135.0 - rows * cellHeight) / 2;
    for (int i = 0; i < count; ++i)
        DrawLayout(painter, first + i,
                   QRectF((i % columns) * cellWidth + 2, top + (i / columns) * cellHeight + 2, cellWidth - 4,
                          cellHeight - 4));
    return image;
}

} // namespace CorvTemplates
