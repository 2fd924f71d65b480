#pragma once

#include "model/ComponentBase.h"
#include "platform/Result.h"

#include <array>

class CCorvContext;
class CQuestionIdCounter;

// What a free-text question keeps: copied whole by Clone, and what its dialog exchanges. Read and written
// directly by the editor and the publisher.
struct SFreeFormTextValues {
    static constexpr int kKeywords = 10;
    using Keywords = std::array<QString, kKeywords>;

    Keywords m_keywords;
    QString m_questionId;
    QString m_instruction = QStringLiteral("Please type your response below.");
    QString m_correctFeedback;
    QString m_wrongFeedback;
    int m_evaluate = 1;
    int m_storeResponse = 0;
    int m_emailResponse = 0;
    int m_rememberResponse = 0;
    int m_showPrintButton = 0;
    int m_wholeWords = 1;
    int m_caseSensitive = 0;
    int m_numberToMatch = 0;
    int m_maxCharacters = 250;
};

// The question in which the student types a free answer, which the published course may match against up
// to ten keywords (each may list alternatives separated by ";"), store, e-mail, keep for the session and
// offer for printing. Each question has a two-letter id from the program's counter; every record ends with
// the counter's letters, and reading one sets the counter back to them.
//
// Its settings are edited only through its dialog (EditProperties); its window paints a preview.
class CComponentFreeFormText : public CComponentBase, public SFreeFormTextValues
{
public:
    using SFreeFormTextValues::kKeywords;
    using Keywords = SFreeFormTextValues::Keywords;

    // What the question's dialog shows and edits; the id is shown only.
    using Values = SFreeFormTextValues;
    using DialogValues = Values;
    // The dialog: true on OK with the values edited, false on Cancel.
    class Dialog
    {
    public:
        virtual ~Dialog() = default;
        virtual bool Edit(DialogValues &values) = 0;
    };

    // Made for reading a record (the loaders): the id and the counter come with the record.
    explicit CComponentFreeFormText(CEditCanvas *parent = nullptr);
    // A new question: its id is the counter's next, and its copies draw theirs from the same counter.
    CComponentFreeFormText(CEditCanvas *parent, CQuestionIdCounter &ids);

    // Questions of this kind keep no font; the screen factory calls this like for every question.
    void SetFont(const QString & /*face*/, int /*points*/) {}

    // Runs the dialog on the question's values. On OK takes them back (not the id), normalises each
    // keyword twice, and turns evaluation off when no keyword is left; returns true. Cancel changes nothing.
    bool EditProperties(Dialog &dialog);
    // The question's markup from the program folder's FreeFormText.txt; fails, with the message for the
    // author, when the template cannot be read.
    CResult<QString> BuildPublishHtml(const CCorvContext &context, const QString &prefix) const;
    // The line quest["<id>"] = [...]; of the screen's answer script: each keyword encoded with the key id,
    // a keyword with alternatives as a list of them.
    void BuildKeywordsJs(const QString &id, QString &out) const;
    int CountKeywords() const;
    // Blanks at both ends and one ";" at either end go; runs of ";" and of blanks shrink to one, and blanks
    // after a ";" go.
    static void NormaliseKeyword(QString &keyword);

    const DialogValues &GetValues() const { return *this; }
    // Takes every value but the id, which stays the question's own.
    void SetValues(const DialogValues &values);

    // Its settings live in the component alone: there is nothing to exchange with the window.
    void ExchangeData(bool /*save*/) override {}
    // The preview of the instruction and the keyword boxes.
    void Draw(QPainter &painter) const override;
    std::unique_ptr<CComponentBase> Clone(bool keepPosition) const override;
    void SerializeComponent(CArchive &ar) override;

    static constexpr CRect kDefaultBounds{10, 10, 1014, 500};

private:
    CQuestionIdCounter &Ids() const;

    // The counter ids are drawn from (not owned); null until the component is given one or reads a record.
    CQuestionIdCounter *m_ids = nullptr;
};
