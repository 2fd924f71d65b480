#pragma once

#include "platform/richtext/CharFormat.h"
#include "platform/richtext/ParaFormat.h"

#include <QTextEdit>

#include <functional>
#include <memory>
#include <vector>

class CRichText;
class QMenu;
class QMimeData;

// The rich-text editor of text boxes, table cells and the paragraph question: a Qt text view kept in step
// with a rich-text document that it does not own. The document is the one source of truth: every edit the
// author makes (typing, deleting, pasting, formatting, undo) is made on the document through its own
// operations, and the view is then drawn again from it. The view shows the document without its hidden
// characters; the link markers among them can be neither seen nor split (see CRichEditMapping).
//
// Selections are kept in both: a selection made in the view is the document's selection, so the commands of
// the formatting bar and of the menus act on it.
class CRichEditCtrlEx : public QTextEdit
{
    Q_OBJECT
public:
    // Who holds the control decides where mouse presses and the context menu go.
    enum class Owner { Other, Textbox, TableCell };

    explicit CRichEditCtrlEx(QWidget *parent = nullptr, Owner owner = Owner::Other);
    ~CRichEditCtrlEx() override;

    // The document shown and edited; null shows nothing. The undo history starts again.
    void SetDocument(CRichText *text);
    CRichText *GetDocument() const { return m_text; }
    Owner GetOwner() const { return m_owner; }
    // Draws the view again after the document was changed by others (the undo history starts again).
    void Refresh();

    // The selection in document positions; setting it shows it.
    void SetDocSelection(int start, int end);
    void GetDocSelection(int &start, int &end) const;
    // The selection's formats: the first character's with the mask bits of what is the same over it.
    CCharFormat GetSelectionCharFormat() const;
    CParaFormat GetSelectionParaFormat() const;

    // Editing as the author does it: the selection replaced by typed text (paragraph ends as "\r").
    void TypeText(const QString &text);
    void DeleteSelection();

    // Character commands on the selection (on an empty one they set the format of the next text typed).
    void ToggleBold();
    void ToggleItalic();
    void ToggleUnderline();
    void ToggleStrikeout();
    void ToggleLinkEffect();
    void SetSelectionColour(uint32_t colour);
    void SetSelectionFace(const QString &face);
    void SetSelectionPointSize(int points);
    void ApplyCharFormat(const CCharFormat &change);
    // Paragraph commands on the selected paragraphs.
    void ToggleBullet();
    void ToggleNumbering();
    void AlignLeft();
    void AlignCenter();
    void AlignRight();
    void AlignJustify();
    void IncreaseIndent();
    void DecreaseIndent();
    // The formatting commands of the main window and the Edit window by their command numbers (bold,
    // italic, underline, strike-out, bullets, numbering, indents, alignments); false for any other.
    bool OnFormatCommand(int commandId);
    // The whole text aligned right (or left) and the direction recorded; the whole text is left selected.
    void SetRightToLeft(bool rightToLeft);
    // The font dialog: face, size, colour, bold, italic, underline and strike-out as chosen.
    void OnFont();

    // The author's clipboard: rich text (RTF) and plain text; link markers never go onto it.
    void Cut();
    void Copy();
    void Paste();
    void PasteMimeData(const QMimeData *data);
    void Undo();
    bool CanUndo() const { return !m_undo.empty(); }

    // The table cell's context menu (its table commands are handed to TableCommand).
    QMenu *CreateCellMenu(QWidget *parent);

    // Whether the press at pos (this widget's coordinates) lies in the cell's outer 8-pixel band.
    bool IsInBorderBand(const QPoint &pos) const;
    static constexpr int kBorderBand = 8;

    // Table cells hand Tab to their table window.
    void SetTabHandledByOwner(bool handled) { m_tabToOwner = handled; }

    // Menu ids of the table cell menu.
    enum CellCommand {
        idTableCut = 32918,
        idTableCopy = 32917,
        idTablePaste = 32919,
        idCutText = 32937,
        idCopyText = 32938,
        idPasteText = 32939,
        idFont = 32920,
        idBold = 32921,
        idItalic = 32922,
        idUnderline = 65535,
        idStrikeout = 33075,
        idBullet = 32923,
        idLeftJustify = 33041,
        idCentre = 33042,
        idRightJustify = 33043,
        idUpdateTable = 32942,
        idDeleteLink = 33058,
        idBringToTop = 32940,
        idSendToBack = 32941,
    };

signals:
    // The selection moved or its format changed (the formatting bar reads it again).
    void SelectionFormatChanged();
    // The document's content changed through this control.
    void DocumentEdited();
    // A press on the control: its component is to be selected on the canvas.
    void SelectComponent();
    // A press in a table cell's outer band, at the point in the parent's coordinates.
    void BorderPress(const QPoint &posInParent, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    // A right press of a text box's control, at the point in the parent's coordinates.
    void OwnerContextMenu(const QPoint &posInParent);
    // A table command of the cell menu (Cut/Copy table, To top/back, Update table, Delete link).
    void TableCommand(int id);
    // Tab in a table cell (SetTabHandledByOwner).
    void TabPressed();

protected:
    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void inputMethodEvent(QInputMethodEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;

private:
    struct Snapshot;
    enum class EditKind { Other, Typing, Deleting };

    void Render();
    void ShowDocSelection();
    void OnViewSelectionChanged();
    void OnViewContentsChanged();
    // Runs an edit of the document: the state before goes onto the undo history, the view follows.
    void Edit(EditKind kind, const std::function<void()> &change);
    // Deletes the view range [viewStart, viewEnd) from the document; the caret goes to viewStart.
    void DeleteViewRange(int viewStart, int viewEnd);
    void InsertAtSelection(const QString &text, const CRichText *fragment);
    void DeleteWithCursorMove(QTextCursor::MoveOperation move);
    QMimeData *MimeDataForSelection() const;

    CRichText *m_text = nullptr;
    Owner m_owner;
    bool m_rendering = false;
    bool m_tabToOwner = false;
    std::vector<std::unique_ptr<Snapshot>> m_undo;
    EditKind m_lastEdit = EditKind::Other;
};
