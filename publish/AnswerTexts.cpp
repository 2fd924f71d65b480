#include "publish/AnswerTexts.h"

#include "model/ComponentFillBlanks.h"
#include "model/ComponentLikert.h"
#include "model/ComponentMultipleChoice.h"
#include "publish/PublishText.h"

#include <QStringList>

#include <algorithm>
#include <climits>
#include <cmath>

namespace CorvAnswerTexts {

QString FillBlanks(const CComponentFillBlanks &question)
{
    QStringList words;
    for (const QString &word : question.GetWords())
        if (!word.isEmpty())
            words.append(word);
    return words.join(u',');
}

QString Slider(const CComponentLikert &question)
{
    const float correct = question.GetCorrectValue();
    if (question.m_useNumbers)
        return PrintfFixed(correct, question.GetSnap() ? 0 : question.GetDecimalPlaces());
    // The words are numbered from 1 on the scale; the script counts them from 0. A value a damaged record
    // made infinite or not a number counts as the first word.
    const double rounded = std::isfinite(correct) ? std::trunc(double(correct) + 0.5) : 0.0;
    const int word = int(std::clamp(rounded, double(INT_MIN), double(INT_MAX)));
    return QString::number(word > 0 ? word - 1 : word);
}

QString MultipleChoice(const CComponentMultipleChoice &question)
{
    // The options are trimmed only to find where they end; the question keeps its texts as the author
    // typed them.
    const CComponentMultipleChoice::Options &options = question.GetOptions();
    qsizetype count = qsizetype(options.size());
    while (count > 0 && options[size_t(count - 1)].trimmed().isEmpty())
        --count;
    QStringList marks;
    for (qsizetype i = 0; i < count; ++i)
        marks.append(question.GetCorrectFlags()[size_t(i)] ? QStringLiteral("01") : QStringLiteral("00"));
    return marks.join(u',');
}

} // namespace CorvAnswerTexts
