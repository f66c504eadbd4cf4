#include "faults.h"

#include "tests/support/localescope.h"

#include <QTest>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <stdexcept>

QString faultOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const std::invalid_argument& e) {
        return QStringLiteral("invalid_argument:") + e.what();
    } catch (const std::out_of_range& e) {
        return QStringLiteral("out_of_range:") + e.what();
    } catch (const std::logic_error& e) {
        return QStringLiteral("logic_error:") + e.what();
    } catch (const std::runtime_error& e) {
        return QStringLiteral("runtime_error:") + e.what();
    }
    return QString();
}

int runUnderTestLocales(QObject* test, int argc, char** argv)
{
    int failures = 0;
    for (const char* name : {"C", "ru_RU.UTF-8"}) {
        const CLocaleScope locale(name);
        if (!locale.isSet()) {
            std::fprintf(stderr, "FAIL: %s\n", russianLocaleMissing);
            return 1;
        }
        const char* point = std::localeconv()->decimal_point;
        std::printf("Locale %s, decimal point \"%s\"\n", name, point);
        if (std::strcmp(name, "C") != 0 && std::strcmp(point, ",") != 0)
            return 1;
        failures += QTest::qExec(test, argc, argv);
    }
    return failures;
}
