#pragma once

#include <QString>

// The error handler every reading routine installs. It records and reports nothing: a failed parse reaches
// the user only through the routine's own message.
class SAXErrorHandlerImpl
{
public:
    virtual ~SAXErrorHandlerImpl() = default;
    virtual void error(const QString &) {}
    virtual void fatalError(const QString &) {}
    virtual void ignorableWarning(const QString &) {}
};
