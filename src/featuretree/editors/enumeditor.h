#pragma once

#include "featuretree/abstractitemeditor.h"
#include "orvikviewercomponents6_export.h"

#include <QComboBox>
#include <QPointer>

/// In-place editor of an enumeration feature. Items show the entries' display
/// names and carry their symbolic names under Qt::UserRole; commits on
/// activated(int) with the symbolic name.
///
/// While the user has the list open, refreshes leave it alone: rebuilding it
/// would close the popup under the mouse and lose the highlighted entry.
class ORVIKVIEWERCOMPONENTS6_EXPORT EnumEditor : public QComboBox, public AbstractItemEditor
{
    Q_OBJECT
public:
    explicit EnumEditor(QWidget* parent = nullptr);
    ~EnumEditor() override;

    void setEditorData(AbstractItemEditor::EditorData data) override;
    /// The symbolic name of the current entry, or an invalid QVariant when none is current.
    QVariant editorData() override;
    void showPopup() override;

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool isPopupVisible() const { return !m_popup.isNull(); }

    // The open popup being watched for its Hide event; null when no list is open. Not owned.
    QPointer<QWidget> m_popup;
};
