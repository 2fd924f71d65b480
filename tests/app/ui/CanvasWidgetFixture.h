#pragma once

#include "support/TempTree.h"

#include "document/CorvessaDoc.h"
#include "editor/ui/ScrollViewEx.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/CorvContext.h"
#include "platform/QuestionIdCounter.h"
#include "platform/RecordingPrompt.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// A document with one screen of the page type shown on a canvas, as the Edit window holds them, in a
// temporary program folder with a recording prompt.
class CanvasWidgetFixture : public ::testing::Test
{
protected:
    explicit CanvasWidgetFixture(int pageType = pt_document) : m_pageType(pageType) {}

    void SetUp() override
    {
        context.programFolder = tree.MakeFolder(QStringLiteral("program"));
        context.prompt = &prompt;
        context.questionIds = &ids;
        doc = std::make_unique<CCorvessaDoc>(context);
        doc->OnNewDocument();
        canvas = std::make_unique<CScrollViewEx>();
        canvas->resize(1100, 650);
        canvas->SetDocument(doc.get());
        screen = doc->AddScreen(std::make_unique<CCorvPage>(doc->TakeNextScreenNumber(), QStringLiteral("Screen"),
                                                            QString(), QString(), 0, QStringLiteral("1"), m_pageType, -1));
        canvas->ShowScreen(screen);
        canvas->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(canvas.get()));
    }
    void TearDown() override
    {
        // Components live on the canvas: the document and its screens go while it is still there.
        canvas->SetDocument(nullptr);
        doc.reset();
        canvas.reset();
    }

    TempTree tree;
    CRecordingPrompt prompt;
    CQuestionIdCounter ids;
    CCorvContext context;
    std::unique_ptr<CCorvessaDoc> doc;
    std::unique_ptr<CScrollViewEx> canvas;
    CCorvPage *screen = nullptr;

private:
    int m_pageType;
};
