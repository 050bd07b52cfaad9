#pragma once

#include <QCoreApplication>
#include <QList>
#include <QPair>
#include <QSharedPointer>
#include <QString>
#include <QStringList>

namespace ParameterCollection {
class IParameterCollection;
}
namespace Plugin {
namespace CameraPool {
class IBaseInfo;
}
} // namespace Plugin

/// A camera's settings as a file: the values of its writable features, in an
/// order that puts them back. The order comes from the node map's own
/// dependency information: a selector before the features it selects, a
/// feature before those whose limits, lock or availability it sets. A
/// selected feature is saved for every position of its selectors (every
/// gain channel, every I/O line). Commands are never saved.
///
/// Reading, putting back and comparing move the selectors of selected
/// features through their positions and put them back afterwards.
class SettingsFile
{
    Q_DECLARE_TR_FUNCTIONS(SettingsFile)

public:
    using CollectionList = QList<QSharedPointer<ParameterCollection::IParameterCollection>>;

    /// One value: a feature at the given positions of its selectors.
    struct Entry
    {
        QString name; ///< full name
        QList<QPair<QString, QString>> selectors; ///< full name and position, outermost first
        QString value;
    };
    /// A feature that could not be put back, or that differs, with why.
    struct Problem
    {
        QString feature; ///< Entry::describe()
        QString reason;
    };
    /// What putting a file back did.
    struct Report
    {
        int written = 0; ///< entries set or found equal
        QList<Problem> failed; ///< refused by the device
        QList<Problem> skipped; ///< not on this device
        bool ok() const { return failed.isEmpty(); }
    };
    /// A value that is not what the file says.
    struct Difference
    {
        QString feature;
        QString saved;
        QString current; ///< empty with `missing`
        bool missing = false;
    };

    QString vendor;
    QString model;
    QString serial;
    QList<Entry> entries;

    /// Which selector positions capture() reads.
    enum class Positions {
        All, ///< every position of every selector (selectors move, and are put back)
        Current ///< only where the selectors stand now: reads only, writes nothing
    };

    /// Reads every writable feature of the collections in load order.
    static SettingsFile capture(const CollectionList& collections, const Plugin::CameraPool::IBaseInfo& info,
                                Positions positions = Positions::All);
    /// Writes the entries back in order, retrying those refused while other
    /// writes still changed something; entries of features the collections do
    /// not have are skipped.
    Report apply(const CollectionList& collections) const;
    /// The entries whose value differs from the collections' current one.
    QList<Difference> compare(const CollectionList& collections) const;

    QString toJson() const;
    /// Parses a file's text; on failure returns false with a message in `error`.
    bool fromJson(const QByteArray& json, QString* error);
    bool save(const QString& path, QString* error) const;
    bool load(const QString& path, QString* error);

    /// "Gain[GainSelector=DigitalRed]": the feature and its selector positions.
    static QString describe(const Entry& entry);
    /// The report as lines for a user, empty when there is nothing to say.
    static QString reportText(const Report& report);
    static QString differenceText(const QList<Difference>& differences);
};
