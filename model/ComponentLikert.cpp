#include "model/ComponentLikert.h"

#include "model/ComponentWindow.h"
#include "platform/Archive.h"
#include "platform/Escape.h"

namespace {

QString QuotedWord(const QString &word)
{
    return u'"' + CorvEscape::ScriptLiteral(word.trimmed()) + u'"';
}

} // namespace

CComponentLikert::CComponentLikert() : CComponentBase(ct_likert)
{
}

CComponentLikert::CComponentLikert(CEditCanvas *parent) : CComponentBase(ct_likert, parent, kDefaultBounds) {}

void CComponentLikert::SetValues(const Values &values)
{
    static_cast<Values &>(*this) = values;
    ExchangeData(false);
}

template <class T>
void CComponentLikert::Set(T &field, const T &value)
{
    field = value;
    if (m_window)
        m_window->UpdateFromComponent();
}

void CComponentLikert::SetQuestionText(const QString &text) { Set(m_questionText, text); }
void CComponentLikert::SetHorizontal(int horizontal) { Set(m_horizontal, horizontal); }
void CComponentLikert::SetShowFill(int showFill) { Set(m_showFill, showFill); }
void CComponentLikert::SetShowValue(int showValue) { Set(m_showValue, showValue); }
void CComponentLikert::SetUseNumbers(int useNumbers) { Set(m_useNumbers, useNumbers); }
void CComponentLikert::SetStartValue(float value) { Set(m_startValue, value); }
void CComponentLikert::SetEndValue(float value) { Set(m_endValue, value); }
void CComponentLikert::SetStartLabel(const QString &label) { Set(m_startLabel, label); }
void CComponentLikert::SetEndLabel(const QString &label) { Set(m_endLabel, label); }
void CComponentLikert::SetSnap(int snap) { Set(m_snap, snap); }
void CComponentLikert::SetEvaluate(int evaluate) { Set(m_evaluate, evaluate); }
void CComponentLikert::SetCorrectValue(float value) { Set(m_correctValue, value); }
void CComponentLikert::SetDecimalPlaces(int places) { Set(m_decimalPlaces, places); }
void CComponentLikert::SetCorrectFeedback(const QString &text) { Set(m_correctFeedback, text); }
void CComponentLikert::SetWrongFeedback(const QString &text) { Set(m_wrongFeedback, text); }
void CComponentLikert::SetWords(const QString &words) { Set(m_words, words); }
void CComponentLikert::SetTolerance(float tolerance) { Set(m_tolerance, tolerance); }
void CComponentLikert::SetMarkers(int markers) { Set(m_markers, markers); }

void CComponentLikert::BuildWordsJsArray(QString &out)
{
    out = QStringLiteral("[");
    if (!m_words.isEmpty() && m_useNumbers == 0) {
        if (!m_words.contains(u';')) {
            m_words = m_words.trimmed();
            out += QuotedWord(m_words);
        } else {
            QStringList quoted;
            for (const QString &word : m_words.split(u';', Qt::SkipEmptyParts))
                quoted.append(QuotedWord(word));
            out += quoted.join(u',');
        }
    }
    out += u']';
}

std::unique_ptr<CComponentBase> CComponentLikert::Clone(bool keepPosition) const
{
    return CloneKind<CComponentLikert>(keepPosition);
}

void CComponentLikert::SerializeComponent(CArchive &ar)
{
    if (ar.IsStoring()) {
        ExchangeData(true);
        StoreHead(ar);
        ar.WriteString(m_questionText);
        ar.WriteInt(m_horizontal);
        ar.WriteInt(m_showFill);
        ar.WriteInt(m_showValue);
        ar.WriteInt(m_useNumbers);
        ar.WriteFloat(m_startValue);
        ar.WriteFloat(m_endValue);
        ar.WriteString(m_startLabel);
        ar.WriteString(m_endLabel);
        ar.WriteInt(m_snap);
        ar.WriteInt(m_evaluate);
        ar.WriteFloat(m_correctValue);
        ar.WriteInt(m_decimalPlaces);
        ar.WriteString(m_correctFeedback);
        ar.WriteString(m_wrongFeedback);
        ar.WriteString(m_words);
        ar.WriteFloat(m_tolerance);
        ar.WriteInt(m_markers);
        return;
    }
    LoadBounds(ar);
    m_questionText = ar.ReadString();
    m_horizontal = ar.ReadInt();
    m_showFill = ar.ReadInt();
    m_showValue = ar.ReadInt();
    m_useNumbers = ar.ReadInt();
    m_startValue = ar.ReadFloat();
    m_endValue = ar.ReadFloat();
    m_startLabel = ar.ReadString();
    m_endLabel = ar.ReadString();
    m_snap = ar.ReadInt();
    m_evaluate = ar.ReadInt();
    m_correctValue = ar.ReadFloat();
    m_decimalPlaces = ar.ReadInt();
    m_correctFeedback = ar.ReadString();
    m_wrongFeedback = ar.ReadString();
    m_words = ar.ReadString();
    m_tolerance = ar.ReadFloat();
    m_markers = ar.ReadInt();
    ExchangeData(false);
}
