#pragma once

#include <QByteArray>
#include <QString>

namespace ParameterCollection {

/// True when `data` starts like a zip archive.
bool isZip(const QByteArray& data);

/// The GenICam XML inside a zip archive, as cameras and their makers ship
/// node maps: the archive's one .xml file (the first, when there are more).
/// Throws GenICam::InvalidArgumentException naming `sourceName` for an archive
/// that cannot be read, holds no XML file, or unpacks to more than a node map
/// could ever need (a guard against archives that expand without end).
QByteArray unzipGenicamXml(const QByteArray& zip, const QString& sourceName);

} // namespace ParameterCollection
