#include "featuretree/inteditor.h"

#include "common/exceptionlog.h"
#include "parametercollection/iintegerparameter.h"

#include <QEvent>

IntEditor::IntEditor(QWidget* parent)
    : QLineEdit(parent)
{
    setFrame(false);
    setContentsMargins(1, 0, 1, 0);
}

void IntEditor::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    // The value stays as the user may have typed it; the texts around it follow the language.
    if (event->type() == QEvent::LanguageChange && m_shown.parameterData && !hasFocus())
        setEditorData(m_shown);
}

void IntEditor::setEditorData(AbstractItemEditor::EditorData data)
{
    m_shown = data;
    try {
        const auto integer = qSharedPointerDynamicCast<ParameterCollection::IIntegerParameter>(data.parameter);
        const auto& snapshot = data.parameterData;
        if (!integer || !snapshot || snapshot->type != ParameterCollection::TypeInteger) {
            qDebug("%s is called with non-integer node????", "IntEditor::setEditorData");
            return;
        }
        if (!snapshot->isReadable) {
            setText(tr("<not readable>"));
            setToolTip(QString());
            return;
        }
        const int min = saturatedInt(snapshot->intMin);
        const int max = saturatedInt(snapshot->intMax);
        const QString& representation = snapshot->representation;
        if (representation == QLatin1String("HexNumber") || representation == QLatin1String("PureNumber")
            || representation == QLatin1String("Linear") || representation == QLatin1String("Logarithmic")) {
            setText(QStringLiteral("%1").arg(snapshot->valueString));
            if (representation == QLatin1String("HexNumber"))
                setToolTip(tr("Range: 0x%1..0x%2").arg(min, 0, 16).arg(max, 0, 16));
            else
                setToolTip(tr("Range: %1..%2").arg(min).arg(max));
        } else if (representation == QLatin1String("IPV4Address") || representation == QLatin1String("Boolean")
                   || representation == QLatin1String("MACAddress")) {
            setValidator(nullptr);
            setText(QStringLiteral("%1").arg(snapshot->valueString));
            setToolTip(QString());
        } else {
            qDebug("%s unexpected representation.", "IntEditor::setEditorData");
        }
    } catch (...) {
        qWarning("Failed to update the integer value editor for node %s", nameForLog(data.parameter).constData());
        ExceptionLog::logCurrentException("IntEditor::setEditorData");
    }
}

QVariant IntEditor::editorData()
{
    return QVariant(text());
}
