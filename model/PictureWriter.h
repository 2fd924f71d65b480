#pragma once

#include "model/PictureSaveSession.h"

class CArchive;

// A component kind that writes pictures into the media folder when its record is stored (images, topic
// buttons, the picture questions). Through the session the pictures of one save share their numbering and
// their names.
class CPictureWriter
{
public:
    // Stores the component's record (type code and bounds included) and writes its pictures.
    virtual void StoreRecord(CArchive &ar, CPictureSaveSession &session) = 0;

    // Stores the record with a session of its own (a component saved alone, for a preview or a test): the
    // numbering starts at 0 and no other picture shares the names.
    void StoreOnItsOwn(CArchive &ar, int publishImagesAtStandardResolution = 0)
    {
        CPictureSaveSession session;
        session.SetPublishImagesAtStandardResolution(publishImagesAtStandardResolution);
        StoreRecord(ar, session);
    }

protected:
    ~CPictureWriter() = default;
};
