#pragma once

#include "model/OutlineTree.h"
#include "platform/Rect.h"

#include <QSize>
#include <QString>

#include <functional>

class CCorvessaDoc;
class CCorvPage;
class CEditController;
class CGraphicsLibrarySearch;

// Where the screen content that follows the outline goes: the topic buttons of a menu screen and the
// section links of a folder screen. Pure arithmetic, shared by the editor and its tests.
namespace MenuLayout {

constexpr int kScreenWidth = 1008;
constexpr int kScreenHeight = 560;
constexpr int kBoxWidth = 202;
constexpr int kBoxHeight = 177;
constexpr int kBoxHeightWithoutPicture = 40;
constexpr int kRowLeft = 230;
constexpr int kRowRight = 830;
constexpr int kRowHeight = 40;
// Menus with more children than fit the box tables, or than spread evenly over the screen height.
constexpr int kMostBoxes = 8;
constexpr int kMostSpreadRows = 12;
constexpr int kLinkLeft = 20;
constexpr int kLinkBottomRow = 530;
constexpr int kLinkGap = 20;
constexpr int kLinkRowGap = 5;
inline const QString kLinkCaptionPrefix = QStringLiteral("Link: ");

// Whether a menu of that many children shows its topics as list rows rather than boxes.
bool UsesList(int children, bool alwaysList);
// The button of the topic at position column (0 first, counting only the topics that get a button) of a
// menu with that many outline children. From 13 children on the rows run past the bottom of the screen:
// published courses scroll them, so the layout keeps them where they are.
CRect TopicButtonRect(int children, int column, bool alwaysList, bool noImages);

// The size of a link's caption drawn in the face at the point size (96 pixels to the inch; the
// application's font when the face is empty or the size is not positive).
QSize MeasureLinkCaption(const QString &caption, const QString &face, int points);

} // namespace MenuLayout

// Keeps the outline-shaped content of the screens in step with the outline: topic buttons of menu
// screens, section links of plain folder screens, and the default feedback texts of question screens
// that move into or out of the course's last topic. Installs itself into the Edit window's controller.
class CMenuScreens
{
public:
    using Measure = std::function<QSize(const QString &caption, const QString &face, int points)>;

    // library: where new topic buttons look for a picture matching their title; null for none.
    explicit CMenuScreens(CEditController &edit, CGraphicsLibrarySearch *library = nullptr);

    // Sets the controller's menu, link and feedback hooks to this object's operations.
    void InstallHooks();
    void SetGraphicsLibrary(CGraphicsLibrarySearch *library) { m_library = library; }
    // How link captions are measured when the link has no window to measure them (tests fix it).
    void SetMeasure(Measure measure) { m_measure = std::move(measure); }

    // Rebuilds the topic buttons of a menu screen from its outline children. The screen's page type when it
    // is not a folder (nothing done); 0 otherwise, also for none.
    int LayoutMenuButtons(CCorvPage *menu);
    // LayoutMenuButtons and a fresh thumbnail for every root item showing a menu screen. 0.
    int LayoutAllMenus();
    // Rebuilds the section links of every plain folder screen of the main list: a link per child (a
    // container's first screen for a container), kept where the author put it while its target stays a
    // child, and new ones in rows from the bottom left. The number of screens that changed.
    int UpdateSectionLinks();

    // Whether a question on the screen takes the assessment feedback pair: the course wants it for its
    // last topic and the screen lies in that topic (a course without a menu: always).
    static bool UseFinalFeedbackPair(const CCorvessaDoc &doc, const COutlineTree &tree, const CCorvPage *screen);
    bool UseFinalFeedbackPair(const CCorvPage *screen) const;
    // After a question screen moved: its questions' feedback texts still equal to the course's default
    // pair take the pair that now applies. Texts the author changed stay.
    void SwapDefaultFeedback(CCorvPage *screen);

private:
    using Item = COutlineTree::Item;
    bool KeepsLink(const Item *folder, const CCorvPage *target) const;
    void ShowAgainIfCurrent(CCorvPage *screen);

    CEditController &m_edit;
    CGraphicsLibrarySearch *m_library;
    Measure m_measure;
};
