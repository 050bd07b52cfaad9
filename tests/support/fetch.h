#pragma once

#include <QTest>

/// The value of a column of the current data row, usable inside an
/// expression (QFETCH declares a variable and needs a statement of its own).
template<typename T> T fetch(const char* column)
{
    return *static_cast<T*>(QTest::qData(column, qMetaTypeId<T>()));
}
