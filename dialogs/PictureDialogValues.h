#pragma once

#include "dialogs/DialogCheck.h"

#include <QString>
#include <QStringList>

// The values of the picture dialogs ("Add graphic from file", "Replace graphic from file"), their check
// on OK and the two category lists of "Set priorities", without windows.
namespace PictureDialogText {
inline const QString kChoosePicture = QStringLiteral("Please choose a picture file.");
// %1 the path; the image library's own reason follows on a line of its own when it gave one.
inline const QString kUnreadablePicture = QStringLiteral("The picture \"%1\" could not be read.");
} // namespace PictureDialogText

// Size classes of a new or replaced picture: the course's picture presets (GetPictureWidthForSize).
enum PictureSizeClass { SizeSmall = 0, SizeMedium = 1, SizeLarge = 2 };

struct SPictureFileValues {
    static constexpr int kFilterId = 61460;
    // Control numbers the check names.
    static constexpr int kPathControl = 1229;
    QString path;
    QString altText;
    int sizeClass = SizeMedium;

    // A picture component is only worth making from a file that loads: an empty path or a picture the
    // image library cannot read would give an empty component nobody can see or select.
    CDialogCheck Check() const;
    bool operator==(const SPictureFileValues &) const = default;
};

// Whether the picture at path loads; the message for the author (with the image library's reason) when not.
CDialogCheck CheckPictureFile(const QString &path);

// "Set priorities": the categories left to choose from, kept in alphabetical order, and the chosen ones
// in the order they are preferred. Each operation acts on one entry by its row and returns false (and
// changes nothing) when the row is not there or the entry cannot move.
class CCategoryPriorityLists
{
public:
    CCategoryPriorityLists() = default;
    CCategoryPriorityLists(const QStringList &available, const QStringList &selected);

    const QStringList &Available() const { return m_available; }
    const QStringList &Selected() const { return m_selected; }

    // The available entry at row goes to the end of the selected list; the row it took there comes back.
    int Add(int availableRow);
    // The selected entry at row goes back among the available ones, sorted in; its new row comes back.
    int Remove(int selectedRow);
    bool MoveUp(int selectedRow);
    bool MoveDown(int selectedRow);

private:
    void SortAvailable();

    QStringList m_available;
    QStringList m_selected;
};
