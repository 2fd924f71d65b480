#pragma once

#include <QString>

class CComponentFillBlanks;
class CComponentLikert;
class CComponentMultipleChoice;

// The correct answer of a question as the pages script scrambles it; the component is only read.
namespace CorvAnswerTexts {

// The non-empty words of the blanks in order, joined by ",".
QString FillBlanks(const CComponentFillBlanks &question);

// On a number scale the correct value with the slider's decimals (none when it snaps to whole numbers); on
// a word scale the 0-based index of the word nearest the correct value.
QString Slider(const CComponentLikert &question);

// "01" for a correct option and "00" for another, joined by ",", for the options up to the last one that
// holds more than blanks.
QString MultipleChoice(const CComponentMultipleChoice &question);

} // namespace CorvAnswerTexts
