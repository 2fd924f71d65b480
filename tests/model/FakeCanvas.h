#pragma once

#include "model/ComponentBase.h"
#include "model/ComponentWindow.h"
#include "model/CorvPage.h"
#include "model/EditCanvas.h"
#include "model/ScreenLookup.h"

#include <QStringList>

#include <map>
#include <memory>
#include <vector>

// A canvas that records what the model asks of it, with windows that measure text at 8 x 16 pixels per
// character and remember the calls they get.
class FakeWindow : public CComponentWindow
{
public:
    explicit FakeWindow(QStringList *log) : m_log(log) {}
    void Show() override { m_log->append(QStringLiteral("show")); visible = true; }
    void Hide() override { m_log->append(QStringLiteral("hide")); visible = false; }
    void MoveWindow(const CRect &rect) override { geometry = rect; }
    void Invalidate() override {}
    void UpdateFromComponent() override { ++updates; }
    void UpdateComponent() override { ++commits; }
    void EnableEditing(bool enable) override { enabled = enable; }
    void ResetCaret() override { ++caretResets; }
    QSize GetTextExtent(const QString &text) const override { return QSize(8 * int(text.size()), 16); }

    bool visible = false;
    bool enabled = false;
    CRect geometry;
    int updates = 0;
    int commits = 0;
    int caretResets = 0;

private:
    QStringList *m_log;
};

class FakeCanvas : public CEditCanvas
{
public:
    std::unique_ptr<CComponentWindow> CreateComponentWindow(CComponentBase &) override
    {
        return std::make_unique<FakeWindow>(&log);
    }
    void ClearDisplayedComponents() override { displayed.clear(); }
    void AppendDisplayedComponent(CComponentBase *c) override { displayed.push_back(c); }
    void Invalidate() override { ++invalidations; }
    void ForgetComponent(CComponentBase *c) override { std::erase(displayed, c); }

    static FakeWindow *WindowOf(const CComponentBase &c) { return static_cast<FakeWindow *>(c.GetComponentWindow()); }

    std::vector<CComponentBase *> displayed;
    int invalidations = 0;
    QStringList log;
};

// Screens by number, as the document finds them in its main list and the other two lists.
class FakeLookup : public CScreenLookup
{
public:
    CCorvPage *FindScreenByNumber(int id) const override
    {
        if (CCorvPage *p = FindMainScreenByNumber(id))
            return p;
        auto it = others.find(id);
        return it == others.end() ? nullptr : it->second;
    }
    CCorvPage *FindMainScreenByNumber(int id) const override
    {
        auto it = main.find(id);
        return it == main.end() ? nullptr : it->second;
    }
    std::map<int, CCorvPage *> main;
    std::map<int, CCorvPage *> others;
};
