#pragma once

#include <QTest>

#include <functional>

// Equality as a table: each row changes a copy of a base value and tells whether the copy then
// equals the base (both ways round) and itself.
template <class Value>
using ValueChange = std::function<void(Value&)>;

template <class Value>
void addEqualityColumns()
{
    QTest::addColumn<Value>("base");
    QTest::addColumn<ValueChange<Value>>("change");
    QTest::addColumn<bool>("equal");
    QTest::addColumn<bool>("selfEqual");
}

template <class Value>
void addEqualityRow(const char* name, const Value& base, const ValueChange<Value>& change, bool equal,
                    bool selfEqual = true)
{
    QTest::newRow(name) << base << change << equal << selfEqual;
}

template <class Value>
void checkEqualityRow()
{
    QFETCH(Value, base);
    QFETCH(ValueChange<Value>, change);
    QFETCH(bool, equal);
    QFETCH(bool, selfEqual);

    Value other = base;
    change(other);
    QCOMPARE(base == other, equal);
    QCOMPARE(other == base, equal);
    QCOMPARE(other == other, selfEqual);
}
