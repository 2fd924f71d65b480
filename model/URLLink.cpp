#include "model/URLLink.h"

CURLLink::CURLLink(const QString &text, int number, int position, int screenLink, int targetScreen,
                   const QString &address, int popup, int script, int fullSize, int popupHeight, int popupWidth)
{
    Set(text, number, position, screenLink, targetScreen, address, popup, script, fullSize, popupHeight, popupWidth);
}

void CURLLink::Set(const QString &text, int number, int position, int screenLink, int targetScreen,
                   const QString &address, int popup, int script, int fullSize, int popupHeight, int popupWidth)
{
    m_text = text;
    m_number = number;
    m_position = position;
    m_screenLink = screenLink;
    m_targetScreen = targetScreen;
    m_address = address;
    m_popup = popup;
    m_script = script;
    m_fullSize = fullSize;
    m_popupHeight = popupHeight;
    m_popupWidth = popupWidth;
}

QString CURLLink::OpeningMarker(int number)
{
    return QStringLiteral("[%1#").arg(number, 4, 10, QLatin1Char('0'));
}

QString CURLLink::ClosingMarker(int number)
{
    return QStringLiteral("#%1]").arg(number, 4, 10, QLatin1Char('0'));
}
