#pragma once

#include "support/TempTree.h"

#include "document/CorvessaDoc.h"
#include "model/ComponentBase.h"
#include "model/ComponentFactory.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/CorvContext.h"
#include "platform/QuestionIdCounter.h"
#include "platform/Rect.h"
#include "platform/RecordingPrompt.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

inline void PrintTo(const CRect &r, std::ostream *os)
{
    *os << '(' << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ')';
}

// A new course in a document of its own, with a program folder and a recording prompt in a temporary
// folder; screens of any page type are added to its main list.
class CanvasFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        context.programFolder = tree.MakeFolder(QStringLiteral("program"));
        context.prompt = &prompt;
        context.questionIds = &ids;
        doc = std::make_unique<CCorvessaDoc>(context);
        doc->OnNewDocument();
    }
    void TearDown() override { doc.reset(); }

    CCorvPage &AddScreen(int pageType = pt_document, const QString &label = QStringLiteral("1"))
    {
        const int id = doc->TakeNextScreenNumber();
        return *doc->AddScreen(std::make_unique<CCorvPage>(id, QStringLiteral("Screen"), QString(), QString(), 0, label,
                                                           pageType, -1));
    }

    // A component of the kind at the bounds, on the screen when one is given.
    static CComponentBase *Add(CCorvPage &screen, int type, const CRect &bounds)
    {
        std::unique_ptr<CComponentBase> c = Make(type, bounds);
        CComponentBase *raw = c.get();
        EXPECT_TRUE(screen.AddComponent(std::move(c)).Ok());
        return raw;
    }
    static std::unique_ptr<CComponentBase> Make(int type, const CRect &bounds)
    {
        std::unique_ptr<CComponentBase> c = CComponentFactory::CreateComponent(type, nullptr);
        if (c && type != ct_line)
            c->SetBounds(bounds, false);
        return c;
    }

    // A PNG of one colour, its top-left pixel marked, at a path relative to the tree.
    QString Picture(const QString &relative, int width, int height, QColor fill, QColor corner) const
    {
        const QString path = tree.Write(relative, QByteArray());
        QImage picture(width, height, QImage::Format_RGB32);
        picture.fill(fill);
        picture.setPixelColor(0, 0, corner);
        picture.save(path, "PNG");
        return path;
    }

    TempTree tree;
    CRecordingPrompt prompt;
    CQuestionIdCounter ids;
    CCorvContext context;
    std::unique_ptr<CCorvessaDoc> doc;
};
