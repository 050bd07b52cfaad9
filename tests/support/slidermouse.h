#pragma once

#include <QApplication>
#include <QList>
#include <QMouseEvent>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

/// Drives a horizontal QSlider with the mouse as a user would: press on the
/// handle, drag it through positions, release it. The slider must be shown
/// and wide enough (one pixel or more per value) for positions to be exact.
namespace SliderMouse {

namespace Detail {

// QSlider::initStyleOption is protected; a pointer to it taken through a subclass may be called on any slider.
struct StyleAccess : QSlider
{
    static constexpr auto init = &StyleAccess::initStyleOption;
};

inline QStyleOptionSlider optionFor(const QSlider* slider)
{
    QStyleOptionSlider option;
    (slider->*StyleAccess::init)(&option);
    return option;
}

inline QRect handleRect(const QSlider* slider)
{
    const QStyleOptionSlider option = optionFor(slider);
    return slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider);
}

// Offset of the press inside the handle, as QSlider remembers it.
inline QPoint clickOffset;

inline void send(QSlider* slider, QEvent::Type type, const QPoint& pos, Qt::MouseButton button,
                 Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, slider->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(slider, &event);
}

} // namespace Detail

/// Presses the left button on the handle.
inline void press(QSlider* slider)
{
    const QRect handle = Detail::handleRect(slider);
    Detail::clickOffset = handle.center() - handle.topLeft();
    Detail::send(slider, QEvent::MouseButtonPress, handle.center(), Qt::LeftButton, Qt::LeftButton);
}

/// Moves the pressed handle so that it stands for `value`.
inline void moveTo(QSlider* slider, int value)
{
    const QStyleOptionSlider option = Detail::optionFor(slider);
    const QRect groove = slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, slider);
    const QRect handle = Detail::handleRect(slider);
    const int sliderMin = groove.x(), sliderMax = groove.right() - handle.width() + 1;
    const int x = sliderMin
        + QStyle::sliderPositionFromValue(slider->minimum(), slider->maximum(), value, sliderMax - sliderMin,
                                          option.upsideDown)
        + Detail::clickOffset.x();
    Detail::send(slider, QEvent::MouseMove, QPoint(x, handle.center().y()), Qt::NoButton, Qt::LeftButton);
}

/// Releases the left button where the handle is.
inline void release(QSlider* slider)
{
    Detail::send(slider, QEvent::MouseButtonRelease, Detail::handleRect(slider).center(), Qt::LeftButton, Qt::NoButton);
}

/// press(), moveTo() for each value in order, release().
inline void drag(QSlider* slider, const QList<int>& values)
{
    press(slider);
    for (int value : values)
        moveTo(slider, value);
    release(slider);
}

} // namespace SliderMouse
