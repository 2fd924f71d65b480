#pragma once

#include "document/CorvessaDoc.h"
#include "editor/ScreenCommands.h"
#include "model/CorvPage.h"

#include <QString>

// What the window tests look up in a course: a main screen by its title, and the question on a screen.
inline CCorvPage *ScreenTitled(const CCorvessaDoc &doc, const QString &title)
{
    for (const auto &s : doc.MainScreens())
        if (s->GetTitle() == title)
            return s.get();
    return nullptr;
}

template <class Question>
Question *QuestionOn(const CCorvPage *screen)
{
    return screen ? dynamic_cast<Question *>(CScreenCommands::FindQuestionComponent(*screen)) : nullptr;
}
