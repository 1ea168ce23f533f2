#pragma once
#include "numbers/subscriber.h"
#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QString>
#include <functional>

namespace portiqa {

// Who a number belongs to: the module keeps only the number, the program
// keeps the name, the place (an apartment, an office) and a note beside it.
struct TPerson {
    QString number;  // as last written
    QString name, place, note;
    QString addedBy, updatedBy;
    QDateTime addedAt, updatedAt;
    bool Empty() const { return name.isEmpty() && place.isEmpty() && note.isEmpty(); }
    bool SameWords(const TPerson& o) const { return name == o.name && place == o.place && note == o.note; }
};

// The directory of people by subscriber (one person however the number is
// written), held in memory and kept by the record where one is used.
class TPeople {
public:
    static constexpr int kNameWidth = 60, kPlaceWidth = 30, kNoteWidth = 120;

    const TNumberCountry& Country() const { return country_; }
    void SetCountry(const TNumberCountry& country);

    // The person of a number, or null.
    const TPerson* Find(const QString& number) const;
    // Names a number (an empty person forgets it); false when nothing changed.
    // Texts are cut to their widths and kept on one line.
    bool Set(const QString& number, TPerson person);
    // Everyone, as the record gives them (replaces the directory).
    void Load(const QList<TPerson>& people);
    QList<TPerson> All() const { return people_.values(); }
    int Size() const { return int(people_.size()); }

    // Called on each change by Set, with the subscriber's key, to keep it:
    // the record's writer. An empty person was forgotten.
    std::function<void(const QString& key, const TPerson&)> OnChanged;

    // A text as a directory cell keeps it.
    static QString Clean(const QString& text, int width);

private:
    TNumberCountry country_ = TNumberCountry::FromSystem();
    QHash<QString, TPerson> people_;  // by SubscriberKey
};

} // namespace portiqa
