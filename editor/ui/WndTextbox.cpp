#include "editor/ui/WndTextbox.h"

#include "app/CommandIds.h"
#include "dialogs/LinkDialogs.h"
#include "editor/CanvasComponentPainter.h"
#include "editor/RichEditMapping.h"
#include "editor/ui/RichEditCtrlEx.h"
#include "model/ComponentTextbox.h"
#include "platform/Prompt.h"
#include "platform/richtext/RichTextLayout.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QMenu>
#include <QMouseEvent>
#include <QPalette>
#include <QPainter>
#include <QTextCursor>

CWndTextbox::CWndTextbox(CComponentTextbox &component, QWidget *canvas)
    : CEditingComponentWindow(component, canvas), m_component(component)
{
    setAccessibleName(tr("Text box"));
    setAttribute(Qt::WA_DeleteOnClose, false);
}

CRichEditCtrlEx &CWndTextbox::Edit() const
{
    if (m_edit)
        return *m_edit;
    auto *self = const_cast<CWndTextbox *>(this);
    auto *edit = new CRichEditCtrlEx(self, CRichEditCtrlEx::Owner::Textbox);
    m_edit = edit;
    edit->setFrameShape(QFrame::NoFrame);
    // The text stands where the box's picture has it, so that it does not move when editing starts.
    edit->document()->setDocumentMargin(CanvasComponentPainter::kTextInset);
    edit->setEnabled(m_editing);
    // The editor shows the text in its own colours over the box's white rather than a field of its own.
    QPalette palette = edit->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, Qt::transparent);
        palette.setColor(group, QPalette::Text, palette.color(QPalette::Active, QPalette::Text));
    }
    edit->setPalette(palette);
    edit->viewport()->setAutoFillBackground(false);
    edit->setAccessibleName(tr("Text box text"));
    connect(edit, &CRichEditCtrlEx::SelectionFormatChanged, self, &CWndTextbox::OnSelChange);
    connect(edit, &CRichEditCtrlEx::DocumentEdited, self, &CWndTextbox::UpdateOverflow);
    connect(edit, &CRichEditCtrlEx::SelectComponent, self, [self] { self->SelectOwnComponent(); });
    connect(edit, &CRichEditCtrlEx::OwnerContextMenu, self, [self](const QPoint &pos) { self->ShowMenuAt(pos); });
    edit->setLayoutDirection(layoutDirection());
    edit->setGeometry(0, 0, width(), height());
    edit->SetDocument(&m_component.GetRichText());
    edit->setVisible(m_editing);
    self->UpdateOverflow();
    return *edit;
}

void CWndTextbox::DropEditor()
{
    if (!m_edit)
        return;
    // The editor may be running its own menu or event: it goes once that has returned.
    CRichEditCtrlEx *edit = m_edit;
    m_edit = nullptr;
    edit->hide();
    edit->disconnect(this);
    edit->SetDocument(nullptr);
    edit->deleteLater();
}

CWndTextbox::~CWndTextbox()
{
    if (m_edit)
        m_edit->SetDocument(nullptr);
}

void CWndTextbox::MoveWindow(const CRect &rect)
{
    SetBounds(rect);
    if (m_edit) {
        m_edit->setGeometry(0, 0, rect.Width(), rect.Height());
        UpdateOverflow();
    }
    update();
}

void CWndTextbox::Invalidate()
{
    update();
    if (m_edit)
        m_edit->viewport()->update();
}

void CWndTextbox::UpdateFromComponent()
{
    const bool rightToLeft = m_component.GetRightToLeft() != 0;
    setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    if (m_edit) {
        m_edit->setLayoutDirection(layoutDirection());
        m_edit->SetDocument(&m_component.GetRichText());
        UpdateOverflow();
    }
    update();
}

void CWndTextbox::UpdateComponent()
{
    // The editor works on the component's own text: nothing is left to hand back.
}

void CWndTextbox::EnableEditing(bool enable)
{
    if (enable == m_editing)
        return;
    m_editing = enable;
    if (enable) {
        CRichEditCtrlEx &edit = Edit();
        edit.setEnabled(true);
        edit.show();
    } else {
        DropEditor();
    }
    update();
}

