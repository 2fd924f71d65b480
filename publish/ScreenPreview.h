#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class CComponentBase;
class CCorvContext;
class CCorvPage;
class CCoursePublisher;

// Shows one screen in the browser without publishing the whole course: the run-time and the course-wide
// scripts go into the per-user preview folder, then only the media and pictures of that screen, its screen
// file and a page filled from "source/PlaceHolderText/preview.txt" that opens the course on that screen.
// The preview flag of the publisher keeps the project's own media out of the run-time copy. The project is
// never changed: names are lower-cased in copies, never in the components.
class CScreenPreview
{
public:
    // publisher writes into the preview folder (PreviewFolderOf); tempFolder is the per-process folder the
    // single-component exports go into; open shows the finished page.
    CScreenPreview(CCoursePublisher &publisher, const QString &tempFolder, std::function<void(const QString &)> open);

    // The whole preview; the author hears of every failure. True when the page was opened.
    bool PreviewScreen(CCorvPage &screen);

    // "<per-user folder>/preview".
    static QString PreviewFolderOf(const CCorvContext &context);
    // The page the preview opens: "content/preview.htm" in the preview folder.
    QString PreviewPagePath() const;
    // The page template of the program folder.
    QString TemplatePath() const;

    // The placeholders filled in the template's text, at every occurrence.
    QString FillTemplate(QString text, const CCorvPage &screen) const;

private:
    void RunStepChain();
    void CopyLogo();
    void CopyScreenMedia(CCorvPage &screen);
    // Windows Media playlists and the clips they name.
    struct ClipPlaylist {
        const char *playlistExtension;
        const char *clipExtension;
    };
    void CopyClip(const QString &storedPath, const QString &name, const ClipPlaylist &playlist);
    void CopyAudio(const CComponentBase &component);
    void CopyVideo(const CComponentBase &component);
    void CopyImage(CComponentBase &component);
    void CopyMatchPairs(CComponentBase &component, const CCorvPage &screen);
    void CopyTopic(CComponentBase &component, int number, bool large);
    void CopyFlashQuestion(const CComponentBase &component);
    void CopyPartIdentification(CComponentBase &component);
    // Saves the component alone into the temporary folder under a new name made from stem, with the given
    // media folders made first; the export folder (the file's path without ".cobject").
    QString Export(CComponentBase &component, const char *stem, const QStringList &folders);
    // A copy into the content folder under relative (lower-case folders as the tree step made them).
    void CopyInto(const QString &source, const QString &relative);
    void WritePlaylist(const QString &relative, const QString &entry);
    bool WritePage(const QString &text);
    QString Content(const QString &relative) const;

    CCoursePublisher &m_publisher;
    const CCorvContext &m_context;
    QString m_tempFolder;
    std::function<void(const QString &)> m_open;
};
