#pragma once

#include "featuretree/featuretreehighlighter.h"
#include "genicam/genapienums.h"
#include "orvikviewercomponents6_export.h"

#include <QTreeView>

class IFeatureTreeModelExtension;

/// The tree view of one feature tree. It builds its own model stack (model,
/// filter proxy, delegate), owns the search highlighter they share, hides rows
/// above the current visibility level, keeps persistent editors open where
/// features want them, and keeps the favourites branch in step with the
/// process-wide favourites list.
class ORVIKVIEWERCOMPONENTS6_EXPORT FeatureTreeView : public QTreeView
{
    Q_OBJECT
public:
    explicit FeatureTreeView(QWidget* parent = nullptr);
    ~FeatureTreeView() override;

    /// Creates the model, the proxy over it and the delegate; the proxy becomes
    /// the view's model. The view does not delete model or proxy.
    virtual void createModel();

    FeatureTreeHighlighter* getHightlighter() { return &highlighter; }
    /// The favourites' settings group; empty without a feature tree model.
    QString getSettingsPath() const;
    void setSettingsPath(const QString& path);
    GenApi::EVisibility visibility() const { return m_visibility; }
    /// Shows and hides the rows below `parent` for the current level, recursively.
    void updateRows(const QModelIndex& parent);

Q_SIGNALS:
    /// The current feature changed; an invalid index when it disappeared.
    void onCurrentChanged(const QModelIndex& current);

public Q_SLOTS:
    void setVisibility(GenApi::EVisibility visibility);
    void onSelfExpanded(const QModelIndex& index);
    void onSelfCollapsed(const QModelIndex& index);
    void onFavoriteDataUpdated();
    void onFavoriteDataExpanded(bool bExpand);

protected:
    IFeatureTreeModelExtension* getFeatureExtension();
    const IFeatureTreeModelExtension* getFeatureExtension() const;
    void openPersistentEditor(const QModelIndex& index);
    void openPersistentEditorsForChildren(const QModelIndex& parent);

    void paintEvent(QPaintEvent* event) override;
    void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                     const QVector<int>& roles = QVector<int>()) override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    void initViewItemOption(QStyleOptionViewItem* option) const override;
#else
    QStyleOptionViewItem viewOptions() const override;
#endif
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    /// Hides a row that the level no longer shows and reports a current row
    /// that disappeared; answers whether the row was hidden already.
    bool hideRow(int row, const QModelIndex& parent);
    void updateValueCell(const QModelIndex& cell);
    /// Calls visit(row, value-column index, item) for the rows below an expanded `parent`.
    template<typename Visit> void forEachValueCell(const QModelIndex& parent, const Visit& visit);

    GenApi::EVisibility m_visibility = GenApi::Guru;
    FeatureTreeHighlighter highlighter;
};
