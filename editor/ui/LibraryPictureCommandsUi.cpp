#include "editor/ui/LibraryPictureCommandsUi.h"

#include "app/CommandIds.h"
#include "dialogs/ui/DlgGraphicFromLib.h"
#include "document/ComponentInsertion.h"
#include "document/CorvessaDoc.h"
#include "document/EditorHooks.h"
#include "editor/CanvasEdits.h"
#include "editor/LibraryPictureCommands.h"
#include "editor/ui/EditFrmVw.h"
#include "editor/ui/ScrollViewEx.h"
#include "model/ComponentImage.h"
#include "model/CorvPage.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"

namespace {

constexpr int kSelectScreenString = 35001;
constexpr int kSelectImageString = 35002;

class CurrentScreen : public CEditorHooks
{
public:
    explicit CurrentScreen(CCorvPage *screen) : m_screen(screen) {}
    CCorvPage *GetCurrentScreen() const override { return m_screen; }

private:
    CCorvPage *m_screen;
};

void AddFromLibrary(CEditFrmVw &view)
{
    CCorvessaDoc &document = view.Controller().Document();
    CCorvPage *screen = view.GetCurrentPage();
    if (!screen) {
        document.Prompt().Information(CStringTable::Load(kSelectScreenString));
        return;
    }
    const std::optional<SLibraryPicture> picture = PickGraphicFromLibrary(view.window(), document.GetContext(), false);
    if (!picture)
        return;
    const CurrentScreen hooks(screen);
    if (!CComponentInsertion(document, hooks)
             .InsertImage(picture->path, picture->altText, picture->size, picture->border, picture->borderStyle))
        return;
    document.SetModifiedFlag(true);
    view.Controller().RefreshCurrentThumbnail();
}

void ReplaceFromLibrary(CEditFrmVw &view)
{
    CCorvessaDoc &document = view.Controller().Document();
    CScrollViewEx *canvas = view.Canvas();
    auto *image = canvas ? dynamic_cast<CComponentImage *>(canvas->GetSelectedComponent()) : nullptr;
    if (!image) {
        document.Prompt().Information(CStringTable::Load(kSelectImageString));
        return;
    }
    canvas->DeleteTrackers();
    const std::optional<SLibraryPicture> picture = PickGraphicFromLibrary(view.window(), document.GetContext(), true);
    if (!picture)
        return;
    LibraryPictureCommands::ReplacePicture(*image, picture->path, picture->altText, picture->size, picture->border,
                                           picture->borderStyle, document.GetContext());
    canvas->Invalidate();
    if (CCorvPage *screen = view.GetCurrentPage())
        screen->SetModified(1);
    document.SetModifiedFlag(true);
    view.Controller().RefreshCurrentThumbnail();
}

} // namespace

namespace LibraryPictureCommandsUi {

bool UpdateCommand(const CEditFrmVw &, int commandId, bool &enabled)
{
    switch (commandId) {
    case CorvCommand::AddGraphicFromLibrary:
    case CanvasEdits::Menu::GraphicFromLibrary:
    case CorvCommand::ReplaceGraphicFromLibrary:
    case kReplaceImageFromLibrary: enabled = true; return true;
    default: return false;
    }
}

bool OnCommand(CEditFrmVw &view, int commandId)
{
    switch (commandId) {
    case CorvCommand::AddGraphicFromLibrary:
    case CanvasEdits::Menu::GraphicFromLibrary: AddFromLibrary(view); return true;
    case CorvCommand::ReplaceGraphicFromLibrary:
    case kReplaceImageFromLibrary: ReplaceFromLibrary(view); return true;
    default: return false;
    }
}

} // namespace LibraryPictureCommandsUi
