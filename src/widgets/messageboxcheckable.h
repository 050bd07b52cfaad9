#pragma once

#include "orvikviewercomponents6_export.h"

#include <QList>
#include <QMessageBox>
#include <QString>

class QAbstractButton;
class QCheckBox;

/// A message box with a "Don't show this dialog again" check box. When the
/// user ticks it and closes the box with a button the owner allowed, the
/// result is stored under the box's name in the settings group
/// "DoNotShowAgain", and every later box of that name answers it from exec
/// without being shown.
class ORVIKVIEWERCOMPONENTS6_EXPORT MessageBoxCheckable : public QMessageBox
{
    Q_OBJECT
public:
    MessageBoxCheckable(const QString& name, QWidget* parent);
    /// Uses the library's own icon artwork instead of the style's standard icon.
    MessageBoxCheckable(const QString& name, QMessageBox::Icon icon, const QString& title, const QString& text,
                        QMessageBox::StandardButtons buttons = QMessageBox::NoButton, QWidget* parent = nullptr,
                        Qt::WindowFlags flags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    ~MessageBoxCheckable() override;

    QString checkBoxText() const;
    /// An empty text restores the default label.
    void setCheckBoxText(const QString& text);

    /// Standard-button results that may be remembered (replaces the earlier flags).
    QMessageBox::StandardButtons saveResultOnButton() const;
    void setSaveResultOnButton(QMessageBox::StandardButtons buttons);
    /// A further button whose click may be remembered, whatever its result value.
    void setSaveResultOnButton(QAbstractButton* button);

    /// Stores `result` under the box's name when the check box is ticked.
    void saveDoNotShowAgain(int result);

public Q_SLOTS:
    /// Answers a stored choice at once; otherwise shows the box with the check box.
    int exec() override;
    void done(int result) override;
    /// Forgets this box's stored choice; false for a box without a name.
    bool reset();
    /// Forgets the stored choices of all boxes.
    static bool resetAll();

protected:
    void changeEvent(QEvent* event) override;
    void init();
    /// Adds the check box once, when the box has its usual grid layout and button box.
    bool addCheckBoxWidget();

private:
    static QString defaultCheckBoxText();
    /// Stores the result when it qualifies and the check box is ticked.
    void rememberResult(int result);

    QCheckBox* m_checkBox = nullptr; // Not owned; a child of the box once created.
    QString m_name;
    int m_storedResult = -1;
    QMessageBox::StandardButtons m_saveResultStandardButtons;
    QString m_checkBoxText;
    QList<QAbstractButton*> m_saveResultButtons; // Not owned.
};
