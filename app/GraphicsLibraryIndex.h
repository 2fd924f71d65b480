#pragma once

#include <QString>
#include <QStringList>

// The graphics-library index as start-up needs it: loaded once, before the program opens, from
// "images.xml". The object lives as long as the application.
class CGraphicsLibraryIndex
{
public:
    virtual ~CGraphicsLibraryIndex() = default;
    // Loads the index at indexPath with a copy of the excluded words and the document's list of library
    // pictures already used (not owned). 1 when the index is loaded (a later call reads nothing and gives
    // 1), 0 when it cannot be, after telling the author why.
    virtual int LoadLibraryIndex(const QString &indexPath, const QStringList &excludedWords,
                                 QStringList *usedPictures) = 0;
    virtual bool IsLoaded() const = 0;
};
