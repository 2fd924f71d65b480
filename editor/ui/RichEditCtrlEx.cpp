#include "editor/ui/RichEditCtrlEx.h"

#include "app/CommandIds.h"
#include "editor/RichEditMapping.h"
#include "model/ColorRef.h"
#include "platform/richtext/RichText.h"
#include "platform/richtext/RtfReader.h"
#include "platform/richtext/RtfWriter.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QContextMenuEvent>
#include <QFontDialog>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>

namespace {

constexpr size_t kUndoLevels = 100;
const QString kRtfMime = QStringLiteral("text/rtf");
const QString kRtfMimeAlt = QStringLiteral("application/rtf");

QTextBlockFormat BlockFormat(const CParaFormat &pf)
{
    QTextBlockFormat bf;
    switch (pf.alignment) {
    case PFA_RIGHT:
        bf.setAlignment(Qt::AlignRight);
        break;
    case PFA_CENTER:
        bf.setAlignment(Qt::AlignHCenter);
        break;
    case PFA_JUSTIFY:
        bf.setAlignment(Qt::AlignJustify);
        break;
    default:
        bf.setAlignment(Qt::AlignLeft);
        break;
    }
    // The start indent places the first line; the lines after it (and the text after a bullet) begin the
    // offset further in.
    const double px = 1.0 / 15.0;
    bf.setLeftMargin(std::max(0, pf.startIndent + pf.offset) * px);
    bf.setTextIndent(-pf.offset * px);
    return bf;
}

bool IsList(const CParaFormat &pf) { return pf.numbering == PFN_BULLET || pf.numbering == PFN_ARABIC; }

QTextListFormat ListFormat(const CParaFormat &pf)
{
    QTextListFormat lf;
    if (pf.numbering == PFN_BULLET) {
        lf.setStyle(QTextListFormat::ListDisc);
        return lf;
    }
    lf.setStyle(QTextListFormat::ListDecimal);
    switch (pf.numberingStyle) {
    case PFNS_PARENS:
        lf.setNumberPrefix(QStringLiteral("("));
        lf.setNumberSuffix(QStringLiteral(")"));
        break;
    case PFNS_PERIOD:
        lf.setNumberSuffix(QStringLiteral("."));
        break;
    case PFNS_PLAIN:
        lf.setNumberSuffix(QString());
        break;
    default:
        lf.setNumberSuffix(QStringLiteral(")"));
        break;
    }
    return lf;
}

} // namespace

struct CRichEditCtrlEx::Snapshot {
    CRichText text;
};

