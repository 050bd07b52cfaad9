#pragma once

#include "orvikviewercomponents6_export.h"

#define ORVIKVIEWERCOMPONENTS6_VERSION_STRING "6.0.0"

namespace OrvikViewerComponents6 {

/// The library's version as "major.minor.patch".
ORVIKVIEWERCOMPONENTS6_EXPORT const char* version();

} // namespace OrvikViewerComponents6
