#pragma once

#include "model/ComponentTable.h"
#include "platform/Rect.h"

#include <QPoint>
#include <QString>

#include <optional>

class CComponentEllipse;
class CComponentHTMLEditor;
class CComponentImage;
class CComponentLargeTopic;
class CComponentLine;
class CComponentRectangle;
class CComponentSmallTopic;
class CComponentTextbox;
class CCorvPage;
class CCorvessaDoc;
class CEditorHooks;
class CGraphicsLibrarySearch;

// Puts new components on the screen being edited: the Edit window's commands, the canvas's drawing tools,
// the drop handler and the menu layout call these. Each component is made on the document's Edit canvas with
// its first properties from the arguments and the course settings, placed inside the 1008 x 560 screen and
// put in front of the screen's others; the screen is marked modified and shown on the canvas again. Without a
// current screen nothing happens (null). The component returned belongs to the screen.
class CComponentInsertion
{
public:
    // library: the graphics library the topic buttons take their pictures from; null when none is loaded.
    CComponentInsertion(CCorvessaDoc &doc, const CEditorHooks &editor, CGraphicsLibrarySearch *library = nullptr);

    // The box of a new text box, HTML text or table.
    static constexpr CRect kDefaultBox{36, 32, 520, 332};

    // The picture fitted (never enlarged) into the box of the size preset (0 small, 2 large, else medium) and
    // centred in it. The box's top-left is (36, 32), or the point given kept inside the screen and no higher
    // or further left than (36, 32). A picture that cannot be read inserts nothing (null).
    CComponentImage *InsertImage(const QString &path, const QString &altText, int sizePreset, int border, int bevel,
                                 std::optional<QPoint> topLeft = std::nullopt);
    // A text box holding "Click and add text.", its caret at the start.
    CComponentTextbox *InsertTextBox();
    CComponentHTMLEditor *InsertHtmlEditorText();
    // A table of the table dialog's record.
    CComponentTable *InsertTable(const CComponentTable::Settings &settings);
    // A table drawn on the canvas: the rows and columns given, the record of tables made without the dialog.
    CComponentTable *InsertTableAt(int rows, int columns, const CRect &rect);
    CComponentRectangle *InsertRectangle(const CRect &rect);
    CComponentLine *InsertLine(const QPoint &p1, const QPoint &p2);
    CComponentEllipse *InsertEllipse(const CRect &rect);

    // Topic buttons of a menu screen (none: nothing): the screen is marked modified but not shown again.
    // The two kinds take their values in different orders: the small button its fitted flag last, the
    // large one first (its picture then decides it again).
    CComponentSmallTopic *AddSmallTopicButton(CCorvPage *screen, const QString &title, int thumbnailIndex,
                                              const QString &picture, const CRect &rect, int fitted);
    CComponentLargeTopic *AddLargeTopicButton(CCorvPage *screen, const QString &title, int thumbnailIndex,
                                              const QString &picture, const CRect &rect, int fitted);

    // Points the theme title picture of the course's menu screen (the first image whose file is a
    // "kv_text.png", on the first multi-topic menu screen of the main list) at the current theme's.
    void UpdateThemeTextImage();

private:
    // Appends the component to the screen, marks the screen modified and shows it again; the component,
    // or null when the screen refused it (deleted).
    template <class Kind>
    Kind *Insert(CCorvPage &screen, std::unique_ptr<Kind> component, const CRect &rect);
    template <class Kind>
    Kind *AddToMenu(CCorvPage &screen, std::unique_ptr<Kind> button);

    CCorvessaDoc &m_doc;
    const CEditorHooks &m_editor;
    CGraphicsLibrarySearch *m_library;
};
