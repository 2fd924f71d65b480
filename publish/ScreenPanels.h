#pragma once

#include <QString>

class CComponentBase;
class CCoursePublisher;

// The pieces of a screen file that belong to the question panels and to the picture and media markup: the
// screen file writer asks for them in the order of the screen's components. A writer gives false when it
// has no markup for the component: the screen's file is then written without that piece and the step
// that writes the screen files fails.
namespace CorvScreenPanels {

// The panel of a question component (complete the paragraph, fill in the blanks, match the pairs, multiple
// choice and true or false, identify the parts, the slider).
bool QuestionPanelToHtml(const CCoursePublisher &publisher, CComponentBase &question, QString &piece);

// A picture, as the image number-th of its screen ("kb<number>" in the markup and the start-up entry).
bool ImageToHtml(const CCoursePublisher &publisher, CComponentBase &image, int number, QString &piece);
// Appends the start-up entry of the picture's pan-and-zoom effect to the header's list (with ", " before
// it when the list is not empty); nothing for a picture without one.
void AddKenBurnsScript(QString &list, const CComponentBase &image, int number);

// A Flash video player; its files are copied into the output folder.
bool MediaToHtml(const CCoursePublisher &publisher, CComponentBase &flashVideo, QString &piece);

} // namespace CorvScreenPanels
