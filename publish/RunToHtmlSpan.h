#pragma once

#include "platform/richtext/CharFormat.h"

#include <QString>

#include <cstdint>

class CCorvessaDoc;

// The hyperlink a run of rich text is the visible text of, as its text box or table cell records it.
struct CRunLink {
    int isLink = 0;
    int isScreenLink = 0;
    int isScript = 0;
    // A screen link's target screen publish id ("" when the screen is gone); otherwise the address or script.
    QString target;
    int isPopup = 0;
    int popupHeight = 0;
    int popupWidth = 0;
};

// The course's main body font. Runs in it are written as bare text, so that the course style sheet and the
// learner's browser settings decide how body text looks.
struct CBodyFont {
    QString face;
    int points = 0;
    uint32_t colour = 0;

    // Slot 0 of the document's font settings.
    static CBodyFont FromDocument(const CCorvessaDoc &document);
};

// The colour of a character as it shows: black for the automatic colour.
uint32_t ShownColour(const CCharFormat &format);
// "#RRGGBB" of a COLORREF (0x00BBGGRR).
QString HtmlColour(uint32_t colour);

// Appends one run of a text box or table cell to a screen file's contents, inside the script string that
// the caller has opened: an anchor for its link, a span for its format unless it is plain body text, and
// the text. text is HTML already (markup characters as entities, line breaks as "<br>"); it is made safe
// for the script string here. An empty text writes nothing. The glossary term of a glossary link is found
// in the document.
void RunToHtmlSpan(QString &out, const QString &text, const CCharFormat &format, const CRunLink &link,
                   const CBodyFont &body, const CCorvessaDoc &document);
