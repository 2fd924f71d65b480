#pragma once

#include "publish/GenerateTriggerBase.h"

#include <QString>

#include <memory>
#include <utility>
#include <vector>

class CCorvessaDoc;

// The 24 template triggers, each made with the document whose settings it reads when it runs, paired with
// its lower-case key, in the order the publisher enters them.
std::vector<std::pair<QString, std::unique_ptr<CGenerateTriggerBase>>> MakeTemplateTriggers(const CCorvessaDoc &document);
