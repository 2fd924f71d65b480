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
#include "model/GlobalHelpers.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"

namespace {

constexpr int kSelectScreenString = 35001;
constexpr int kSelectImageString = 35002;

void AddFromLibrary(CEditFrmVw &view)
{
    CCorvessaDoc &document = view.Controller().Document();
    CCorvPage *screen = view.GetCurrentPage();
    if (!screen) {
        document.Prompt().Information(CStringTable::Load(kSelectScreenString));
        return;
    }
    const std::optional<SLibraryPicture> picture = PickGraphicFromLibrary(view.window(), document.GetContext(), false);
    // The dialog may have outlived the screen it was opened for.
    if (!picture || view.GetCurrentPage() != screen)
        return;
    const CScreenHooks hooks(screen);
    CComponentImage *image = CComponentInsertion(document, hooks).InsertImage(
        picture->path, picture->altText, picture->size, picture->border, picture->borderStyle);
    if (!image) {
        document.Prompt().Warning(QStringLiteral("The picture\n%1\ncannot be read.").arg(picture->path));
        return;
    }
    if (CScrollViewEx *canvas = view.Canvas())
        canvas->SelectComponent(image);
    view.ScreenChanged(screen);
}

void ReplaceFromLibrary(CEditFrmVw &view)
{
    CCorvessaDoc &document = view.Controller().Document();
    CScrollViewEx *canvas = view.Canvas();
    auto *image = canvas ? dynamic_cast<CComponentImage *>(canvas->GetSelectedComponent()) : nullptr;
    CCorvPage *screen = view.GetCurrentPage();
    if (!image || !screen) {
        document.Prompt().Information(CStringTable::Load(kSelectImageString));
        return;
    }
    canvas->DeleteTrackers();
    const std::optional<SLibraryPicture> picture = PickGraphicFromLibrary(view.window(), document.GetContext(), true);
    // The dialog may have outlived the picture (a screen change behind it).
    if (!canvas->Model().Contains(image) || view.GetCurrentPage() != screen)
        return;
    canvas->SelectComponent(image);
    if (!picture)
        return;
    int width = 0, height = 0;
    GetImageFileSize(width, height, picture->path);
    // A picture that does not read would leave an empty component nobody can select: the old one stays.
    if (width <= 0 || height <= 0) {
        document.Prompt().Warning(QStringLiteral("The picture\n%1\ncannot be read.").arg(picture->path));
        return;
    }
    canvas->DeleteTrackers();
    LibraryPictureCommands::ReplacePicture(*image, picture->path, picture->altText, picture->size, picture->border,
                                           picture->borderStyle, width, height, document.GetContext());
    canvas->SelectComponent(image);
    view.ScreenChanged(screen);
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
