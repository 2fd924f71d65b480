#pragma once

#include <QString>
#include <QStringList>

// What a published course's screens name that its output lacks: the pictures, clips, playlists and
// animations that the screen scripts link to under "images/" and "media/" (relative to the content
// folder), checked against the files the publish wrote. A project whose media are missing publishes
// screens that name them; the publish says so instead of reporting success.
namespace CorvNamedMediaCheck {

// The files named by the screen scripts (content/<prefix>_*.js) of the output folder that are not in it,
// each once, as "content/..." paths in name order.
QStringList MissingFiles(const QString &outputFolder, const QString &projectPrefix);

// The names of the files that a screen script's text links to, relative to the content folder.
QStringList NamedFiles(const QString &scriptText);

} // namespace CorvNamedMediaCheck
