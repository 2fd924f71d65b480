#pragma once

#include <QString>
#include <QStringList>

// The values a published SCORM lesson may report as the learner's reason for leaving, as the "Exit" dialog
// lists them: with their double quotation marks, which the document's setting stores too.
namespace CorvScormExitChoice {

// SCORM 1.2 (flag 1): "logout", "suspend", "time-out", ""; SCORM 2004 adds "normal".
QStringList Values(int scorm12Flag);
// The entry the dialog opens on: the one equal to the value, else the first that begins with it; -1 when
// none does.
int SelectedIndex(const QStringList &values, const QString &value);

} // namespace CorvScormExitChoice
