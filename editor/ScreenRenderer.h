#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <vector>

class CComponentBase;
class CCorvPage;
class CCorvessaDoc;
class CCourseSettings;
class QPainter;

// Paints screens with QPainter: the canvas's own picture (screen colour, background picture, grid,
// components back to front) and the pictures of screens that are not on the canvas (the navigator's
// thumbnails). Every picture is made at the screen's 1008 x 560 and stretched whole into its size.
class CScreenRenderer
{
public:
    static constexpr QSize kScreenSize{1008, 560};
    static constexpr QSize kSmallThumbnail{100, 70};
    static constexpr QSize kLargeThumbnail{190, 140};
    static constexpr int kGridStep = 40;

    // What the canvas shows besides the components.
    struct Canvas {
        const CCourseSettings *settings = nullptr; // "UseCustomBackground", "BgColor", "UseBgImgTile"
        const QImage *background = nullptr;       // the loaded background picture, or none
        bool backgroundFlag = false;              // the Edit window shows the background
        bool gridFlag = false;                    // the Edit window shows the grid
        bool frame = false;                       // the inset frame of a small thumbnail
    };

    // The background picture the settings name: "BgImage" with a custom background, else the theme's
    // "bg.jpg" in the program folder. A null image when there is none or it cannot be read.
    static QImage LoadBackground(const CCourseSettings &settings, const QString &programFolder);
    static QString BackgroundPath(const CCourseSettings &settings, const QString &programFolder);

    // The canvas picture in canvas coordinates: screen colour, background (tiled or at the origin), grid,
    // frame, then the components of the list back to front, each as the thumbnails draw it.
    static void PaintCanvas(QPainter &painter, const Canvas &canvas, const std::vector<CComponentBase *> &components);
    // The screen colour, background and grid alone (what lies under the component windows).
    static void PaintBackdrop(QPainter &painter, const Canvas &canvas);
    // A screen not on the canvas: white, the frame when asked, its drawn components back to front.
    static void DrawPage(QPainter &painter, const CCorvPage &page, bool frame);

    // The screen's picture at the size given (the small thumbnail gets the frame, other sizes none).
    static QImage Render(const CCorvessaDoc &doc, const CCorvPage &page, QSize size);
    static QImage RenderSmallThumbnail(const CCorvPage &page);
    static QImage RenderLargeThumbnail(const CCorvPage &page);
    // The canvas's own picture (background and grid included) stretched to the size.
    static QImage RenderCanvas(const Canvas &canvas, const std::vector<CComponentBase *> &components, QSize size);

private:
    static QImage Stretch(const QImage &full, QSize size);
};
