#include "ShownCanvas.h"
#include "editor/CanvasComponentPainter.h"
#include "platform/richtext/CharFormat.h"
#include "platform/richtext/RichTextLayout.h"
#include "publish/RunToHtmlSpan.h"

#include <QFontDatabase>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// Guards faces the machine lacks: the canvas (and the layout that measures overflow) and the published page
// name the same families for them, best first, so both fall back to the same substitute and lines break
// alike; the face itself is written as the author chose it.
TEST(FontFallback, TheCanvasAndThePublishedPageNameTheSameFamilies)
{
    ShownCanvas shown;
    const struct {
        const char *face;
        QFont::StyleHint hint;
    } cases[] = {{"Calibri", QFont::SansSerif}, {"Cambria", QFont::Serif}, {"Consolas", QFont::Monospace},
                 {"A Face Of Its Own", QFont::SansSerif}};
    for (const auto &c : cases) {
        const QString face = QString::fromLatin1(c.face);
        SCOPED_TRACE(c.face);
        ASSERT_FALSE(QFontDatabase::hasFamily(face));
        CCharFormat format;
        format.face = face;
        format.height = 280;
        format.mask = CFM_FACE | CFM_SIZE;

        QString span;
        RunToHtmlSpan(span, QStringLiteral("Words"), format, CRunLink(), CBodyFont::FromDocument(*shown.doc), *shown.doc);
        const QRegularExpressionMatch css = QRegularExpression(QStringLiteral("font-family:([^;]*);")).match(span);
        ASSERT_TRUE(css.hasMatch()) << span.toStdString();
        QStringList published = css.captured(1).split(QStringLiteral(", "));
        ASSERT_GE(published.size(), 2);
        EXPECT_EQ(published.first(), face);
        const QString generic = published.takeLast();
        EXPECT_EQ(generic, c.hint == QFont::Serif       ? QStringLiteral("serif")
                           : c.hint == QFont::Monospace ? QStringLiteral("monospace")
                                                        : QStringLiteral("sans-serif"));

        for (const QFont &shownFont : {CanvasComponentPainter::FontOf(format), CRichTextLayout::FontFor(format)}) {
            EXPECT_EQ(shownFont.families(), published);
            EXPECT_EQ(shownFont.styleHint(), c.hint);
        }
    }
}

} // namespace
