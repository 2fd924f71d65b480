#pragma once

class CPublishContext;

// content/scripts/internationalisation.js: the profile's texts as properties of the script objects its
// items name.
class CInternationalScript
{
public:
    explicit CInternationalScript(CPublishContext &context) : m_context(context) {}

    // False, adding why to the context's errors, when the file cannot be written.
    bool Write();

private:
    CPublishContext &m_context;
};
