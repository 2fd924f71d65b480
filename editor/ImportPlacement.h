#pragma once

#include <QString>

class CEditController;

// Where a further Word or PowerPoint document imported from the Edit window goes, and what the Edit window
// does once the importer has made its screens. The import command runs the importer.
namespace ImportPlacement {

// The importer's insertion point: mode 1 inserts after (or, for a container, below) the screen of the label,
// mode 0 follows the importer's own order.
struct Point {
    int mode = 0;
    QString label;
};

// Takes the current screen off the canvas (its thumbnail brought up to date first) and gives the insertion
// point: with a new topic, the main menu (the first root item, when it is a menu screen) becomes current and
// the importer starts from there; without one, after the current screen, or as the last child of a current
// container. Without a current screen: mode 0 and the empty label.
Point Prepare(CEditController &edit, bool createTopic);

// After a successful conversion: the menus laid out again; with a new topic, a topic record numbered with the
// topic count before the import (topicCountBefore) joins the document's topics; the outline renumbered, the
// screen lists and the thumbnails rebuilt. The import command tells the author the outcome.
void Finish(CEditController &edit, bool createTopic, int topicCountBefore, const QString &title,
            const QString &banner, const QString &path);

} // namespace ImportPlacement
