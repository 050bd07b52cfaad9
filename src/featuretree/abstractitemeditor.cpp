#include "featuretree/abstractitemeditor.h"

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
    return int(qBound<qint64>(std::numeric_limits<int>::min(), value, std::numeric_limits<int>::max()));
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
