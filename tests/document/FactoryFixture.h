#pragma once

#include "support/TempTree.h"

#include "document/CorvessaDoc.h"
#include "model/CorvPage.h"
#include "platform/CorvContext.h"
#include "platform/QuestionIdCounter.h"
#include "platform/Rect.h"
#include "platform/RecordingPrompt.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

inline void PrintTo(const CRect &r, std::ostream *os)
{
    *os << '(' << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ')';
}

// A new course in a document of its own, with a program folder holding the pictures the factories name
// (placeholders, a theme's title picture) and an empty graphics library, all in a temporary folder.
class FactoryFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        context.programFolder = tree.MakeFolder(QStringLiteral("program"));
        context.graphicsLibraryRoot = tree.MakeFolder(QStringLiteral("library")) + u'/';
        context.prompt = &prompt;
        context.questionIds = &ids;
        Picture(QStringLiteral("program/tmp_small.png"), 300, 200);
        Picture(QStringLiteral("program/tmp_medium.png"), 400, 266);
        Picture(QStringLiteral("program/tmp_large.png"), 500, 333);
        doc = std::make_unique<CCorvessaDoc>(context);
        doc->OnNewDocument();
        doc->MutableSettings().Theme = QStringLiteral("Harbour");
        doc->MutableSettings().FontName[0] = QStringLiteral("Verdana");
        doc->MutableSettings().FontSizePoints[0] = QStringLiteral("14");
        doc->MutableSettings().FontColor[0] = 0x00332211;
    }

    // A PNG of the size at a path relative to the tree.
    QString Picture(const QString &relative, int width, int height) const
    {
        const QString path = tree.Write(relative, QByteArray());
        QImage picture(width, height, QImage::Format_RGB32);
        picture.fill(QColor(30, 120, 200));
        picture.save(path, "PNG");
        return path;
    }

    // The screens of a list in order.
    static std::vector<CCorvPage *> Screens(const CCorvessaDoc::ScreenList &list)
    {
        std::vector<CCorvPage *> screens;
        for (const auto &s : list)
            screens.push_back(s.get());
        return screens;
    }

    TempTree tree;
    CRecordingPrompt prompt;
    CQuestionIdCounter ids;
    CCorvContext context;
    std::unique_ptr<CCorvessaDoc> doc;
};
