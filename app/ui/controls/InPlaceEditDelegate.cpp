#include "app/ui/controls/InPlaceEditDelegate.h"

#include "app/DropDownListRules.h"
#include "platform/ui/FileDialogs.h"
#include "app/ui/controls/DropDownListCtrl.h"
#include "app/ui/controls/InPlaceBrowseEditor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>

using namespace CorvDropDownList;

namespace {

// Even rows are tinted so long tables read across.
const QColor kEvenRow(237, 243, 254);

} // namespace

CInPlaceEditDelegate::CInPlaceEditDelegate(CDropDownListCtrl *list) : QStyledItemDelegate(list), m_list(list) {}

QWidget *CInPlaceEditDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                            const QModelIndex &index) const
{
    QWidget *editor = nullptr;
    QWidget *input = nullptr;
    if (m_list->IsBrowseColumn(index.column())) {
        auto *browse = new CInPlaceBrowseEditor(parent);
        connect(browse, &CInPlaceBrowseEditor::browseRequested, this, &CInPlaceEditDelegate::Browse);
        editor = browse;
        input = browse->Edit();
    } else if (m_list->IsMultiLineRow(index.row())) {
        auto *text = new QPlainTextEdit(parent);
        text->setTabChangesFocus(true);
        editor = input = text;
    } else {
        editor = input = new QLineEdit(parent);
    }
    editor->setFont(m_list->font());
    editor->setAccessibleName(QStringLiteral("Cell text"));
    // Keys and the focus of the input itself decide when the edit ends.
    if (input != editor)
        input->installEventFilter(const_cast<CInPlaceEditDelegate *>(this));
    m_state.Begin(index.row(), index.column(), index.data(Qt::EditRole).toString());
    m_open = editor;
    m_filled = false;
    return editor;
}

QString CInPlaceEditDelegate::EditorText(const QWidget *editor)
{
    if (const auto *browse = qobject_cast<const CInPlaceBrowseEditor *>(editor))
        return browse->Edit()->text();
    if (const auto *text = qobject_cast<const QPlainTextEdit *>(editor))
        return text->toPlainText();
    if (const auto *line = qobject_cast<const QLineEdit *>(editor))
        return line->text();
    return {};
}

void CInPlaceEditDelegate::SetEditorText(QWidget *editor, const QString &text)
{
    if (auto *browse = qobject_cast<CInPlaceBrowseEditor *>(editor)) {
        browse->Edit()->setText(text);
        browse->Edit()->selectAll();
    } else if (auto *plain = qobject_cast<QPlainTextEdit *>(editor)) {
        plain->setPlainText(text);
        plain->selectAll();
    } else if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        line->setText(text);
        line->selectAll();
    }
}

void CInPlaceEditDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    // Only when the editor opens: the view also calls this when the model changes under an open editor,
    // which must not throw away what the author is typing.
    if (editor != m_open || !m_state.IsOpen() || m_filled)
        return;
    m_filled = true;
    SetEditorText(editor, index.data(Qt::EditRole).toString());
}

void CInPlaceEditDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (editor != m_open || !m_state.IsOpen())
        return;
    const QString text = m_state.Finish(EditorText(editor));
    m_open = nullptr;
    model->setData(index, text, Qt::EditRole);
    emit const_cast<CInPlaceEditDelegate *>(this)->edited(index.row(), index.column(), text);
}

void CInPlaceEditDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                                const QModelIndex &index) const
{
    if (m_list->IsMultiLineRow(index.row()) && !m_list->IsBrowseColumn(index.column()))
        editor->setGeometry(MultiLineEditRect(option.rect));
    else
        editor->setGeometry(option.rect);
}

