#pragma once

#include "dialogs/MediaChoice.h"
#include "model/ComponentFlashVideo.h"
#include "platform/Rect.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class CCanvasModel;
class CComponentBase;
class CCorvPage;
class CCorvessaDoc;
class CEditCanvas;
class CPrompt;
class CScreenLookup;

// The component clipboard of the Edit window: a clone of the component last cut or copied, placed at
// (36, 32). The Edit window owns it; the canvas and the component windows reach it through this.
class CComponentClipboard
{
public:
    virtual ~CComponentClipboard() = default;
    // Null while nothing was cut or copied.
    virtual const CComponentBase *GetComponent() const = 0;
    virtual void CopyComponent(const CComponentBase &component) = 0;
};

// A clipboard that keeps its clone itself.
class CHeldComponentClipboard : public CComponentClipboard
{
public:
    const CComponentBase *GetComponent() const override { return m_held.get(); }
    void CopyComponent(const CComponentBase &component) override;

private:
    std::unique_ptr<CComponentBase> m_held;
};

// What the Edit window's commands do to the components of the current screen, without windows or
// dialogs: the caller runs the dialog and hands its values in. Every change marks the screen modified.
namespace ComponentCommands {

// ---- Clipboard and order ----
void Copy(CComponentClipboard &clipboard, CComponentBase &component);
// Copy, then the canvas's delete (links to an existing screen stay). False when nothing was deleted.
bool Cut(CComponentClipboard &clipboard, CCorvPage &screen, CCanvasModel &canvas, CComponentBase *component,
         const CScreenLookup &screens);
// Restacking within the screen; false when the component is not on it.
bool BringToTop(CCorvPage &screen, CComponentBase *component);
bool SendToBack(CCorvPage &screen, CComponentBase *component);

// ---- Element properties ----
// Audio buttons and YouTube players keep their size; the others take the size entered.
bool KeepsSizeOnProperties(int type);
// The rectangle a placement gives the component.
CRect PlacedBounds(const CComponentBase &component, int x, int y, int cx, int cy);

// ---- Media ----
// The components a media choice makes, on the canvas given: an audio Play and Stop pair 80 pixels apart
// with the controller on, else one auto-starting Play button; a video that starts by itself unless it
// shows a controller or is Flash ("swf"); Flash, Acrobat, YouTube and Flash video with their values.
std::vector<std::unique_ptr<CComponentBase>> BuildMedia(const SMediaChoice &choice, CEditCanvas *canvas);
// Appends them to the screen (a refused one is deleted) and shows the screen again; the screen and the
// document are marked modified when anything was added. The number added.
int AddMedia(CCorvessaDoc &doc, CCorvPage *screen, const SMediaChoice &choice, CPrompt &prompt);

// ---- Pictures ----
// A replaced picture: a box of the size class's preset centred on the old bounds, the picture fitted into
// it (never enlarged) around the box's centre, then pulled back onto the screen 5 pixels inside any edge
// it crossed.
CRect ReplacedPictureBounds(const CRect &old, int sizeClass, int naturalWidth, int naturalHeight);
// The display scale of a pan-and-zoom picture: canvas width / the width the dialog shows the picture at;
// the previous scale when the dialog showed none.
float DisplayScale(int canvasWidth, int shownPictureWidth, float previous);

// ---- Links ----
// A script as a text link stores it: every backslash doubled, then every double quotation mark escaped.
QString EscapeLinkScript(const QString &script);
struct SLinkChoice {
    int screenLink = 0;
    int targetScreen = -1;
    QString address;
    QString script;
    int scriptFlag = 0;
    int popup = 0;
    int fullSize = 0;
    int popupHeight = 0;
    int popupWidth = 0;
};
// The selected text of a text box, or of the active cell of a table; empty when nothing is selected.
bool GetLinkSelection(CComponentBase &component, int &start, QString &text);
// Links the selected text of a text box or table, or the picture. Text links need a target screen or a
// target text; the picture takes whatever was chosen. True when a link was added.
bool AddLink(CComponentBase &component, const SLinkChoice &choice, CPrompt &prompt);

// ---- Colours, lines, formatting ----
enum ColourMode { ColourOutline = 0, ColourFill = 1 };
// A chosen colour on the selection: a line takes it; a rectangle or ellipse fills or outlines with it
// (the default button turns fill or outline off and the colour is still kept); a text box's or table
// cell's selected text takes it, black for "Automatic". True when the component changed.
bool ApplyColour(CComponentBase *component, int colourMode, uint32_t colour, bool defaultChosen);
bool ApplyLineWidth(CComponentBase *component, int width);
enum ParagraphCommand : int {
    AlignLeft = 33034,
    AlignCentre = 33035,
    AlignRight = 33037,
    Justify = 33044,
    IncreaseIndent = 33029,
    DecreaseIndent = 33028,
    Bold = 32829,
    Italic = 32819,
    Underline = 32821,
    Strikeout = 33072,
    Bulleting = 32886,
    Numbering = 32992,
};
// The formatting commands on a text box's selection or a table's active cell; false for other kinds.
bool ApplyFormatting(CComponentBase *component, int command);

} // namespace ComponentCommands
