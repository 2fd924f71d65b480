#include "editor/ui/ImageCommandsUi.h"

#include "app/CommandIds.h"
#include "dialogs/ui/PictureDialogs.h"
#include "document/ComponentInsertion.h"
#include "document/CorvessaDoc.h"
#include "document/EditorHooks.h"
#include "editor/ComponentCommands.h"
#include "editor/ui/ScrollViewEx.h"
#include "model/ComponentImage.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"

namespace {

constexpr int kSelectScreenFirst = 35001;
constexpr int kSelectImage = 35002;

} // namespace

CImageCommandsUi::CImageCommandsUi(CCorvessaDoc &doc, CScrollViewEx &canvas, QWidget *parent)
    : m_doc(doc), m_canvas(canvas), m_parent(parent)
{
}

bool CImageCommandsUi::Handles(int commandId)
{
    switch (commandId) {
    case CorvCommand::AddGraphicFromFile:
    case CorvCommand::ReplaceGraphicFromFile:
    case CorvCommand::ReplaceAltText:
    case ReplaceFromFileMenu:
    case ReplaceAltTextMenu:
    case DeleteLinkMenu:
    case CorvCommand::Keywords:
        return true;
    default:
        return false;
    }
}

bool CImageCommandsUi::OnCommand(int commandId)
{
    switch (commandId) {
    case CorvCommand::AddGraphicFromFile: AddGraphicFromFile(); return true;
    case CorvCommand::ReplaceGraphicFromFile:
    case ReplaceFromFileMenu: ReplaceFromFile(); return true;
    case CorvCommand::ReplaceAltText:
    case ReplaceAltTextMenu: ReplaceAltText(); return true;
    case CorvCommand::Keywords: EditKeywords(); return true;
    case DeleteLinkMenu: DeleteLink(); return true;
    default: return false;
    }
}

CComponentImage *CImageCommandsUi::SelectedImage(bool tell) const
{
    CComponentBase *selected = m_canvas.GetSelectedComponent();
    auto *image = dynamic_cast<CComponentImage *>(selected);
    if (!image && tell)
        m_doc.Prompt().Information(CStringTable::Load(kSelectImage));
    return image;
}

void CImageCommandsUi::ScreenChanged()
{
    CCorvPage *screen = m_canvas.GetCurrentScreen();
    if (!screen)
        return;
    screen->SetModified(1);
    m_doc.SetModifiedFlag(true);
    emit m_canvas.screenModified(screen);
}

void CImageCommandsUi::AddGraphicFromFile()
{
    CCorvPage *screen = m_canvas.GetCurrentScreen();
    if (!screen) {
        m_doc.Prompt().Information(CStringTable::Load(kSelectScreenFirst));
        return;
    }
    CDlgInsertImage dialog(m_parent);
    dialog.prompt = &m_doc.Prompt();
    if (dialog.exec() != QDialog::Accepted)
        return;
    const CScreenHooks hooks(screen);
    const SPictureFileValues &v = dialog.values;
    CComponentImage *image = CComponentInsertion(m_doc, hooks).InsertImage(v.path, v.altText, v.sizeClass, 0, 0);
    if (!image) {
        // The dialog let only a readable picture through; the file changed on the way.
        m_doc.Prompt().Warning(CheckPictureFile(v.path).message);
        return;
    }
    m_canvas.SelectComponent(image);
    ScreenChanged();
}

void CImageCommandsUi::ReplaceFromFile()
{
    CComponentImage *image = SelectedImage(true);
    if (!image)
        return;
    m_canvas.DeleteTrackers();
    CDlgUpdateImage dialog(m_parent);
    dialog.prompt = &m_doc.Prompt();
    dialog.values.path = image->GetImageFile();
    dialog.values.altText = image->GetAltText();
    const int result = dialog.exec();
    // The dialog may have outlived the picture (a screen change behind it).
    if (!m_canvas.Model().Contains(image))
        return;
    m_canvas.SelectComponent(image);
    if (result != QDialog::Accepted)
        return;
    const SPictureFileValues &v = dialog.values;
    int width = 0, height = 0;
    GetImageFileSize(width, height, v.path);
    if ((width <= 0 || height <= 0) && v.path == image->GetImageFile()) {
        width = image->GetNaturalWidth();
        height = image->GetNaturalHeight();
    }
    // A picture that does not read would leave an empty, unselectable component: the old one stays.
    if (width <= 0 || height <= 0) {
        m_doc.Prompt().Warning(CheckPictureFile(v.path).message);
        return;
    }
    const CRect old = image->GetBounds();
    if (v.path != image->GetImageFile())
        image->SetImageFile(v.path, m_doc.GetContext());
    image->SetAltText(v.altText);
    m_canvas.DeleteTrackers();
    image->SetBounds(ComponentCommands::ReplacedPictureBounds(old, v.sizeClass, width, height), true);
    m_canvas.SelectComponent(image);
    ScreenChanged();
}

void CImageCommandsUi::ReplaceAltText()
{
    CComponentImage *image = SelectedImage(true);
    if (!image)
        return;
    CDlgAltText dialog(m_parent);
    dialog.prompt = &m_doc.Prompt();
    dialog.text = image->GetAltText();
    if (dialog.exec() != QDialog::Accepted || !m_canvas.Model().Contains(image))
        return;
    image->SetAltText(dialog.text);
    ScreenChanged();
}

void CImageCommandsUi::EditKeywords()
{
    CComponentImage *image = SelectedImage(true);
    if (!image)
        return;
    CDlgKeywords dialog(m_parent);
    dialog.prompt = &m_doc.Prompt();
    dialog.text = image->GetKeywords();
    if (dialog.exec() != QDialog::Accepted || !m_canvas.Model().Contains(image))
        return;
    image->SetKeywords(dialog.text);
    ScreenChanged();
}

void CImageCommandsUi::DeleteLink()
{
    CComponentImage *image = SelectedImage(false);
    if (!image || !image->IsLinked())
        return;
    // The link record stays; only the flag goes, so the picture publishes without its link.
    image->RemoveLink();
    ScreenChanged();
}
