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
    // A change of the list since the last report: who gained, who lost, whose window changed.
    struct TChange {
        QString what, name, number, before, after;
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
    QList<TChange> changes;
    QString changesSince;  // which report they are counted from, and who changed the list since
    bool sinceReport = false;  // an earlier report was found to count them from
    QString listText;      // the list shown, for the record: the next report's changes start from it
    TSiteReportOptions options;

    // Everything from the record; false with error when it cannot be read.
    bool Gather(const TRecord& record, const TSite& site, const TNumberCountry& country, const TSiteReportOptions& o,
                QString& error);
    // The report was handed over: the record keeps the list it showed.
    bool Keep(TRecord& record, qint64 siteId, QString& error) const { return record.SiteReported(siteId, revision, listText, error); }
    // Written as an A4 PDF with a running header and contents; false with error.
    bool WritePdf(const QString& path, QString& error) const;
};

} // namespace portiqa
