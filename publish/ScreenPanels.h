#pragma once

#include <QString>
#include <QList>
#include <QPoint>
#include <QStringList>

class CComponentBase;
class CComponentImage;
class CPublishContext;

// The pieces of a screen file that belong to the question panels and to the picture and media markup: the
// screen file writer asks for them in the order of the screen's components. Each piece is a run of script
// string literals joined by " +\n", ready to be joined to the other pieces of the contents. A writer gives
// false when it has no markup for the component (one that is not of its kind): the screen's file is then
// written without that piece and the step that writes the screen files fails.
//
// Every text of the author goes in as text: markup characters as entities, and made safe for the attribute
// or script string it stands in.
namespace CorvScreenPanels {

// The panel of a question component (complete the paragraph, fill in the blanks, match the pairs, multiple
// choice and true or false, identify the parts, the slider): an upper panel with the question's text and a
// lower panel with the answer controls and the submit anchor, under the element ids the run-time's question
// objects look for. Texts the author may still be editing in the question's window are taken from it first.
bool QuestionPanelToHtml(const CPublishContext &context, CComponentBase &question, QString &piece);

// The text between the blanks ("****") of a question text, in order: each blank takes the one character
// that follows it with it (a blank and its blank space, or its line end, become one gap), so n blanks give
// n + 1 pieces.
QStringList SplitAtBlanks(const QString &text);

// A picture, as the image number-th of its screen ("kb<number>" in the markup and the start-up entry).
bool ImageToHtml(const CPublishContext &context, CComponentBase &image, int number, QString &piece);
// Appends the start-up entry of the picture's pan-and-zoom effect to the header's list (with ", " before
// it when the list is not empty); nothing for a picture without one.
void AddKenBurnsScript(QString &list, const CComponentBase &image, int number);

// A Flash video player; its video and preview picture are copied into the output's media folder.
bool MediaToHtml(const CPublishContext &context, CComponentBase &flashVideo, QString &piece);

// Where a pan-and-zoom effect starts and ends, in the picture's container (canvas pixels), worked out in
// single precision from the marquee the author chose in the effect editor and the editor's scale.
struct KenBurnsGeometry {
    // The effect as published: the picture's own, or none (0) for an effect the stored values cannot give
    // (an empty marquee, a scale of 0, an unknown effect, sizes beyond any screen).
    int effect = 0;
    int width = 0;         // Wb: the container
    int height = 0;        // Hb
    float scale = 1.0f;    // S: canvas pixels per editor pixel
    float zoom = 1.0f;     // R: the zoom that makes the marquee fill the container's width
    int zoomedWidth = 0;   // ZW, ZH: the picture zoomed by R
    int zoomedHeight = 0;
    int offsetX = 0;       // OX, OY: the zoomed picture's place with the marquee's centre in the middle
    int offsetY = 0;
    int marqueeLeft = 0;   // integer(mx * S), integer(my * S): the marquee on the canvas
    int marqueeTop = 0;
    int marqueeWidth = 0;  // integer(Wz), integer(Hz)
    int marqueeHeight = 0;
    int centreX = 0;       // integer(cx * S), integer(cy * S): the marquee's centre on the canvas
    int centreY = 0;
    int panX = 0;          // integer(R * mx * S), integer(R * my * S): where a learner's pan starts
    int panY = 0;
    // The automated pan's path: each marker's reference point (14 pixels right of and below its top-left
    // corner) on the zoomed picture; at most the twelve markers there are.
    QList<QPoint> path;
};
KenBurnsGeometry KenBurnsGeometryOf(const CComponentImage &image);

} // namespace CorvScreenPanels
