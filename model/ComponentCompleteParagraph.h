#pragma once

#include "model/ComponentQuestion.h"
#include "platform/richtext/RichText.h"

#include <QStringList>

class CRandomSource;

// What a complete-the-paragraph question keeps: copied whole by Clone, and what its window and dialogs exchange.
struct SCompleteParagraphValues {
    QString m_instruction;
    QString m_paragraph;
    SQuestionValues::Words m_words;
};

// The question in which the student puts up to ten missing words back into the blanks of a paragraph.
// The paragraph marks each blank with "****"; slot i holds the word of the i-th blank, the non-empty
// slots packed to the front. Imported paragraphs choose their own missing words (PickMissingWords).
//
// The paragraph is edited (and filled by the importers) in a rich-text editor of its own, of which only the
// plain text counts: the component takes that text back whenever it reads the paragraph.
class CComponentCompleteParagraph : public CComponentQuestion, private SCompleteParagraphValues
{
public:
    static inline const QString kBlank = QStringLiteral("****");

    explicit CComponentCompleteParagraph(CEditCanvas *parent = nullptr);

    using Values = SCompleteParagraphValues;
    const Values &GetValues() const { return *this; }
    // Takes every value and shows them in the window.
    void SetValues(const Values &values);

    void SetInstruction(const QString &instruction);
    // With the author's edits in the window taken first.
    const QString &GetInstruction();
    void SetQuestionText(const QString &text);
    // The paragraph, with the edits made in its editor taken first.
    const QString &GetQuestionText();
    // The non-empty words packed into slots 0, 1, ...; the rest emptied.
    void SetMissingWords(const Words &words);
    const Words &GetMissingWords() const { return m_words; }

    // Chooses count words of the paragraph (at most ten), longest first, never two neighbours in the list
    // of its distinct words, and puts a blank in place of each. 0 when the words were chosen before.
    int PickMissingWords(int count, CRandomSource &random);
    int GetWordsChosen() const { return m_wordsChosen; }
    // "0", "1", ... one per non-empty slot: the answer of the published question.
    void GetAnswerIndexList(QStringList &out);

    void ExchangeData(bool save) override;
    CRichText *GetEditorText() override { return &m_editor; }
    std::unique_ptr<CComponentBase> Clone(bool keepPosition) const override;
    void SerializeComponent(CArchive &ar) override;

    static constexpr CRect kDefaultBounds{10, 10, 1014, 500};

private:
    void CommitWindow();
    // The paragraph from its editor when the editor's text was changed since it was last given.
    void TakeEditorText();
    void GiveEditorText();

    QStringList m_answerIndexList;
    int m_wordsChosen = 0;
    CRichText m_editor;
    // The editor's text as it stood right after the paragraph was given to it.
    QString m_editorGiven;
};
