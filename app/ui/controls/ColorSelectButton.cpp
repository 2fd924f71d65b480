#include "app/ui/controls/ColorSelectButton.h"

#include "app/ui/controls/ColourDialog.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

CColorSelectButton::CColorSelectButton(QWidget *parent) : QPushButton(parent), m_chooser(CorvColourDialog::Ask)
{
    setMinimumSize(40, 24);
    // Hosts name the button after what it colours; this is what it says until they do.
    setAccessibleName(QStringLiteral("Colour"));
    connect(this, &QPushButton::clicked, this, &CColorSelectButton::OnClicked);
}

QColor CColorSelectButton::ToQColor(uint32_t colour)
{
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

uint32_t CColorSelectButton::FromQColor(const QColor &colour)
{
    return uint32_t(colour.red()) | uint32_t(colour.green()) << 8 | uint32_t(colour.blue()) << 16;
}

void CColorSelectButton::SetColor(uint32_t colour)
{
    m_colour = colour & 0xFFFFFF;
    setToolTip(ToQColor(m_colour).name());
    setAccessibleDescription(toolTip());
    update();
}

void CColorSelectButton::OnClicked()
{
    if (const std::optional<uint32_t> chosen = m_chooser(m_colour, window()))
        SetColor(*chosen);
    emit colourClicked();
}

void CColorSelectButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    const QRect swatch = rect().adjusted(4, 4, -4, -4);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.setBrush(ToQColor(m_colour));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
}
