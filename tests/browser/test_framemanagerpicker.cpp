#include "guitest.h"

#include "browser/dialoglistselector.h"
#include "browser/framemanagerpicker.h"
#include "values/geoidlist.h"
#include "values/geoidregistry.h"

#include <QBoxLayout>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

namespace {

QByteArray geoid(const QByteArray& id, const QByteArray& name)
{
    return "<Geoid><ID>" + id + "</ID><Name>" + name + "</Name><GridDataFileName>" + id
           + ".grd</GridDataFileName><GridCoordSysFileName>" + id
           + ".xml</GridCoordSysFileName><GridMetadataFileName>" + id + ".meta</GridMetadataFileName></Geoid>";
}

// Clicks the picker's button; a list that comes up is answered by choosing the row (-1:
// cancel). Returns the texts listed and the row current at first, or "not shown".
QStringList pick(FrameManagerPicker& picker, int row)
{
    auto listed = std::make_shared<QStringList>(QStringList{"not shown"});
    const CModalWatch watch = whenModal<DialogListSelector>([listed, row](DialogListSelector* dialog) {
        auto* list = dialog->findChild<QListWidget*>("listItems");
        listed->clear();
        for (int i = 0; i < list->count(); ++i)
            listed->append(list->item(i)->text());
        listed->append(QString::number(list->currentRow()));
        if (row < 0) {
            dialog->findChild<QPushButton*>("buttonCancel")->click();
            return;
        }
        list->setCurrentRow(row);
        dialog->findChild<QPushButton*>("buttonOK")->click();
    }, 200);
    picker.findChild<QToolButton*>("buttonPick")->click();
    return *listed;
}

} // namespace

class TestFrameManagerPicker : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void withoutRegistry_data();
    void withoutRegistry();
    void setIdFindsTheGeoid();
    void pickFromTheRegistry_data();
    void pickFromTheRegistry();
    void header();

private:
    CGuiTestEnvironment m_environment;
    CGeoidList m_registry;
};

void TestFrameManagerPicker::init()
{
    QFile file(QDir(m_environment.dataFolder()).filePath("data.xml"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<Data><Geoids>" + geoid("egm", "Второй") + geoid("abc", "Геоид") + geoid("zz", "Геоид")
               + "</Geoids></Data>");
    file.close();
    QVERIFY(m_registry.readXml(m_environment.dataFolder().toStdString(), "data.xml"));
    setGeoidRegistry(&m_registry);
}

void TestFrameManagerPicker::cleanup()
{
    setGeoidRegistry(nullptr);
}

void TestFrameManagerPicker::withoutRegistry_data()
{
    QTest::addColumn<bool>("published");
    QTest::newRow("none published") << false;
    QTest::newRow("empty registry") << true;
}

void TestFrameManagerPicker::withoutRegistry()
{
    QFETCH(bool, published);
    CGeoidList empty;
    setGeoidRegistry(published ? &empty : nullptr);

    FrameManagerPicker picker(1, "Геоид", 2, nullptr);
    QSignalSpy picked(&picker, &FrameManagerPicker::picked);
    QVERIFY(!picker.setId("egm"));
    QVERIFY(picker.id().isEmpty());
    QCOMPARE(pick(picker, 0), QStringList("not shown"));
    QCOMPARE(picked.count(), 0);
    QVERIFY(picker.findChild<QLineEdit*>("editName")->text().isEmpty());
}

void TestFrameManagerPicker::setIdFindsTheGeoid()
{
    FrameManagerPicker picker(1, QString(), 2, nullptr);
    QSignalSpy picked(&picker, &FrameManagerPicker::picked);
    QVERIFY(picker.setId("egm"));
    QCOMPARE(picker.name(), QStringLiteral("Второй"));
    QCOMPARE(picker.findChild<QLineEdit*>("editName")->text(), QStringLiteral("Второй"));
    QCOMPARE(picker.findChild<QLineEdit*>("editName")->toolTip(), QStringLiteral("Второй"));
    QVERIFY(!picker.setId("not installed"));
    QVERIFY(picker.id().isEmpty() && picker.name().isEmpty());
    QVERIFY(picker.findChild<QLineEdit*>("editName")->text().isEmpty());
    QVERIFY(picker.setId("zz"));
    QVERIFY(!picker.setId(QString()));
    QVERIFY(picker.findChild<QLineEdit*>("editName")->text().isEmpty());
    QCOMPARE(picked.count(), 0);
}

void TestFrameManagerPicker::pickFromTheRegistry_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("name");

    QTest::newRow("first of two same names") << 0 << "abc" << "Геоид";
    QTest::newRow("second of two same names") << 2 << "zz" << "Геоид";
    QTest::newRow("by identifier, not name") << 1 << "egm" << "Второй";
    QTest::newRow("cancel keeps the held one") << -1 << "" << "";
}

void TestFrameManagerPicker::pickFromTheRegistry()
{
    QFETCH(int, row);
    QFETCH(QString, id);
    QFETCH(QString, name);

    FrameManagerPicker picker(1, "Геоид", 2, nullptr);
    QVERIFY(picker.setId("egm"));
    QSignalSpy picked(&picker, &FrameManagerPicker::picked);
    // The list is in identifier order and starts on the first geoid, whatever is held.
    QCOMPARE(pick(picker, row), QStringList({"Геоид", "Второй", "Геоид", "0"}));
    if (id.isEmpty()) {
        QCOMPARE(picked.count(), 0);
        QCOMPARE(picker.id(), QStringLiteral("egm"));
        return;
    }
    QCOMPARE(picked.count(), 1);
    QCOMPARE(picked.first().first().toString(), id);
    QCOMPARE(picker.id(), id);
    QCOMPARE(picker.findChild<QLineEdit*>("editName")->text(), name);
}

void TestFrameManagerPicker::header()
{
    FrameManagerPicker picker(1, QString(), 0, nullptr);
    auto* label = picker.findChild<QLabel*>("labelHeader");
    QVERIFY(label->isHidden());
    picker.setHeaderText("Геоид");
    QVERIFY(!label->isHidden());
    QCOMPARE(qobject_cast<QBoxLayout*>(picker.layout())->direction(), QBoxLayout::LeftToRight);
}

QTEST_MAIN(TestFrameManagerPicker)
#include "test_framemanagerpicker.moc"
