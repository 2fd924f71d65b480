#pragma once

#include "platform/Result.h"

#include <QString>

#include <memory>
#include <vector>

class CComponentBase;
class CEditCanvas;
class CPrompt;
class CRichText;
class CScreenLookup;

// One screen of the course: its place in the outline, its kind and texts, and the components it owns in
// drawing order (the first is drawn first, furthest back). Other objects refer to a screen by its unique
// number or its outline label, never by a pointer kept across a deletion.
class CCorvPage
{
public:
    using ComponentList = std::vector<std::unique_ptr<CComponentBase>>;

    CCorvPage(int id, const QString &title, const QString &banner, const QString &sourceDocument, int assessable,
              const QString &label, int pageType, int thumbnailIndex);
    virtual ~CCorvPage();
    CCorvPage(const CCorvPage &) = delete;
    CCorvPage &operator=(const CCorvPage &) = delete;

    int GetId() const { return m_id; }
    void SetId(int id) { m_id = id; }
    const QString &GetTitle() const { return m_title; }
    void SetTitle(const QString &title) { m_title = title; }
    const QString &GetBanner() const { return m_banner; }
    void SetBanner(const QString &banner) { m_banner = banner; }
    const QString &GetSourceDocument() const { return m_sourceDocument; }
    int GetAssessable() const { return m_assessable; }
    const QString &GetLabel() const { return m_label; }
    void SetLabel(const QString &label) { m_label = label; }
    int GetPageType() const { return m_pageType; }
    // The outline turns a content screen into a folder when it gains children, and back when it loses them.
    void SetPageType(int pageType) { m_pageType = pageType; }
    int GetMenuKind() const { return m_menuKind; }
    void SetMenuKind(int menuKind) { m_menuKind = menuKind; }
    int GetThumbnailIndex() const { return m_thumbnailIndex; }
    void SetThumbnailIndex(int index) { m_thumbnailIndex = index; }
    const QString &GetPublishId() const { return m_publishId; }
    void SetPublishId(const QString &publishId) { m_publishId = publishId; }
    int GetModified() const { return m_modified; }
    void SetModified(int modified) { m_modified = modified ? 1 : 0; }

    bool IsAssessmentPage() const;
    bool IsPopupsFolder() const;
    bool IsGlossaryFolder() const;
    // A folder screen that is (or, holding topic buttons, becomes) a multi-topic menu.
    bool IsMultiTopicMenu();

    // The components in drawing order.
    const ComponentList &GetComponentList() const { return m_components; }
    int GetComponentCount() const { return int(m_components.size()); }
    CComponentBase *GetComponent(int index) const;
    bool Contains(const CComponentBase *component) const;

    // Puts the component in front of all others and makes this screen its owner (the pointer is moved
    // from). A second audio component for the same file in the same role is refused, with the message for
    // the author: the component then stays with the caller's pointer (a temporary made from a pointer to a
    // derived kind goes, and the component with it).
    CStatus AddComponent(std::unique_ptr<CComponentBase> &&component);
    // Unlinks and deletes the component; with cascade, the partner of an audio button goes first.
    // Nothing when it is not on this screen.
    void RemoveComponent(CComponentBase *component, int cascade);
    // Unlinks the component and gives it to the caller (null when it is not on this screen).
    std::unique_ptr<CComponentBase> DetachComponent(CComponentBase *component);

    // Restacking; then the screen is shown again on the canvas it is on, if any. Nothing for a component
    // not on the screen.
    void BringToTop(CComponentBase *component);
    void SendToBack(CComponentBase *component);

    // Puts the components on the canvas in drawing order and shows them; the screen is on that canvas
    // until it leaves it.
    void ShowOnCanvas(CEditCanvas &canvas);
    // Deletes empty text boxes, hides the rest, empties the list of the canvas the screen was on (if any),
    // clears the modified flag.
    void LeaveCanvas();
    // The canvas the screen is shown on; null when it is on none.
    CEditCanvas *GetCanvas() const { return m_canvas; }

    void OffsetComponents(int dx, int dy);
    bool HasComponentOfType(int type) const;
    int GetComponentsOfType(int type, std::vector<CComponentBase *> &out) const;
    // The first two image components in drawing order.
    int GetImageComponents(std::vector<CComponentBase *> &out) const;
    // What spelling and find-and-replace walk: the text of every text box and of every table cell (row by
    // row), in drawing order.
    int CollectRichEdits(std::vector<CRichText *> &out) const;
    // The texts of the first two text boxes or paragraph questions in drawing order (at most two).
    int GetFirstTwoTextEditors(std::vector<CRichText *> &out) const;
    // The selection of every text box and table cell back to (0, 0), and the carets of their windows.
    void ResetCarets();
    void EnableEditors(const CComponentBase *selected);

    // Removes the links whose target screen is not in the main list; with ask 1 each one is confirmed
    // first.
    void CheckLinks(const CScreenLookup &document, int ask, CPrompt &prompt);

private:
    ComponentList::iterator Find(const CComponentBase *component);
    void MoveTo(CComponentBase *component, bool toFront);

    int m_id;
    QString m_title;
    QString m_banner;
    QString m_sourceDocument;
    int m_assessable;
    QString m_label;
    int m_pageType;
    int m_menuKind = 0;
    int m_thumbnailIndex;
    QString m_publishId;
    int m_modified = 0;
    ComponentList m_components;
    CEditCanvas *m_canvas = nullptr;
};
