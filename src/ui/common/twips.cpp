#include "ui/common/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace twips {

int toPixels(int twipsValue, double logicalDpi) {
    return static_cast<int>(std::lround(twipsValue * logicalDpi / kPerInch));
}

int fromPixels(int pixels, double logicalDpi) {
    return static_cast<int>(std::lround(pixels * kPerInch / logicalDpi));
}

double logicalDpi(const QWidget* widget) {
    const QScreen* screen =
        widget && widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return dpi > 0.0 ? dpi : 96.0;
}

void place(QWidget* widget, int left, int top, int width, int height) {
    const double dpi = logicalDpi(widget);
    widget->setGeometry(toPixels(left, dpi), toPixels(top, dpi), toPixels(width, dpi),
                        toPixels(height, dpi));
}

void sizeAndCentre(QWidget* window, int width, int height) {
    const double dpi = logicalDpi(window);
    const QSize size(toPixels(width, dpi), toPixels(height, dpi));
    window->resize(size);
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        window->move(area.left() + area.width() / 2 - size.width() / 2,
                     area.top() + area.height() / 2 - size.height() / 2);
    }
}

} // namespace twips
