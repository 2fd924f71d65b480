#include "editor/ui/TextboxWindow.h"

#include "app/CommandIds.h"
#include "dialogs/LinkDialogs.h"
#include "editor/RichEditMapping.h"
#include "editor/ui/RichEditCtrl.h"
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

CTextboxWindow::CTextboxWindow(CComponentTextbox &component, QWidget *canvas)
    : QWidget(canvas), m_component(component), m_canvas(canvas)
{
    setAccessibleName(tr("Text box"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_edit = new CRichEditCtrl(this, CRichEditCtrl::Owner::Textbox);
    m_edit->setFrameShape(QFrame::NoFrame);
    m_edit->document()->setDocumentMargin(0);
    m_edit->setEnabled(false); // enabled while the text box is the canvas's selection
    // Not being edited, the box shows its text as the published screen does: in its own colours, over the
    // screen rather than a field of its own.
    QPalette palette = m_edit->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, Qt::transparent);
        palette.setColor(group, QPalette::Text, palette.color(QPalette::Active, QPalette::Text));
    }
    m_edit->setPalette(palette);
    m_edit->viewport()->setAutoFillBackground(false);
    m_edit->setAccessibleName(tr("Text box text"));
    connect(m_edit, &CRichEditCtrl::SelectionFormatChanged, this, &CTextboxWindow::OnSelChange);
    connect(m_edit, &CRichEditCtrl::DocumentEdited, this, &CTextboxWindow::UpdateOverflow);
    connect(m_edit, &CRichEditCtrl::SelectComponent, this, [this] {
        if (selectComponent)
            selectComponent(m_component);
    });
    connect(m_edit, &CRichEditCtrl::OwnerContextMenu, this, [this](const QPoint &pos) { ShowMenuAt(pos); });
    const CRect &bounds = component.GetBounds();
    setGeometry(bounds.left, bounds.top, bounds.Width(), bounds.Height());
    hide();
}

CTextboxWindow::~CTextboxWindow() = default;

void CTextboxWindow::Show()
{
    raise();
    show();
}

void CTextboxWindow::Hide() { hide(); }

void CTextboxWindow::MoveWindow(const CRect &rect)
{
    setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
    m_edit->setGeometry(0, 0, rect.Width(), rect.Height());
    UpdateOverflow();
    update();
}

void CTextboxWindow::Invalidate()
{
    update();
    m_edit->viewport()->update();
}

void CTextboxWindow::UpdateFromComponent()
{
    const bool rightToLeft = m_component.GetRightToLeft() != 0;
    setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    m_edit->setLayoutDirection(layoutDirection());
    m_edit->SetDocument(&m_component.GetRichText());
    UpdateOverflow();
}

void CTextboxWindow::UpdateComponent()
{
    // The editor works on the component's own text: nothing is left to hand back.
}

void CTextboxWindow::EnableEditing(bool enable) { m_edit->setEnabled(enable); }

void CTextboxWindow::ResetCaret() { m_edit->SetDocSelection(0, 0); }

QSize CTextboxWindow::GetTextExtent(const QString &text) const
{
    const QFontMetrics metrics(CRichTextLayout::FontFor(m_component.GetRichText().GetDefaultCharFormat()));
    return metrics.size(0, text);
}

void CTextboxWindow::paintEvent(QPaintEvent *)
{
    // A one-pixel black frame on white, as the screen's pictures show the box: whatever made the box, it
    // looks the same on the canvas.
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CTextboxWindow::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    m_edit->setGeometry(0, 0, width(), height());
    UpdateOverflow();
}

int CTextboxWindow::CountHiddenLines() const
{
    CRichText &text = m_component.GetRichText();
    text.SetLayoutSize(width(), height());
    return text.Layout().CountHiddenLines(height());
}

