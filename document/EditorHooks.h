#pragma once

class CCorvPage;

// What the document asks of the Edit window when it puts new components on the screen being edited.
class CEditorHooks
{
public:
    virtual ~CEditorHooks() = default;
    // The screen shown on the Edit canvas; null when there is none.
    virtual CCorvPage *GetCurrentScreen() const = 0;
};
