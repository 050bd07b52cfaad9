#pragma once

#include "orvikviewercomponents6_export.h"

#include <QLineEdit>
#include <QString>

class QAction;

/// The search field above the feature tree: a magnifier while it is empty, a
/// clear button while it holds text, and a grey hint drawn into the empty field.
class ORVIKVIEWERCOMPONENTS6_EXPORT SearchEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit SearchEdit(QWidget* parent = nullptr);
    ~SearchEdit() override;

    /// The grey text shown while the field is empty, such as "Search (Ctrl+F)".
    QString hintText() const { return m_hintText; }
    void setHintText(const QString& hintText);

    /// As wide and as high as the hint text, but never lower than a plain line edit.
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private Q_SLOTS:
    void onTextChanged(const QString& text);

private:
    QString m_hintText;
    QAction* m_searchAction = nullptr; // Owned by this field.
    QAction* m_clearAction = nullptr; // Owned by this field.
};
