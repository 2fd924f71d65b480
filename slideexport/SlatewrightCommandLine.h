#pragma once

#include <QString>
#include <QStringList>

// The exporter's command line: "<presentation> _%_ <output folder>", nothing quoted. The arguments are joined
// with blanks again, so a path holding blanks reads the same whether it came as one argument or several;
// everything before the first " _%_ " is the presentation, everything after it the folder.
struct CSlatewrightCommandLine
{
    enum Kind { Export, Help, Usage };
    Kind kind = Usage;
    QString presentationPath;
    QString outputFolder;

    static CSlatewrightCommandLine Parse(const QStringList &arguments);
    static QString UsageText();
};
