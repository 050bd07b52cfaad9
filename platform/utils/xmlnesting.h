#pragma once

#include "utils1_export.h"

#include <QByteArray>

namespace Utils {

/// The line of the first element of `xml` that lies deeper than `maxDepth`
/// elements, or 0 when none does (malformed XML too: its parser tells why).
/// A DOM parser recurses once per level and so can exhaust a thread's stack
/// on hostile input; this reader keeps no stack, so any input is safe here.
UTILS1_EXPORT qint64 lineNestedDeeperThan(const QByteArray& xml, int maxDepth);

} // namespace Utils
