#include "gui/window_drawings.h"
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>

namespace portiqa {

namespace {

// Tabs on the left with their captions written across, bold, the selected
// one in blue.
class TSideTabBar : public QTabBar {
public:
    using QTabBar::QTabBar;
    QSize tabSizeHint(int) const override { return {130, 80}; }

protected:
    // The bar stands upright: Up and Down move between its tabs.
    void keyPressEvent(QKeyEvent* e) override {
        if ((e->key() == Qt::Key_Up || e->key() == Qt::Key_Down) && !(e->modifiers() & ~Qt::KeypadModifier)) {
            const int step = e->key() == Qt::Key_Up ? -1 : 1;
            for (int i = currentIndex() + step; i >= 0 && i < count(); i += step)
                if (isTabEnabled(i)) {
                    setCurrentIndex(i);
                    break;
                }
            return;
        }
        QTabBar::keyPressEvent(e);
    }
    void paintEvent(QPaintEvent*) override {
        QStylePainter p(this);
        QFont bold = font();
        bold.setBold(true);
        bold.setPixelSize(14);  // 15 in the original face; this face is wider
        for (int i = 0; i < count(); ++i) {
            QStyleOptionTab opt;
            initStyleOption(&opt, i);
            opt.shape = QTabBar::RoundedNorth;
            opt.text.clear();
            p.drawControl(QStyle::CE_TabBarTabShape, opt);
            p.setFont(bold);
            p.setPen(i == currentIndex() ? QColor(0, 0, 255) : QColor(0, 0, 0));
            p.drawText(tabRect(i), Qt::AlignCenter, tabText(i));
            // The keyboard's place, when the bar has it.
            if (hasFocus() && i == currentIndex()) {
                QStyleOptionFocusRect focus;
                focus.initFrom(this);
                focus.rect = tabRect(i).adjusted(5, 5, -5, -5);
                p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
            }
        }
    }
};

} // namespace

TSideTabWidget::TSideTabWidget(QWidget* parent) : QTabWidget(parent) {
    setTabBar(new TSideTabBar(this));
    setTabPosition(QTabWidget::West);
}


QPixmap Dot(const QColor& colour) {
    QPixmap pm(17, 17);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(colour);
    p.setPen(colour.darker(130));
    p.drawEllipse(1, 1, 15, 15);
    return pm;
}

QIcon EyeIcon() {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1.3));
    QPainterPath lid;
    lid.moveTo(1, 8);
    lid.quadTo(8, 1, 15, 8);
    lid.quadTo(8, 15, 1, 8);
    p.drawPath(lid);
    p.setBrush(QColor(60, 60, 60));
    p.drawEllipse(QPointF(8, 8), 2.4, 2.4);
    return QIcon(pm);
}


} // namespace portiqa
