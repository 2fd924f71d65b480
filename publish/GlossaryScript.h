#pragma once

class CPublishContext;

// content/glossary/glossary_items.js: the glossary's font and one entry per glossary screen, its term and
// its text.
class CGlossaryScript
{
public:
    explicit CGlossaryScript(CPublishContext &context) : m_context(context) {}

    // False, adding why to the context's errors, when the file cannot be written.
    bool Write();

private:
    CPublishContext &m_context;
};
