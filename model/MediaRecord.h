#pragma once

#include "model/MediaCopy.h"

class CArchive;
class CComponentBase;

// The media file a component names, as its record keeps it: a bare name in one of the media sub-folders.
class CMediaRecord
{
public:
    // Store: copies the file at path into the sub-folder of the media folder of the archive being written
    // (with its playlist, and not at all without copyFile), writes the bare name, and points path at where
    // the file now lies. Load: reads the name and rebuilds path from it.
    static void SerializeFileName(CArchive &ar, const CComponentBase &component, QString &path,
                                  CMediaCopy::SubFolder sub, CMediaCopy::Playlist playlist = CMediaCopy::noPlaylist,
                                  bool copyFile = true);
};
