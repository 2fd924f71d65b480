#pragma once

#include "publish/ZipWriter.h"

#include <QString>

class CPublishContext;

// The package of a published folder: "<folder>.zip" beside it.
class CPackageZip
{
public:
    explicit CPackageZip(CPublishContext &context) : m_context(context) {}

    // Packs the output folder, replacing an older package. False, leaving no package, when any file could
    // not be packed.
    bool Write();
    // Adds every regular file below the folder (links and special files left out), names relative to
    // basePrefix, in name order; the first failure, the walk going on past files that cannot be read.
    static ZipResult AddFolderToZip(ZipHandle handle, const QString &folder, const QString &basePrefix);

private:
    CPublishContext &m_context;
};
