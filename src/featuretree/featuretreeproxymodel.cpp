#include "featuretree/featuretreeproxymodel.h"

#include "common/exceptionlog.h"
#include "featuretree/distinctnames_p.h"
#include "featuretree/favoritesdata.h"
#include "featuretree/featuretreeinodeitem.h"
#include "featuretree/indexmemo_p.h"
#include "featuretree/rownames_p.h"

#include <algorithm>
#include <type_traits>
#include <typeinfo>
#include <utility>

namespace {

// Restores a flag when the scope ends, also when an exception leaves it.
class FlagScope
{
public:
    FlagScope(bool& flag, bool value)
        : m_flag(flag)
        , m_previous(flag)
    {
        m_flag = value;
    }
    ~FlagScope() { m_flag = m_previous; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
    bool m_previous;
};

QModelIndex firstColumn(const QModelIndex& index)
{
    return index.column() == 0 ? index : index.sibling(index.row(), 0);
}

// Asks for the cache line at `offset` bytes from `address` without waiting
// for it. Never faults, whatever the address.
void prefetch(const void* address, quintptr offset = 0)
{
#if defined(__GNUC__)
    __builtin_prefetch(reinterpret_cast<const void*>(reinterpret_cast<quintptr>(address) + offset));
#else
    Q_UNUSED(address);
    Q_UNUSED(offset);
#endif
}

// Where a string's characters are, read from the string itself, not from its data.
const void* charactersOf(const QString& text)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return text.data_ptr().data();
#else
    return const_cast<QString&>(text).data_ptr(); // the header, in the line before its characters
#endif
}
} // namespace

FeatureTreeProxyModel::FeatureTreeProxyModel(QObject* parent)
    : QSortFilterProxyModel(parent)
    , visibleMatches(std::make_unique<DistinctNames>())
    , higherLevelMatches(std::make_unique<DistinctNames>())
    , memo(std::make_unique<IndexMemo<Memo>>())
{
    // The base class announces a new source before it connects its own
    // handlers to it, so the connections made here run first: memoised results
    // are forgotten before the base class re-filters changed or inserted rows.
    connect(this, &QAbstractProxyModel::sourceModelChanged, this, [this] { connectSource(); });
    // Forgetting every mapping (invalidate(), a new layout of the source)
    // starts a pass at whatever row is asked for first: restoring the
    // persistent indexes asks for rows below the top level before the top
    // level itself.
    connect(this, &QAbstractItemModel::layoutAboutToBeChanged, this, [this] { passPending = true; });
    connect(this, &QAbstractItemModel::modelAboutToBeReset, this, [this] { filterCheckDue = true; });
}

FeatureTreeProxyModel::~FeatureTreeProxyModel() = default;

int FeatureTreeProxyModel::visibleMatchCount() const
{
    return visibleMatches->size();
}

int FeatureTreeProxyModel::higherLevelMatchCount() const
{
    return higherLevelMatches->size();
}

// --- filtering -----------------------------------------------------------------------

int FeatureTreeProxyModel::rowCount(const QModelIndex& parent) const
{
    // The base class keeps a mapping for every parent it was asked about, for as
    // long as the filter stands, and walks all of them again on every new filter.
    // A view or a tree walk that counts every row would give each feature one.
    if (parent.isValid() && sourceModel() && !sourceModel()->hasChildren(mapToSource(parent)))
        return 0;
    return QSortFilterProxyModel::rowCount(parent);
}

