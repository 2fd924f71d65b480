#pragma once

#include "publish/RunToHtmlSpan.h"

#include <QString>

class CComponentTable;
class CComponentTextbox;
class CPublishContext;
class CRichTextLinks;

// Text boxes and tables as positioned HTML in a screen file's contents, each as one script string literal.
//
// The rich text becomes paragraphs, lists and runs. A line is the text up to and including a paragraph end
// or a line break (the text is not laid out: a paragraph that would wrap stays one line, which the browser
// wraps itself). A paragraph tag opens on the first line and wherever the alignment or the left indent
// changes, and only once text is written in it, so empty paragraphs leave no tags. Bulleted and numbered
// paragraphs become list items. Runs end where the character format changes and at hidden text; hidden
// text is never published, and the link markers in it say which link record the text between them
// belongs to. Every paragraph end and line break is a "<br>".
class CRichTextHtml
{
public:
    enum class Mode {
        Textbox, // inside a text box's container
        Cell,    // inside a table cell: no margin for unindented paragraphs, items not indented in the file
    };

    // Reads the course settings and text substitutions of the published course.
    explicit CRichTextHtml(const CPublishContext &context);

    // From the container div to "</div>", written with the direction of the text box when it differs from
    // the course's.
    QString TextboxToHtml(const CComponentTextbox &textbox) const;
    // From the table tag to "</table>", with the class "table<number>"; "" for a table without cells.
    QString TableToHtml(const CComponentTable &table, int number) const;

    // The HTML of one text box or cell text, inside a script string.
    QString TextToHtml(const CRichTextLinks &content, Mode mode) const;

private:
    class Writer;

    const CPublishContext &m_context;
    CBodyFont m_body;
};
