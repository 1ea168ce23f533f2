#pragma once
#include <QIcon>
#include <QPixmap>
#include <QTabWidget>

namespace portiqa {

// The side tab bar, the connection dot and the eye of the password box:
// the window's own drawings.
class TSideTabWidget : public QTabWidget {
public:
    explicit TSideTabWidget(QWidget* parent);
};

QPixmap Dot(const QColor& colour);
// An eye, drawn: no standard icon shows one.
QIcon EyeIcon();

} // namespace portiqa
