#pragma once

#include <QLocale>

#include <clocale>
#include <string>

// Sets the process locale, and the default QLocale to match, for its lifetime and puts back
// both as they were, also when a check fails midway and the test function returns early.
class CLocaleScope
{
public:
    explicit CLocaleScope(const char* name) : m_previous(std::setlocale(LC_ALL, nullptr))
    {
        m_set = std::setlocale(LC_ALL, name) != nullptr;
        if (m_set)
            QLocale::setDefault(QLocale(QString::fromLatin1(name).section(QLatin1Char('.'), 0, 0)));
    }
    ~CLocaleScope()
    {
        std::setlocale(LC_ALL, m_previous.c_str());
        QLocale::setDefault(m_previousDefault);
    }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

    bool isSet() const { return m_set; }

private:
    std::string m_previous;
    QLocale m_previousDefault;
    bool m_set = false;
};

// The message of a test that needs the Russian locale (decimal comma) when it is missing.
constexpr const char* russianLocaleMissing =
    "the ru_RU.UTF-8 locale is missing; scripts/setup.sh (ensure_test_locale) generates it";

// Enters ru_RU.UTF-8 for the rest of the test function; fails the test when it is missing.
#define ENTER_RUSSIAN_LOCALE()                       \
    const CLocaleScope russianLocale("ru_RU.UTF-8"); \
    QVERIFY2(russianLocale.isSet(), russianLocaleMissing)