CRichEditCtrlEx::CRichEditCtrlEx(QWidget *parent, Owner owner) : QTextEdit(parent), m_owner(owner)
{
    setAcceptDrops(false);
    setAcceptRichText(true);
    setUndoRedoEnabled(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAccessibleName(owner == Owner::TableCell ? tr("Table cell") : tr("Text"));
    connect(this, &QTextEdit::cursorPositionChanged, this, &CRichEditCtrlEx::OnViewSelectionChanged);
    connect(this, &QTextEdit::selectionChanged, this, &CRichEditCtrlEx::OnViewSelectionChanged);
    connect(document(), &QTextDocument::contentsChanged, this, &CRichEditCtrlEx::OnViewContentsChanged);
}

CRichEditCtrlEx::~CRichEditCtrlEx() = default;

void CRichEditCtrlEx::SetDocument(CRichText *text)
{
    m_text = text;
    Refresh();
}

void CRichEditCtrlEx::Refresh()
{
    m_undo.clear();
    m_lastEdit = EditKind::Other;
    Render();
}

// ---------------------------------------------------------------------------------------------------------
// Drawing the view from the document

void CRichEditCtrlEx::Render()
{
    m_rendering = true;
    QTextDocument *d = document();
    d->clear();
    QTextOption option = d->defaultTextOption();
    option.setTextDirection((m_text && m_text->IsRightToLeft()) || layoutDirection() == Qt::RightToLeft
                                ? Qt::RightToLeft
                                : Qt::LeftToRight);
    d->setDefaultTextOption(option);
    if (m_text) {
        const double pointScale = 96.0 / std::max(1, logicalDpiY());
        const auto charFormat = [pointScale](const CCharFormat &f) {
            QTextCharFormat cf;
            cf.setFontFamilies({f.face.isEmpty() ? QStringLiteral("Arial") : f.face});
            cf.setFontPointSize(std::max(1, f.height) / 20.0 * pointScale);
            cf.setFontWeight(f.Has(CFE_BOLD) ? QFont::Bold : QFont::Normal);
            cf.setFontItalic(f.Has(CFE_ITALIC));
            cf.setFontUnderline(f.Has(CFE_UNDERLINE) || f.Has(CFE_LINK));
            cf.setFontStrikeOut(f.Has(CFE_STRIKEOUT));
            if (f.Has(CFE_LINK))
                cf.setForeground(QColor(0, 0, 255));
            else if (!f.Has(CFE_AUTOCOLOR))
                cf.setForeground(ColorFromColorRef(f.colour));
            return cf;
        };
        const QString &t = m_text->GetText();
        QTextCursor c(d);
        QTextList *list = nullptr;
        CParaFormat listFormat;
        for (int p = 0; p < m_text->GetParagraphCount(); ++p) {
            const int start = m_text->ParagraphStart(p);
            const int end = m_text->ParagraphEnd(p);
            const CParaFormat &pf = m_text->GetParaFormatAt(start);
            if (p == 0)
                c.setBlockFormat(BlockFormat(pf));
            else
                c.insertBlock(BlockFormat(pf));
            if (IsList(pf)) {
                if (list && listFormat.numbering == pf.numbering && listFormat.numberingStyle == pf.numberingStyle)
                    list->add(c.block());
                else
                    list = c.createList(ListFormat(pf));
                listFormat = pf;
            } else {
                list = nullptr;
            }
            c.setBlockCharFormat(charFormat(m_text->GetCharFormat(start, start)));
            for (int i = start; i < end;) {
                if (CRichEditMapping::IsHidden(*m_text, i)) {
                    ++i;
                    continue;
                }
                const CCharFormat &f = m_text->GetCharFormatAt(i);
                int j = i + 1;
                while (j < end && !CRichEditMapping::IsHidden(*m_text, j) && m_text->GetCharFormatAt(j).SameValues(f))
                    ++j;
                QString run = t.mid(i, j - i);
                run.replace(CRichText::kLineBreak, QChar(QChar::LineSeparator));
                c.insertText(run, charFormat(f));
                i = j;
            }
        }
    }
    ShowDocSelection();
    m_rendering = false;
}

void CRichEditCtrlEx::ShowDocSelection()
{
    if (!m_text)
        return;
    const bool wasRendering = m_rendering;
    m_rendering = true;
    int start = 0;
    int end = 0;
    m_text->GetSel(start, end);
    const CRichEditMapping map(*m_text);
    QTextCursor c(document());
    c.setPosition(map.ViewFromDoc(start));
    c.setPosition(map.ViewFromDoc(end), QTextCursor::KeepAnchor);
    setTextCursor(c);
    m_rendering = wasRendering;
}

void CRichEditCtrlEx::OnViewSelectionChanged()
{
    if (m_rendering || !m_text)
        return;
    const QTextCursor c = textCursor();
    const CRichEditMapping map(*m_text);
    const auto [start, end] = map.DocRange(c.selectionStart(), c.selectionEnd());
    int docStart = 0;
    int docEnd = 0;
    m_text->GetSel(docStart, docEnd);
    if (docStart != start || docEnd != end)
        m_text->SetSel(start, end); // keeps a format chosen for the next typed text while the caret stays
    m_lastEdit = EditKind::Other;
    emit SelectionFormatChanged();
}

void CRichEditCtrlEx::OnViewContentsChanged()
{
    // Nothing edits the view but the document: a change from elsewhere (an input method, a drag) is undone.
    if (m_rendering)
        return;
    QMetaObject::invokeMethod(this, [this] { Render(); }, Qt::QueuedConnection);
}

// ---------------------------------------------------------------------------------------------------------
// Editing

void CRichEditCtrlEx::Edit(EditKind kind, const std::function<void()> &change)
{
    if (!m_text)
        return;
    if (kind == EditKind::Other || kind != m_lastEdit || m_undo.empty()) {
        m_undo.push_back(std::make_unique<Snapshot>(Snapshot{*m_text}));
        if (m_undo.size() > kUndoLevels)
            m_undo.erase(m_undo.begin());
    }
    change();
    m_lastEdit = kind;
    Render();
    emit DocumentEdited();
    emit SelectionFormatChanged();
}

void CRichEditCtrlEx::Undo()
{
    if (!m_text || m_undo.empty())
        return;
    *m_text = std::move(m_undo.back()->text);
    m_undo.pop_back();
    m_lastEdit = EditKind::Other;
    Render();
    emit DocumentEdited();
    emit SelectionFormatChanged();
}

void CRichEditCtrlEx::SetDocSelection(int start, int end)
{
    if (!m_text)
        return;
    m_text->SetSel(start, end);
    m_lastEdit = EditKind::Other;
    ShowDocSelection();
    emit SelectionFormatChanged();
}

void CRichEditCtrlEx::GetDocSelection(int &start, int &end) const
{
    start = end = 0;
    if (m_text)
        m_text->GetSel(start, end);
}

CCharFormat CRichEditCtrlEx::GetSelectionCharFormat() const
{
    return m_text ? m_text->GetSelectionCharFormat() : CCharFormat();
}

CParaFormat CRichEditCtrlEx::GetSelectionParaFormat() const
{
    return m_text ? m_text->GetParaFormat() : CParaFormat();
}

void CRichEditCtrlEx::DeleteViewRange(int viewStart, int viewEnd)
{
    const CRichEditMapping map(*m_text);
    if (viewStart > viewEnd)
        std::swap(viewStart, viewEnd);
    const int start = map.DocBeforeHidden(viewStart);
    const int end = map.DocAfterHidden(viewEnd);
    for (const auto &[a, b] : map.DeletableRanges(start, end)) {
        m_text->SetSel(a, b);
        m_text->Clear();
    }
    const CRichEditMapping after(*m_text);
    const int at = after.InsertionPoint(viewStart);
    m_text->SetSel(at, at);
}

// Replaces the view's selection by plain text (typed: the format of text typed there) or a fragment.
void CRichEditCtrlEx::InsertAtSelection(const QString &text, const CRichText *fragment)
{
    const QTextCursor c = textCursor();
    const int viewStart = c.selectionStart();
    const int viewEnd = c.selectionEnd();
    int docStart = 0;
    int docEnd = 0;
    m_text->GetSel(docStart, docEnd);
    // The format typed text takes: the one chosen for it at the caret, else the first replaced character's.
    CCharFormat current = docStart < docEnd ? m_text->GetCharFormatAt(docStart) : m_text->GetSelectionCharFormat();
    if (viewStart < viewEnd) {
        const CRichEditMapping before(*m_text);
        current = m_text->GetCharFormatAt(before.DocAfterHidden(viewStart));
        DeleteViewRange(viewStart, viewEnd);
    }
    const CRichEditMapping map(*m_text);
    const int at = map.InsertionPoint(viewStart);
    if (fragment) {
        m_text->SetSel(at, at);
        m_text->ReplaceSel(*fragment);
        return;
    }
    CCharFormat format = map.TypingFormat(at, current);
    format.mask = CFM_ALL;
    m_text->SetSel(at, at);
    m_text->SetSelectionCharFormat(format);
    m_text->ReplaceSel(text);
}

void CRichEditCtrlEx::TypeText(const QString &text)
{
    if (!m_text || text.isEmpty())
        return;
    const bool typing = text.size() == 1 && text[0] != CRichText::kParagraphEnd;
    Edit(typing ? EditKind::Typing : EditKind::Other, [&] { InsertAtSelection(text, nullptr); });
}

void CRichEditCtrlEx::DeleteSelection()
{
    const QTextCursor c = textCursor();
    if (!m_text || !c.hasSelection())
        return;
    Edit(EditKind::Other, [&] { DeleteViewRange(c.selectionStart(), c.selectionEnd()); });
}

void CRichEditCtrlEx::DeleteWithCursorMove(QTextCursor::MoveOperation move)
{
    QTextCursor c = textCursor();
    if (!c.hasSelection())
        c.movePosition(move, QTextCursor::KeepAnchor);
    if (!c.hasSelection())
        return;
    Edit(EditKind::Deleting, [&] { DeleteViewRange(c.selectionStart(), c.selectionEnd()); });
}

// ---------------------------------------------------------------------------------------------------------
// Commands

void CRichEditCtrlEx::ToggleBold() { Edit(EditKind::Other, [this] { m_text->ToggleBold(); }); }
void CRichEditCtrlEx::ToggleItalic() { Edit(EditKind::Other, [this] { m_text->ToggleItalic(); }); }
void CRichEditCtrlEx::ToggleUnderline() { Edit(EditKind::Other, [this] { m_text->ToggleUnderline(); }); }
void CRichEditCtrlEx::ToggleStrikeout() { Edit(EditKind::Other, [this] { m_text->ToggleStrikeout(); }); }
void CRichEditCtrlEx::ToggleLinkEffect() { Edit(EditKind::Other, [this] { m_text->ToggleLinkEffect(); }); }
void CRichEditCtrlEx::SetSelectionColour(uint32_t colour)
{
    Edit(EditKind::Other, [&] { m_text->SetSelectionColour(colour); });
}
void CRichEditCtrlEx::SetSelectionFace(const QString &face)
{
    Edit(EditKind::Other, [&] { m_text->SetSelectionFace(face); });
}
void CRichEditCtrlEx::SetSelectionPointSize(int points)
{
    Edit(EditKind::Other, [&] { m_text->SetSelectionPointSize(points); });
}
void CRichEditCtrlEx::ApplyCharFormat(const CCharFormat &change)
{
    Edit(EditKind::Other, [&] { m_text->SetSelectionCharFormat(change); });
}
void CRichEditCtrlEx::ToggleBullet() { Edit(EditKind::Other, [this] { m_text->ToggleBullet(); }); }
void CRichEditCtrlEx::ToggleNumbering() { Edit(EditKind::Other, [this] { m_text->ToggleNumbering(); }); }
void CRichEditCtrlEx::AlignLeft() { Edit(EditKind::Other, [this] { m_text->AlignLeft(); }); }
void CRichEditCtrlEx::AlignCenter() { Edit(EditKind::Other, [this] { m_text->AlignCenter(); }); }
void CRichEditCtrlEx::AlignRight() { Edit(EditKind::Other, [this] { m_text->AlignRight(); }); }
void CRichEditCtrlEx::AlignJustify() { Edit(EditKind::Other, [this] { m_text->AlignJustify(); }); }
void CRichEditCtrlEx::IncreaseIndent() { Edit(EditKind::Other, [this] { m_text->IncreaseIndent(); }); }
void CRichEditCtrlEx::DecreaseIndent() { Edit(EditKind::Other, [this] { m_text->DecreaseIndent(); }); }

bool CRichEditCtrlEx::OnFormatCommand(int commandId)
{
    if (!m_text)
        return false;
    switch (commandId) {
    case CorvCommand::Bold:
        ToggleBold();
        return true;
    case CorvCommand::Italic:
        ToggleItalic();
        return true;
    case CorvCommand::Underline:
        ToggleUnderline();
        return true;
    case CorvCommand::Strikeout:
        ToggleStrikeout();
        return true;
    case CorvCommand::Bulleting:
        ToggleBullet();
        return true;
    case CorvCommand::Numbering:
        ToggleNumbering();
        return true;
    case CorvCommand::DecreaseIndent:
        DecreaseIndent();
        return true;
    case CorvCommand::IncreaseIndent:
        IncreaseIndent();
        return true;
    case CorvCommand::AlignLeft:
        AlignLeft();
        return true;
    case CorvCommand::AlignCentre:
        AlignCenter();
        return true;
    case CorvCommand::AlignRight:
        AlignRight();
        return true;
    case CorvCommand::Justify:
        AlignJustify();
        return true;
    default:
        return false;
    }
}

void CRichEditCtrlEx::SetRightToLeft(bool rightToLeft)
{
    setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    Edit(EditKind::Other, [&] { m_text->SetRightToLeft(rightToLeft); });
}

void CRichEditCtrlEx::OnFont()
{
    if (!m_text)
        return;
    const CCharFormat current = m_text->GetSelectionCharFormat();
    QFont font = FontForDialog(current);
    uint32_t colour = current.Has(CFE_AUTOCOLOR) ? 0 : current.colour;
    bool ok = false;
    font = QFontDialog::getFont(&ok, font, this, tr("Font"));
    if (ok) {
        const QColor chosen = QColorDialog::getColor(ColorFromColorRef(colour), this, tr("Colour"));
        if (chosen.isValid())
            colour = ColorRefFromColor(chosen);
    }
    if (ok)
        ApplyCharFormat(FormatFromFontDialog(font, colour));
}

// ---------------------------------------------------------------------------------------------------------
// Clipboard

QMimeData *CRichEditCtrlEx::MimeDataForSelection() const
{
    auto *data = new QMimeData;
    if (!m_text)
        return data;
    int start = 0;
    int end = 0;
    m_text->GetSel(start, end);
    const CRichText fragment = RichEditClipboard::Fragment(*m_text, start, end);
    data->setData(kRtfMime, CRtfWriter::Write(fragment).toLatin1());
    data->setText(RichEditClipboard::PlainText(fragment));
    return data;
}

QMimeData *CRichEditCtrlEx::createMimeDataFromSelection() const { return MimeDataForSelection(); }

void CRichEditCtrlEx::Copy()
{
    if (m_text && textCursor().hasSelection())
        QApplication::clipboard()->setMimeData(MimeDataForSelection());
}

void CRichEditCtrlEx::Cut()
{
    if (!m_text || !textCursor().hasSelection())
        return;
    Copy();
    DeleteSelection();
}

void CRichEditCtrlEx::Paste() { PasteMimeData(QApplication::clipboard()->mimeData()); }

bool CRichEditCtrlEx::canInsertFromMimeData(const QMimeData *source) const
{
    return source && (source->hasFormat(kRtfMime) || source->hasFormat(kRtfMimeAlt) || source->hasText());
}

void CRichEditCtrlEx::insertFromMimeData(const QMimeData *source) { PasteMimeData(source); }

void CRichEditCtrlEx::PasteMimeData(const QMimeData *data)
{
    if (!m_text || !data)
        return;
    const QString rtfFormat = data->hasFormat(kRtfMime) ? kRtfMime : data->hasFormat(kRtfMimeAlt) ? kRtfMimeAlt : QString();
    if (!rtfFormat.isEmpty()) {
        CRichText fragment;
        CRtfReader::ReadBytes(data->data(rtfFormat), fragment);
        RichEditClipboard::StripLinks(fragment);
        if (!fragment.IsEmpty()) {
            Edit(EditKind::Other, [&] { InsertAtSelection(QString(), &fragment); });
            return;
        }
    }
    if (data->hasText() && !data->text().isEmpty()) {
        QString text = data->text();
        text.remove(QChar(0));
        Edit(EditKind::Other, [&] { InsertAtSelection(text, nullptr); });
    }
}

// ---------------------------------------------------------------------------------------------------------
// Keys and mouse

namespace {

// The formatting keys the control applies itself, as the formatting bar's buttons do: Ctrl and a letter.
struct FormatKey {
    int key;
    int command;
};
const FormatKey kFormatKeys[] = {
    {Qt::Key_B, CorvCommand::Bold},      {Qt::Key_I, CorvCommand::Italic},     {Qt::Key_U, CorvCommand::Underline},
    {Qt::Key_L, CorvCommand::AlignLeft}, {Qt::Key_E, CorvCommand::AlignCentre}, {Qt::Key_R, CorvCommand::AlignRight},
    {Qt::Key_J, CorvCommand::Justify},
};

int FormatCommandOfKey(const QKeyEvent *e)
{
    if ((e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier | Qt::MetaModifier)) !=
        Qt::ControlModifier)
        return 0;
    for (const FormatKey &k : kFormatKeys)
        if (k.key == e->key())
            return k.command;
    return 0;
}

} // namespace

