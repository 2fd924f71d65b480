#pragma once

#include <QImage>
#include <QSize>

class CCorvPage;

// A plain picture of a screen for the thumbnail lists when no finer renderer is installed: the white
// 1008 x 560 screen scaled to the size, each component's bounds outlined in drawing order.
class CThumbnailRenderer
{
public:
    static constexpr int kScreenWidth = 1008;
    static constexpr int kScreenHeight = 560;
    static QImage Render(const CCorvPage &screen, QSize size);
};