bool FeatureTreeProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    try {
        const bool firstTopLevelRow = sourceRow == 0 && !sourceParent.isValid();
        // Reading the filter settings copies them, which cost as much as the
        // row test itself. A new filter is applied from the top level down
        // while the top level is mapped; otherwise the mappings were
        // forgotten since the last look, and the next row asked for is
        // where the settings are looked at again.
        bool newFilter = false;
        if (filterCheckDue || passPending || !sourceParent.isValid()) {
            newFilter = syncFilterState();
            filterCheckDue = false;
        }
        if (newFilter || passPending) {
            // A new search text or level: whatever the sets hold belongs to the
            // old one. When the base class re-filters the top level it visits
            // the rows it shows before those it hides, so a hidden first row
            // (the search help row, usually) comes late in the same pass and
            // must not empty the sets again; after forgotten mappings, rows
            // further down may come first.
            startPass();
            firstRowStillToCome = !firstTopLevelRow && (passPending || !sourceParent.isValid());
            passPending = false;
            topRowArriving = false;
        } else if (firstTopLevelRow) {
            if (firstRowStillToCome)
                firstRowStillToCome = false;
            else if (!topRowArriving)
                startPass();
            topRowArriving = false;
        }

        if (addingCollection)
            return true;

        const QAbstractItemModel* model = sourceModel();
        if (!model)
            return false;
        const QModelIndex sourceIndex = model->index(sourceRow, 0, sourceParent);
        if (rowPasses(sourceIndex))
            return true;
        if (ancestorPasses(sourceParent))
            return true;
        return hasAcceptedDescendant(sourceIndex);
    } catch (...) {
        // Counting a category's rows may load them from the parameter collection.
        qWarning("Failed to filter a row of the feature tree.");
        ExceptionLog::logCurrentException("FeatureTreeProxyModel::filterAcceptsRow");
        return false;
    }
}

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
namespace {

/// The text a pattern stands for when it is nothing but literal characters,
/// as QRegularExpression::escape writes them (Qt 6 keeps a fixed string
/// filter in that form); false when the pattern uses any operator.
bool literalText(const QString& pattern, QString* text)
{
    static const QString operators = QStringLiteral("^$.|?*+()[]{}");
    text->clear();
    for (int i = 0; i < pattern.size(); ++i) {
        QChar c = pattern.at(i);
        if (c == QLatin1Char('\\')) {
            if (++i == pattern.size())
                return false;
            c = pattern.at(i);
            // An escaped ASCII letter or digit is a character class or a back
            // reference; any other escaped character stands for itself.
            if (c.unicode() < 0x80 && (c.isLetterOrNumber() || c == QLatin1Char('_')))
                return false;
        } else if (operators.contains(c)) {
            return false;
        }
        text->append(c);
    }
    return true;
}

} // namespace
#endif

bool FeatureTreeProxyModel::syncFilterState() const
{
    const QRegularExpression regularExpression = filterRegularExpression();
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    if (filterStateKnown && visibility == knownVisibility && regularExpression == knownRegularExpression)
        return false;

    filterStateKnown = true;
    knownVisibility = visibility;
    knownRegularExpression = regularExpression;
    // Fixed strings, wildcards and expressions all arrive as one expression;
    // a plain text among them keeps the quick matcher.
    QString literal;
    if (regularExpression.pattern().isEmpty()) {
        matchKind = MatchKind::Everything;
    } else if (literalText(regularExpression.pattern(), &literal)) {
        matchKind = MatchKind::FixedString;
        const bool caseInsensitive
            = regularExpression.patternOptions().testFlag(QRegularExpression::CaseInsensitiveOption);
        fixedMatcher = QStringMatcher(literal, caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive);
    } else {
        matchKind = MatchKind::RegularExpression;
    }
#else
    const QRegExp regExp = filterRegExp();
    if (filterStateKnown && visibility == knownVisibility && regExp == knownRegExp
        && regularExpression == knownRegularExpression)
        return false;

    filterStateKnown = true;
    knownVisibility = visibility;
    knownRegExp = regExp;
    knownRegularExpression = regularExpression;
    // The base class keeps either kind of expression; the other one is empty.
    if (!regularExpression.pattern().isEmpty()) {
        matchKind = MatchKind::RegularExpression;
    } else if (regExp.isEmpty()) {
        matchKind = MatchKind::Everything;
    } else if (regExp.patternSyntax() == QRegExp::FixedString) {
        matchKind = MatchKind::FixedString;
        fixedMatcher = QStringMatcher(regExp.pattern(), regExp.caseSensitivity());
    } else {
        matchKind = MatchKind::WildcardOrRegExp;
    }
#endif
    // A fixed text without a space or a square bracket cannot match across
    // the pieces a row's display text is put together from.
    static const QString joiners = QStringLiteral(" []");
    fixedTextStaysInPieces = matchKind == MatchKind::FixedString
        && std::none_of(joiners.cbegin(), joiners.cend(),
                        [this](QChar joiner) { return fixedMatcher.pattern().contains(joiner); });
    forgetResults();
    return true;
}

