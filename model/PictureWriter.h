#pragma once

class CArchive;
class CPictureSaveSession;

// A component kind that writes pictures into the media folder when its record is stored (images, topic
// buttons, the picture questions). Through the session the pictures of one save share their numbering and
// their names.
class CPictureWriter
{
public:
    // Stores the component's record (type code and bounds included) and writes its pictures.
    virtual void StoreRecord(CArchive &ar, CPictureSaveSession &session) = 0;

protected:
    ~CPictureWriter() = default;
};
