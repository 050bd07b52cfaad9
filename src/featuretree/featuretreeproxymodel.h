#pragma once

#include "featuretree/ifeaturetreemodelextension.h"

#include <QHash>
#include <QList>
#include <QMetaObject>
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
#include <QRegExp>
#endif
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QStringMatcher>

#include <memory>

template<typename Value> class IndexMemo;
class DistinctNames;

/// The filter between the feature tree model and its view: hides rows by user
/// visibility level and search text, counts the search matches, and forwards
/// every IFeatureTreeModelExtension operation to the source model, mapping
/// indexes between proxy and source. GUI thread only.
class ORVIKVIEWERCOMPONENTS6_EXPORT FeatureTreeProxyModel : public QSortFilterProxyModel,
                                                            public IFeatureTreeModelExtension
{
    Q_OBJECT
public:
    explicit FeatureTreeProxyModel(QObject* parent = nullptr);
    ~FeatureTreeProxyModel() override;

    /// Matching features (counted once per GenICam name) that the current level
    /// shows, among the rows the last filtering pass looked at.
    int visibleMatchCount() const;
    /// Matching features that only a higher level (never Invisible) would show.
    int higherLevelMatchCount() const;

    /// The rows the base class counts, without keeping a mapping of its own for
    /// a row that has no children in the source.
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;

    // IFeatureTreeModelExtension: forwarded to the source model.
    bool IsFavoriteTreeItem(const FeatureTreeItem* item) const override;
    bool IsFavoriteTreeRoot(const FeatureTreeItem* item) const override;
    QModelIndex indexForItem(FeatureTreeItem* item, int column) const override;
    QModelIndex GetFavoritesRootIndex() override;
    void EnablePolling(bool enable) override;
    bool GetPolling() const override;
    void EnableViewAllFavorites(bool enable) override;
    bool GetViewAllFavorites() const override;
    void SetDeviceAlive(bool alive) override;
    QModelIndex findItem(const FeatureTreeItem* item, const FeatureTreeItem* start, int column) const override;
    QModelIndex findItemByFullName(const QString& fullName, FeatureTreeItem* start, int column) const override;
    QModelIndex findItemByRole(int role, const QVariant& value, FeatureTreeItem* start, int column) const override;
    /// Every row is accepted while the call runs, so that the new rows appear
    /// without being tested one by one; the caller invalidates the filter afterwards.
    void addParameterCollection(QSharedPointer<ParameterCollection::IParameterCollection> pParameterCollection,
                                const QString& rootName, const QString& roleName, bool isUtf8) override;
    void rebuildFavoriteItems() override;
    void CreateFavoritesRoot() override;
    bool RemoveFavorite(QModelIndex index) override;
    bool AddFavorite(QSharedPointer<ParameterCollection::IParameter> parameter, int index) override;
    /// Without an extension as source: a process-wide empty list.
    FavoritesData& GetFavorites() override;
    bool MoveFavorite(QModelIndex index, bool up) override;
    bool CanMoveFavorite(QModelIndex index, bool up) const override;
    bool CanAddAsFavorite(QModelIndex index) const override;
    void refresh() override;
    void addChildren(FeatureTreeINodeItem* parentItem) override;
    /// Keeps the level for filtering, then passes it on; does not re-filter.
    void setVisibility(GenApi::EVisibility visibility) override;
    GenApi::EVisibility getVisibility() const override;
    void setMonitorMode(bool monitorMode) override;
    void setGenICamCallbacksEnable(bool enable) override;
    bool getGenICamCallbackEnable() const override;
    /// The source model's item behind a proxy index.
    FeatureTreeItem* getFeatureTreeItem(const QModelIndex& index) const override;
    void setHighlighter(FeatureTreeHighlighter* highlighter) override;
    FeatureTreeItem* getSearchHelpItem() const override;
    void refreshSpecialItems() override;
    void clear() override;
    void onNodeUpdated(int row, FeatureTreeINodeItem* nodeItem) override;
    void onTimerPoll() override;
    QString GetParameterCollectionName(
        QSharedPointer<ParameterCollection::IParameterCollection> pParameterCollection) const override;
    void replaceFavoritesZombies(QSharedPointer<ParameterCollection::IParameterCollection> pParameterCollection,
                                 const QString& roleName) override;
    int getFavoritesIndexFromFeatureTreeItem(const FeatureTreeItem* item) const override;
    int getFavoritesIndexFromModelIndex(QModelIndex index) const override;

protected:
    /// Accepts a row that passes the row test itself, has an ancestor that
    /// passes it, or has a descendant that passes it.
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    /// The source model when it implements the extension, else null.
    IFeatureTreeModelExtension* sourceExtension() const;
    /// A proxy index of this model mapped to the source; an index that already
    /// belongs to the source passes unchanged, anything else becomes invalid.
    QModelIndex toSource(const QModelIndex& index) const;

    // How every extension operation reaches the source model: proxy indexes in
    // the arguments are mapped to the source, an index answered is mapped back;
    // without a source that is an extension, forward() answers a default value
    // and forwardOr() its fallback.
    template<typename Argument> decltype(auto) toSourceArgument(Argument&& argument) const;
    template<typename Result, typename Operation, typename... Arguments>
    Result forwardOr(Result fallback, Operation operation, Arguments&&... arguments) const;
    template<typename Operation, typename... Arguments>
    auto forward(Operation operation, Arguments&&... arguments) const;

    /// The search text matcher of the current filter settings.
    bool patternMatches(const QString& text) const;
    /// Notices a changed search pattern, case sensitivity or level since the
    /// last call; rebuilds the matcher and forgets the memoised results then.
    bool syncFilterState() const;

    bool rowPasses(const QModelIndex& sourceIndex) const;
    bool computeRowTest(const QModelIndex& sourceIndex) const;
    bool parameterRowTest(const FeatureTreeINodeItem& node, bool searchHelpRow) const;
    /// Asks for the fields of the rows after `node` in its parent before they are read.
    static void prefetchFollowingRows(const FeatureTreeINodeItem& node);
    /// Whether the pattern matches the row's display text (name and unit).
    bool displayTextMatches(const FeatureTreeINodeItem& node) const;
    /// Records a match in the counts unless the row is not `counted`; the row test's answer.
    bool recordRowTest(const QString& nodeName, int itemVisibility, bool matched, bool counted,
                       bool searchHelpRow) const;
    bool ancestorPasses(const QModelIndex& sourceParent) const;
    bool hasAcceptedDescendant(const QModelIndex& sourceIndex) const;

    void startPass() const;
    void forgetResults() const;
    void forgetResultsAfterInsert(const QModelIndex& parent, int first, int last) const;
    void scheduleForget() const;
    void connectSource();

    bool addingCollection = false;
    GenApi::EVisibility visibility = GenApi::Guru;
    // The GenICam names of the matches (counted once per name). Never null.
    std::unique_ptr<DistinctNames> visibleMatches;
    std::unique_ptr<DistinctNames> higherLevelMatches;

    // Results memoised within one filtering pass, keyed by source index (column
    // 0). The row test records its match the first time it runs, so answering
    // a repeated question from here leaves the match sets exactly as running
    // the test again would. Forgotten at the start of a pass, when the source
    // model changes, and when control returns to the event loop.
    // One entry per row asked about, holding the three answers known so far.
    enum class Known : quint8 { No, Passes, Fails };
    struct Memo
    {
        Known rowTest = Known::No;
        Known ancestor = Known::No;
        Known descendant = Known::No;
    };
    std::unique_ptr<IndexMemo<Memo>> memo; // Never null.
    mutable quint64 resultGeneration = 0; // Counts the times everything was forgotten.
    mutable bool forgetScheduled = false;

    // The filter settings the memoised results and the match sets belong to.
    enum class MatchKind { Everything, FixedString, WildcardOrRegExp, RegularExpression };
    mutable bool filterStateKnown = false;
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    mutable QRegExp knownRegExp;
#endif
    mutable QRegularExpression knownRegularExpression;
    mutable GenApi::EVisibility knownVisibility = GenApi::Guru;
    mutable MatchKind matchKind = MatchKind::Everything;
    mutable QStringMatcher fixedMatcher;
    // True for a fixed text that no match can join two pieces of a display text with.
    mutable bool fixedTextStaysInPieces = false;
    // True after a changed filter started a pass at some row other than the
    // first top-level one: that row comes later in the same pass and must not
    // empty the match sets again.
    mutable bool firstRowStillToCome = false;
    // True while the source inserts rows at the top of the tree: the first
    // top-level row tested then is a new row, not the start of a pass.
    mutable bool topRowArriving = false;
    // Set when every mapping was forgotten: the next row tested starts a pass.
    mutable bool passPending = false;
    // Set when the filter settings may have changed without a new filtering
    // pass from the top level: the next row tested looks at them.
    mutable bool filterCheckDue = true;

    // The source model seen as an extension, or null; kept in step with the source.
    IFeatureTreeModelExtension* extensionOfSource = nullptr; // Not owned.
    QList<QMetaObject::Connection> sourceConnections;
};