bool FeatureTreeProxyModel::patternMatches(const QString& text) const
{
    switch (matchKind) {
    case MatchKind::Everything:
        return true;
    case MatchKind::FixedString:
        return fixedMatcher.indexIn(text) != -1;
    case MatchKind::WildcardOrRegExp:
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
        return knownRegExp.indexIn(text) != -1;
#endif
    case MatchKind::RegularExpression:
        return knownRegularExpression.match(text).hasMatch();
    }
    return false;
}

bool FeatureTreeProxyModel::rowPasses(const QModelIndex& sourceIndex) const
{
    if (!sourceIndex.isValid())
        return false;
    if (const Memo* known = memo->find(sourceIndex)) {
        if (known->rowTest != Known::No)
            return known->rowTest == Known::Passes;
    }
    const bool passes = computeRowTest(sourceIndex);
    // Looked up again: the test may have made the memo forget everything.
    (*memo)[sourceIndex].rowTest = passes ? Known::Passes : Known::Fails;
    scheduleForget();
    return passes;
}

bool FeatureTreeProxyModel::computeRowTest(const QModelIndex& sourceIndex) const
{
    const QAbstractItemModel* model = sourceModel();
    if (!model || !sourceIndex.isValid())
        return false;

    // Rows of the feature tree model are read from their items: the row test
    // runs for every row of a pass, and the model's own data() adds nothing
    // to the roles read here.
    const IFeatureTreeModelExtension* extension = sourceExtension();
    const FeatureTreeItem* item = extension ? extension->getFeatureTreeItem(sourceIndex) : nullptr;
    // A parameter row answers from the fields its data() reads, without a
    // variant or a display text put together for each role; rows of other
    // kinds (and classes derived from it) answer through data().
    if (item && typeid(*item) == typeid(FeatureTreeINodeItem)) {
        const auto& node = static_cast<const FeatureTreeINodeItem&>(*item);
        if (node.hasParameter)
            return parameterRowTest(node, item == extension->getSearchHelpItem());
    }
    const auto read = [&](int role) { return item ? item->data(0, role) : model->data(sourceIndex, role); };

    const QString nodeName = read(FeatureTreeItem::GenicamNameRole).toString();
    if (nodeName == RowNames::rootNode)
        return false;
    const bool shownAtAll = item ? item->ShowMe(GenApi::Guru) : read(FeatureTreeItem::IsShownAtAll).toBool();
    if (!shownAtAll && visibility != GenApi::Invisible)
        return false;
    const int itemVisibility = read(FeatureTreeItem::GenicamVisibility).toInt();
    // Categories are never search results themselves. The display name is
    // fetched only when the node name does not match already.
    const bool matched = !read(FeatureTreeItem::GenicamCategory).toBool()
        && (patternMatches(nodeName) || patternMatches(read(Qt::DisplayRole).toString()));
    // The model's auxiliary rows (the favourites row, its hint, the search
    // help row) show as their texts match, but are no features to count.
    const bool counted = !read(FeatureTreeItem::IsSpecialNode).toBool();
    return recordRowTest(nodeName, itemVisibility, matched, counted, item && item == extension->getSearchHelpItem());
}

void FeatureTreeProxyModel::prefetchFollowingRows(const FeatureTreeINodeItem& node)
{
    FeatureTreeItem* parent = node.parentItem;
    if (!parent)
        return;
    const int row = node.FeatureTreeItem::row();
    // The row after next: its first lines, where a parameter row keeps what
    // the test reads. The next row, whose lines were asked for one row ago:
    // its name.
    if (const FeatureTreeItem* afterNext = parent->child(row + 2)) {
        for (quintptr offset : { 0, 64, 128 })
            prefetch(afterNext, offset);
    }
    if (const FeatureTreeItem* next = parent->child(row + 1)) {
        if (typeid(*next) == typeid(FeatureTreeINodeItem))
            prefetch(charactersOf(static_cast<const FeatureTreeINodeItem*>(next)->nodeName));
    }
}

