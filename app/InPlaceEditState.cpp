#include "app/InPlaceEditState.h"

void CInPlaceEditState::Begin(int row, int column, const QString &initialText)
{
    m_row = row;
    m_column = column;
    m_initialText = initialText;
    m_cancelled = false;
}

QString CInPlaceEditState::Finish(const QString &current)
{
    const QString reported = m_cancelled ? m_initialText : current;
    m_row = -1;
    m_column = -1;
    m_cancelled = false;
    return reported;
}
