#include "platform/QuestionIdCounter.h"

namespace {

uint8_t ValidLetter(uint8_t letter)
{
    return letter >= 'A' && letter <= 'Z' ? letter : uint8_t('A');
}

} // namespace

QString CQuestionIdCounter::Next()
{
    const QString id = Peek();
    if (++m_second > 'Z') {
        m_second = 'A';
        if (++m_first > 'Z')
            m_first = 'A';
    }
    return id;
}

QString CQuestionIdCounter::Peek() const
{
    return QString(QChar(m_first)) + QChar(m_second);
}

void CQuestionIdCounter::Set(uint8_t first, uint8_t second)
{
    m_first = ValidLetter(first);
    m_second = ValidLetter(second);
}
