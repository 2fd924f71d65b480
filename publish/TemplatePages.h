#pragma once

class CPublishContext;
class CTemplateExpander;

// The pages of the course written from the program folder's templates: the start page, the theme's style
// sheet and the pages of the content folder.
class CTemplatePages
{
public:
    CTemplatePages(CPublishContext &context, CTemplateExpander &expander) : m_context(context), m_expander(expander) {}

    // index.htm, and index.hta for the targets that run from a disc or a share.
    bool WriteIndexPage();
    // content/scripts/<prefix>.css from the theme's style sheet. False for a theme name that is no plain
    // folder name.
    bool WriteStyleSheet();
    // content/*.htm in name order (and msg.php for PHP pages); a page that cannot be read or written is
    // passed over.
    void WriteContentPages();

private:
    CPublishContext &m_context;
    CTemplateExpander &m_expander;
};
