#pragma once

#include "model/ComponentBase.h"

// What a rating-scale question keeps: copied whole by Clone, and what its window and dialogs exchange.
struct SLikertValues {
    // Read directly.
    int m_showFill = 1;
    int m_showValue = 1;
    int m_useNumbers = 1;
    QString m_questionText;
    int m_horizontal = 1;
    float m_startValue = 0.0f;
    float m_endValue = 0.0f;
    QString m_startLabel;
    QString m_endLabel;
    int m_snap = 1;
    int m_evaluate = 1;
    float m_correctValue = 0.0f;
    int m_decimalPlaces = 0;
    QString m_correctFeedback;
    QString m_wrongFeedback;
    QString m_words;
    float m_tolerance = 0.0f;
    int m_markers = 10;
};

// The slider question: the student moves a slider along a scale of numbers or of words (";" separated),
// and the published course may judge the answer against a correct value within a tolerance.
class CComponentLikert : public CComponentBase, private SLikertValues
{
public:
    CComponentLikert();
    explicit CComponentLikert(CEditCanvas *parent);

    using Values = SLikertValues;
    using SLikertValues::m_showFill;
    using SLikertValues::m_showValue;
    using SLikertValues::m_useNumbers;
    const Values &GetValues() const { return *this; }
    // Takes every value and shows them in the window.
    void SetValues(const Values &values);

    void SetQuestionText(const QString &text);
    const QString &GetQuestionText() const { return m_questionText; }
    void SetHorizontal(int horizontal);
    int IsHorizontal() const { return m_horizontal; }
    void SetShowFill(int showFill);
    void SetShowValue(int showValue);
    void SetUseNumbers(int useNumbers);
    void SetStartValue(float value);
    float GetStartValue() const { return m_startValue; }
    void SetEndValue(float value);
    float GetEndValue() const { return m_endValue; }
    void SetStartLabel(const QString &label);
    const QString &GetStartLabel() const { return m_startLabel; }
    void SetEndLabel(const QString &label);
    const QString &GetEndLabel() const { return m_endLabel; }
    void SetSnap(int snap);
    int GetSnap() const { return m_snap; }
    void SetEvaluate(int evaluate);
    int GetEvaluate() const { return m_evaluate; }
    void SetCorrectValue(float value);
    float GetCorrectValue() const { return m_correctValue; }
    void SetDecimalPlaces(int places);
    int GetDecimalPlaces() const { return m_decimalPlaces; }
    void SetCorrectFeedback(const QString &text);
    const QString &GetCorrectFeedback() const { return m_correctFeedback; }
    void SetWrongFeedback(const QString &text);
    const QString &GetWrongFeedback() const { return m_wrongFeedback; }
    void SetWords(const QString &words);
    const QString &GetWords() const { return m_words; }
    void SetTolerance(float tolerance);
    float GetTolerance() const { return m_tolerance; }
    void SetMarkers(int markers);
    int GetMarkers() const { return m_markers; }

    // The word scale of the published slider as a script array: "[]" on a number scale or without words,
    // else each word (trimmed, as a script string) in order. A single word is trimmed in the component too.
    void BuildWordsJsArray(QString &out);

    std::unique_ptr<CComponentBase> Clone(bool keepPosition) const override;
    void SerializeComponent(CArchive &ar) override;

    static constexpr CRect kDefaultBounds{10, 10, 1014, 500};

private:
    // Every setter shows the new value in the window.
    template <class T>
    void Set(T &field, const T &value);
};
