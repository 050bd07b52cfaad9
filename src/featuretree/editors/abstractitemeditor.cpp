#include "featuretree/abstractitemeditor.h"

#include "common/exceptionlog.h"

#include <QWidget>

#include <limits>

AbstractItemEditor::~AbstractItemEditor() = default;

void AbstractItemEditor::applyWritable(QWidget* editor, bool writable)
{
    if (editor->isEnabled() != writable)
        editor->setEnabled(writable);
}

int AbstractItemEditor::saturatedInt(qint64 value)
{
    return int(qBound(qint64(std::numeric_limits<int>::min()), qint64(value), qint64(std::numeric_limits<int>::max())));
}

QByteArray AbstractItemEditor::nameForLog(const QSharedPointer<ParameterCollection::IParameter>& parameter)
{
    if (!parameter)
        return QByteArray();
    try {
        return parameter->getName().toUtf8();
    } catch (...) {
        return QByteArray();
    }
}

double AbstractItemEditor::clampToCurrentLimits(const QSharedPointer<ParameterCollection::IFloatParameter>& parameter,
                                                double value, const QByteArray& logName, const char* function)
{
    if (!parameter)
        return value;
    try {
        // The limits of the moment: they may depend on other features.
        const double min = parameter->getMinimum();
        if (min > value)
            return min;
        const double max = parameter->getMaximum();
        if (value > max)
            return max;
    } catch (...) {
        qWarning("%s: Failed to assert the range limits!", logName.constData());
        ExceptionLog::logCurrentException(function);
    }
    return value;
}
