#include "slideexport/SlatewrightCommandLine.h"
#include "slideexport/SlideExporter.h"
#include "slideexport/SubstitutionTable.h"
#include "slideexport/ui/SlatewrightForm.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <new>

namespace {

void Print(FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// Started without a command line the program shows its form and exports each time Run is pressed.
int RunForm(int argc, char **argv)
{
    QApplication app(argc, argv);
    CSlatewrightForm form;
    form.show();
    return app.exec();
}

} // namespace

// Exit status: 0 exported, 1 the export failed, 2 the command line is not understood. A command-line start
// shows no window.
int main(int argc, char **argv)
{
    if (argc <= 1)
        return RunForm(argc, argv);
    QCoreApplication app(argc, argv);
    const CSlatewrightCommandLine line = CSlatewrightCommandLine::Parse(app.arguments().mid(1));
    if (line.kind == CSlatewrightCommandLine::Help) {
        Print(stdout, CSlatewrightCommandLine::UsageText());
        return 0;
    }
    if (line.kind == CSlatewrightCommandLine::Usage) {
        Print(stderr, CSlatewrightCommandLine::UsageText());
        return 2;
    }
    CSubstitutionTable substitutions;
    QString error;
    if (!substitutions.Load(QDir(QCoreApplication::applicationDirPath()).filePath("substitutions.txt"), &error)) {
        Print(stderr, QStringLiteral("slatewright22: ") + error + u'\n');
        return 1;
    }
    CSlideExporter exporter(substitutions);
    bool exported = false;
    try {
        exported = exporter.ExportSlatewright(line.presentationPath, line.outputFolder, &error);
    } catch (const std::bad_alloc &) {
        error = QStringLiteral("There is not enough memory to export \"%1\".").arg(line.presentationPath);
    }
    if (!exported) {
        error.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        Print(stderr, QStringLiteral("slatewright22: ") + error + u'\n');
        return 1;
    }
    for (const QString &warning : exporter.Warnings())
        Print(stderr, QStringLiteral("slatewright22: ") + warning + u'\n');
    return 0;
}
