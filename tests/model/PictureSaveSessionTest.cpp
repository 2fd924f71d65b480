#include "model/PictureSaveSession.h"

#include <gtest/gtest.h>

#include <QHash>
#include <QStringList>

#include <vector>

namespace {

// The names as every save gave them out so far: candidates tried from the wanted name on, each time.
class ReferenceNames
{
public:
    QString Claim(const QString &folder, const QString &name, const QString &source)
    {
        QString candidate = name;
        for (int number = 2;; ++number) {
            const QString key = folder + u'\n' + candidate.toLower();
            const auto it = m_claims.constFind(key);
            if (it == m_claims.constEnd()) {
                m_claims.insert(key, source);
                return candidate;
            }
            if (*it == source)
                return candidate;
            candidate = CPictureSaveSession::SuffixedName(name, number);
        }
    }

private:
    QHash<QString, QString> m_claims;
};

struct Claim {
    const char *folder;
    const char *name;
    const char *source;
};

} // namespace

// Guards the names a save gives out: remembering where each name's numbering stands must give every
// picture the name it got before, also when a source asks again, a file is literally called "photo_2.png",
// names differ only in case, or a source already holds a later name of the sequence.
TEST(PictureSaveSession, ClaimedNamesMatchTheNamesGivenBefore)
{
    const std::vector<std::vector<Claim>> sequences = {
        {{"/p/Images", "photo.png", "a"}, {"/p/Images", "photo.png", "b"}, {"/p/Images", "photo.png", "a"},
         {"/p/Images", "photo.png", "c"}, {"/p/Images", "photo.png", "b"}, {"/p/Images", "photo.png", "d"}},
        {{"/p/Images", "photo_2.png", "x"}, {"/p/Images", "photo.png", "a"}, {"/p/Images", "photo.png", "b"},
         {"/p/Images", "photo.png", "c"}, {"/p/Images", "photo_3.png", "y"}, {"/p/Images", "photo.png", "d"}},
        {{"/p/Images", "Photo.PNG", "a"}, {"/p/Images", "photo.png", "b"}, {"/p/Images", "PHOTO.png", "c"},
         {"/p/Images", "photo_2.PNG", "d"}, {"/p/Images", "photo.png", "d"}},
        // b holds "photo_2.png" through its own wanted name; asking for "photo.png" it is given that name.
        {{"/p/Images", "photo.png", "a"}, {"/p/Images", "photo_2.png", "b"}, {"/p/Images", "photo.png", "b"},
         {"/p/Images", "photo.png", "c"}},
        // b holds "photo_3.png" beyond the numbers tried so far: the free "photo_2.png" comes first.
        {{"/p/Images", "photo.png", "a"}, {"/p/Images", "photo_3.png", "b"}, {"/p/Images", "photo.png", "b"},
         {"/p/Images", "photo.png", "b"}, {"/p/Images", "photo.png", "c"}},
        {{"/p/Images", "readme", "a"}, {"/p/Images", "readme", "b"}, {"/p/Images", ".hidden", "a"},
         {"/p/Images", ".hidden", "b"}, {"/p/Images", "a.b.c", "a"}, {"/p/Images", "a.b.c", "b"}},
        {{"/p/Images", "photo.png", "a"}, {"/p/Images/Resized", "photo.png", "b"}, {"/q/Images", "photo.png", "c"},
         {"/p/Images", "photo.png", "c"}},
        // Numbers with more digits than the ones before them, and names that only look numbered.
        {{"/p/Images", "photo_02.png", "z"}, {"/p/Images", "photo_1.png", "w"}, {"/p/Images", "photo.png", "a"},
         {"/p/Images", "photo.png", "b"}},
    };
    for (size_t s = 0; s < sequences.size(); ++s) {
        CPictureSaveSession session;
        ReferenceNames reference;
        for (const Claim &c : sequences[s]) {
            SCOPED_TRACE(QStringLiteral("sequence %1: %2 %3 %4").arg(s).arg(c.folder, c.name, c.source).toStdString());
            EXPECT_EQ(session.ClaimName(c.folder, c.name, c.source), reference.Claim(c.folder, c.name, c.source));
        }
    }

    // Many sources of one name, some asking twice, beside pictures that hold numbered names themselves.
    CPictureSaveSession session;
    ReferenceNames reference;
    for (int i = 0; i < 300; ++i) {
        const QString source = QString::number(i % 170);
        const QString name = i % 37 == 5 ? QStringLiteral("shot_%1.jpg").arg(i / 3) : QStringLiteral("shot.jpg");
        ASSERT_EQ(session.ClaimName("/p/Images", name, source), reference.Claim("/p/Images", name, source)) << i;
    }
}
