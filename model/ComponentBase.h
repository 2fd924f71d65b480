#pragma once

#include "model/ComponentType.h"
#include "model/ProjectSchema.h"
#include "platform/CorvContext.h"
#include "platform/Rect.h"
#include "platform/Result.h"

#include <QString>

#include <memory>

class CArchive;
class CComponentWindow;
class CCorvPage;
class CEditCanvas;
class CRichText;
class QPainter;

// The base of every component kind. A component keeps its own values; its window, when it has one, only
// shows them. Records start with the type code and the bounds (the line keeps its end points there, the
// remediation component stores no bounds) and have no length field: a reader must read exactly what the
// writer wrote.
class CComponentBase
{
public:
    // Every kind is made here: its type code, the canvas it goes on (none for tests, publishing and the
    // importers; a screen shown on a canvas puts its components there) and the bounds a new one of the kind
    // takes. The component's window exists only while it is on show: Show makes it through the canvas and
    // Hide drops it.
    explicit CComponentBase(int typeCode, CEditCanvas *parent = nullptr, const CRect &bounds = CRect());
    virtual ~CComponentBase();
    CComponentBase(const CComponentBase &) = delete;
    CComponentBase &operator=(const CComponentBase &) = delete;

    int GetType() const { return m_type; }
    const CRect &GetBounds() const { return m_bounds; }

    // 1 when the component was read from (or is written to) a single-screen archive: its media then lie
    // beside that archive rather than in the project's folder.
    int IsStandAlone() const { return m_standAlone; }
    void SetStandAlone(int standAlone) { m_standAlone = standAlone ? 1 : 0; }

    // The schema number of the archive being read; later fields are read only above their gate.
    int GetFileSchema() const { return m_fileSchema; }
    void SetFileSchema(int schema) { m_fileSchema = schema; }
    bool IsSchemaAbove(int gate) const { return ProjectSchema::Above(m_fileSchema, gate); }

    // The screen that holds the component (not owning); set when a screen takes it.
    CCorvPage *GetOwnerPage() const { return m_ownerPage; }
    void SetOwnerPage(CCorvPage *page) { m_ownerPage = page; }

    // The canvas the component was made on (not owning); null for components without one.
    CEditCanvas *GetParentCanvas() const { return m_parent; }

    // Stores the bounds; kinds with a window move it there.
    virtual void SetBounds(const CRect &rect, bool move);
    // save true: take the author's edits from the window; false: show the values in the window.
    virtual void ExchangeData(bool save);
    // Makes the window through the canvas when there is none, shows the component's values in it and shows
    // it; nothing without a canvas.
    virtual void Show();
    // Takes the author's edits from the window and drops it.
    virtual void Hide();
    // Null for the windowless kinds and for components made without a canvas.
    virtual CComponentWindow *GetComponentWindow() const { return m_window.get(); }
    // Paints the component from its own values within its bounds (thumbnails, printing).
    virtual void Draw(QPainter &painter) const;
    // A copy on the same canvas with every field of the kind, not on any screen. Without keepPosition its
    // top-left corner goes to (36, 32), the size kept.
    virtual std::unique_ptr<CComponentBase> Clone(bool keepPosition) const = 0;
    // Stores or loads the record (on load the type code has already been read by the loader).
    virtual void SerializeComponent(CArchive &ar) = 0;
    // The component's whole entry in a project or single-screen archive: its record and whatever the kind
    // keeps right after it (the text box's rich text). The archives' writers and loaders use this; the
    // record alone is SerializeComponent.
    virtual void SerializeEntry(CArchive &ar) { SerializeComponent(ar); }

    // Length of the text a text box shows in its editor, link markers included; -1 for other kinds.
    virtual int GetTextLength() const { return -1; }
    // The rich text the component's text editor edits (text boxes, the paragraph question); null for
    // kinds without one.
    virtual CRichText *GetEditorText() { return nullptr; }

    // Writes this component's record alone into a new file (preview), its media copied beside the file;
    // the component itself is left as it is. Fails when the file cannot be written or a media file cannot
    // be copied (the text lists the files).
    CStatus SaveToFile(const QString &path, const CCorvContext &context = CCorvContext::Empty());

    // The canvas is going away: the window goes with it, and the component is on no canvas from then on.
    void DetachFromCanvas();
    // The component goes on this canvas (a screen shown there puts its components on it, whatever made
    // them); a window on another canvas goes.
    void AttachToCanvas(CEditCanvas &canvas);

    // Where a clone without keepPosition goes.
    static constexpr int kCloneLeft = 36;
    static constexpr int kCloneTop = 32;

protected:
    // Makes the window on the canvas at once, whether shown or not (tests of a kind's window). Nothing
    // without a canvas.
    void CreateComponentWindow(CEditCanvas *parent);
    void DestroyComponentWindow();

    // The record head: type code and bounds (store), bounds (load).
    void StoreHead(CArchive &ar) const;
    void LoadBounds(CArchive &ar);
    // The bounds a clone gets.
    CRect ClonedBounds(bool keepPosition) const;
    // A copy of this kind on the same canvas with the kind's values struct copied whole, at the bounds a
    // clone gets; a field of the kind cannot be left behind.
    template <class Kind>
    std::unique_ptr<Kind> CloneKind(bool keepPosition) const
    {
        auto copy = std::make_unique<Kind>(m_parent);
        copy->SetValues(static_cast<const Kind &>(*this).GetValues());
        copy->SetBounds(ClonedBounds(keepPosition), true);
        return copy;
    }
    // The folder the media of this component are relative to, for the archive being read or written.
    QString GetMediaBaseFolder(const CArchive &ar) const;

    CRect m_bounds;
    CEditCanvas *m_parent = nullptr;
    std::unique_ptr<CComponentWindow> m_window;

private:
    int m_standAlone = 0;
    int m_type;
    int m_fileSchema = ProjectSchema::kCurrent;
    CCorvPage *m_ownerPage = nullptr;
};
