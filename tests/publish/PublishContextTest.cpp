#include "document/CorvessaDoc.h"
#include "platform/CorvContext.h"
#include "platform/RecordingPrompt.h"
#include "publish/PublishContext.h"
#include "publish/PublishFile.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

namespace {

class PublishContextTest : public ::testing::Test
{
protected:
    PublishContextTest()
    {
        context.prompt = &prompt;
        context.programFolder = tmp.MakeFolder("program") + "/";
        doc = std::make_unique<CCorvessaDoc>(context);
        doc->MutableSettings().Theme = "Harbour";
    }

    TempTree tmp;
    CRecordingPrompt prompt;
    CCorvContext context;
    std::unique_ptr<CCorvessaDoc> doc;
};

// Guards the names every step builds paths from: a folder given with trailing separators would put "//"
// into every path and the package beside the wrong folder; a prefix in capitals would name files the
// run-time's lower-case references miss.
TEST_F(PublishContextTest, FolderAndPrefixAsTheStepsUseThem)
{
    const struct {
        const char *folder, *prefix, *expectedFolder, *expectedPrefix;
    } cases[] = {
        {"/out/Course", "Demo", "/out/Course", "demo"},
        {"/out/Course///", "DEMO", "/out/Course", "demo"},
        {"/", "x", "/", "x"},
    };
    for (const auto &c : cases) {
        const CPublishContext publish(*doc, c.folder, c.prefix, nullptr);
        EXPECT_EQ(publish.GetTargetFolder(), c.expectedFolder) << c.folder;
        EXPECT_EQ(publish.GetProjectPrefix(), c.expectedPrefix) << c.prefix;
        EXPECT_TRUE(publish.IsCourseTreeEmpty());
    }
}

// Guards the report of a failed publish: every failure is kept in the order met, and a step that failed
// without the system's text adds no empty line.
TEST_F(PublishContextTest, ErrorsCollectEveryFailure)
{
    CPublishContext publish(*doc, tmp / "out", "demo", nullptr);
    EXPECT_EQ(publish.ErrorText(), "");
    publish.AddError("No space left on device");
    publish.AddError("");
    CPublishFile missingFolder;
    EXPECT_FALSE(missingFolder.Open(tmp / "out", "no/such/folder/file.js", CPublishFile::NoByteOrderMark));
    publish.AddFileError(missingFolder);
    ASSERT_EQ(publish.Errors().size(), 2);
    EXPECT_EQ(publish.Errors().front(), "No space left on device");
    EXPECT_EQ(publish.ErrorText(), publish.Errors().join('\n'));
    publish.ClearErrors();
    EXPECT_TRUE(publish.Errors().isEmpty());
}

// Guards the course against its publish: the fall-back theme lives in the publish, the course keeps the
// theme the author chose.
TEST_F(PublishContextTest, FallbackThemeStaysInThePublish)
{
    CPublishContext publish(*doc, tmp / "out", "demo", nullptr);
    EXPECT_EQ(publish.Theme(), "Harbour");
    publish.UseFallbackTheme();
    EXPECT_EQ(publish.Theme(), "Classical");
    EXPECT_EQ(doc->Settings().Theme, "Harbour");
    EXPECT_EQ(&publish.Settings(), &doc->Settings());
}

} // namespace
