#pragma once

#include "parametercollection/memoryparametercollection.h"

#include <QByteArray>
#include <QSharedPointer>
#include <QString>

/// Node maps written as one line of text, for tests. The "Root" category is
/// implied; its children are listed separated by white space:
///
///     "Image[Width=640{min=16 max=Limit inc=2} Limit=1000 Format:e=Mono8(Mono8 Mono12)
///      Expert#Expert[Flip:b=false]] Temperature:f=40!RO Reset:c Port:p"
///
/// An item is a name, then in this order, each optional:
///   :t          the type: i integer (the default), f float, b boolean,
///               s string, e enumeration, c command, p port
///   =value      the initial value (in '...' when it holds spaces or marks)
///   (A B)       the entries of an enumeration
///   #Level      the visibility (Beginner, Expert, Guru, Invisible)
///   !Access     the access mode (RW, RO, WO, NA, NI)
///   {k=v ...}   further attributes of the node map format, values in '...'
///               when they hold spaces
///   [ ... ]     children: the item is a category
/// The attributes are those of platform/parametercollection/memory/nodemaps/README.md.
namespace NodeMapText {

/// The node map XML of `tree` for the collection `role`. A malformed text
/// fails the running test and gives an empty node map.
QByteArray toXml(const QString& tree, const QString& role = QStringLiteral("@CameraDevice"));

/// A collection built from `tree`; fails the running test when it cannot be built.
QSharedPointer<ParameterCollection::MemoryParameterCollection>
collection(const QString& tree, const QString& role = QStringLiteral("@CameraDevice"),
           ParameterCollection::MemoryParameterCollection::TextEncoding encoding
           = ParameterCollection::MemoryParameterCollection::TextEncoding::Utf8);

} // namespace NodeMapText
