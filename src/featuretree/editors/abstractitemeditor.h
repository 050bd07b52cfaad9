#pragma once

#include "orvikviewercomponents6_export.h"
#include "parametercollection/ifloatparameter.h"
#include "parametercollection/iparameter.h"
#include "parametercollection/parameterdata.h"

#include <QByteArray>
#include <QSharedPointer>
#include <QVariant>

class QWidget;

/// The protocol of every in-place editor of the feature tree's value column.
///
/// An editor is a Qt widget that also inherits this interface (widget first,
/// interface second), so the delegate reaches it with a dynamic_cast from the
/// QWidget* it created. The delegate feeds the editor with setEditorData()
/// when it opens and on every refresh, and reads the value to commit with
/// editorData() when the editor signals a change. setEditorData() never
/// writes to the parameter.
class ORVIKVIEWERCOMPONENTS6_EXPORT AbstractItemEditor
{
public:
    /// What the delegate hands the editor: the parameter and its current snapshot.
    class ORVIKVIEWERCOMPONENTS6_EXPORT EditorData
    {
    public:
        /// The parameter being edited.
        QSharedPointer<ParameterCollection::IParameter> parameter;
        /// The parameter's current data; may be null.
        QSharedPointer<const ParameterCollection::ParameterData> parameterData;
    };

    AbstractItemEditor() = default;
    AbstractItemEditor(const AbstractItemEditor&) = default;
    AbstractItemEditor& operator=(const AbstractItemEditor&) = default;

    /// Updates the widget from the snapshot; callable any number of times.
    virtual void setEditorData(AbstractItemEditor::EditorData data) = 0;
    /// The value to be written; its string form goes to the parameter.
    virtual QVariant editorData() = 0;
    virtual ~AbstractItemEditor();

protected:
    /// The enabled rule of every editor: follow the snapshot's writability,
    /// touching the widget only when that changes its state.
    static void applyWritable(QWidget* editor, bool writable);
    /// Saturates a 64-bit number to the int range.
    static int saturatedInt(qint64 value);
    /// The parameter's name in UTF-8 for log messages; empty when there is no
    /// parameter or asking for its name fails (the log must not throw).
    static QByteArray nameForLog(const QSharedPointer<ParameterCollection::IParameter>& parameter);
    /// `value` clamped to the float parameter's limits of the moment (the
    /// minimum is tested first). A failure to read them is logged as
    /// "<name>: Failed to assert the range limits!" with `function`, and the
    /// value is returned unchanged.
    static double clampToCurrentLimits(const QSharedPointer<ParameterCollection::IFloatParameter>& parameter,
                                       double value, const QByteArray& logName, const char* function);
};
