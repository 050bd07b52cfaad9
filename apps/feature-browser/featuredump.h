#pragma once

#include "browsercamera.h"

#include <QString>

/// The browser's dumps of every feature of a camera, walked without widgets.
namespace FeatureDump {

/// The tree as text: one line per row, indented by two spaces per level, the
/// name (display name and unit) padded to a column of 40 display cells, a
/// tab and the value. Booleans read "true"/"false", commands "done" or
/// "running". Features above `visibility` are left out.
QString text(const BrowserCamera& camera, int visibility);
/// Every feature as a JSON object (the schema is in the README).
QString json(const BrowserCamera& camera, int visibility);

/// Cells the text takes on a terminal: East Asian wide and full-width
/// characters count two, combining marks none.
int displayWidth(const QString& text);

} // namespace FeatureDump
