#include "settings.h"

#include <QCoreApplication>

Settings::Settings()
    : m_store(QCoreApplication::organizationName(), QCoreApplication::applicationName())
    , m_showCalcStatsKey(QStringLiteral("/Settings/ShowCalcStats"))
{
}

Settings::~Settings() = default;

// False also for a stored value that is not a boolean.
bool Settings::showCalcStats() const
{
    const QString value = m_store.value(m_showCalcStatsKey).toString().trimmed().toLower();
    return value == QLatin1String("true") || value == QLatin1String("1");
}

void Settings::setShowCalcStats(bool show)
{
    m_store.setValue(m_showCalcStatsKey, show);
}
