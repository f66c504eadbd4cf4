#pragma once

#include <QObject>
#include <QString>

#include <functional>

// Runs the call and names the exception it throws: "invalid_argument:stod",
// "out_of_range:stod", "runtime_error:<what>", "logic_error:<what>",
// or an empty text when nothing is thrown.
QString faultOf(const std::function<void()>& call);

// Runs a QTest class once under the C locale and once under ru_RU.UTF-8,
// whose decimal separator is a comma.
int runUnderTestLocales(QObject* test, int argc, char** argv);

#define VALUES_TEST_MAIN(TestClass)                                      \
    int main(int argc, char** argv)                                      \
    {                                                                    \
        QCoreApplication app(argc, argv);                                \
        TestClass test;                                                  \
        return runUnderTestLocales(&test, argc, argv);                   \
    }
