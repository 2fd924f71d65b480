#include "app/ui/controls/ColourDialog.h"

#include "app/CustomColours.h"
#include "app/ui/controls/ColorSelectButton.h"

#include <QColorDialog>

namespace CorvColourDialog {

std::optional<uint32_t> Ask(uint32_t initial, QWidget *parent)
{
    CCustomColours &custom = CCustomColours::Shared();
    for (int i = 0; i < CCustomColours::kCount; ++i)
        QColorDialog::setCustomColor(i, CColorSelectButton::ToQColor(custom.Get(i)));
    const QColor chosen = QColorDialog::getColor(CColorSelectButton::ToQColor(initial), parent);
    // The author may have mixed custom colours even when cancelling: they stay for the next dialog.
    for (int i = 0; i < CCustomColours::kCount; ++i)
        custom.Set(i, CColorSelectButton::FromQColor(QColorDialog::customColor(i)));
    if (!chosen.isValid())
        return std::nullopt;
    return CColorSelectButton::FromQColor(chosen);
}

} // namespace CorvColourDialog
