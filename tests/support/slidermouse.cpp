#include "slidermouse.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

namespace SliderMouse {

namespace {

QStyleOptionSlider optionFor(const QSlider* slider)
{
    // Mirrors QSlider::initStyleOption, which is protected.
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.subControls = QStyle::SC_None;
    option.activeSubControls = QStyle::SC_None;
    option.orientation = slider->orientation();
    option.maximum = slider->maximum();
    option.minimum = slider->minimum();
    option.tickPosition = slider->tickPosition();
    option.tickInterval = slider->tickInterval();
    option.upsideDown = (slider->orientation() == Qt::Horizontal)
        ? (slider->invertedAppearance() != (option.direction == Qt::RightToLeft))
        : (!slider->invertedAppearance());
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.singleStep = slider->singleStep();
    option.pageStep = slider->pageStep();
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

QPoint handleCenter(QSlider* slider)
{
    return handleRect(slider).center();
}

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
    send(slider, QEvent::MouseButtonRelease, handleCenter(slider), Qt::LeftButton, Qt::NoButton);
}

void drag(QSlider* slider, const QList<int>& values)
{
    press(slider);
    for (int value : values)
        moveTo(slider, value);
    release(slider);
}

} // namespace SliderMouse
