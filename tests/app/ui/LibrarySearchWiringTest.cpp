// The graphics library's search as the running program holds it: over the index start-up loaded, handing
// out pictures into the open project's list of used pictures, and given to the Import window.
#include "AppFixture.h"

#include "document/CorvessaDoc.h"

#include <gtest/gtest.h>

// Guards the wiring: without it the Import window imports with no library pictures at all.
TEST(LibrarySearchWiring, SearchRunsOnTheLoadedIndexForTheProject)
{
    AppFixture f;
    auto app = f.Start();
    CGraphicsLibrary &search = app->LibrarySearch();
    ASSERT_TRUE(search.IsLoaded());
    EXPECT_EQ(search.ImageCount(), app->GraphicsLibrary().ImageCount());
    search.SetUseColourPhotos(1);
    QString file, reason;
    EXPECT_EQ(search.FindImageForText("An apple a day", file, reason), 1);
    EXPECT_EQ(file, "apple.jpg");
    EXPECT_EQ(app->Document()->UsedLibraryPictures, QStringList{"apple.jpg"});
}
