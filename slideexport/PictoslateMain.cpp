#include "slideexport/SlatewrightCommandLine.h"
#include "slideexport/SlideRenderer.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

void Print(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

const char kUsage[] = "Usage: pictoslate <presentation.pptx> _%_ <output folder>\n"
                      "Writes one PNG file per slide (Slide1.png, Slide2.png, ...) into the output folder,\n"
                      "fitted into 1008 x 560 pixels, through LibreOffice and pdftoppm.\n";

} // namespace

// Exit status: 0 rendered, 1 the conversion failed, 2 the command line is not understood.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const CSlatewrightCommandLine line = CSlatewrightCommandLine::Parse(app.arguments().mid(1));
    if (line.kind == CSlatewrightCommandLine::Help) {
        Print(stdout, QString::fromLatin1(kUsage));
        return 0;
    }
    if (line.kind == CSlatewrightCommandLine::Usage) {
        Print(stderr, QString::fromLatin1(kUsage));
        return 2;
    }
    CSlideRenderer renderer;
    QString error;
    if (!renderer.Render(line.presentationPath, line.outputFolder, &error)) {
        Print(stderr, QStringLiteral("pictoslate: ") + error + u'\n');
        return 1;
    }
    return 0;
}
