#pragma once

#include <memory>

class CComponentBase;
class CComponentWindow;

// The Edit canvas as the model sees it. Components created with a canvas as parent get their window from
// it; without a canvas (tests, publishing, imports) they have none. Screens put their components on it in
// drawing order. Nothing finds the canvas on its own: the Edit window hands it to the document, and the
// document to the loaders and factories it runs.
class CEditCanvas
{
public:
    virtual ~CEditCanvas() = default;

    // The window of a new component, hidden, over its bounds; null for kinds the canvas has no window for.
    // It is asked while the component is being made: the window may keep the component and read its type
    // and bounds, and reads the kind's values only when asked to show them (UpdateFromComponent).
    virtual std::unique_ptr<CComponentWindow> CreateComponentWindow(CComponentBase &component) = 0;

    // The list of components on display (not owned), in drawing order.
    virtual void ClearDisplayedComponents() = 0;
    virtual void AppendDisplayedComponent(CComponentBase *component) = 0;
    // Repaint the whole canvas with erasing; the canvas paints visible lines itself.
    virtual void Invalidate() = 0;
    // A component is going away: forget it wherever the canvas still refers to it (selection, trackers).
    virtual void ForgetComponent(CComponentBase * /*component*/) {}
};
