#pragma once

#include "app/ColourPopupRules.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>

// The palette that drops down from a colour tool button: forty named colours, a default box above them
// ("No Fill", "No Line", "Automatic") and a custom box below ("More Colors"), each present when its text
// is. It opens at once at a screen point, follows the mouse and the arrow keys, and ends with exactly one
// selected or cancelled signal before it closes and deletes itself. Colours are COLORREF values;
// CorvColourPopup::kDefaultColour stands for the default box.
class CColourPopup : public QWidget
{
    Q_OBJECT
public:
    // Asks the author for a custom colour starting from the given one; nothing when the author cancels.
    using Chooser = std::function<std::optional<uint32_t>(uint32_t initial, QWidget *parent)>;

    CColourPopup(const QPoint &topLeft, uint32_t initial, QWidget *parent, const QString &defaultText = {},
                 const QString &customText = {});

    // Replaces the colour dialog of the custom box (tests answer from a script).
    void SetChooser(Chooser chooser) { m_chooser = std::move(chooser); }

    int HighlightedBox() const { return m_highlighted; }
    int ChosenBox() const { return m_chosenBox; }
    const CorvColourPopup::Layout &BoxLayout() const { return m_layout; }
    // The client rectangle of a box: a cell, the default or the custom box.
    QRect BoxRect(int box) const;

signals:
    // The colour of each box the highlight moves to (the initial colour for the custom box).
    void highlighted(uint32_t colour);
    // The colour chosen; isDefault when it was the default box.
    void selected(uint32_t colour, bool isDefault);
    // The initial colour; isDefault when the default box was highlighted.
    void cancelled(uint32_t colour, bool isDefault);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;

private:
    void Highlight(int box);
    void Finish(bool asSelected);
    void PaintBox(QPainter &painter, int box);
    QString BoxName(int box) const;

    uint32_t m_initial;
    uint32_t m_chosen;
    QString m_defaultText;
    QString m_customText;
    CorvColourPopup::Layout m_layout;
    int m_highlighted = CorvColourPopup::NoBox;
    int m_chosenBox = CorvColourPopup::NoBox;
    bool m_inDialog = false;
    bool m_finished = false;
    Chooser m_chooser;
};
