#pragma once

#include "model/OutlineTree.h"
#include "platform/Result.h"
#include "publish/RichTextHtml.h"

#include <QString>

#include <map>
#include <vector>

class CComponentAudio;
class CComponentBase;
class CComponentLink;
class CComponentYouTube;
class CCorvPage;
class CPublishContext;

// The script files of the screens: content/<prefix>_<publish id>.js for every screen a learner can land on.
// Each file is one call, kvx.updatePage({...}), whose object holds the header fields of the screen (its
// publish id, its title, the start-up entries the run-time runs when it shows the screen) and, under
// "contents", the whole markup of the screen as script string literals joined by " + ", one piece per
// component in drawing order. Files are UTF-8, with a byte-order mark except for the web target with PHP
// pages.
class CScreenScriptWriter
{
public:
    explicit CScreenScriptWriter(const CPublishContext &context);

    // Walks the outline in pre-order from item and the siblings after it (null: the whole outline), writing
    // the file of every screen of the page types that have one; screens below a glossary folder have none.
    // False when a file could not be written whole or a component's piece was missing; the walk goes on
    // with the other screens either way.
    bool WriteScreenFiles(const COutlineTree::Item *item = nullptr);
    // The screens WriteScreenFiles writes, in the order it writes them.
    static std::vector<CCorvPage *> ScreensWithFiles(const COutlineTree *tree, const COutlineTree::Item *item = nullptr);
    // Whether the screen's file can be made on any thread while other screens' files are made: its
    // components only read the course (no media copied, no template read, no failure added to the
    // publish's errors, no component window touched).
    static bool StandsAlone(const CCorvPage &screen);
    // The file of one screen, whatever its page type. A null screen writes nothing and succeeds.
    bool WriteScreenFile(CCorvPage *screen);

    // Whether screens of the page type get a file: folders, documents, questions and final performance
    // screens.
    static bool HasScreenFile(int pageType);

    // The file's text, and its two parts.
    QString ScreenFileText(CCorvPage &screen);
    QString ScreenHeader(CCorvPage &screen);
    QString ScreenContents(CCorvPage &screen);
    // ScreenContents appended to text.
    void AppendContents(QString &text, CCorvPage &screen);

    // The system's text for the last file that could not be written ("" when none).
    const QString &GetFileErrorText() const { return m_fileErrorText; }
    // Whether a component was left out of a screen because no writer made its piece.
    bool HasMissingPieces() const { return m_missingPieces; }

private:
    // The component's piece of the contents ("" for kinds without markup); images and tables count the
    // pictures and tables met so far on the screen.
    QString ComponentPiece(CComponentBase &component, int &images, int &tables);
    // The start-up entries of one component, and its shape entries.
    void AddComponentScript(CComponentBase &component, QString &list, QString &argues, int &images, int &tables);
    static bool AddShapeEntries(const CComponentBase &component, QString &shapes);

    QString LinkToHtml(const CComponentLink &link) const;
    QString AudioToHtml(CComponentAudio &audio);
    static QString PrintButtonHtml();
    static QString YouTubeToHtml(const CComponentYouTube &video);
    // A piece from a writer that belongs to another part of the publisher; a missing one is noted.
    QString Noted(bool made, const QString &piece);
    // The markup a component built, or none when it could not, with the reason added to the publish's errors.
    QString Markup(const CResult<QString> &built) const;

    const CPublishContext &m_context;
    CRichTextHtml m_richText;
    // The next clip number of the screen, and the numbers given to the first member of each Play/Stop pair.
    int m_audioNumber = 0;
    std::map<const CComponentAudio *, int> m_pairNumbers;
    bool m_missingPieces = false;
    QString m_fileErrorText;
};
