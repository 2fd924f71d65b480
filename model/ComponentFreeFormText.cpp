#include "model/ComponentFreeFormText.h"

#include "model/ComponentWindow.h"
#include "model/GlobalHelpers.h"
#include "model/PlaceholderTemplate.h"
#include "platform/Archive.h"
#include "platform/CorvContext.h"
#include "platform/Escape.h"
#include "platform/QuestionIdCounter.h"

#include <QPainter>

#include <algorithm>

namespace {

const QColor kPreviewGrey(200, 200, 200);

// An encoded answer as a script string.
QString QuotedAnswer(const QString &text, const QString &key)
{
    return u'"' + EncodeAnswerText(text, key) + u'"';
}

void ChopComma(QString &text)
{
    if (text.endsWith(u','))
        text.chop(1);
}

void RemoveOneSemicolonAtEnds(QString &keyword)
{
    if (keyword.startsWith(u';'))
        keyword.remove(0, 1);
    if (keyword.endsWith(u';'))
        keyword.chop(1);
}

// A grey box with a black one-pixel frame over (left, top)-(right, bottom), right and bottom excluded.
void PreviewBox(QPainter &painter, int left, int top, int right, int bottom)
{
    const QRect box(left, top, right - left, bottom - top);
    painter.fillRect(box, kPreviewGrey);
    painter.setPen(Qt::black);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
}

} // namespace

CComponentFreeFormText::CComponentFreeFormText(CEditCanvas *parent)
    : CComponentBase(ct_free_form_text, parent, kDefaultBounds)
{
}

CComponentFreeFormText::CComponentFreeFormText(CEditCanvas *parent, CQuestionIdCounter &ids)
    : CComponentFreeFormText(parent)
{
    m_questionId = ids.Next();
    m_ids = &ids;
}

CQuestionIdCounter &CComponentFreeFormText::Ids() const
{
    return m_ids ? *m_ids : CCorvContext::Empty().QuestionIds();
}

void CComponentFreeFormText::NormaliseKeyword(QString &keyword)
{
    keyword = keyword.trimmed();
    RemoveOneSemicolonAtEnds(keyword);
    QString squeezed;
    squeezed.reserve(keyword.size());
    for (qsizetype i = 0; i < keyword.size(); ++i) {
        const QChar c = keyword[i];
        const QChar before = i > 0 ? keyword[i - 1] : QChar();
        if (c == u';' && before == u';')
            continue;
        if (c == u' ' && (before == u';' || before == u' '))
            continue;
        squeezed += c;
    }
    keyword = squeezed;
    RemoveOneSemicolonAtEnds(keyword);
}

int CComponentFreeFormText::CountKeywords() const
{
    return int(std::count_if(m_keywords.begin(), m_keywords.end(), [](const QString &k) { return !k.isEmpty(); }));
}

void CComponentFreeFormText::SetValues(const DialogValues &values)
{
    const QString id = m_questionId;
    static_cast<DialogValues &>(*this) = values;
    m_questionId = id;
}

bool CComponentFreeFormText::EditProperties(Dialog &dialog)
{
    DialogValues values = GetValues();
    if (!dialog.Edit(values))
        return false;
    SetValues(values);
    for (QString &keyword : m_keywords) {
        NormaliseKeyword(keyword);
        NormaliseKeyword(keyword);
    }
    // Counted once normalised: a keyword of nothing but ";" and blanks is no keyword to evaluate against.
    if (CountKeywords() == 0)
        m_evaluate = 0;
    if (m_window)
        m_window->Invalidate();
    return true;
}

CResult<QString> CComponentFreeFormText::BuildPublishHtml(const CCorvContext &context, const QString &prefix) const
{
    // The instruction is the author's text shown as typed: markup characters become entities before its
    // line breaks become <br>, so that nothing in it is read as markup.
    QString instruction = CorvEscape::HtmlText(m_instruction);
    instruction.replace(u'\r', QLatin1String("<br>"));
    instruction.remove(u'\n');
    const CPlaceholderTemplate::Tokens tokens = {
        {"prefix", CPlaceholderTemplate::AttributeValue(prefix)},
        {"instruction", CorvEscape::ScriptLiteral(instruction)},
        {"ev", CPlaceholderTemplate::TrueFalse(m_evaluate)},
        {"record", CPlaceholderTemplate::TrueFalse(m_storeResponse)},
        {"email", CPlaceholderTemplate::TrueFalse(m_emailResponse)},
        {"limit", QString::number(m_maxCharacters)},
        {"mem", CPlaceholderTemplate::TrueFalse(m_rememberResponse)},
        {"print", CPlaceholderTemplate::TrueFalse(m_showPrintButton)},
        {"case", CPlaceholderTemplate::TrueFalse(m_caseSensitive)},
        {"num", QString::number(m_numberToMatch)},
        {"whole", CPlaceholderTemplate::TrueFalse(m_wholeWords)},
        {"qnumber", CPlaceholderTemplate::AttributeValue(m_questionId)},
    };
    return CPlaceholderTemplate::Expand(
        context, QStringLiteral("FreeFormText.txt"),
        QStringLiteral("FATAL Error:\nCComponentFreeFormText: Could not open file\n%1\nwhile trying to publish page"),
        tokens);
}

