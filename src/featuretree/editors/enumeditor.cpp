#include "featuretree/enumeditor.h"

#include "common/exceptionlog.h"

#include <QApplication>
#include <QDebug>
#include <QEvent>
#include <QIcon>

EnumEditor::EnumEditor(QWidget* parent)
    : QComboBox(parent)
{
    setEditable(false);
    setStyleSheet(QStringLiteral("margin-left:1px; margin-right:1px; margin-top:1px; margin-bottom:1px; "
                                 "padding-left: 4px;"));
}

EnumEditor::~EnumEditor()
{
    if (m_popup)
        m_popup->removeEventFilter(this);
}

void EnumEditor::setEditorData(AbstractItemEditor::EditorData data)
{
    // The user has the list open: a rebuild would close it under the mouse.
    if (isPopupVisible())
        return;
    try {
        clear();
        const auto& snapshot = data.parameterData;
        if (!snapshot || snapshot->type != ParameterCollection::TypeEnumeration) {
            qDebug("%s is called with non-enumeration node????", "EnumEditor::setEditorData");
            return;
        }
        const QStringList& names = snapshot->enumEntryNames;
        for (int i = 0; i < names.size(); ++i)
            insertItem(count(), QIcon(), snapshot->enumEntryDisplayNames.value(i, names.at(i)), names.at(i));

        if (!snapshot->isReadable) {
            setCurrentIndex(-1);
        } else {
            const int index = findData(snapshot->valueString, Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive);
            if (index >= 0) {
                setCurrentIndex(index);
            } else {
                qDebug().noquote().nospace()
                    << "EnumEditor::setEditorData"
                    << ": " << (data.parameter ? data.parameter->getName() : QString())
                    << ". No entry in the combo box matches the current value " << snapshot->valueString;
                setCurrentIndex(-1);
            }
        }
        applyWritable(this, snapshot->isWritable);
    } catch (...) {
        qWarning("!! Failed to retrieve entries for enumeration %s", nameForLog(data.parameter).constData());
        ExceptionLog::logCurrentException("EnumEditor::setEditorData");
    }
}

QVariant EnumEditor::editorData()
{
    return currentData(Qt::UserRole);
}

void EnumEditor::showPopup()
{
    QComboBox::showPopup();
    m_popup = QApplication::activePopupWidget();
    if (m_popup)
        m_popup->installEventFilter(this);
}

bool EnumEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (m_popup && watched == m_popup && event->type() == QEvent::Hide) {
        m_popup->removeEventFilter(this);
        m_popup = nullptr;
        return true;
    }
    return QObject::eventFilter(watched, event);
}
