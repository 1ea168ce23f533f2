#include "numbers/people.h"
#include "base/plain_text.h"

namespace portiqa {

QString TPeople::Clean(const QString& text, int width) { return PlainText(text, width); }

void TPeople::SetCountry(const TNumberCountry& country) {
    country_ = country;
    // The keys depend on the country: the same people, keyed anew.
    const QList<TPerson> all = people_.values();
    Load(all);
}

const TPerson* TPeople::Find(const QString& number) const {
    const auto it = people_.constFind(SubscriberKey(number, country_));
    return it == people_.cend() ? nullptr : &*it;
}

bool TPeople::Set(const QString& number, TPerson person) {
    const QString key = SubscriberKey(number, country_);
    if (key.isEmpty()) return false;
    person.number = number.trimmed();
    person.name = Clean(person.name, kNameWidth);
    person.place = Clean(person.place, kPlaceWidth);
    person.note = Clean(person.note, kNoteWidth);
    const auto it = people_.constFind(key);
    if (it == people_.cend() ? person.Empty() : it->SameWords(person)) return false;
    if (it != people_.cend()) {
        person.addedBy = it->addedBy;
        person.addedAt = it->addedAt;
    }
    if (person.Empty()) people_.remove(key);
    else people_.insert(key, person);
    if (OnChanged) OnChanged(key, person);
    return true;
}

void TPeople::Load(const QList<TPerson>& people) {
    people_.clear();
    for (const TPerson& p : people) {
        const QString key = SubscriberKey(p.number, country_);
        if (!key.isEmpty() && !p.Empty()) people_.insert(key, p);
    }
}

} // namespace portiqa