void CComponentFreeFormText::BuildKeywordsJs(const QString &id, QString &out) const
{
    out = QStringLiteral("quest[\"%1\"] = [").arg(CorvEscape::ScriptLiteral(id));
    for (const QString &keyword : m_keywords) {
        if (keyword.isEmpty())
            continue;
        if (!keyword.contains(u';')) {
            out += QuotedAnswer(keyword, id) + u',';
            continue;
        }
        out += u'[';
        for (const QString &part : keyword.split(u';', Qt::SkipEmptyParts))
            out += QuotedAnswer(part, id) + u',';
        ChopComma(out);
        out += QLatin1String("],");
    }
    ChopComma(out);
    out += QLatin1String("];\n");
}

void CComponentFreeFormText::Draw(QPainter &painter) const
{
    const int width = m_bounds.Width();
    const int unit = (m_bounds.Height() - 100) / 14;
    painter.save();
    painter.translate(m_bounds.left, m_bounds.top);
    PreviewBox(painter, 10, unit, width - 10, 7 * unit);
    painter.drawText(QRect(15, unit + 5, width - 30, 6 * unit - 10), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
                     m_instruction);
    for (int row = 0; row < 5; ++row) {
        const int y = 9 * unit + row * (unit + 20);
        PreviewBox(painter, 10, y, width / 2 - 10, y + 20);
        painter.drawText(QRect(12, y + 2, width / 2 - 24, 18), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                         m_keywords[size_t(row)]);
        PreviewBox(painter, width / 2 + 10, y, width - 10, y + 20);
        painter.drawText(QRect(width / 2 + 12, y + 2, width / 2 - 24, 18),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_keywords[size_t(row + 5)]);
    }
    painter.restore();
}

std::unique_ptr<CComponentBase> CComponentFreeFormText::Clone(bool keepPosition) const
{
    // The copy's constructor draws its own id: two questions never share one.
    auto copy = std::make_unique<CComponentFreeFormText>(m_parent, Ids());
    copy->SetValues(GetValues());
    copy->SetBounds(ClonedBounds(keepPosition), true);
    return copy;
}

void CComponentFreeFormText::SerializeComponent(CArchive &ar)
{
    CQuestionIdCounter &ids = ar.Context().QuestionIds();
    if (ar.IsStoring()) {
        StoreHead(ar);
        for (const QString &keyword : m_keywords)
            ar.WriteString(keyword);
        ar.WriteString(m_questionId);
        ar.WriteString(m_instruction);
        ar.WriteString(m_correctFeedback);
        ar.WriteString(m_wrongFeedback);
        for (int setting : {m_evaluate, m_storeResponse, m_emailResponse, m_rememberResponse, m_showPrintButton,
                            m_wholeWords, m_caseSensitive, m_numberToMatch, m_maxCharacters})
            ar.WriteInt(setting);
        // The letters the next new question will get, not this question's id.
        ar.WriteByte(ids.First());
        ar.WriteByte(ids.Second());
        return;
    }
    LoadBounds(ar);
    for (QString &keyword : m_keywords)
        keyword = ar.ReadString();
    m_questionId = ar.ReadString();
    m_instruction = ar.ReadString();
    m_correctFeedback = ar.ReadString();
    m_wrongFeedback = ar.ReadString();
    for (int *setting : {&m_evaluate, &m_storeResponse, &m_emailResponse, &m_rememberResponse, &m_showPrintButton,
                         &m_wholeWords, &m_caseSensitive, &m_numberToMatch, &m_maxCharacters})
        *setting = ar.ReadInt();
    const uint8_t first = ar.ReadByte();
    const uint8_t second = ar.ReadByte();
    ids.Set(first, second);
    m_ids = &ids;
    if (m_window) {
        m_window->MoveWindow(m_bounds);
        m_window->Invalidate();
    }
}
