#include "settings.h"

#include <QCoreApplication>

Settings::Settings()
    : m_store(QCoreApplication::organizationName(), QCoreApplication::applicationName())
    , m_showCalcStatsKey(QStringLiteral("/Settings/ShowCalcStats"))
{
}

Settings::~Settings() = default;

bool Settings::showCalcStats() const
{
    return m_store.value(m_showCalcStatsKey, false).toBool();
}

void Settings::setShowCalcStats(bool show)
{
    m_store.setValue(m_showCalcStatsKey, show);
}
