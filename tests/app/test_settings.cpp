#include "guitest.h"

#include "app/dialogsettings.h"
#include "app/settings.h"

#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QSettings>
#include <QTest>

namespace {

// Runs the settings dialog and lets the handler work on it; the handler ends it.
void runSettingsDialog(const std::function<void(DialogSettings*, QCheckBox*)>& handler)
{
    const CModalWatch watch = whenModal<DialogSettings>([handler](DialogSettings* dialog) {
        handler(dialog, dialog->findChild<QCheckBox*>("checkboxCalculationStats"));
    });
    DialogSettings::execute();
}

void click(DialogSettings* dialog, const char* button)
{
    dialog->findChild<QPushButton*>(button)->click();
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void storeIsIsolated();
    void optionPersists();
    void unreadableValueIsFalse();
    void dialogSavesOnlyOnOk_data();
    void dialogSavesOnlyOnOk();

private:
    CGuiTestEnvironment m_environment;
};

void TestSettings::init()
{
    CGuiTestEnvironment::clearSettings();
}

void TestSettings::storeIsIsolated()
{
    QVERIFY2(QSettings().fileName().startsWith(QDir::tempPath()), qPrintable(QSettings().fileName()));
}

void TestSettings::optionPersists()
{
    QVERIFY(!Settings().showCalcStats());
    Settings held;
    Settings().setShowCalcStats(true);
    QVERIFY(held.showCalcStats());
    QCOMPARE(QSettings().value("/Settings/ShowCalcStats").toBool(), true);
    held.setShowCalcStats(false);
    QVERIFY(!Settings().showCalcStats());
}

void TestSettings::unreadableValueIsFalse()
{
    QSettings().setValue("/Settings/ShowCalcStats", QStringLiteral("maybe"));
    QVERIFY(!Settings().showCalcStats());
}

void TestSettings::dialogSavesOnlyOnOk_data()
{
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("expected");
    QTest::newRow("check and OK") << false << QStringList{"check", "buttonSave"} << true;
    QTest::newRow("check and cancel") << false << QStringList{"check", "buttonCancel"} << false;
    QTest::newRow("check and close the window") << false << QStringList{"check", "close"} << false;
    QTest::newRow("defaults and cancel") << true << QStringList{"buttonDefaults", "buttonCancel"} << true;
    QTest::newRow("defaults and OK") << true << QStringList{"buttonDefaults", "buttonSave"} << false;
}

void TestSettings::dialogSavesOnlyOnOk()
{
    QFETCH(bool, stored);
    QFETCH(QStringList, steps);
    QFETCH(bool, expected);
    Settings().setShowCalcStats(stored);

    bool shownChecked = !stored;
    bool openAfterDefaults = false;
    runSettingsDialog([&](DialogSettings* dialog, QCheckBox* box) {
        shownChecked = box->isChecked();
        for (const QString& step : steps) {
            if (step == "check") {
                box->setChecked(true);
            } else if (step == "close") {
                dialog->close();
            } else {
                click(dialog, step.toLatin1().constData());
                if (step == "buttonDefaults") {
                    openAfterDefaults = dialog->isVisible();
                    QVERIFY(!box->isChecked());
                }
            }
        }
    });
    QCOMPARE(shownChecked, stored);
    QCOMPARE(Settings().showCalcStats(), expected);
    QCOMPARE(openAfterDefaults, steps.contains("buttonDefaults"));
}

QTEST_MAIN(TestSettings)
#include "test_settings.moc"
