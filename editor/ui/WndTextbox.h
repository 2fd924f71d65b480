#pragma once

#include "editor/ui/EditingComponentWindow.h"

#include <memory>

class CAddLinkValues;
class CComponentBase;
class CComponentTextbox;
class CPrompt;
class CRichEditCtrlEx;
class CURLLink;
class QMenu;
class QPainter;

// The canvas window of a text box. Not being edited, it paints the box as the screen's pictures do (the
// canvas and the thumbnails look the same, no selection shows); while the box is the canvas's selection a
// rich-text editor fills it, editing the component's own rich text in place (the component keeps text,
// formats, link markers and link records; the window shows and edits them). The editor is made on need and
// goes when the box is no longer edited. It carries the text box's context menu, the formatting commands the Edit window and the main
// window send to the selected text box, the links made and deleted in its text, the report of the
// selection's font to the formatting bar, and the greyed text of screen thumbnails.
class CWndTextbox : public CEditingComponentWindow
{
    Q_OBJECT
public:
    CWndTextbox(CComponentTextbox &component, QWidget *canvas);
    ~CWndTextbox() override;

    // CComponentWindow
    void MoveWindow(const CRect &rect) override;
    void Invalidate() override;
    void UpdateFromComponent() override;
    void UpdateComponent() override;
    void EnableEditing(bool enable) override;
    void ResetCaret() override;
    QSize GetTextExtent(const QString &text) const override;

    // The editor, made when first asked for (shown only while the box is being edited).
    CRichEditCtrlEx *Editor() const { return &Edit(); }
    bool IsEditing() const { return m_editing; }
    CComponentTextbox &Component() const { return m_component; }

    // Formatting of the selection.
    void SetSelectionFontName(const QString &face);
    void SetSelectionFontSize(int points);
    void ToggleBold();
    void ToggleItalic();
    void ToggleUnderline();
    void ToggleStrikeout();
    void OnBullet();
    void OnLeftToRight();
    void OnRightToLeft();
    void OnFont();
    // The formatting commands of the main window and the Edit window by their command numbers (bold,
    // italic, underline, strike-out, bullets, numbering, indents, alignments); false for any other.
    bool OnFormatCommand(int commandId);

    // Links: the selected text becomes a link with the dialog's target (false when nothing is selected, the
    // selection holds part of another link, or no link number is left); the link around the caret is
    // removed; a record is marked into the text or read back from it.
    bool AddLink(const CAddLinkValues &target, CPrompt &prompt);
    void ToggleLinkEffect();
    bool OnDeleteLink();
    int MarkLink(CURLLink *link, bool isNew);

    // The lines that do not fit the box, measured with the layout the publisher uses.
    int CountHiddenLines() const;
    // The greyed impression of the text drawn into screen thumbnails.
    QString ThumbnailText() const;
    void DrawToDC(QPainter &painter, const QRect &rect) const;

    // The TEXTBOX context menu.
    QMenu *CreateContextMenu(QWidget *parent);

    // The window reports to its canvas through the callbacks of CEditingComponentWindow; its component
    // commands (Cut, Copy, Bring to top, Send to back, Properties) go by their menu ids.

    enum MenuId {
        idCutTextbox = 32847,
        idCopyTextbox = 32848,
        idPasteTextbox = 32849,
        idCutText = 32932,
        idCopyText = 32933,
        idPasteText = 32934,
        idFont = 32805,
        idBold = 32802,
        idItalic = 32803,
        idUnderline = 32804,
        idStrikeout = 33073,
        idBullet = 32887,
        idLeftAlign = 33038,
        idCentre = 33040,
        idRightAlign = 33039,
        idJustify = 33045,
        idDecreaseIndent = 33033,
        idIncreaseIndent = 33031,
        idLeftToRight = 33046,
        idRightToLeft = 33047,
        idDeleteLink = 32894,
        idBringToTop = 32806,
        idSendToBack = 32807,
        idProperties = 33063,
    };

protected:
    void resizeEvent(QResizeEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;

private:
    void OnSelChange();
    void UpdateOverflow();
    void ShowMenuAt(const QPoint &pos);
    CRichEditCtrlEx &Edit() const;
    void DropEditor();

    CComponentTextbox &m_component;
    mutable CRichEditCtrlEx *m_edit = nullptr;
    bool m_editing = false;
};
