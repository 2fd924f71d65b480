#include "model/MediaRecord.h"

#include "model/ComponentBase.h"
#include "platform/Archive.h"

void CMediaRecord::SerializeFileName(CArchive &ar, const CComponentBase &component, QString &path,
                                     CMediaCopy::SubFolder sub, CMediaCopy::Playlist playlist, bool copyFile)
{
    const bool standAlone = component.IsStandAlone() != 0;
    if (ar.IsLoading()) {
        path = CMediaCopy::PathFromStoredName(ar, standAlone, sub, ar.ReadString());
        return;
    }
    const CMediaCopy::Result copy = CMediaCopy::CopyOnSave(ar, path, standAlone, sub, playlist, copyFile);
    path = copy.path;
    ar.WriteString(copy.storedName);
}