void CTextboxWindow::UpdateOverflow()
{
    // The text scrolls when the published screen's box would: both measure with the same layout.
    m_edit->setVerticalScrollBarPolicy(CountHiddenLines() > 0 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void CTextboxWindow::mousePressEvent(QMouseEvent *e)
{
    // A press on the window around a disabled editor goes to the canvas as its own.
    if (m_canvas) {
        QMouseEvent relayed(e->type(), mapTo(m_canvas, e->position().toPoint()), e->globalPosition(), e->button(),
                            e->buttons(), e->modifiers());
        QCoreApplication::sendEvent(m_canvas, &relayed);
    }
    e->accept();
}

void CTextboxWindow::contextMenuEvent(QContextMenuEvent *e)
{
    if (selectComponent)
        selectComponent(m_component);
    ShowMenuAt(e->pos());
    e->accept();
}

void CTextboxWindow::ShowMenuAt(const QPoint &pos)
{
    std::unique_ptr<QMenu> menu(CreateContextMenu(this));
    menu->exec(mapToGlobal(pos));
}

QMenu *CTextboxWindow::CreateContextMenu(QWidget *parent)
{
    auto *menu = new QMenu(parent);
    menu->setAccessibleName(tr("Text box menu"));
    const auto item = [menu](const QString &text, const std::function<void()> &run) { menu->addAction(text, run); };
    const auto command = [this, menu](const QString &text, int id) {
        menu->addAction(text, this, [this, id] {
            if (componentCommand)
                componentCommand(m_component, id);
        });
    };
    command(tr("Cu&t Textbox"), idCutTextbox);
    command(tr("&Copy Textbox"), idCopyTextbox);
    command(tr("&Paste Textbox"), idPasteTextbox);
    menu->addSeparator();
    item(tr("Cut T&ext"), [this] { m_edit->Cut(); });
    item(tr("Copy Te&xt"), [this] { m_edit->Copy(); });
    item(tr("Pa&ste Text"), [this] { m_edit->Paste(); });
    menu->addSeparator();
    item(tr("&Font..."), [this] { OnFont(); });
    item(tr("&Bold"), [this] { ToggleBold(); });
    item(tr("&Italic"), [this] { ToggleItalic(); });
    item(tr("&Underline"), [this] { ToggleUnderline(); });
    item(tr("&Strikeout"), [this] { ToggleStrikeout(); });
    item(tr("Bu&llet"), [this] { OnBullet(); });
    menu->addSeparator();
    item(tr("Left align"), [this] { m_edit->AlignLeft(); });
    item(tr("Centre"), [this] { m_edit->AlignCenter(); });
    item(tr("Right align"), [this] { m_edit->AlignRight(); });
    item(tr("Justify"), [this] { m_edit->AlignJustify(); });
    item(tr("De&crease Indent"), [this] { m_edit->DecreaseIndent(); });
    item(tr("I&ncrease Indent"), [this] { m_edit->IncreaseIndent(); });
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

void CTextboxWindow::SetSelectionFontName(const QString &face) { m_edit->SetSelectionFace(face); }
void CTextboxWindow::SetSelectionFontSize(int points) { m_edit->SetSelectionPointSize(points); }
void CTextboxWindow::ToggleBold() { m_edit->ToggleBold(); }
void CTextboxWindow::ToggleItalic() { m_edit->ToggleItalic(); }
void CTextboxWindow::ToggleUnderline() { m_edit->ToggleUnderline(); }
void CTextboxWindow::ToggleStrikeout() { m_edit->ToggleStrikeout(); }
void CTextboxWindow::OnFont() { m_edit->OnFont(); }

void CTextboxWindow::OnBullet()
{
    if (m_edit->GetSelectionParaFormat().numbering == 0)
        m_edit->setFocus();
    m_edit->ToggleBullet();
}

void CTextboxWindow::OnLeftToRight()
{
    setLayoutDirection(Qt::LeftToRight);
    m_component.SetRightToLeft(0);
    m_edit->SetRightToLeft(false);
}

void CTextboxWindow::OnRightToLeft()
{
    setLayoutDirection(Qt::RightToLeft);
    m_component.SetRightToLeft(1);
    m_edit->SetRightToLeft(true);
}

bool CTextboxWindow::OnFormatCommand(int commandId)
{
    if (commandId == CorvCommand::Bulleting) {
        OnBullet();
        return true;
    }
    return m_edit->OnFormatCommand(commandId);
}

void CTextboxWindow::OnSelChange()
{
    const CCharFormat format = m_edit->GetSelectionCharFormat();
    const auto uniform = UniformFaceAndSize(format);
    if (uniform && selectFontInToolbar)
        selectFontInToolbar(uniform->first, uniform->second);
}

// ---------------------------------------------------------------------------------------------------------
// Links

bool CTextboxWindow::AddLink(const CAddLinkValues &target, CPrompt &prompt)
{
    CRichText &text = m_component.GetRichText();
    const QTextCursor c = m_edit->textCursor();
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
    m_edit->Refresh();
    return true;
}

void CTextboxWindow::ToggleLinkEffect() { m_edit->ToggleLinkEffect(); }

bool CTextboxWindow::OnDeleteLink()
{
    const bool deleted = m_component.DeleteLinkAtCaret();
    if (deleted)
        m_edit->Refresh();
    return deleted;
}

int CTextboxWindow::MarkLink(CURLLink *link, bool isNew)
{
    const int result = m_component.GetContent().MarkLink(link, isNew);
    m_edit->Refresh();
    return result;
}

// ---------------------------------------------------------------------------------------------------------
// Thumbnails

QString CTextboxWindow::ThumbnailText() const
{
    CRichText &text = m_component.GetRichText();
    text.SetLayoutSize(width(), height());
    return GreyedThumbnailText(text.GetDrawText());
}

void CTextboxWindow::DrawToDC(QPainter &painter, const QRect &rect) const
{
    painter.save();
    painter.setFont(CRichTextLayout::FontFor(m_component.GetRichText().GetDefaultCharFormat()));
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop, ThumbnailText());
    painter.restore();
}
