#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>

class CArchive;
class CComponentBase;

// What the pictures written while one archive is stored share:
// - the topic buttons' picture numbering ("mm%d.png", "m%d.png"), which a project save starts at 0;
// - the names given in each media folder, so that two different sources that map to the same file name
//   never overwrite each other: the second gets "_2" before the extension, the next "_3", and so on. The
//   same source asking again gets the name it got the first time;
// - the course's choice of interpolation for resized copies (PublishImagesAtStandardResolution).
// The project writer makes one session for the whole save and stores every component through it; a
// component stored on its own (a preview, a test) gets a session of its own.
class CPictureSaveSession
{
public:
    using NumberSource = std::function<int()>;

    // Numbers from 0.
    CPictureSaveSession();
    // Numbers taken from the source (the document's topic-button picture counter).
    explicit CPictureSaveSession(NumberSource topicButtonNumbers, int publishImagesAtStandardResolution = 0);

    // Stores the component's entry: picture kinds write their pictures through this session, the other
    // kinds store as usual (a text box with its rich text).
    void StoreComponent(CComponentBase &component, CArchive &ar);

    int TakeTopicButtonNumber();

    int PublishImagesAtStandardResolution() const { return m_standardResolution; }
    void SetPublishImagesAtStandardResolution(int on) { m_standardResolution = on ? 1 : 0; }

    // The name under which the source is written into the folder during this save: the wanted name, or it
    // with "_2", "_3", ... before the extension when a different source has it already. Names are compared
    // without regard to case (published courses also run on servers that ignore case). source identifies
    // what is written (its path and whatever makes its pixels differ).
    QString ClaimName(const QString &folder, const QString &name, const QString &source);

    // "photo.jpg", 2 -> "photo_2.jpg"; a name without an extension gets the suffix at its end.
    static QString SuffixedName(const QString &name, int number);

private:
    // Where the key (folder, newline, lower-case name) stands among the wanted name's candidates: 1 for the
    // name itself, n for "_n"; 0 when it is not one of them.
    static int NumberInSequence(const QString &key, const QString &base, const QString &prefix,
                                const QString &lowerName);

    NumberSource m_numbers;
    int m_nextNumber = 0;
    int m_standardResolution = 0;
    // Folder and lower-cased name -> the source that holds it.
    QHash<QString, QString> m_claims;
    // Folder and lower-cased wanted name -> the first of its numbers not yet known to be taken (1: the name
    // itself).
    QHash<QString, int> m_nextFreeNumber;
    // Source -> the keys it holds.
    QHash<QString, QStringList> m_held;
};
