#include "slidermouse.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

namespace SliderMouse {

namespace {

// QSlider::initStyleOption is protected; a pointer to it taken through a subclass may be called on any slider.
struct StyleAccess : QSlider
{
    static constexpr auto init = &StyleAccess::initStyleOption;
};

QStyleOptionSlider optionFor(const QSlider* slider)
{
    QStyleOptionSlider option;
    (slider->*StyleAccess::init)(&option);
    return option;
}

QRect handleRect(const QSlider* slider)
{
    const QStyleOptionSlider option = optionFor(slider);
    return slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider);
}

// Offset of the press inside the handle, as QSlider remembers it.
QPoint g_clickOffset;

void send(QSlider* slider, QEvent::Type type, const QPoint& pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, slider->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(slider, &event);
}

} // namespace

void press(QSlider* slider)
{
    const QRect handle = handleRect(slider);
    g_clickOffset = handle.center() - handle.topLeft();
    send(slider, QEvent::MouseButtonPress, handle.center(), Qt::LeftButton, Qt::LeftButton);
}

void moveTo(QSlider* slider, int value)
{
    const QStyleOptionSlider option = optionFor(slider);
    const QRect groove = slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, slider);
    const QRect handle = handleRect(slider);
    const int sliderMin = groove.x();
    const int sliderMax = groove.right() - handle.width() + 1;
    const int x = sliderMin
        + QStyle::sliderPositionFromValue(slider->minimum(), slider->maximum(), value, sliderMax - sliderMin,
                                          option.upsideDown)
        + g_clickOffset.x();
    send(slider, QEvent::MouseMove, QPoint(x, handle.center().y()), Qt::NoButton, Qt::LeftButton);
}

void release(QSlider* slider)
{
    send(slider, QEvent::MouseButtonRelease, handleRect(slider).center(), Qt::LeftButton, Qt::NoButton);
}

void drag(QSlider* slider, const QList<int>& values)
{
    press(slider);
    for (int value : values)
        moveTo(slider, value);
    release(slider);
}

} // namespace SliderMouse
