#pragma once

#include <QString>

class CCorvPage;
class CCorvessaDoc;

// Glossary screens made without the Edit window: a text screen titled with the term, holding the
// definition, as the last child of the glossary folder (made when the course has none).
class CGlossaryScreens
{
public:
    static CCorvPage *AddGlossaryItem(CCorvessaDoc &doc, const QString &term, const QString &definition);
};