bool CRichEditCtrlEx::event(QEvent *e)
{
    // Undo, cut, copy, paste and the formatting keys belong to the text before any shortcut of the main window.
    if (e->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(e);
        if (key == QKeySequence::Undo || key == QKeySequence::Cut || key == QKeySequence::Copy ||
            key == QKeySequence::Paste || key == QKeySequence::SelectAll ||
            (m_text && !isReadOnly() && FormatCommandOfKey(key))) {
            e->accept();
            return true;
        }
    }
    return QTextEdit::event(e);
}

void CRichEditCtrlEx::keyPressEvent(QKeyEvent *e)
{
    if (!m_text || isReadOnly()) {
        QTextEdit::keyPressEvent(e);
        return;
    }
    const QString text = e->text();
    if (const int command = FormatCommandOfKey(e))
        OnFormatCommand(command);
    else if (e == QKeySequence::Undo)
        Undo();
    else if (e == QKeySequence::Cut)
        Cut();
    else if (e == QKeySequence::Copy)
        Copy();
    else if (e == QKeySequence::Paste)
        Paste();
    else if (e == QKeySequence::Redo) {
        // the history goes back only
    }
    else if (e == QKeySequence::DeleteStartOfWord)
        DeleteWithCursorMove(QTextCursor::PreviousWord);
    else if (e == QKeySequence::DeleteEndOfWord)
        DeleteWithCursorMove(QTextCursor::NextWord);
    else if (e == QKeySequence::DeleteEndOfLine)
        DeleteWithCursorMove(QTextCursor::EndOfLine);
    else if (e->key() == Qt::Key_Backspace)
        DeleteWithCursorMove(QTextCursor::PreviousCharacter);
    else if (e->key() == Qt::Key_Delete)
        DeleteWithCursorMove(QTextCursor::NextCharacter);
    else if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        TypeText(QString((e->modifiers() & Qt::ShiftModifier) ? CRichText::kLineBreak : CRichText::kParagraphEnd));
    else if ((e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) && m_tabToOwner)
        emit TabPressed();
    else if (e->key() == Qt::Key_Tab && !(e->modifiers() & Qt::ControlModifier))
        TypeText(QStringLiteral("\t"));
    else if (!text.isEmpty() && !(e->modifiers() & Qt::ControlModifier) &&
             std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint() || c.isSurrogate(); }))
        TypeText(text);
    else {
        QTextEdit::keyPressEvent(e); // moving the caret and the selection
        return;
    }
    e->accept();
}

