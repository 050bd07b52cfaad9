#pragma once

#include "featuretree/featuretreehighlighter.h"
#include "genicam/genapienums.h"
#include "orvikviewercomponents6_export.h"

#include <QList>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QSet>
#include <QTreeView>

class FeatureTreeItem;
class IFeatureTreeModelExtension;

/// The tree view of one feature tree. It builds its own model stack (model,
/// filter proxy, delegate), owns the search highlighter they share, hides rows
/// above the current visibility level, keeps persistent editors open where
/// features want them, and keeps the favourites branch in step with the
/// process-wide favourites list.
///
/// Persistent editors live only on the rows in the viewport and a few rows
/// around it: one queued pass after a scroll, an expansion, a layout or new
/// rows opens those that come into view and closes those that leave it, so
/// that the number of editors follows the window, not the tree.
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
    /// The number of persistent editors open now.
    int liveEditorCount() const;

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
    /// Qt calls it after every layout and row insertion; each call would lay
    /// out the whole tree again. Coalesced into the queued editor pass.
    void updateEditorGeometries() override;
    void scrollContentsBy(int dx, int dy) override;

private:
    /// Hides a row that the level no longer shows and reports a current row
    /// that disappeared; answers whether the row was hidden already.
    bool hideRow(int row, const QModelIndex& parent);
    void updateValueCell(const QModelIndex& cell);
    /// Calls visit(row, value-column index, item) for the rows below an expanded `parent`.
    template<typename Visit> void forEachValueCell(const QModelIndex& parent, const Visit& visit);
    void span(int row, const QModelIndex& parent, bool on);
    /// Whether the value cell of a shown row gets a persistent editor.
    bool wantsEditor(const QModelIndex& cell, const FeatureTreeItem* item) const;
    /// Asks for one editor pass when control returns to the event loop.
    void scheduleEditorPass();
    /// Opens the editors of the rows in and around the viewport, closes the others.
    void editorPass();
    /// Hides at once the editors whose rows went away or out of sight; the
    /// editor pass closes them.
    void hideStrandedEditors(const QModelIndex& collapsed = QModelIndex());
    void trackEditor(const QModelIndex& cell);
    /// Takes the parameter's current snapshot for a row when it differs from the one the row shows.
    static void readCurrentSnapshot(FeatureTreeItem* item);

    GenApi::EVisibility m_visibility = GenApi::Guru;
    FeatureTreeHighlighter highlighter;
    bool m_editorPassScheduled = false;
    struct EditorCell
    {
        QPersistentModelIndex cell;
        QPointer<QWidget> editor; // Owned by Qt's item view.
    };
    QList<EditorCell> m_editorCells; // The persistent editors this view opened.
    QList<QPersistentModelIndex> m_spannedRows; // The full-row items the editor pass spanned.
    QSet<const FeatureTreeItem*> m_liveItems; // The rows the last pass found in and around the viewport.
    // After a level change, the rows that came into view since and read their parameter's snapshot again.
    QSet<const FeatureTreeItem*> m_rereadRows;
    bool m_rereadAfterLevel = false;
    // The model the extension below was cast from; the cast is made again when the model changes or goes.
    QPointer<QAbstractItemModel> m_extensionModel;
    IFeatureTreeModelExtension* m_extension = nullptr;
};
