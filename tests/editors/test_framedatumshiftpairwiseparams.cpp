#include "editors/datum/framedatumshiftpairwiseparams.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

class TestFrameDatumShiftPairwiseParams : public QObject
{
    Q_OBJECT

private slots:
    void storedRoleComesBack_data();
    void storedRoleComesBack();
    void clearedFrameAnswersIndirect();
    void identifierIsTrimmed();
};

void TestFrameDatumShiftPairwiseParams::storedRoleComesBack_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("role");
    QTest::addColumn<bool>("indirect");
    QTest::newRow("none") << 0 << 1 << true;
    QTest::newRow("indirect") << 1 << 1 << true;
    QTest::newRow("source") << 2 << 2 << false;
    QTest::newRow("destination") << 3 << 3 << false;
    QTest::newRow("unknown") << 7 << 1 << true;
}

void TestFrameDatumShiftPairwiseParams::storedRoleComesBack()
{
    QFETCH(int, stored);
    QFETCH(int, role);
    QFETCH(bool, indirect);
    FrameDatumShiftPairwiseParams frame;
    frame.setPairwise("first", 3);
    frame.setPairwise("ПЗ-90", stored);
    QCOMPARE(frame.identifier(), QStringLiteral("ПЗ-90"));
    QCOMPARE(frame.pairwiseRole(), role);
    QCOMPARE(frame.findChild<QCheckBox*>("checkboxIndirect")->isChecked(), indirect);
    for (const char* name : {"labelDirectRole", "radioSource", "radioDestination"})
        QCOMPARE(frame.findChild<QWidget*>(name)->isEnabled(), !indirect);
}

void TestFrameDatumShiftPairwiseParams::clearedFrameAnswersIndirect()
{
    FrameDatumShiftPairwiseParams frame;
    frame.setPairwise("x", 3);
    frame.clear();
    QVERIFY(frame.identifier().isEmpty());
    QCOMPARE(frame.pairwiseRole(), 1);

    auto* indirect = frame.findChild<QCheckBox*>("checkboxIndirect");
    indirect->click();
    QCOMPARE(frame.pairwiseRole(), 2);
    QVERIFY(frame.findChild<QRadioButton*>("radioDestination")->isEnabled());
    frame.findChild<QRadioButton*>("radioDestination")->click();
    QCOMPARE(frame.pairwiseRole(), 3);
    QVERIFY(!frame.findChild<QRadioButton*>("radioSource")->isChecked());
}

void TestFrameDatumShiftPairwiseParams::identifierIsTrimmed()
{
    FrameDatumShiftPairwiseParams frame;
    frame.findChild<QLineEdit*>("editIdentifier")->setText("   ");
    QVERIFY(frame.identifier().isEmpty());
    frame.findChild<QLineEdit*>("editIdentifier")->setText("  a b ");
    QCOMPARE(frame.identifier(), QStringLiteral("a b"));
}

QTEST_MAIN(TestFrameDatumShiftPairwiseParams)
#include "test_framedatumshiftpairwiseparams.moc"
