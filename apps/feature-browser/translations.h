#pragma once

#include <QList>

class QObject;
class QString;
class QTranslator;

/// Installs the translations for one of the browser's languages ("en", "ja",
/// "ko", "zh"): the library's, the browser's own and Qt's (dialog buttons,
/// context menus). Returns the translators installed, children of owner;
/// deleting one takes it out again. English installs none.
QList<QTranslator*> installTranslations(const QString& language, QObject* owner);
