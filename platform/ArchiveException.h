#pragma once

#include <QString>
#include <stdexcept>

// The one error a project, screen or settings archive raises while reading or writing. Loaders catch it,
// show its text and end the read; nothing after a bad field can be read in step.
class CArchiveException : public std::runtime_error
{
public:
    enum Cause {
        generic,      // anything else
        endOfFile,    // a read past the end of the data
        badCount,     // a length or count larger than the data can hold, or than any real archive has
        badSchema,    // a schema number or type code this program does not know
        writeFailed,  // the data could not be stored
    };

    CArchiveException(Cause cause, const QString &text)
        : std::runtime_error(text.toStdString()), m_cause(cause), m_text(text) {}

    Cause GetCause() const { return m_cause; }
    const QString &GetText() const { return m_text; }

private:
    Cause m_cause;
    QString m_text;
};
