#pragma once

#include <QIcon>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QToolBar>

// A tool bar whose button pictures come from true-colour strips: one picture per button, side by side, in
// the order of the bar's buttons (separators have none). The strip's first stored pixel, the bottom-left one
// of a bitmap stored bottom-up, names its mask colour, which is transparent in every picture of the strip.
// A strip each for the normal, the hot (mouse over) and the disabled look.
class CTrueColorToolBar : public QToolBar
{
    Q_OBJECT
public:
    explicit CTrueColorToolBar(const QString &title, QWidget *parent = nullptr);

    // Builds the normal pictures, then the hot ones and the disabled ones when their strips are given
    // (null: none of that look), and gives them to the buttons. Stops at the first strip that cannot be used
    // and returns false.
    bool LoadToolBarImages(int imageWidth, const QImage &normal, const QImage &hot = {}, const QImage &disabled = {});
    // One look from one strip; false when the strip is empty or narrower than one picture.
    bool SetToolBarImageList(QIcon::Mode mode, const QImage &strip, int imageWidth);

    // The pictures of one look, in button order (tests look at them).
    QList<QPixmap> Images(QIcon::Mode mode) const;

    // The mask colour of a strip: the bottom-left pixel, the first one a bottom-up bitmap stores.
    static QRgb MaskColourOf(const QImage &strip);
    // The strip cut into pictures of imageWidth, the mask colour made transparent.
    static QList<QPixmap> SliceStrip(const QImage &strip, int imageWidth);

private:
    void ApplyIcons();

    QList<QPixmap> m_normal;
    QList<QPixmap> m_hot;
    QList<QPixmap> m_disabled;
};
