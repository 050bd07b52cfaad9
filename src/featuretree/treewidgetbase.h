#pragma once

#include "orvikviewercomponents6_export.h"

#include <QByteArray>
#include <QWidget>

class QDataStream;
class QTreeView;

/// Base of widgets built around a tree view whose column widths the host
/// stores: turns them into a versioned byte array and back.
///
/// The blob (QDataStream, Qt's default version, big-endian): the version as
/// qint32, the header's section count as qint32, every section size as qint32,
/// then whatever onSaveState appends.
class ORVIKVIEWERCOMPONENTS6_EXPORT TreeWidgetBase : public QWidget
{
    Q_OBJECT
public:
    explicit TreeWidgetBase(QWidget* parent = nullptr);
    ~TreeWidgetBase() override;

    /// The column widths tagged with `version`; empty without a tree view.
    QByteArray saveState(int version);
    /// Applies the widths of a blob saved with the same `version` and the
    /// same number of columns; the last column keeps the width its header
    /// gives it (it usually stretches). False, changing nothing, for an empty,
    /// cut-short or unreadable blob, another version or another column count.
    bool restoreState(const QByteArray& state, int version);

protected:
    /// The tree view whose header is saved; may be null.
    virtual QTreeView* treeView() = 0;
    /// Appends a subclass's own state after the column widths.
    virtual void onSaveState(QDataStream& stream);
    /// Reads back what onSaveState appended.
    virtual void onRestoreState(QDataStream& stream);
};
