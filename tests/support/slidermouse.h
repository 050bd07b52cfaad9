#pragma once

#include <QList>

class QSlider;

/// Drives a horizontal QSlider with the mouse as a user would: press on the
/// handle, drag it through positions, release it. The slider must be shown
/// and wide enough (one pixel or more per value) for positions to be exact.
namespace SliderMouse {

/// Presses the left button on the handle.
void press(QSlider* slider);
/// Moves the pressed handle so that it stands for `value`.
void moveTo(QSlider* slider, int value);
/// Releases the left button where the handle is.
void release(QSlider* slider);
/// press(), moveTo() for each value in order, release().
void drag(QSlider* slider, const QList<int>& values);

} // namespace SliderMouse
