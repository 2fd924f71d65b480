#pragma once

#include "import/SAXContentHandlerImpl.h"
#include "import/SAXXMLReader.h"

#include <QString>

class CPrompt;

// The reading routine every SAX reader shares: parse the file with the reader's handler and, when the parse
// fails, show the routine's one message (none when `failureMessage` is empty) and return false. The
// caller takes its model from the handler only after a success; a handler owns what it built until then,
// so a failed parse frees it.
bool SAXReadFile(const QString &path, SAXContentHandlerImpl &handler, CPrompt *prompt, const QString &failureMessage);
