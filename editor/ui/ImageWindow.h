#pragma once

#include "editor/ui/ComponentWindows.h"

#include <QSize>

class CComponentImage;
class CImageStatic;

// The window of a picture on the canvas: the picture as the component builds it for display, stretched over
// the window, a badge while a pan-and-zoom effect is chosen and the alternative text as the tooltip. Its
// menu offers "Delete link" only while the picture is linked.
class CWndImage : public CCanvasComponentWindow
{
    Q_OBJECT
public:
    CWndImage(CComponentImage &component, CScrollViewEx &canvas);

    void UpdateFromComponent() override;

    CImageStatic *Picture() const { return m_picture; }
    const QString &GetToolTipText() const { return m_toolTipText; }
    // Where the display picture lies in the window: centred at the top when the window holds it, else at the
    // top-left corner; and the sizes of the display picture now and as first laid out.
    QRect PictureRect() const { return m_pictureRect; }
    QSize PictureSize() const { return m_pictureSize; }
    QSize FirstSize() const { return m_firstSize; }

    // The picture rectangle of a display picture of size in a window of size (see PictureRect).
    static QRect LayOutPicture(const QSize &window, const QSize &picture);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void AddKindEntries(QMenu &menu) override;

private:
    void SetBitmap(const QImage &bitmap, bool relayout);
    void SetToolTipText(const QString &text);

    CComponentImage &m_image;
    CImageStatic *m_picture;
    QString m_toolTipText;
    QRect m_pictureRect;
    QSize m_pictureSize;
    QSize m_firstSize;
};
