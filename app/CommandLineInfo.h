#pragma once

#include <QString>
#include <QStringList>

// What the program's command line asks for: the project file to open, or the automation start that only
// registers the program and opens no window.
struct CCommandLineInfo
{
    bool automation = false;
    // The first argument that is not a switch; empty when there is none.
    QString fileName;

    // Reads the arguments after the program's own name. "/Embedding", "/Automation" (also with "-", any
    // case) ask for the automation start; other arguments beginning with "-" are switches of the toolkit
    // and are passed over. A path beginning with "/" is a file name, never a switch.
    static CCommandLineInfo Parse(const QStringList &arguments);
};
