#include "slideexport/SlatewrightCommandLine.h"

CSlatewrightCommandLine CSlatewrightCommandLine::Parse(const QStringList &arguments)
{
    CSlatewrightCommandLine line;
    if (arguments.size() == 1
        && (arguments[0] == QLatin1String("--help") || arguments[0] == QLatin1String("-h"))) {
        line.kind = Help;
        return line;
    }
    const QString joined = arguments.join(u' ');
    const QString separator = QStringLiteral(" _%_ ");
    const int at = int(joined.indexOf(separator));
    if (at <= 0)
        return line;
    line.presentationPath = joined.left(at);
    line.outputFolder = joined.mid(at + separator.size());
    if (!line.outputFolder.isEmpty())
        line.kind = Export;
    return line;
}

QString CSlatewrightCommandLine::UsageText()
{
    return QStringLiteral("Usage: slatewright22 <presentation.pptx> _%_ <output folder>\n"
                          "Writes slides.export.xml and one PNG file per picture into the output folder.\n"
                          "substitutions.txt beside the program, when present, lists \"find;replace\" pairs\n"
                          "applied to every text and note.\n");
}