bool FeatureTreeProxyModel::parameterRowTest(const FeatureTreeINodeItem& node, bool searchHelpRow) const
{
    // A pass tests the rows of a parent in order, and a large tree is far
    // from the caches: the following rows are on their way while this one
    // is tested.
    prefetchFollowingRows(node);
    // The same answers as data() and ShowMe() give, in the same order.
    const QString& nodeName = node.nodeName;
    if (nodeName == RowNames::rootNode)
        return false;
    if (!node.FeatureTreeINodeItem::ShowMe(GenApi::Guru) && visibility != GenApi::Invisible)
        return false;
    const bool matched = !node.snapshotIsCategory && (patternMatches(nodeName) || displayTextMatches(node));
    return recordRowTest(nodeName, int(node.shownFrom()), matched, !node.isSpecialNode, searchHelpRow);
}

bool FeatureTreeProxyModel::displayTextMatches(const FeatureTreeINodeItem& node) const
{
    const QString& name = node.displayedName;
    const QString& unit = node.cachedUnit;
    if (unit.isEmpty())
        return patternMatches(name);
    if (fixedTextStaysInPieces)
        return patternMatches(name) || patternMatches(unit);
    return patternMatches(FeatureTreeINodeItem::displayText(name, unit));
}

bool FeatureTreeProxyModel::recordRowTest(const QString& nodeName, int itemVisibility, bool matched, bool counted,
                                          bool searchHelpRow) const
{
    const bool visible = itemVisibility <= int(visibility);
    if (matched && counted) {
        if (visible)
            visibleMatches->insert(nodeName);
        else if (itemVisibility < GenApi::Invisible)
            higherLevelMatches->insert(nodeName);
    }
    // The search help row is shown whenever its visibility allows, whatever
    // the search text: the widget makes it visible to announce hidden matches.
    if (searchHelpRow)
        return visible;
    return matched && visible;
}

bool FeatureTreeProxyModel::ancestorPasses(const QModelIndex& sourceParent) const
{
    if (!sourceParent.isValid())
        return false;
    const QModelIndex self = firstColumn(sourceParent);
    const Memo* known = memo->find(self);
    if (known && known->ancestor != Known::No)
        return known->ancestor == Known::Passes;
    // The nearest ancestor first, as a walk up the tree would test them.
    const bool passes = rowPasses(self) || ancestorPasses(self.parent());
    (*memo)[self].ancestor = passes ? Known::Passes : Known::Fails;
    return passes;
}

bool FeatureTreeProxyModel::hasAcceptedDescendant(const QModelIndex& sourceIndex) const
{
    if (!sourceIndex.isValid())
        return false;
    const QModelIndex self = firstColumn(sourceIndex);
    const QAbstractItemModel* model = self.model();
    // A feature has no rows: no need to look it up.
    if (!model->hasChildren(self))
        return false;
    const Memo* known = memo->find(self);
    if (known && known->descendant != Known::No)
        return known->descendant == Known::Passes;

    const quint64 generation = resultGeneration;
    // Counting the rows may load them; the model then reports the insertion.
    const int rows = model->rowCount(self);
    bool found = false;
    for (int row = 0; row < rows && !found; ++row)
        found = rowPasses(model->index(row, 0, self));
    for (int row = 0; row < rows && !found; ++row)
        found = hasAcceptedDescendant(model->index(row, 0, self));
    // A structural change in the middle of the search makes the answer unsafe
    // to keep; for a row without rows there is nothing worth remembering.
    if (generation == resultGeneration && rows > 0)
        (*memo)[self].descendant = found ? Known::Passes : Known::Fails;
    return found;
}

void FeatureTreeProxyModel::startPass() const
{
    visibleMatches->clear();
    higherLevelMatches->clear();
    forgetResults();
}

