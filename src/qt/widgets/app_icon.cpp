#include "qt/widgets/app_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace mirovale {
namespace {

QPixmap iconPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    painter.setPen(QPen(QColor(40, 60, 110), s / 32));
    painter.setBrush(QColor(245, 247, 252));
    painter.drawRoundedRect(QRectF(s / 32, s / 32, s * 30 / 32, s * 30 / 32), s / 6, s / 6);
    // Three pulses of falling height on a baseline, drawn as damped sine bursts.
    QPainterPath path;
    const double base = s * 0.62;
    path.moveTo(s * 0.12, base);
    const double starts[] = {0.16, 0.42, 0.66};
    const double heights[] = {0.40, 0.30, 0.22};
    for (int k = 0; k < 3; ++k) {
        for (int i = 0; i <= 24; ++i) {
            const double t = i / 24.0;
            const double y = std::sin(t * 2 * M_PI * 1.5) * std::exp(-3 * t) * heights[k];
            path.lineTo(s * (starts[k] + t * 0.2), base - y * s);
        }
    }
    path.lineTo(s * 0.88, base);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(200, 40, 40), std::max(1.0, s / 20), Qt::SolidLine, Qt::RoundCap,
                        Qt::RoundJoin));
    painter.drawPath(path);
    // The marks of the detected starts below the baseline.
    painter.setPen(QPen(QColor(40, 60, 110), std::max(1.0, s / 24)));
    for (const double x : starts) painter.drawLine(QPointF(s * x, s * 0.78), QPointF(s * x, s * 0.86));
    return pixmap;
}

}  // namespace

QIcon applicationIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(iconPixmap(size));
    return icon;
}

}  // namespace mirovale
