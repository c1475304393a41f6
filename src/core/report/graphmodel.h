#pragma once

#include "core/record/testrecord.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

// The log-log graph of a test as plain data: every line, label, point and the fitted line in
// the graph's own coordinates (twips, 1/1440 inch, x to the right and y downwards from the
// top left of the plot), ready for any painter.
namespace graph {

// The plot rectangle: the flow axis at x = kX0, the pressure axis at y = kY0.
constexpr double kX0 = 800;
constexpr double kX1 = 9450;
constexpr double kY0 = 5950;
constexpr double kY1 = 0;
// The white box behind everything, from (0, 0).
constexpr double kBoxWidth = 9450;
constexpr double kBoxHeight = kY0 + 550;
// The area drawn: the box, and above it room for the top flow label (at y = -100) and the
// title.
constexpr double kAreaTop = -300;
constexpr double kPointRadius = 50;

enum class Colour { Black, Grey, White, Red, Blue };
uint32_t rgb(Colour c); // 0xRRGGBB

struct Line {
    double x1, y1, x2, y2;
    Colour colour;
};

// A text item, placed by its top left corner.
struct Label {
    QString text;
    double left, top;
};

struct Point {
    int row;
    double x, y;
};

struct Model {
    int16_t unitSystem = 1;
    double pmin = 0, pmax = 0;            // pressure axis, in.wc or Pa
    double qmin = 0, qmax = 0, qstep = 0; // flow axis, whole cfm or m3/h
    double flowFactor = 1;                // s (systems 1 and 2) or s' (system 3)
    double cfmFactor = 1, m3hFactor = 1;  // s and s' as found from the largest flow
    QString title;
    Label pressureCaption, flowCaption, flowUnitCaption;
    QList<Line> lines;       // axes and grid lines, in drawing order
    QList<Label> labels;     // tick labels of both axes
    QList<Point> points;     // measured points, red discs
    std::optional<Line> fit; // the fitted line, blue, kept within the drawn area
};

// The graph of `r` in `unitSystem` (1, 2 or 3; any other draws as 2). Never NaN or infinite;
// points far off the plot are clamped to the drawn area.
Model buildGraph(const TestRecord& r, int16_t unitSystem);

} // namespace graph
