#include "model/ComponentButton.h"

#include "model/ComponentWindow.h"
#include "platform/Archive.h"

#include <QFont>
#include <QPainter>

CComponentButton::CComponentButton(CEditCanvas *parent) : CComponentBase(ct_button, parent) {}

void CComponentButton::SetValues(const Values &values)
{
    static_cast<Values &>(*this) = values;
    ExchangeData(false);
}

void CComponentButton::SetText(const QString &caption)
{
    m_caption = caption;
    if (m_window)
        m_window->UpdateFromComponent();
}

void CComponentButton::SetFont(const QString &face, int size)
{
    m_fontFace = face;
    m_fontSize = size;
    if (m_window)
        m_window->UpdateFromComponent();
}

void CComponentButton::SetBounds(const CRect &rect, bool move)
{
    m_bounds = rect;
    if (move && m_window) {
        m_window->MoveWindow(m_bounds);
        m_window->Invalidate();
    }
}

void CComponentButton::Draw(QPainter &painter) const
{
    painter.save();
    QFont font = painter.font();
    if (!m_fontFace.isEmpty())
        font.setFamily(m_fontFace);
    if (m_fontSize > 0)
        font.setPixelSize(-FontHeightFromPoints(m_fontSize));
    painter.setFont(font);
    painter.drawText(m_bounds.ToQRect(), Qt::AlignCenter | Qt::TextSingleLine, m_caption);
    painter.restore();
}

std::unique_ptr<CComponentBase> CComponentButton::Clone(bool keepPosition) const
{
    return CloneKind<CComponentButton>(keepPosition);
}

void CComponentButton::SerializeComponent(CArchive &ar)
{
    if (ar.IsStoring()) {
        StoreHead(ar);
        ar.WriteString(m_caption);
        return;
    }
    LoadBounds(ar);
    m_caption = ar.ReadString();
    ExchangeData(false);
}
