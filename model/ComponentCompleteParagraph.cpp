#include "model/ComponentCompleteParagraph.h"

#include "model/ComponentWindow.h"
#include "model/GlobalHelpers.h"
#include "platform/Archive.h"
#include "platform/RandomSource.h"

#include <algorithm>
#include <set>

namespace {

// Where a paragraph splits into words. Apostrophes, quotation marks, exclamation marks, digits and tabs
// are no separators, so "don't", "A4" and "word!" are no words.
const QString kSeparators = QStringLiteral(" ,.-{}()[];:<>?/\n\r");

bool IsSeparator(QChar c)
{
    return kSeparators.contains(c);
}

struct MissingWord {
    qsizetype position;  // of its blank in the paragraph when the blank was made
    QString word;
};

// The candidate words of the text, each once (compared with case), in the order of first appearance.
QStringList DistinctWords(const QString &text)
{
    QStringList words;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !IsSeparator(text[i]))
            continue;
        const QString token = text.mid(start, i - start);
        if (!token.isEmpty() && IsAllLetters(token) && !words.contains(token))
            words.append(token);
        start = i + 1;
    }
    return words;
}

// The same words, longest first; words of equal length keep their text order.
QStringList ByLength(const QStringList &words)
{
    QStringList sorted = words;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const QString &a, const QString &b) { return a.size() > b.size(); });
    return sorted;
}

// One of the longest words left, at random; empty when none is left.
QString DrawLongest(const QStringList &byLength, CRandomSource &random)
{
    if (byLength.isEmpty())
        return {};
    qsizetype longest = 1;
    while (longest < byLength.size() && byLength[longest].size() == byLength[0].size())
        ++longest;
    return byLength[qsizetype(random.Next()) % longest];
}

// The first occurrence of the word standing as a word of its own (separators or the text's ends on both
// sides), so that "cat" never blanks the start of "category".
qsizetype FindWholeWord(const QString &text, const QString &word)
{
    for (qsizetype at = text.indexOf(word); at >= 0; at = text.indexOf(word, at + 1)) {
        const qsizetype end = at + word.size();
        if ((at == 0 || IsSeparator(text[at - 1])) && (end == text.size() || IsSeparator(text[end])))
            return at;
    }
    return -1;
}

// The non-empty words in their order from the first slot on, the rest empty.
CComponentCompleteParagraph::Words Packed(const CComponentCompleteParagraph::Words &words)
{
    CComponentCompleteParagraph::Words packed;
    size_t next = 0;
    for (const QString &word : words)
        if (!word.isEmpty())
            packed[next++] = word;
    return packed;
}

// The rich-edit control gives its paragraphs back ended by CR LF.
QString PlainTextOf(const CRichText &editor)
{
    QString text = editor.GetText();
    text.replace(CRichText::kParagraphEnd, QStringLiteral("\r\n"));
    return text;
}

} // namespace

CComponentCompleteParagraph::CComponentCompleteParagraph(CEditCanvas *parent)
    : CComponentQuestion(ct_complete_paragraph, parent, kDefaultBounds)
{
}

void CComponentCompleteParagraph::SetValues(const Values &values)
{
    static_cast<Values &>(*this) = values;
    GiveEditorText();
    ShowInWindow();
}

void CComponentCompleteParagraph::CommitWindow()
{
    if (m_window)
        m_window->UpdateComponent();
    TakeEditorText();
}

void CComponentCompleteParagraph::TakeEditorText()
{
    if (m_editor.GetText() == m_editorGiven)
        return;
    m_paragraph = PlainTextOf(m_editor);
    m_editorGiven = m_editor.GetText();
}

void CComponentCompleteParagraph::GiveEditorText()
{
    m_editor.ReplaceAll(m_paragraph);
    m_editor.SetSel(0, 0);
    m_editorGiven = m_editor.GetText();
}

void CComponentCompleteParagraph::SetInstruction(const QString &instruction)
{
    m_instruction = instruction;
    ShowInWindow();
}

