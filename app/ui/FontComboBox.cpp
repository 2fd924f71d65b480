#include "app/ui/FontComboBox.h"

#include "app/BarRules.h"

#include <QFontDatabase>
#include <QPainter>

CFontComboBox::CFontComboBox(QWidget *parent) : QComboBox(parent)
{
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(12);
}

void CFontComboBox::FillFonts()
{
    QList<CorvBarRules::FontFamily> families;
    for (const QString &family : QFontDatabase::families())
        families.append({family, QFontDatabase::isScalable(family), QFontDatabase::isPrivateFamily(family)});
    FillFonts(CorvBarRules::FontBoxNames(families));
}

void CFontComboBox::FillFonts(const QStringList &names)
{
    QList<CorvBarRules::FontFamily> families;
    for (const QString &name : names)
        families.append({name, true, false});
    const QStringList sorted = CorvBarRules::FontBoxNames(families);
    const QSignalBlocker quiet(this);
    clear();
    addItems(sorted);
    int selected = -1;
    for (int i = 0; i < sorted.size() && selected < 0; ++i)
        if (sorted[i].compare(m_selectedName, Qt::CaseInsensitive) == 0)
            selected = i;
    setCurrentIndex(selected);
}

void CFontComboBox::RepaintFrame(bool hot)
{
    m_hot = hot;
    ++(hot ? m_hotRepaints : m_coldRepaints);
    update();
}

void CFontComboBox::paintEvent(QPaintEvent *event)
{
    QComboBox::paintEvent(event);
    // Two sunken lines around the box: dark shadow and light inside, shadow and highlight outside.
    QPainter painter(this);
    const QPalette &p = palette();
    QRect inner = rect().adjusted(1, 1, -2, -2);
    const QRect outer = rect().adjusted(0, 0, -1, -1);
    const auto sunken = [&painter](const QRect &r, const QColor &topLeft, const QColor &bottomRight) {
        painter.setPen(topLeft);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    };
    sunken(inner, p.color(QPalette::Shadow), p.color(QPalette::Midlight));
    sunken(outer, p.color(QPalette::Dark), p.color(QPalette::Light));
}

void CFontComboBox::enterEvent(QEnterEvent *event)
{
    if (!m_hasFocus && !m_tracking) {
        RepaintFrame(true);
        m_tracking = true;
    }
    QComboBox::enterEvent(event);
}

void CFontComboBox::leaveEvent(QEvent *event)
{
    if (m_tracking) {
        m_tracking = false;
        if (!m_hasFocus)
            RepaintFrame(false);
    }
    QComboBox::leaveEvent(event);
}

void CFontComboBox::focusInEvent(QFocusEvent *event)
{
    m_hasFocus = true;
    RepaintFrame(true);
    QComboBox::focusInEvent(event);
}

void CFontComboBox::focusOutEvent(QFocusEvent *event)
{
    m_hasFocus = false;
    RepaintFrame(false);
    QComboBox::focusOutEvent(event);
}
