#include "import/SAXReadingRoutine.h"

#include "platform/Prompt.h"

bool SAXReadFile(const QString &path, SAXContentHandlerImpl &handler, CPrompt *prompt, const QString &failureMessage)
{
    SAXXMLReader reader(handler);
    if (reader.parseURL(path))
        return true;
    if (prompt && !failureMessage.isEmpty())
        prompt->Ask(CPrompt::information, failureMessage, {});
    return false;
}
