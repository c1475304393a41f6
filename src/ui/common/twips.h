#pragma once

#include <QRect>

class QWidget;

// Window sizes and positions are laid out in twips, 1440 to the inch, converted with the
// screen's logical DPI (15 twips to the pixel at 96 DPI).
namespace twips {

constexpr int kPerInch = 1440;

int toPixels(int twipsValue, double logicalDpi);
int fromPixels(int pixels, double logicalDpi);

// The logical DPI of the widget's screen (96 when there is none).
double logicalDpi(const QWidget* widget);

// Places a child at (left, top) with (width, height), all in twips.
void place(QWidget* widget, int left, int top, int width, int height);

// Sizes a top-level window in twips and centres it on its screen.
void sizeAndCentre(QWidget* window, int width, int height);

} // namespace twips
