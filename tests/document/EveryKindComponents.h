#pragma once

#include "model/ComponentBase.h"
#include "platform/CorvContext.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class TempTree;

// One component of every kind a project holds, each with the fields that set it apart filled in, for the
// tests that store whole screens. Kinds added later get a row here.
namespace EveryKindComponents {

// What the rows may need: the program's context and files to name, made outside the project.
struct Sources {
    TempTree &tree;
    CCorvContext &context;
    QString File(const QString &name, const QByteArray &bytes = "media bytes") const;
    QString Picture(const QString &name) const;
};

struct KindRow {
    int type;
    std::function<std::unique_ptr<CComponentBase>(const Sources &)> make;
};

std::vector<KindRow> EveryKind();

} // namespace EveryKindComponents
