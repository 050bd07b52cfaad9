#pragma once

#include <QColor>
#include <QImage>
#include <QRegion>
#include <QWidget>

#include <functional>

/// The pixels of `widget`, as it paints now, whose colour `match` accepts.
inline QRegion pixels(QWidget* widget, const std::function<bool(const QColor&)>& match)
{
    const QImage image = widget->grab().toImage();
    QRegion region;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (match(image.pixelColor(x, y)))
                region += QRect(x, y, 1, 1);
        }
    }
    return region;
}
