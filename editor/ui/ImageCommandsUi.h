#pragma once

class CCorvPage;
class CCorvessaDoc;
class CScrollViewEx;
class QWidget;

// The picture commands of the Edit window and of a picture's context menu: a new picture from a file,
// another picture from a file, the alternative text, the keywords and removing the link. Each runs its
// dialog over the picture selected on the canvas and marks the screen modified when something changed.
class CImageCommandsUi
{
public:
    // Picture commands that have no entry among the program's command ids.
    enum : int {
        ReplaceFromFileMenu = 32800,
        ReplaceAltTextMenu = 32801,
        DeleteLinkMenu = 32895,
    };

    CImageCommandsUi(CCorvessaDoc &doc, CScrollViewEx &canvas, QWidget *parent);

    // True when the command is one of these (it has then been carried out).
    bool OnCommand(int commandId);
    // Whether a command of these is offered; false for other commands.
    static bool Handles(int commandId);

    void AddGraphicFromFile();
    void ReplaceFromFile();
    void ReplaceAltText();
    void EditKeywords();
    void DeleteLink();

private:
    class CComponentImage *SelectedImage(bool tell) const;
    void ScreenChanged();

    CCorvessaDoc &m_doc;
    CScrollViewEx &m_canvas;
    QWidget *m_parent;
};
