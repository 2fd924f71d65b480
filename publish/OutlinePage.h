#pragma once

#include <QString>

class CPublishContext;

// content/outline.htm, the page of the course outline, and the outline's pictures.
class COutlinePage
{
public:
    explicit COutlinePage(CPublishContext &context) : m_context(context) {}

    // A file that cannot be written ends it quietly, its failure added to the context's errors.
    void Write();
    // The page's text.
    QString Text() const;

private:
    CPublishContext &m_context;
};
