#pragma once
#include <QString>

namespace portiqa {

// The folder where export and import dialogs start: "configuration/" beside
// the program when that can be written, otherwise the user's application
// data folder. Created when missing; a folder that cannot be created is not
// reported (the dialogs then start wherever the platform puts them).
QString ConfigurationFolder(const QString& programDir);

// "prefix" + local time as yyyy-mm-dd_hh-nn-ss.
QString ProposedFileName(const QString& prefix, const QString& extension = QString());

} // namespace portiqa
