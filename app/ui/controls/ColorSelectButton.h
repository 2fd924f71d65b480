#pragma once

#include <QPushButton>

#include <cstdint>
#include <functional>
#include <optional>

// A push button showing a colour swatch. A click opens the colour dialog with the button's colour; OK takes
// the dialog's colour; the host hears the click afterwards either way and compares the colour itself.
// Colours are red + green x 256 + blue x 65536, as the course settings hold them.
class CColorSelectButton : public QPushButton
{
    Q_OBJECT
public:
    // Asks the author for a colour starting from the given one; nothing when the author cancels.
    using Chooser = std::function<std::optional<uint32_t>(uint32_t initial, QWidget *parent)>;

    explicit CColorSelectButton(QWidget *parent = nullptr);

    void SetColor(uint32_t colour);
    uint32_t GetColor() const { return m_colour; }
    // Replaces the colour dialog (tests answer from a script).
    void SetChooser(Chooser chooser) { m_chooser = std::move(chooser); }

    static QColor ToQColor(uint32_t colour);
    static uint32_t FromQColor(const QColor &colour);

signals:
    // After the dialog closed, also when it was cancelled.
    void colourClicked();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void OnClicked();

    uint32_t m_colour = 0xFFFFFF;
    Chooser m_chooser;
};
