#pragma once

#include "orvikviewercomponents6_export.h"

#include <QObject>

/// Event filter that reports when the watched widget gains or loses the
/// keyboard focus. The events themselves go on unchanged.
///
/// Created without a parent by the numeric widgets, which delete it themselves.
class ORVIKVIEWERCOMPONENTS6_EXPORT SpinBoxEventCatcher : public QObject
{
    Q_OBJECT
public:
    explicit SpinBoxEventCatcher(QObject* parent = nullptr);

Q_SIGNALS:
    /// true on focus in, false on focus out.
    void focusEvent(bool focus);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
