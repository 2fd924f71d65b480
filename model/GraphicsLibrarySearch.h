#pragma once

#include <QString>
#include <QStringList>

// The kinds of picture the course lets the system choose from the graphics library (course settings
// UsePhotoObjects, UseColorPhotos, UseBWPhotos and UseClipArt); flags are 0 or 1.
struct CLibraryPictureKinds {
    int usePhotoObjects = 0;
    int useColorPhotos = 0;
    int useBWPhotos = 0;
    int useClipArt = 0;
};

// The keyword search of the graphics library (images.xml), as the components call it. The library decides
// which of its pictures match a text; the caller first says which kinds of picture it may choose and
// whether to choose at random among those that match. The program's library object implements it; tests
// give a fake.
class CGraphicsLibrarySearch
{
public:
    virtual ~CGraphicsLibrarySearch() = default;

    // Kind filters, each 0 or 1.
    virtual void SetUseColourPhotos(int use) = 0;
    virtual void SetUseBwPhotos(int use) = 0;
    virtual void SetUsePhotoObjects(int use) = 0;
    virtual void SetUseClipArt(int use) = 0;
    // 1: choose at random among the matching pictures; 0: the best match.
    virtual void SetRandomChoice(int random) = 0;
    // 1: search the course's priority categories first, then each graphics category in turn. The course's
    // categories come with it; a library without categories ignores both.
    virtual void SetUseCategoryPriorities(int /*use*/) {}
    virtual void SetCategories(const QStringList & /*priorityCategories*/, const QStringList & /*graphicsCategories*/) {}
    // 1 and the picture's file name (a bare name, found with FindLibraryImage) when a picture matches the
    // text; 0 when none does; -1 when the library is not loaded. workText receives the reason of the
    // choice.
    virtual int FindImageForText(const QString &text, QString &fileName, QString &workText) = 0;
};