void CWndTextbox::ResetCaret()
{
    if (m_edit)
        m_edit->SetDocSelection(0, 0);
}

QSize CWndTextbox::GetTextExtent(const QString &text) const
{
    const QFontMetrics metrics(CRichTextLayout::FontFor(m_component.GetRichText().GetDefaultCharFormat()));
    return metrics.size(0, text);
}

void CWndTextbox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_edit && m_edit->isVisible()) {
        // Being edited: the editor's text over the box's white, in its one-pixel black frame.
        painter.fillRect(rect(), Qt::white);
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        return;
    }
    // Otherwise the box as the screen's pictures show it, whatever made it.
    painter.translate(-m_component.GetBounds().left, -m_component.GetBounds().top);
    CanvasComponentPainter::Paint(painter, m_component);
}

void CWndTextbox::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    if (m_edit) {
        m_edit->setGeometry(0, 0, width(), height());
        UpdateOverflow();
    }
}

int CWndTextbox::CountHiddenLines() const
{
    CRichText &text = m_component.GetRichText();
    text.SetLayoutSize(width(), height());
    return text.Layout().CountHiddenLines(height());
}

void CWndTextbox::UpdateOverflow()
{
    // The text scrolls when the published screen's box would: both measure with the same layout.
    if (m_edit)
        m_edit->setVerticalScrollBarPolicy(CountHiddenLines() > 0 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void CWndTextbox::mousePressEvent(QMouseEvent *e)
{
    // A press on the window around a disabled editor goes to the canvas as its own.
    RelayToCanvas(e->type(), e->position().toPoint(), e->button(), e->buttons(), e->modifiers());
    e->accept();
}

void CWndTextbox::contextMenuEvent(QContextMenuEvent *e)
{
    SelectOwnComponent();
    ShowMenuAt(e->pos());
    e->accept();
}

void CWndTextbox::ShowMenuAt(const QPoint &pos)
{
    std::unique_ptr<QMenu> menu(CreateContextMenu(this));
    menu->exec(mapToGlobal(pos));
}

QMenu *CWndTextbox::CreateContextMenu(QWidget *parent)
{
    auto *menu = new QMenu(parent);
    menu->setAccessibleName(tr("Text box menu"));
    const auto item = [menu](const QString &text, const std::function<void()> &run) { menu->addAction(text, run); };
    const auto command = [this, menu](const QString &text, int id) {
        menu->addAction(text, this, [this, id] {
            RunComponentCommand(id);
        });
    };
    command(tr("Cu&t Textbox"), idCutTextbox);
    command(tr("&Copy Textbox"), idCopyTextbox);
    command(tr("&Paste Textbox"), idPasteTextbox);
    menu->addSeparator();
    item(tr("Cut T&ext"), [this] { Edit().Cut(); });
    item(tr("Copy Te&xt"), [this] { Edit().Copy(); });
    item(tr("Pa&ste Text"), [this] { Edit().Paste(); });
    menu->addSeparator();
    item(tr("&Font..."), [this] { OnFont(); });
    item(tr("&Bold"), [this] { ToggleBold(); });
    item(tr("&Italic"), [this] { ToggleItalic(); });
    item(tr("&Underline"), [this] { ToggleUnderline(); });
    item(tr("&Strikeout"), [this] { ToggleStrikeout(); });
    item(tr("Bu&llet"), [this] { OnBullet(); });
    menu->addSeparator();
    item(tr("Left align"), [this] { Edit().AlignLeft(); });
    item(tr("Centre"), [this] { Edit().AlignCenter(); });
    item(tr("Right align"), [this] { Edit().AlignRight(); });
    item(tr("Justify"), [this] { Edit().AlignJustify(); });
    item(tr("De&crease Indent"), [this] { Edit().DecreaseIndent(); });
    item(tr("I&ncrease Indent"), [this] { Edit().IncreaseIndent(); });
    item(tr("Left to right"), [this] { OnLeftToRight(); });
    item(tr("Right to left"), [this] { OnRightToLeft(); });
    menu->addSeparator();
    item(tr("&Delete Link"), [this] { OnDeleteLink(); });
    menu->addSeparator();
    command(tr("B&ring to top"), idBringToTop);
    command(tr("Send to bac&k"), idSendToBack);
    command(tr("Properties..."), idProperties);
    return menu;
}

// ---------------------------------------------------------------------------------------------------------
// Formatting

void CWndTextbox::SetSelectionFontName(const QString &face) { Edit().SetSelectionFace(face); }
void CWndTextbox::SetSelectionFontSize(int points) { Edit().SetSelectionPointSize(points); }
void CWndTextbox::ToggleBold() { Edit().ToggleBold(); }
void CWndTextbox::ToggleItalic() { Edit().ToggleItalic(); }
void CWndTextbox::ToggleUnderline() { Edit().ToggleUnderline(); }
void CWndTextbox::ToggleStrikeout() { Edit().ToggleStrikeout(); }
void CWndTextbox::OnFont() { Edit().OnFont(); }

void CWndTextbox::OnBullet()
{
    if (Edit().GetSelectionParaFormat().numbering == 0)
        Edit().setFocus();
    Edit().ToggleBullet();
}

void CWndTextbox::OnLeftToRight()
{
    setLayoutDirection(Qt::LeftToRight);
    m_component.SetRightToLeft(0);
    Edit().SetRightToLeft(false);
}

void CWndTextbox::OnRightToLeft()
{
    setLayoutDirection(Qt::RightToLeft);
    m_component.SetRightToLeft(1);
    Edit().SetRightToLeft(true);
}

bool CWndTextbox::OnFormatCommand(int commandId)
{
    if (commandId == CorvCommand::Bulleting) {
        OnBullet();
        return true;
    }
    return Edit().OnFormatCommand(commandId);
}

void CWndTextbox::OnSelChange()
{
    const CCharFormat format = Edit().GetSelectionCharFormat();
    const auto uniform = UniformFaceAndSize(format);
    if (uniform)
        ReportFont(uniform->first, uniform->second);
}

// ---------------------------------------------------------------------------------------------------------
// Links

bool CWndTextbox::AddLink(const CAddLinkValues &target, CPrompt &prompt)
{
    CRichText &text = m_component.GetRichText();
    const QTextCursor c = Edit().textCursor();
    const auto range = CRichEditMapping(text).LinkableRange(c.selectionStart(), c.selectionEnd());
    if (!range)
        return false;
    const auto [start, end] = *range;
    const QString linked = text.GetTextRange(start, end);
    if (const CStatus status = m_component.AddLink(linked, start, target.screenLink, target.targetScreen, target.Url(),
                                                   target.popup, target.script, target.fullSize, target.popupHeight,
                                                   target.popupWidth);
        !status) {
        prompt.Information(status.Error());
        return false;
    }
    // The component gave the words the link effect and showed its text again.
    Edit().Refresh();
    return true;
}

void CWndTextbox::ToggleLinkEffect() { Edit().ToggleLinkEffect(); }

bool CWndTextbox::OnDeleteLink()
{
    const bool deleted = m_component.DeleteLinkAtCaret();
    if (deleted)
        Edit().Refresh();
    return deleted;
}

int CWndTextbox::MarkLink(CURLLink *link, bool isNew)
{
    const int result = m_component.GetContent().MarkLink(link, isNew);
    Edit().Refresh();
    return result;
}

// ---------------------------------------------------------------------------------------------------------
// Thumbnails

QString CWndTextbox::ThumbnailText() const
{
    CRichText &text = m_component.GetRichText();
    text.SetLayoutSize(width(), height());
    return GreyedThumbnailText(text.GetDrawText());
}

void CWndTextbox::DrawToDC(QPainter &painter, const QRect &rect) const
{
    painter.save();
    painter.setFont(CRichTextLayout::FontFor(m_component.GetRichText().GetDefaultCharFormat()));
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop, ThumbnailText());
    painter.restore();
}
