#include "editor/CanvasEdits.h"

#include "document/CorvessaDoc.h"
#include "editor/CanvasModel.h"
#include "model/ComponentBase.h"
#include "model/ComponentLink.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/CorvPage.h"
#include "model/EditCanvas.h"
#include "model/GlobalHelpers.h"
#include "platform/Prompt.h"

#include <algorithm>

namespace CanvasEdits {

namespace {

bool IsPlacedKind(int type)
{
    switch (type) {
    case ct_audio:
    case ct_video:
    case ct_flash_question:
    case ct_flash_video:
    case ct_youtube:
    case ct_image:
    case ct_textbox:
    case ct_table:
    case ct_ellipse:
    case ct_rectangle:
        return true;
    default:
        return false;
    }
}

// Questions replace what a content screen is for; folders, menus and the popups and glossary folders keep
// their role.
bool TakesQuestions(const CCorvPage &screen)
{
    return screen.GetPageType() == pt_document || screen.GetPageType() == pt_question;
}

} // namespace

bool IsQuestionKind(int type)
{
    switch (type) {
    case ct_complete_paragraph:
    case ct_fill_blanks:
    case ct_match_pairs:
    case ct_multiple_choice:
    case ct_part_identification:
    case ct_likert:
        return true;
    default:
        return false;
    }
}

bool IsPastableKind(int type) { return IsPlacedKind(type) || IsQuestionKind(type); }

PasteResult Paste(CCorvessaDoc &doc, CCorvPage *screen, const CComponentBase *clipboard, CPrompt &prompt,
                  CComponentBase **pasted)
{
    if (pasted)
        *pasted = nullptr;
    if (!screen || !clipboard || !IsPastableKind(clipboard->GetType()))
        return PasteResult::NothingToPaste;
    const bool question = IsQuestionKind(clipboard->GetType());
    if (question && (screen->GetComponentCount() > 0 || !TakesQuestions(*screen))) {
        prompt.Information(kQuestionPasteMessage);
        return PasteResult::QuestionRefused;
    }
    std::unique_ptr<CComponentBase> clone = clipboard->Clone(false);
    if (auto *textbox = dynamic_cast<CComponentTextbox *>(clone.get()))
        textbox->SetFileName(QStringLiteral("tb%1.rtf").arg(doc.TakeNextTextBoxNumber()));
    else if (auto *table = dynamic_cast<CComponentTable *>(clone.get()))
        table->SetFileName(QStringLiteral("tb%1.rtf").arg(doc.TakeNextTextBoxNumber()));
    CComponentBase *added = clone.get();
    if (const CStatus status = screen->AddComponent(std::move(clone)); !status) {
        // Refused: the author is told why, the clone goes, and the screen is shown again as it is.
        prompt.Information(status.Error());
        if (CEditCanvas *canvas = screen->GetCanvas())
            screen->ShowOnCanvas(*canvas);
        return PasteResult::ScreenRefused;
    }
    if (question)
        screen->SetPageType(pt_question);
    screen->SetModified(1);
    doc.SetModifiedFlag(true);
    if (CEditCanvas *canvas = screen->GetCanvas())
        screen->ShowOnCanvas(*canvas);
    if (pasted)
        *pasted = added;
    return PasteResult::Pasted;
}

bool CanDelete(const CComponentBase &component, const CScreenLookup &screens)
{
    const auto *link = dynamic_cast<const CComponentLink *>(&component);
    return !(link && !link->GetTargetLabel().isEmpty() && link->GetTargetPage(screens));
}

bool Delete(CCorvPage &screen, CCanvasModel &canvas, CComponentBase *component, const CScreenLookup &screens)
{
    if (!component || !screen.Contains(component) || !CanDelete(*component, screens))
        return false;
    canvas.Forget(component);
    if (CEditCanvas *shown = screen.GetCanvas())
        shown->ForgetComponent(component);
    std::unique_ptr<CComponentBase> taken = screen.DetachComponent(component);
    taken->Hide();
    taken.reset();
    screen.SetModified(1);
    return true;
}

namespace Menu {

std::vector<int> GreyedEntries(const CCorvPage *screen, bool clipboardEmpty, bool importPending)
{
    std::vector<int> greyed{Cut, Copy};
    if (clipboardEmpty)
        greyed.push_back(Paste);
    if (!screen) {
        greyed.insert(greyed.end(), {AddTable, MediaMenu, GraphicFromFile, GraphicFromLibrary, MediaAudio, MediaVideo,
                                     MediaYouTube, MediaFlash, MediaFlashVideo, MediaAnimatedGif, MediaAcrobat,
                                     MediaNarration});
    } else {
        const int type = screen->GetPageType();
        if (type == pt_container || type == pt_popups_only || type == pt_glossary)
            greyed.insert(greyed.end(), {GraphicFromFile, GraphicFromLibrary, AddTable, MediaMenu});
    }
    if (importPending)
        greyed.push_back(ImportDocument);
    return greyed;
}

} // namespace Menu

} // namespace CanvasEdits
