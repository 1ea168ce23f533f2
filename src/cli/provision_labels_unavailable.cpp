// A build without libqrencode or Qt Gui makes no labels and says so.
#include "cli/provision_labels.h"
#include "base/texts.h"

namespace portiqa {

QString LabelCode(const TLabel& l, bool) { return l.unit; }
bool TLabelWriter::Available() { return false; }
bool TLabelWriter::Open(const QString&, bool, QString& error) {
    error = TText::tr("Эта сборка программы не печатает этикетки");
    return false;
}
bool TLabelWriter::Add(const TLabel&, QString&) { return false; }

} // namespace portiqa
