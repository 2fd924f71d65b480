#pragma once

#include "platform/Prompt.h"

#include <QPointer>
#include <QWidget>

// Message boxes for the author: the system's own text, the kind's icon and buttons, over the main window.
class CMessageBoxPrompt : public CPrompt
{
public:
    Answer Ask(Kind kind, const QString &text, const QString &caption) override;

    // The window the boxes belong to; the active window when none is set.
    void SetParentWindow(QWidget *parent) { m_parent = parent; }

private:
    QPointer<QWidget> m_parent;
};
