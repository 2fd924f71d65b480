#pragma once

#include <QString>

#include <cstdint>

class CCorvessaDoc;
class CCourseSettings;
class CSettingsPage;
class QCheckBox;
class CImageStatic;
class QAbstractButton;
class QListWidget;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

// The small steps every settings page repeats: showing a value in a control without the control reporting
// it as an author's change, and writing an author's change into the document.
namespace CorvPageControls {

void ShowChecked(QAbstractButton *button, bool checked);
// Replaces the text only when it differs, so the caret of an edit being typed in stays where it is; the edit
// counts as not typed in afterwards.
void ShowText(QLineEdit *edit, const QString &text);
void ShowText(QPlainTextEdit *edit, const QString &text);

// Compares, then writes and marks the project modified; true when the value changed.
bool StoreText(CCorvessaDoc &doc, QString &setting, const QString &text);
bool StoreNumber(CCorvessaDoc &doc, int32_t &setting, int32_t value);
// Writes the state and marks the project modified even when it did not change (a click is a change).
void StoreFlag(CCorvessaDoc &doc, int32_t &setting, bool checked);

// A check box of the page that writes its state into the setting on every click, marking the project.
QCheckBox *FlagBox(const QString &text, int32_t CCourseSettings::*setting, CSettingsPage *page, QWidget *parent);

// The widget a page lays its controls out on: it scrolls inside the page, so that a page taller than the
// window neither stretches the window nor gets squeezed.
QWidget *ScrollingBody(CSettingsPage *page);

// The layout of a page that offers a list of looks with a picture of the chosen one: the explanation, the
// list under its caption with the picture beside it, then the chosen entry's name in bold and its
// description. kind names the entries for assistive tools ("Theme", "Template").
void LayOutListWithPreview(CSettingsPage *page, const QString &kind, const QString &explanation,
                           const QString &caption, QListWidget *list, CImageStatic *preview, QLabel *name,
                           QLabel *description);

// A label that wraps, for the explanations of a page.
QLabel *Explanation(const QString &text, QWidget *parent);
// A label naming the control beside it (its buddy), which also names the control for assistive tools.
QLabel *Caption(const QString &text, QWidget *buddy, QWidget *parent);

} // namespace CorvPageControls
