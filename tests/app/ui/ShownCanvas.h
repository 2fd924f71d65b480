#pragma once

#include "document/CorvessaDoc.h"
#include "editor/ComponentCommands.h"
#include "editor/ui/ScrollViewEx.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/CorvContext.h"
#include "platform/RecordingPrompt.h"

#include <QEvent>
#include <QMouseEvent>
#include <QObject>
#include <QTest>

#include <memory>

// A document with one screen shown on the Edit canvas, as the Edit window holds them: a component put on the
// screen gets its window from the canvas's own factory, wired as the program wires it. The left presses that
// reach the canvas's page (from the windows too) are recorded.
class ShownCanvas : public QObject
{
public:
    ShownCanvas()
    {
        context.prompt = &prompt;
        doc = std::make_unique<CCorvessaDoc>(context, [] { return int64_t(0); });
        doc->OnNewDocument();
        canvas = std::make_unique<CScrollViewEx>();
        canvas->resize(1100, 650);
        canvas->SetDocument(doc.get());
        screen = doc->AddScreen(std::make_unique<CCorvPage>(doc->TakeNextScreenNumber(), QStringLiteral("Screen"),
                                                            QString(), QString(), 0, QStringLiteral("1"), pt_document,
                                                            -1));
        canvas->ShowScreen(screen);
        canvas->Page()->installEventFilter(this);
        canvas->show();
        (void)QTest::qWaitForWindowExposed(canvas.get());
    }
    ~ShownCanvas() override
    {
        // The screens go while the canvas is still there: their components' windows are its widgets.
        canvas->Page()->removeEventFilter(this);
        canvas->SetDocument(nullptr);
        doc.reset();
        canvas.reset();
    }

    // Puts the component on the screen, shows the screen again and selects the component, as the author's
    // click does: its window is made and its editing switched on.
    template <class Kind>
    Kind *Put(std::unique_ptr<Kind> component)
    {
        Kind *raw = component.get();
        (void)screen->AddComponent(std::move(component));
        screen->ShowOnCanvas(*canvas);
        canvas->SelectComponent(raw);
        return raw;
    }

    CRecordingPrompt prompt;
    CCorvContext context;
    std::unique_ptr<CCorvessaDoc> doc;
    std::unique_ptr<CScrollViewEx> canvas;
    CCorvPage *screen = nullptr;
    QList<QPoint> presses;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (canvas && watched == canvas->Page() && event->type() == QEvent::MouseButtonPress)
            presses << static_cast<QMouseEvent *>(event)->position().toPoint();
        return QObject::eventFilter(watched, event);
    }
};