void FeatureTreeProxyModel::forgetResults() const
{
    ++resultGeneration;
    filterCheckDue = true;
    // The next pass asks about as many rows again: the room stays.
    memo->clear();
}

void FeatureTreeProxyModel::forgetResultsAfterInsert(const QModelIndex& parent, int, int last) const
{
    const QAbstractItemModel* model = sourceModel();
    if (!model || last != model->rowCount(parent) - 1) {
        // Rows inserted in front of others move them, and the memo is keyed by position.
        forgetResults();
        return;
    }
    // Appended rows (a category loading its children, typically) leave every
    // existing index as it was; only a "no accepted descendant" answer of the
    // parent or of its ancestors may have become wrong.
    for (QModelIndex ancestor = parent; ancestor.isValid(); ancestor = ancestor.parent()) {
        Memo* known = memo->find(firstColumn(ancestor));
        if (known && known->descendant == Known::Fails)
            known->descendant = Known::No;
    }
}

void FeatureTreeProxyModel::scheduleForget() const
{
    // Items may change without telling the model's users (a row whose device
    // is closed, for example), so nothing is kept beyond the current call
    // chain: the next filtering pass starts afresh.
    if (forgetScheduled)
        return;
    forgetScheduled = true;
    QMetaObject::invokeMethod(
        const_cast<FeatureTreeProxyModel*>(this),
        [this] {
            forgetScheduled = false;
            firstRowStillToCome = false;
            topRowArriving = false;
            forgetResults();
            memo->release(); // between the user's actions the room is not worth keeping
        },
        Qt::QueuedConnection);
}

void FeatureTreeProxyModel::connectSource()
{
    for (const QMetaObject::Connection& connection : qAsConst(sourceConnections))
        disconnect(connection);
    sourceConnections.clear();
    forgetResults();
    firstRowStillToCome = false;
    topRowArriving = false;

    QAbstractItemModel* model = sourceModel();
    extensionOfSource = dynamic_cast<IFeatureTreeModelExtension*>(model);
    if (!model)
        return;
    const auto forget = [this] { forgetResults(); };
    sourceConnections << connect(model, &QAbstractItemModel::rowsAboutToBeInserted, this,
                                 [this](const QModelIndex& parent, int first) {
                                     if (!parent.isValid() && first == 0)
                                         topRowArriving = true;
                                 });
    sourceConnections << connect(
        model, &QAbstractItemModel::rowsInserted, this,
        [this](const QModelIndex& parent, int first, int last) { forgetResultsAfterInsert(parent, first, last); });
    sourceConnections << connect(model, &QAbstractItemModel::rowsRemoved, this, forget);
    sourceConnections << connect(model, &QAbstractItemModel::rowsMoved, this, forget);
    sourceConnections << connect(model, &QAbstractItemModel::columnsInserted, this, forget);
    sourceConnections << connect(model, &QAbstractItemModel::columnsRemoved, this, forget);
    sourceConnections << connect(model, &QAbstractItemModel::columnsMoved, this, forget);
    sourceConnections << connect(model, &QAbstractItemModel::modelReset, this, forget);
    sourceConnections << connect(model, &QAbstractItemModel::layoutChanged, this, forget);
    sourceConnections << connect(model, &QAbstractItemModel::dataChanged, this, forget);
    sourceConnections << connect(model, &QObject::destroyed, this, [this] {
        extensionOfSource = nullptr;
        forgetResults();
    });
}

// --- forwarding ------------------------------------------------------------------------

IFeatureTreeModelExtension* FeatureTreeProxyModel::sourceExtension() const
{
    // Cast once when the source is set: the row test asks for every row.
    return extensionOfSource;
}

QModelIndex FeatureTreeProxyModel::toSource(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return QModelIndex();
    return mapToSource(index);
}

template<typename Argument> decltype(auto) FeatureTreeProxyModel::toSourceArgument(Argument&& argument) const
{
    if constexpr (std::is_same_v<std::decay_t<Argument>, QModelIndex>)
        return toSource(argument);
    else
        return std::forward<Argument>(argument);
}

