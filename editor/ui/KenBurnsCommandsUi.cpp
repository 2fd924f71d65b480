#include "editor/ui/KenBurnsCommandsUi.h"

#include "dialogs/ui/DlgKenBurnsEffect.h"
#include "document/CorvessaDoc.h"
#include "editor/ui/ScrollViewEx.h"
#include "model/ComponentImage.h"
#include "model/ComponentWindow.h"

#include <QWidget>

namespace KenBurnsCommandsUi {

CComponentImage *SelectedPicture(const CScrollViewEx *canvas)
{
    return canvas ? dynamic_cast<CComponentImage *>(canvas->GetSelectedComponent()) : nullptr;
}

bool EditEffect(QWidget *parent, CComponentImage &image, CCorvessaDoc &doc)
{
    CDlgKenBurnsEffect dialog(parent);
    dialog.prompt = &doc.Prompt();
    dialog.rtlLayout = doc.Settings().RightToLeft;
    dialog.values.CopyFromImage(image.GetValues(), image.GetBounds());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    // The rectangles stay in the editor picture's coordinates; the scale takes them to the picture's window.
    const auto *window = dynamic_cast<const QWidget *>(image.GetComponentWindow());
    const int windowWidth = window ? window->width() : image.GetBounds().Width();
    SImageValues values = image.GetValues();
    dialog.values.CopyToImage(values, KenBurns::DisplayScale(windowWidth, dialog.PictureRect().Width()));
    image.SetValues(values);
    return true;
}

void OnKenBurnsEffect(QWidget *parent, const CScrollViewEx *canvas, CCorvessaDoc &doc)
{
    if (CComponentImage *image = SelectedPicture(canvas))
        if (EditEffect(parent, *image, doc))
            doc.SetModifiedFlag(true);
}

} // namespace KenBurnsCommandsUi
