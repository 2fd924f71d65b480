#pragma once

#include <QString>

#include <vector>

class CCanvasModel;
class CComponentBase;
class CCorvPage;
class CCorvessaDoc;
class CEditCanvas;
class CPrompt;
class CScreenLookup;

// The canvas's own edits of the current screen: pasting the component clipboard, deleting the selection,
// and which entries of its context menu are greyed.
namespace CanvasEdits {

// The message of a question pasted where it cannot go.
inline const QString kQuestionPasteMessage = QStringLiteral("Question can only be pasted onto empty page.");

enum class PasteResult {
    Pasted,
    NothingToPaste,  // no screen, an empty clipboard, or a kind the canvas does not paste
    QuestionRefused, // a question onto a screen that holds components or is no content screen
    ScreenRefused,   // the screen refused the component (a second audio of the same file and role)
};

// Whether the kind can be pasted at all.
bool IsPastableKind(int type);
bool IsQuestionKind(int type);

// A clone of the clipboard's component onto the screen: pictures, media and shapes at (36, 32); text
// boxes and tables with the next "tb%d.rtf" of the document's counter (the clipboard's keeps its own); a
// question only onto an empty content or question screen, which becomes a question screen, else the
// message. The screen is marked modified and shown on its canvas again; the pasted component is not
// selected. A component the screen refuses is deleted.
PasteResult Paste(CCorvessaDoc &doc, CCorvPage *screen, const CComponentBase *clipboard, CPrompt &prompt,
                  CComponentBase **pasted = nullptr);

// The Delete key leaves a link alone whose target label is set and whose target screen exists.
bool CanDelete(const CComponentBase &component, const CScreenLookup &screens);
// Removes the component from the screen (not its audio partner), forgets it on the canvas and deletes it;
// the screen is marked modified. False when it is not on the screen or may not be deleted there.
bool Delete(CCorvPage &screen, CCanvasModel &canvas, CComponentBase *component, const CScreenLookup &screens);

// The context menu of the canvas.
namespace Menu {
enum : int {
    Cut = 32850,
    Copy = 32851,
    Paste = 32852,
    ImportDocument = 32854,
    NewScreen = 32855,
    CompleteParagraph = 32856,
    FillBlanks = 32857,
    MatchPairs = 32858,
    MultipleChoice = 32859,
    PartIdentification = 32860,
    AddTable = 32861,
    MediaMenu = 32862,
    GraphicFromFile = 32863,
    GraphicFromLibrary = 32864,
    MediaAudio = 32974,
    MediaVideo = 32975,
    MediaFlash = 32976,
    MediaAnimatedGif = 32977,
    MediaAcrobat = 32978,
    MediaNarration = 32979,
    FreeFormText = 32986,
    FlashQuestion = 32999,
    TrueFalse = 33007,
    MediaYouTube = 33013,
    MediaFlashVideo = 33022,
    LikertQuestion = 33027,
};
// The entries greyed for a screen (null: none current), the clipboard and the document's import flag.
std::vector<int> GreyedEntries(const CCorvPage *screen, bool clipboardEmpty, bool importPending);
} // namespace Menu

} // namespace CanvasEdits