void CRichEditCtrlEx::inputMethodEvent(QInputMethodEvent *e)
{
    if (m_text && !isReadOnly() && !e->commitString().isEmpty())
        TypeText(e->commitString());
    e->accept();
}

bool CRichEditCtrlEx::IsInBorderBand(const QPoint &pos) const
{
    const QRect client = rect();
    return client.contains(pos) && !client.adjusted(kBorderBand, kBorderBand, -kBorderBand, -kBorderBand).contains(pos);
}

void CRichEditCtrlEx::mousePressEvent(QMouseEvent *e)
{
    const QPoint pos = viewport()->mapTo(this, e->position().toPoint());
    emit SelectComponent();
    if (m_owner == Owner::TableCell && e->button() == Qt::LeftButton && IsInBorderBand(pos))
        emit BorderPress(mapToParent(pos), e->button(), e->modifiers());
    if (m_owner == Owner::Textbox && e->button() == Qt::RightButton) {
        emit OwnerContextMenu(mapToParent(pos));
        e->accept();
        return;
    }
    QTextEdit::mousePressEvent(e); // the caret goes where the press was
}

void CRichEditCtrlEx::mouseMoveEvent(QMouseEvent *e)
{
    if (m_owner == Owner::TableCell && !(e->buttons() & Qt::LeftButton)) {
        const QPoint pos = viewport()->mapTo(this, e->position().toPoint());
        viewport()->setCursor(IsInBorderBand(pos) ? Qt::ArrowCursor : Qt::IBeamCursor);
    }
    QTextEdit::mouseMoveEvent(e);
}

