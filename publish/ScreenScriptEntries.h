#pragma once

#include <QString>

#include <cstdint>

class CComponentFilledShape;
class CComponentFreeFormText;
class CComponentLikert;
class CComponentLine;
class CComponentMultipleChoice;
class CComponentTable;

// The start-up entries a screen file's header lists under "scriptstorun": each a script statement (or a few
// separated by ",") written as a script string literal, appended in the order of the screen's components
// with ", " between entries. The free-form question and the slider also set the header's "argues" object,
// which their statements read as o.argues; with both on a screen the later one's stays.
namespace CorvScreenEntries {

// Appends entry to the list, after ", " when the list is not empty.
void Append(QString &list, const QString &entry);

void AddCompleteParagraphScript(QString &list);
void AddFillBlanksScript(QString &list);
void AddFlashQuestionScript(QString &list);
void AddMatchPairsScript(QString &list);
void AddMultipleChoiceScript(QString &list, const CComponentMultipleChoice &question);
// The number of targets the student must match and the COLORREF that highlights a found one.
void AddPartIdentificationScript(QString &list, int targetsToMatch, uint32_t highlightColour);
void AddFreeFormTextScript(QString &list, QString &argues, const CComponentFreeFormText &question);
// Reads the slider's words array, which trims a single word in the component.
void AddSliderScript(QString &list, QString &argues, CComponentLikert &slider);
// The style rules of the class "table<number>" that the table's markup carries.
void AddTableRules(QString &list, const CComponentTable &table, int number);

// The entries of one shape for the "kvx.drawShapes" entry, appended to shapes after ", " when it is not
// empty: a filled and an outlined one for a rectangle or ellipse that is both (filled first), none for
// one that is neither.
void AddRectangleShape(QString &shapes, const CComponentFilledShape &rectangle);
void AddEllipseShape(QString &shapes, const CComponentFilledShape &ellipse);
void AddLineShape(QString &shapes, const CComponentLine &line);

} // namespace CorvScreenEntries
