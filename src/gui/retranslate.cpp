#include "gui/retranslate.h"
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QWidget>

namespace portiqa {

namespace {

struct TRetranslator {
    const QHash<QString, TTextSource>& sources;

    // The text in the language now installed, if the previous one gave it.
    void Renew(const QString& old, const std::function<void(const QString&)>& set) const {
        if (old.isEmpty()) return;
        const auto found = sources.constFind(old);
        if (found == sources.cend()) return;
        const QString renewed = found->Translated();
        if (renewed != old) set(renewed);
    }

    void Action(QAction* a) const {
        Renew(a->text(), [a](const QString& t) { a->setText(t); });
        Renew(a->toolTip(), [a](const QString& t) { a->setToolTip(t); });
        Renew(a->statusTip(), [a](const QString& t) { a->setStatusTip(t); });
        if (QMenu* menu = a->menu()) Widget(menu);
    }

    void Widget(QWidget* w) const {
        Renew(w->toolTip(), [w](const QString& t) { w->setToolTip(t); });
        Renew(w->accessibleName(), [w](const QString& t) { w->setAccessibleName(t); });
        Renew(w->accessibleDescription(), [w](const QString& t) { w->setAccessibleDescription(t); });
        Renew(w->statusTip(), [w](const QString& t) { w->setStatusTip(t); });
        Renew(w->whatsThis(), [w](const QString& t) { w->setWhatsThis(t); });
        if (w->isWindow()) Renew(w->windowTitle(), [w](const QString& t) { w->setWindowTitle(t); });
        if (auto* b = qobject_cast<QAbstractButton*>(w)) Renew(b->text(), [b](const QString& t) { b->setText(t); });
        if (auto* l = qobject_cast<QLabel*>(w)) Renew(l->text(), [l](const QString& t) { l->setText(t); });
        if (auto* g = qobject_cast<QGroupBox*>(w)) Renew(g->title(), [g](const QString& t) { g->setTitle(t); });
        if (auto* e = qobject_cast<QLineEdit*>(w))
            Renew(e->placeholderText(), [e](const QString& t) { e->setPlaceholderText(t); });
        if (auto* m = qobject_cast<QMenu*>(w)) Renew(m->title(), [m](const QString& t) { m->setTitle(t); });
        if (auto* tabs = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < tabs->count(); ++i) {
                Renew(tabs->tabText(i), [tabs, i](const QString& t) { tabs->setTabText(i, t); });
                Renew(tabs->tabToolTip(i), [tabs, i](const QString& t) { tabs->setTabToolTip(i, t); });
            }
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i) Renew(c->itemText(i), [c, i](const QString& t) { c->setItemText(i, t); });
        // Tables ask for their captions and words as they draw.
        if (auto* v = qobject_cast<QAbstractItemView*>(w)) v->viewport()->update();
        if (auto* h = qobject_cast<QHeaderView*>(w)) h->viewport()->update();
        for (QAction* a : w->actions()) Action(a);
    }
};

} // namespace

void Retranslate(QWidget* root, const QHash<QString, TTextSource>& sources) {
    const TRetranslator r{sources};
    r.Widget(root);
    for (QWidget* w : root->findChildren<QWidget*>()) r.Widget(w);
}

} // namespace portiqa
