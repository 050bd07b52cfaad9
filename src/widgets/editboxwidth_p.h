#pragma once

#include <QAbstractSpinBox>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionSpinBox>

namespace OrvikWidgets {

/// Width a spin box needs to show twelve digits with its buttons and frame in
/// the current style. The slider combinations give their spin box this fixed
/// width so that the slider beside it does not jump while the value changes.
inline int probeEditBoxWidth(const QAbstractSpinBox* spinBox)
{
    const QFontMetrics metrics = spinBox->fontMetrics();
    const QSize textSize(metrics.horizontalAdvance(QStringLiteral("999999999999")), metrics.height());

    QStyleOptionSpinBox option;
    option.initFrom(spinBox);
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown | QStyle::SC_SpinBoxFrame;
    option.buttonSymbols = spinBox->buttonSymbols();
    option.frame = spinBox->hasFrame();
    return spinBox->style()->sizeFromContents(QStyle::CT_SpinBox, &option, textSize, spinBox).width();
}

} // namespace OrvikWidgets