const QString &CComponentCompleteParagraph::GetInstruction()
{
    CommitWindow();
    return m_instruction;
}

void CComponentCompleteParagraph::SetQuestionText(const QString &text)
{
    m_paragraph = text;
    GiveEditorText();
    ShowInWindow();
}

const QString &CComponentCompleteParagraph::GetQuestionText()
{
    CommitWindow();
    return m_paragraph;
}

void CComponentCompleteParagraph::SetMissingWords(const Words &words)
{
    m_words = Packed(words);
    ShowInWindow();
}

int CComponentCompleteParagraph::PickMissingWords(int count, CRandomSource &random)
{
    if (m_wordsChosen == 1)
        return 0;
    m_wordsChosen = 1;
    CommitWindow();
    QString text = m_paragraph;

    const QStringList inTextOrder = DistinctWords(text);
    QStringList byLength = ByLength(inTextOrder);
    std::set<qsizetype> chosen;
    std::vector<MissingWord> missing;
    // Ten slots are all there is, whatever the course setting says.
    for (int pass = 0; pass < std::clamp(count, 0, kSlots); ++pass) {
        QString accepted;
        while (accepted.isEmpty() && !byLength.isEmpty()) {
            const QString word = DrawLongest(byLength, random);
            const qsizetype entry = inTextOrder.indexOf(word);
            if (!chosen.contains(entry) && !chosen.contains(entry - 1) && !chosen.contains(entry + 1)) {
                chosen.insert(entry);
                accepted = word;
            }
            // Drawn words are spent, with their case variants, whether they were taken or not.
            byLength.removeIf([&word](const QString &w) { return w.compare(word, Qt::CaseInsensitive) == 0; });
        }
        if (accepted.isEmpty())
            continue;
        const qsizetype at = FindWholeWord(text, accepted);
        if (at < 0)
            continue;
        text.replace(at, accepted.size(), kBlank);
        const auto after = std::find_if(missing.begin(), missing.end(),
                                        [at](const MissingWord &m) { return m.position > at; });
        missing.insert(after, MissingWord{at, accepted});
    }

    m_paragraph = text;
    GiveEditorText();
    for (size_t i = 0; i < missing.size(); ++i)
        m_words[i] = missing[i].word;
    ShowInWindow();
    return 1;
}

void CComponentCompleteParagraph::GetAnswerIndexList(QStringList &out)
{
    const auto filled = std::count_if(m_words.begin(), m_words.end(), [](const QString &w) { return !w.isEmpty(); });
    m_answerIndexList.clear();
    for (int i = 0; i < int(filled); ++i)
        m_answerIndexList.append(QString::number(i));
    out = m_answerIndexList;
}

void CComponentCompleteParagraph::ExchangeData(bool save)
{
    CComponentBase::ExchangeData(save);
    if (save) {
        TakeEditorText();
        m_words = Packed(m_words);
    }
}

std::unique_ptr<CComponentBase> CComponentCompleteParagraph::Clone(bool keepPosition) const
{
    // The editor's text, should it hold edits not yet taken back.
    Values values = GetValues();
    if (m_editor.GetText() != m_editorGiven)
        values.m_paragraph = PlainTextOf(m_editor);
    auto copy = std::make_unique<CComponentCompleteParagraph>(m_parent);
    copy->SetValues(values);
    copy->SetBounds(ClonedBounds(keepPosition), true);
    CopyQuestionFields(*copy);
    return copy;
}

void CComponentCompleteParagraph::SerializeComponent(CArchive &ar)
{
    if (ar.IsStoring()) {
        ExchangeData(true);
        StoreHead(ar);
        SerializeBlankTexts(ar, m_instruction, m_paragraph, m_words);
        return;
    }
    LoadBounds(ar);
    SerializeBlankTexts(ar, m_instruction, m_paragraph, m_words);
    GiveEditorText();
    ExchangeData(false);
}
