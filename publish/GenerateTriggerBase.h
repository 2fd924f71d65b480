#pragma once

#include <QString>

class CPublishFile;

// A template trigger: what replaces a ":::<key>" line of a page template, generated from the course
// settings. The publisher owns one of each kind, keyed by its lower-case key.
class CGenerateTriggerBase
{
public:
    virtual ~CGenerateTriggerBase() = default;
    // Writes the trigger's text for the target kind into the output; defaultValue is the text after
    // "default:" on the template line ("" when none). False when the output could not be written.
    virtual bool Generate(CPublishFile &output, const QString &projectPrefix, int target,
                          const QString &defaultValue) = 0;
};
