#pragma once

#include <QString>

// The file filters of the dialogs are kept as the string table holds them ("Name|*.a;*.b|Name|*.*||"); the
// file pickers take them as "Name (*.a *.b);;Name (*)".
namespace DialogFileFilter {

QString ToPickerFilter(const QString &filter);

} // namespace DialogFileFilter