void CInPlaceEditDelegate::EndEdit()
{
    QWidget *editor = m_open;
    if (!editor || !m_state.IsOpen())
        return;
    emit commitData(editor);
    emit closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool CInPlaceEditDelegate::OwnsWidget(const QObject *object) const
{
    for (const QObject *o = object; o; o = o->parent())
        if (o == m_open)
            return true;
    return false;
}

void CInPlaceEditDelegate::Browse()
{
    auto *editor = qobject_cast<CInPlaceBrowseEditor *>(m_open);
    if (!editor || !m_state.IsOpen())
        return;
    editor->SetBrowsing(true);
    const QString path = m_list->FileDialogs().GetOpenFileName(m_list, QStringLiteral("Open"), editor->Edit()->text(),
                                                               DialogFilter(BrowseFilterText()));
    editor->SetBrowsing(false);
    // Cancel leaves the cell as it was and reports nothing; the edit stays open.
    if (path.isEmpty()) {
        editor->Edit()->setFocus(Qt::OtherFocusReason);
        return;
    }
    editor->Edit()->setText(path);
    EndEdit();
}

bool CInPlaceEditDelegate::eventFilter(QObject *watched, QEvent *event)
{
    // The delegate decides every end itself: an editor already ended (its input losing the focus as it
    // goes) must not be committed a second time.
    if (!m_open || !m_state.IsOpen() || !OwnsWidget(watched))
        return false;
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // Escape and Enter belong to the editor, not to a dialog's buttons around the list.
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
            event->accept();
            return true;
        }
        return false;
    }
    case QEvent::KeyPress: {
        const auto *keyEvent = static_cast<QKeyEvent *>(event);
        switch (keyEvent->key()) {
        case Qt::Key_Escape:
            m_state.Cancel();
            EndEdit();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (qobject_cast<QPlainTextEdit *>(m_open))
                return false; // a line break in a multi-line row
            EndEdit();
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            EndEdit();
            return true;
        default:
            return false;
        }
    }
    case QEvent::FocusOut: {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
            return false;
        if (auto *browse = qobject_cast<CInPlaceBrowseEditor *>(m_open); browse && browse->IsBrowsing())
            return false;
        if (OwnsWidget(QApplication::focusWidget()))
            return false;
        EndEdit();
        return false;
    }
    default:
        return false;
    }
}

bool CInPlaceEditDelegate::editorEvent(QEvent *, QAbstractItemModel *, const QStyleOptionViewItem &, const QModelIndex &)
{
    // The list decides what a click does (a check cell toggles there); nothing toggles behind its back.
    return false;
}

void CInPlaceEditDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const bool selected = opt.state & QStyle::State_Selected;
    QColor background = index.row() % 2 == 0 ? kEvenRow : opt.palette.color(QPalette::Base);
    if (!(opt.state & QStyle::State_Enabled))
        background = opt.palette.color(QPalette::Disabled, QPalette::Window);
    if (selected)
        background = opt.palette.color(QPalette::Highlight);
    painter->fillRect(opt.rect, background);
    if (m_list->IsCheckColumn(index.column())) {
        QStyleOptionButton box;
        box.rect = opt.rect;
        box.state = (opt.state & QStyle::State_Enabled) | (IsTicked(opt.text) ? QStyle::State_On : QStyle::State_Off);
        const QRect indicator = m_list->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &box, m_list);
        box.rect = QRect(opt.rect.left() + 2, opt.rect.top() + (opt.rect.height() - indicator.height()) / 2,
                         indicator.width(), indicator.height());
        m_list->style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, m_list);
    } else {
        PaintText(painter, opt);
    }
    // The current cell shows where the keyboard acts inside the selected row.
    if (opt.state & QStyle::State_HasFocus) {
        painter->save();
        painter->setPen(QPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text), 1, Qt::DotLine));
        painter->drawRect(opt.rect.adjusted(0, 0, -1, -1));
        painter->restore();
    }
}

void CInPlaceEditDelegate::PaintText(QPainter *painter, const QStyleOptionViewItem &opt)
{
    const bool selected = opt.state & QStyle::State_Selected;
    painter->save();
    painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect textRect = opt.rect.adjusted(2, 0, -2, 0);
    const QFontMetrics metrics(opt.font);
    // Word breaks over the lines the row has room for, the last line cut with an ellipsis.
    const int lines = std::max(1, textRect.height() / std::max(1, metrics.lineSpacing()));
    QString shown = opt.text;
    if (lines == 1 || !shown.contains(u' '))
        shown = metrics.elidedText(shown.section(u'\n', 0, 0), Qt::ElideRight, textRect.width());
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, shown);
    painter->restore();
}
