#pragma once

#include "core/report/graphmodel.h"

class QPainter;

// Paints a graph onto any painter: the page, a printer, an image, an SVG or a PDF. The drawn
// area's top left corner (x 0, y graph::kAreaTop) lands at the painter's origin, at
// `devicePerTwip` device units per twip. Uses Qt Gui only, so the command line can paint too.
void paintGraph(QPainter& painter, const graph::Model& model, double devicePerTwip);

// The size of the drawn area in twips.
constexpr double kGraphWidthTwips = graph::kBoxWidth;
constexpr double kGraphHeightTwips = graph::kBoxHeight - graph::kAreaTop;
