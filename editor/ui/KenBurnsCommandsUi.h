#pragma once

class CComponentImage;
class CCorvessaDoc;
class CScrollViewEx;
class QWidget;

// The pan-and-zoom command of pictures on the canvas: the editor runs over the picture's values, and OK
// writes them back with the scale between the picture on the screen and the picture in the editor.
namespace KenBurnsCommandsUi {

// The selected component when it is a picture; null otherwise.
CComponentImage *SelectedPicture(const CScrollViewEx *canvas);
// Runs the editor on the picture; true when the author chose OK and the picture took the values.
bool EditEffect(QWidget *parent, CComponentImage &image, CCorvessaDoc &doc);
// The command on the selected picture; the document is marked changed after OK.
void OnKenBurnsEffect(QWidget *parent, const CScrollViewEx *canvas, CCorvessaDoc &doc);

} // namespace KenBurnsCommandsUi
