#pragma once

#include <QSettings>
#include <QString>

// The user's options in the application's settings store. Nothing is cached: every read goes
// to the store, so a value saved elsewhere in the program is seen at once.
class Settings
{
public:
    Settings();
    virtual ~Settings();

    bool showCalcStats() const;
    void setShowCalcStats(bool show);

private:
    QSettings m_store;
    const QString m_showCalcStatsKey;
};
