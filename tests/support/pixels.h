#pragma once

#include <QColor>
#include <QRegion>

#include <functional>

class QWidget;

/// The pixels of `widget`, as it paints now, whose colour `match` accepts.
QRegion pixels(QWidget* widget, const std::function<bool(const QColor&)>& match);
