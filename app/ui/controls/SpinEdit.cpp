#include "app/ui/controls/SpinEdit.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>

CSpinEdit::CSpinEdit(QWidget *parent) : QAbstractSpinBox(parent)
{
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
    connect(lineEdit(), &QLineEdit::textEdited, this, &CSpinEdit::TextEdited);
}

void CSpinEdit::SetRange(int low, int high)
{
    m_low = low;
    m_high = std::max(low, high);
}

void CSpinEdit::SetNumber(int number) { SetText(QString::number(number)); }

QString CSpinEdit::Text() const { return lineEdit()->text(); }

void CSpinEdit::SetText(const QString &text)
{
    const QSignalBlocker blocker(lineEdit());
    lineEdit()->setText(text);
    lineEdit()->setModified(false);
}

void CSpinEdit::stepBy(int steps)
{
    bool ok = false;
    const int current = Text().trimmed().toInt(&ok);
    // From a number beyond the range the arrows come back into it.
    const int number = std::clamp(ok ? current + steps : m_low, m_low, m_high);
    lineEdit()->setText(QString::number(number));
    emit Stepped(number);
}

QValidator::State CSpinEdit::validate(QString &input, int &) const
{
    if (m_digitsOnly && std::any_of(input.begin(), input.end(), [](QChar c) { return c < u'0' || c > u'9'; }))
        return QValidator::Invalid;
    // Whatever else is typed stays as typed: the page decides when the edit is left.
    return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled CSpinEdit::stepEnabled() const
{
    bool ok = false;
    const int current = Text().trimmed().toInt(&ok);
    if (!ok)
        return StepUpEnabled | StepDownEnabled;
    StepEnabled enabled = StepNone;
    if (current < m_high)
        enabled |= StepUpEnabled;
    if (current > m_low)
        enabled |= StepDownEnabled;
    return enabled;
}
