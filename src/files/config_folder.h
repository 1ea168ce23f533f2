#pragma once
#include <QString>

namespace portiqa {

// The folder where file dialogs start before a file of their kind has been
// chosen: the user's documents folder, else the home folder. Nothing is made
// or written beside the program (for an installed package that is /usr/bin).
QString DocumentsFolder();

// "prefix" + local time as yyyy-mm-dd_hh-nn-ss.
QString ProposedFileName(const QString& prefix, const QString& extension = QString());

} // namespace portiqa