void CRichEditCtrlEx::contextMenuEvent(QContextMenuEvent *e)
{
    if (m_owner == Owner::TableCell) {
        std::unique_ptr<QMenu> menu(CreateCellMenu(this));
        menu->exec(e->globalPos());
    } else if (m_owner == Owner::Textbox && e->reason() != QContextMenuEvent::Mouse) {
        emit OwnerContextMenu(mapToParent(e->pos()));
    }
    e->accept();
}

QMenu *CRichEditCtrlEx::CreateCellMenu(QWidget *parent)
{
    auto *menu = new QMenu(parent);
    menu->setAccessibleName(tr("Table cell menu"));
    const auto table = [this, menu](const QString &text, int id) {
        menu->addAction(text, this, [this, id] { emit TableCommand(id); });
    };
    const auto local = [menu](const QString &text, const std::function<void()> &run) { menu->addAction(text, run); };
    table(tr("Cu&t Table"), idTableCut);
    table(tr("&Copy Table"), idTableCopy);
    menu->addAction(tr("&Paste Table"))->setEnabled(false);
    menu->addSeparator();
    local(tr("Cut T&ext"), [this] { Cut(); });
    local(tr("Copy Te&xt"), [this] { Copy(); });
    local(tr("Pa&ste Text"), [this] { Paste(); });
    menu->addSeparator();
    local(tr("&Font..."), [this] { OnFont(); });
    local(tr("&Bold"), [this] { ToggleBold(); });
    local(tr("&Italic"), [this] { ToggleItalic(); });
    local(tr("&Underline"), [this] { ToggleUnderline(); });
    local(tr("&Strikeout"), [this] { ToggleStrikeout(); });
    local(tr("Bu&llet"), [this] { ToggleBullet(); });
    menu->addSeparator();
    local(tr("Left justify"), [this] { AlignLeft(); });
    local(tr("Centre"), [this] { AlignCenter(); });
    local(tr("Right justify"), [this] { AlignRight(); });
    menu->addSeparator();
    table(tr("Update &Table..."), idUpdateTable);
    table(tr("Delete Link"), idDeleteLink);
    menu->addSeparator();
    table(tr("B&ring to top"), idBringToTop);
    table(tr("Send to bac&k"), idSendToBack);
    return menu;
}
