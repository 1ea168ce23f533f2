#pragma once
#include <QDateTime>
#include <QList>
#include <QString>

namespace portiqa {

// What a programmed module's label shows.
struct TLabel {
    QString unit, sim, pin, batch;
    QDateTime when;
};

// The text of a label's QR code: the unit's identity (the PIN only when asked).
QString LabelCode(const TLabel& label, bool withPin);

// Printable labels, one per programmed module: a file ending in .pdf holds
// them all (written again, whole, after each module), any other path is a
// folder with one UNIT.pdf each.
class TLabelWriter {
public:
    // False with error when the place cannot take labels (or this build makes none).
    bool Open(const QString& path, bool withPin, QString& error);
    bool Add(const TLabel& label, QString& error);
    static bool Available();

private:
    QString path_;
    bool withPin_ = false;
    bool oneFile_ = false;
    QList<TLabel> labels_;
};

} // namespace portiqa
