#pragma once

#include <QString>
#include <QStringList>

class COutputCopier;
class CPublishContext;

// The output folder of a publish: its folder tree, and the copy of the run-time, the project's media and the
// theme's pictures into it.
class COutputTree
{
public:
    explicit COutputTree(CPublishContext &context) : m_context(context) {}

    // Makes the folder and the target's folders below it, asking before emptying an existing folder when
    // confirm is set. 1 when the tree stands, -1 when the author declined emptying the folder, 0 when it could not be made,
    // kRefused when the folder may not be emptied at all (the author has been told why).
    static constexpr int kRefused = -2;
    int Build(const QString &folder, int confirm);
    // The run-time files of the target, the background picture, the project's media and the glossary.
    bool CopySourceFiles(int lessonMode);
    // The last part of the run-time copy: the theme's pictures and its navigation buttons, chosen by the
    // button labels. A theme that is not installed (or whose name is not a plain folder name) gives way to
    // "Classical", which the publish then uses throughout. False only when a picture could not be written.
    bool CopyThemeButtons();

    // The output-tree folders of the current target, in the order they are made.
    QStringList Folders() const;

private:
    void CopyProjectFolders(COutputCopier &copier);
    // The background picture to copy: the file the setting names, else the project's own copy of it; "" when
    // there is none.
    QString BackgroundPictureSource() const;

    CPublishContext &m_context;
};
