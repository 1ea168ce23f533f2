#pragma once
#include "numbers/subscriber.h"
#include "record/record.h"
#include <QDateTime>
#include <QList>
#include <QStringList>

namespace portiqa {

// A site's hand-over report: who can open which gate, until when, as the
// record knows it, for the building's manager.
struct TSiteReportOptions {
    int events = 10;        // the newest events shown per module
    int endingDays = 30;    // windows ending within this many days are marked
    QDateTime now = QDateTime::currentDateTime();
};

struct TSiteReport {
    struct TModule {
        QString name, sim, address, state, lastVisit;
        QStringList leftOut;                   // numbers this gate leaves out
        QList<QPair<QString, QString>> settings;  // caption, value in words (never the password)
        QList<QStringList> events;             // time, event, number
    };
    struct TPerson {
        QString place, name, number, window, lastUse, only;  // only: the one gate it is for
        bool endsSoon = false;
    };
    QString site, made;
    int revision = 0;
    QString updated;
    QList<TModule> modules;
    QList<TPerson> people;  // by place, then name
    int endingSoon = 0;
    TSiteReportOptions options;

    // Everything from the record; false with error when it cannot be read.
    bool Gather(const TRecord& record, const TSite& site, const TNumberCountry& country, const TSiteReportOptions& o,
                QString& error);
    // Written as an A4 PDF with a running header and contents; false with error.
    bool WritePdf(const QString& path, QString& error) const;
};

} // namespace portiqa
