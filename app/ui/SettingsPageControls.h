#pragma once

#include "document/CorvessaDoc.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QSignalBlocker>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <initializer_list>

// Small helpers the settings pages share: controls made with their accessible names, states shown without
// the controls telling anyone, and settings written with the modified flag set only on a real change.
namespace CorvPageControls {

template <class Control>
Control *Make(const QString &text, QWidget *parent)
{
    auto *control = new Control(text, parent);
    control->setAccessibleName(QString(text).remove(u'&'));
    return control;
}

inline QLineEdit *MakeEdit(const QString &name, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setAccessibleName(name);
    return edit;
}

inline QLabel *BuddyLabel(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

// A label that wraps, for the pages' explanations.
inline QLabel *Note(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

// The widget a page lays its controls out on: it scrolls inside the page, so that a tall page never makes the
// main window taller than the author keeps it.
inline QWidget *ScrollingBody(QWidget *page)
{
    auto *area = new QScrollArea(page);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    auto *body = new QWidget(area);
    area->setWidget(body);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(area);
    return body;
}

inline void ShowChecked(QAbstractButton *button, bool checked)
{
    const QSignalBlocker blocker(button);
    button->setChecked(checked);
}

inline void ShowText(QLineEdit *edit, const QString &text)
{
    if (edit->text() == text)
        return;
    const QSignalBlocker blocker(edit);
    edit->setText(text);
}

inline void Enable(std::initializer_list<QWidget *> widgets, bool enabled)
{
    for (QWidget *widget : widgets)
        widget->setEnabled(enabled);
}

inline void Show(std::initializer_list<QWidget *> widgets, bool shown)
{
    for (QWidget *widget : widgets)
        widget->setVisible(shown);
}

// Writes a setting and marks the project modified when the value changes.
template <class Value, class Given>
bool Store(CCorvessaDoc &document, Value &setting, const Given &value)
{
    if (setting == Value(value))
        return false;
    setting = Value(value);
    document.SetModifiedFlag();
    return true;
}

inline int32_t Flag(bool on) { return on ? 1 : 0; }

} // namespace CorvPageControls