template<typename Result, typename Operation, typename... Arguments>
Result FeatureTreeProxyModel::forwardOr(Result fallback, Operation operation, Arguments&&... arguments) const
{
    IFeatureTreeModelExtension* extension = sourceExtension();
    if (!extension)
        return fallback;
    Result result = (extension->*operation)(toSourceArgument(std::forward<Arguments>(arguments))...);
    if constexpr (std::is_same_v<Result, QModelIndex>)
        return mapFromSource(result);
    else
        return result;
}

template<typename Operation, typename... Arguments>
auto FeatureTreeProxyModel::forward(Operation operation, Arguments&&... arguments) const
{
    using Result = std::invoke_result_t<Operation, IFeatureTreeModelExtension*,
                                        decltype(toSourceArgument(std::declval<Arguments>()))...>;
    if constexpr (std::is_void_v<Result>) {
        if (IFeatureTreeModelExtension* extension = sourceExtension())
            (extension->*operation)(toSourceArgument(std::forward<Arguments>(arguments))...);
    } else {
        return forwardOr(Result(), operation, std::forward<Arguments>(arguments)...);
    }
}

// --- the extension's operations, answered by the source model --------------------------

using Extension = IFeatureTreeModelExtension;

bool FeatureTreeProxyModel::IsFavoriteTreeItem(const FeatureTreeItem* item) const
{
    return forward(&Extension::IsFavoriteTreeItem, item);
}

bool FeatureTreeProxyModel::IsFavoriteTreeRoot(const FeatureTreeItem* item) const
{
    return forward(&Extension::IsFavoriteTreeRoot, item);
}

QModelIndex FeatureTreeProxyModel::indexForItem(FeatureTreeItem* item, int column) const
{
    return forward(&Extension::indexForItem, item, column);
}

QModelIndex FeatureTreeProxyModel::GetFavoritesRootIndex()
{
    return forward(&Extension::GetFavoritesRootIndex);
}

void FeatureTreeProxyModel::EnablePolling(bool enable)
{
    forward(&Extension::EnablePolling, enable);
}

bool FeatureTreeProxyModel::GetPolling() const
{
    return forward(&Extension::GetPolling);
}

void FeatureTreeProxyModel::EnableViewAllFavorites(bool enable)
{
    forward(&Extension::EnableViewAllFavorites, enable);
}

bool FeatureTreeProxyModel::GetViewAllFavorites() const
{
    return forward(&Extension::GetViewAllFavorites);
}

void FeatureTreeProxyModel::SetDeviceAlive(bool alive)
{
    forward(&Extension::SetDeviceAlive, alive);
}

QModelIndex FeatureTreeProxyModel::findItem(const FeatureTreeItem* item, const FeatureTreeItem* start, int column) const
{
    return forward(&Extension::findItem, item, start, column);
}

QModelIndex FeatureTreeProxyModel::findItemByFullName(const QString& fullName, FeatureTreeItem* start, int column) const
{
    return forward(&Extension::findItemByFullName, fullName, start, column);
}

QModelIndex FeatureTreeProxyModel::findItemByRole(int role, const QVariant& value, FeatureTreeItem* start,
                                                  int column) const
{
    return forward(&Extension::findItemByRole, role, value, start, column);
}

void FeatureTreeProxyModel::addParameterCollection(
    QSharedPointer<ParameterCollection::IParameterCollection> pParameterCollection, const QString& rootName,
    const QString& roleName, bool isUtf8)
{
    // Failures of the collection pass to the caller; the flag is reset all the same.
    const FlagScope adding(addingCollection, true);
    forward(&Extension::addParameterCollection, pParameterCollection, rootName, roleName, isUtf8);
}

void FeatureTreeProxyModel::rebuildFavoriteItems()
{
    forward(&Extension::rebuildFavoriteItems);
}

void FeatureTreeProxyModel::CreateFavoritesRoot()
{
    forward(&Extension::CreateFavoritesRoot);
}

bool FeatureTreeProxyModel::RemoveFavorite(QModelIndex index)
{
    return forward(&Extension::RemoveFavorite, index);
}

bool FeatureTreeProxyModel::AddFavorite(QSharedPointer<ParameterCollection::IParameter> parameter, int index)
{
    return forward(&Extension::AddFavorite, parameter, index);
}

