#include "ui/report/graphpainter.h"

#include <QFont>
#include <QPainter>

namespace {

QColor colourOf(graph::Colour c) {
    return QColor::fromRgb(static_cast<QRgb>(graph::rgb(c)));
}

// Line widths and text sizes in twips: a line is a screen pixel at 96 DPI, text 8 point.
constexpr double kLineWidth = 15;
constexpr int kTextSize = 160;
constexpr int kTitleSize = 200;

void text(QPainter& p, const graph::Label& l) {
    p.drawText(QRectF(l.left, l.top, 4000, 400), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
               l.text);
}

} // namespace

void paintGraph(QPainter& painter, const graph::Model& m, double devicePerTwip) {
    painter.save();
    // Axes and grid crisp on every device; discs and the fitted line smooth.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.scale(devicePerTwip, devicePerTwip);
    painter.translate(0, -graph::kAreaTop);

    painter.setPen(QPen(colourOf(graph::Colour::Black), kLineWidth));
    painter.setBrush(colourOf(graph::Colour::White));
    painter.drawRect(QRectF(0, 0, graph::kBoxWidth, graph::kBoxHeight));

    // Grid lines first and the axes over them.
    for (int pass = 0; pass < 2; ++pass) {
        for (qsizetype i = 0; i < m.lines.size(); ++i) {
            const bool axis = i < 2;
            if (axis != (pass == 1))
                continue;
            const graph::Line& l = m.lines[i];
            painter.setPen(QPen(colourOf(l.colour), kLineWidth, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(QPointF(l.x1, l.y1), QPointF(l.x2, l.y2));
        }
    }

    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(kTextSize);
    painter.setFont(font);
    painter.setPen(colourOf(graph::Colour::Black));
    for (const graph::Label& l : m.labels)
        text(painter, l);
    text(painter, m.flowCaption);
    text(painter, m.flowUnitCaption);
    text(painter, m.pressureCaption);
    QFont title = font;
    title.setPixelSize(kTitleSize);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRectF(0, graph::kAreaTop, graph::kBoxWidth, -graph::kAreaTop),
                     Qt::AlignCenter, m.title);

    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colourOf(graph::Colour::Red));
    for (const graph::Point& p : m.points)
        painter.drawEllipse(QPointF(p.x, p.y), graph::kPointRadius, graph::kPointRadius);

    if (m.fit) {
        painter.setPen(QPen(colourOf(graph::Colour::Blue), kLineWidth));
        painter.drawLine(QPointF(m.fit->x1, m.fit->y1), QPointF(m.fit->x2, m.fit->y2));
    }
    painter.restore();
}
