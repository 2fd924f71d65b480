#pragma once

#include <QString>

#include <map>
#include <memory>

class CGenerateTriggerBase;
class CPublishContext;

// Writes a page of the course from a template of the program folder: line by line, the profile's tokens
// replaced and each ":::" trigger line replaced by what its trigger generates from the course settings.
// Made once for a publish; the triggers live as long as it does.
class CTemplateExpander
{
public:
    // How a template is read and written.
    struct Job {
        QString templatePath;       // full path in the program folder
        QString output;             // relative to the target folder
        bool ansi = false;          // read in the legacy code page; else each byte as the character of its code
        bool byteOrderMark = false; // the output starts with EF BB BF
        bool tokens = true;         // international tokens applied
        bool triggers = true;       // ":::" lines are trigger lines
    };
    enum class Result { Done, TemplateUnreadable, OutputFailed };

    explicit CTemplateExpander(CPublishContext &context);
    ~CTemplateExpander();
    CTemplateExpander(const CTemplateExpander &) = delete;
    CTemplateExpander &operator=(const CTemplateExpander &) = delete;

    // An output that cannot be written adds its failure to the context's errors.
    Result Expand(const Job &job);

private:
    CPublishContext &m_context;
    // Template triggers by lower-case key, ordered.
    std::map<QString, std::unique_ptr<CGenerateTriggerBase>> m_triggers;
};