FavoritesData& FeatureTreeProxyModel::GetFavorites()
{
    if (IFeatureTreeModelExtension* extension = sourceExtension())
        return extension->GetFavorites();
    static FavoritesData noFavorites;
    return noFavorites;
}

bool FeatureTreeProxyModel::MoveFavorite(QModelIndex index, bool up)
{
    return forward(&Extension::MoveFavorite, index, up);
}

bool FeatureTreeProxyModel::CanMoveFavorite(QModelIndex index, bool up) const
{
    return forward(&Extension::CanMoveFavorite, index, up);
}

bool FeatureTreeProxyModel::CanAddAsFavorite(QModelIndex index) const
{
    return forward(&Extension::CanAddAsFavorite, index);
}

void FeatureTreeProxyModel::refresh()
{
    forward(&Extension::refresh);
}

void FeatureTreeProxyModel::addChildren(FeatureTreeINodeItem* parentItem)
{
    forward(&Extension::addChildren, parentItem);
}

void FeatureTreeProxyModel::setVisibility(GenApi::EVisibility level)
{
    visibility = level;
    filterCheckDue = true;
    forward(&Extension::setVisibility, level);
}

GenApi::EVisibility FeatureTreeProxyModel::getVisibility() const
{
    // Without an extension the proxy's own level is the only one there is.
    return forwardOr(visibility, &Extension::getVisibility);
}

void FeatureTreeProxyModel::setMonitorMode(bool monitorMode)
{
    forward(&Extension::setMonitorMode, monitorMode);
}

void FeatureTreeProxyModel::setGenICamCallbacksEnable(bool enable)
{
    forward(&Extension::setGenICamCallbacksEnable, enable);
}

bool FeatureTreeProxyModel::getGenICamCallbackEnable() const
{
    return forward(&Extension::getGenICamCallbackEnable);
}

FeatureTreeItem* FeatureTreeProxyModel::getFeatureTreeItem(const QModelIndex& index) const
{
    // The source model's indexes carry their item as internal pointer.
    if (!sourceExtension())
        return nullptr;
    return static_cast<FeatureTreeItem*>(toSource(index).internalPointer());
}

void FeatureTreeProxyModel::setHighlighter(FeatureTreeHighlighter* highlighter)
{
    forward(&Extension::setHighlighter, highlighter);
}

FeatureTreeItem* FeatureTreeProxyModel::getSearchHelpItem() const
{
    return forward(&Extension::getSearchHelpItem);
}

void FeatureTreeProxyModel::refreshSpecialItems()
{
    forward(&Extension::refreshSpecialItems);
}

void FeatureTreeProxyModel::clear()
{
    forgetResults();
    forward(&Extension::clear);
}

void FeatureTreeProxyModel::onNodeUpdated(int row, FeatureTreeINodeItem* nodeItem)
{
    forward(&Extension::onNodeUpdated, row, nodeItem);
}

void FeatureTreeProxyModel::onTimerPoll()
{
    forward(&Extension::onTimerPoll);
}

QString FeatureTreeProxyModel::GetParameterCollectionName(
    QSharedPointer<ParameterCollection::IParameterCollection> pParameterCollection) const
{
    return forwardOr(QStringLiteral("unknown NodeMap name"), &Extension::GetParameterCollectionName,
                     pParameterCollection);
}

void FeatureTreeProxyModel::replaceFavoritesZombies(
    QSharedPointer<ParameterCollection::IParameterCollection> pParameterCollection, const QString& roleName)
{
    forward(&Extension::replaceFavoritesZombies, pParameterCollection, roleName);
}

int FeatureTreeProxyModel::getFavoritesIndexFromFeatureTreeItem(const FeatureTreeItem* item) const
{
    return forwardOr(-1, &Extension::getFavoritesIndexFromFeatureTreeItem, item);
}

int FeatureTreeProxyModel::getFavoritesIndexFromModelIndex(QModelIndex index) const
{
    return forwardOr(-1, &Extension::getFavoritesIndexFromModelIndex, index);
}
