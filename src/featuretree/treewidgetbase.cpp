#include "featuretree/treewidgetbase.h"

#include <QDataStream>
#include <QHeaderView>
#include <QIODevice>
#include <QTreeView>
#include <QVector>

TreeWidgetBase::TreeWidgetBase(QWidget* parent)
    : QWidget(parent)
{ }

TreeWidgetBase::~TreeWidgetBase() = default;

QByteArray TreeWidgetBase::saveState(int version)
{
    QTreeView* view = treeView();
    if (!view)
        return QByteArray();
    const QHeaderView* header = view->header();

    QByteArray state;
    QDataStream stream(&state, QIODevice::WriteOnly);
    const int count = header->count();
    stream << qint32(version) << qint32(count);
    for (int i = 0; i < count; ++i)
        stream << qint32(header->sectionSize(i));
    onSaveState(stream);
    return state;
}

bool TreeWidgetBase::restoreState(const QByteArray& state, int version)
{
    if (state.isEmpty())
        return false;
    QTreeView* view = treeView();
    if (!view)
        return false;
    QHeaderView* header = view->header();

    QDataStream stream(state);
    qint32 storedVersion = 0;
    qint32 count = 0;
    stream >> storedVersion >> count;
    if (stream.status() != QDataStream::Ok || storedVersion != version || count != header->count())
        return false;

    // Read every size before applying any, so that a blob cut short leaves
    // the columns as they were instead of half restored.
    QVector<qint32> sizes(count);
    for (qint32& size : sizes) {
        stream >> size;
        if (stream.status() != QDataStream::Ok)
            return false;
    }
    // The last section keeps the width the header gives it; it usually
    // stretches to the view's width, which the stored width would fight.
    for (int i = 0; i < count - 1; ++i)
        header->resizeSection(i, sizes.at(i));

    onRestoreState(stream);
    return true;
}

void TreeWidgetBase::onSaveState(QDataStream& stream)
{
    Q_UNUSED(stream)
}

void TreeWidgetBase::onRestoreState(QDataStream& stream)
{
    Q_UNUSED(stream)
}
