#include "editorfixture.h"

#include "browser/framedatabasepicker.h"
#include "database/novalue.h"
#include "database/tablecatalogue.h"
#include "editors/datum/dialogprimemeridianeditor.h"
#include "editors/datum/dialoguniteditor.h"
#include "records/primemeridiandetails.h"

#include <QLabel>
#include <QTest>
#include <QValidator>

namespace {

QValidator::State stateOf(QLineEdit* edit, QString text)
{
    int position = 0;
    return edit->validator() ? edit->validator()->validate(text, position) : QValidator::Acceptable;
}

int meridianRows()
{
    return CTestDatabase::value("SELECT COUNT(*) FROM primemeridian;").toInt();
}

int insertMeridian(const QString& name, const QString& longitude, int unit, const QVariant& epsg = QVariant())
{
    CTestDatabase::exec("INSERT INTO primemeridian (name, longitude, unit, epsg) VALUES (?, ?, ?, ?);",
                        {name, longitude, unit, epsg});
    return CTestDatabase::value("SELECT MAX(autokey) FROM primemeridian;").toInt();
}

void pickUnit(QWidget* dialog, int key)
{
    auto* picker = dialog->findChild<FrameDatabasePicker*>();
    picker->setKey(key);
    emit picker->picked(key);
}

int unitNamed(const QString& name)
{
    return CTestDatabase::value("SELECT autokey FROM unitangle WHERE name=?;", {name}).toInt();
}

// The warning for a longitude that the unit cannot read.
QString misfit(const QString& longitude, const QString& unit)
{
    return QStringLiteral("Долгота начального меридиана «%1» не соответствует единице измерения «%2»")
        .arg(longitude, unit);
}

// The warning for a longitude in a unit whose angle format is read in no text.
QString unreadFormat(const QString& longitude, const QString& unit)
{
    return QStringLiteral("Долгота начального меридиана «%1»: углы в формате «Градусы-минуты-секунды-полушарие» не "
                          "читаются, выберите вместо «%2» другую единицу измерения")
        .arg(longitude, unit);
}

// The warning for a longitude beyond 180° east or west.
QString outOfRange(const QString& longitude)
{
    return QStringLiteral("Долгота начального меридиана «%1» вне диапазона от -180° до 180°").arg(longitude);
}

} // namespace

class TestDialogPrimeMeridianEditor : public CEditorTestCase
{
    Q_OBJECT

private slots:
    void refusedSavesWriteNothing_data();
    void refusedSavesWriteNothing();
    void newRecordStartsWithFreeInput();
    void storedDmsLongitudeStaysEditable();
    void pickedUnitSetsTheInputCheck();
    void longitudeTypedAfterTheUnitIsStoredAsItsUnitReadsIt_data();
    void longitudeTypedAfterTheUnitIsStoredAsItsUnitReadsIt();
    void textTypedBeforeTheUnitIsKept_data();
    void textTypedBeforeTheUnitIsKept();
    void unitDeletedInThePickerIsNotKept();
    void cancelledCreateUndoesTheUnitMadeMeanwhile();
    void createEditAndErase();
    void readThenInsertAsCopy();

private:
    void prepare() override;

    int m_decimal = 0;
    int m_dms = 0;
    int m_plain = 0;
};

// Units of the kinds of check: a decimal format, degrees-minutes-seconds, no format at all (as
// the shipped degree), which takes decimal numbers, and degrees-minutes-seconds with a
// hemisphere letter, in which no value is read.
void TestDialogPrimeMeridianEditor::prepare()
{
    m_decimal = insertUnit(TableUnitAngle, "Градус", 0.0174532925199433, 1, 1, "°");
    m_dms = insertUnit(TableUnitAngle, "Градус ГМС", 0.0174532925199433, 1, 2);
    m_plain = insertUnit(TableUnitAngle, "градус", 0.0174532925199433, 1);
    insertUnit(TableUnitAngle, "Градус ГМС полушарие", 0.0174532925199433, 1, 3);
}

void TestDialogPrimeMeridianEditor::refusedSavesWriteNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("longitude");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("message");

    const QString noLongitude = "Необходимо задать долготу начального меридиана";
    QTest::newRow("no name") << "" << "" << "" << "Заполните название";
    QTest::newRow("no longitude") << "Пулково" << " " << "Градус" << noLongitude;
    QTest::newRow("no longitude, unit without format") << "Пулково" << "" << "градус" << noLongitude;
    QTest::newRow("minus only") << "Пулково" << "-" << "Градус" << misfit("-", "Градус");
    QTest::newRow("degrees, minutes and seconds in a unit without format")
        << "Пулково" << "30 19 42.09" << "градус" << misfit("30 19 42.09", "градус");
    QTest::newRow("decimal comma in a unit without format")
        << "Пулково" << "30,3283" << "градус" << misfit("30,3283", "градус");
    QTest::newRow("decimal comma in degrees, minutes and seconds")
        << "Пулково" << "30 19 42,09" << "Градус ГМС" << misfit("30 19 42,09", "Градус ГМС");
    QTest::newRow("no unit") << "Пулково" << "30.5" << ""
                             << "Необходимо задать единицу измерения долготы начального меридиана";
}

void TestDialogPrimeMeridianEditor::refusedSavesWriteNothing()
{
    QFETCH(QString, name);
    QFETCH(QString, longitude);
    QFETCH(QString, unit);
    QFETCH(QString, message);

    DialogPrimeMeridianEditor dialog(NoValue);
    setGeneralInfo(&dialog, name);
    if (!unit.isEmpty())
        pickUnit(&dialog, unitNamed(unit));
    setText(&dialog, "editLongitude", longitude);
    QVERIFY(click(&dialog, "buttonSave"));
    QCOMPARE(messages(), QStringList(warning(message)));
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(meridianRows(), 0);
}

// Until its unit is picked the longitude is taken as typed, in whatever format.
void TestDialogPrimeMeridianEditor::newRecordStartsWithFreeInput()
{
    DialogPrimeMeridianEditor dialog(NoValue);
    QLineEdit* longitude = lineEdit(&dialog, "editLongitude");
    QVERIFY(longitude->text().isEmpty());
    QVERIFY(!longitude->validator());
    QVERIFY(dialog.findChild<QLabel*>("labelAngularUnitAbbreviation")->text().isEmpty());
    QVERIFY(!dialog.findChild<QWidget*>("frameExport")->isVisibleTo(&dialog));
}

void TestDialogPrimeMeridianEditor::storedDmsLongitudeStaysEditable()
{
    const int key = insertMeridian("Пулково", "30 19 42.09", m_dms, 8901);
    DialogPrimeMeridianEditor dialog(key);
    QLineEdit* longitude = lineEdit(&dialog, "editLongitude");
    QCOMPARE(longitude->text(), QString("30 19 42.09"));
    QCOMPARE(stateOf(longitude, "30 19 42.1"), QValidator::Acceptable);
    QCOMPARE(dialog.findChild<QLabel*>("labelAngularUnitAbbreviation")->text(), QString("Градус ГМС"));
    QVERIFY(dialog.findChild<QWidget*>("frameExport")->isVisibleTo(&dialog));
    longitude->setText("30 19 42.1");
    QVERIFY(click(&dialog, "buttonSave"));
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(valueText("SELECT longitude || '|' || epsg FROM primemeridian WHERE autokey=?;", {key}),
             QString("30 19 42.1|8901"));
}

void TestDialogPrimeMeridianEditor::pickedUnitSetsTheInputCheck()
{
    DialogPrimeMeridianEditor dialog(NoValue);
    QLineEdit* longitude = lineEdit(&dialog, "editLongitude");
    pickUnit(&dialog, m_dms);
    QCOMPARE(stateOf(longitude, "30 19 42.09"), QValidator::Acceptable);
    QCOMPARE(stateOf(longitude, "30,5"), QValidator::Invalid);
    pickUnit(&dialog, m_plain);
    QCOMPARE(stateOf(longitude, "30 19 42.09"), QValidator::Invalid);
    QCOMPARE(stateOf(longitude, "-30.3283"), QValidator::Acceptable);
    pickUnit(&dialog, m_decimal);
    QCOMPARE(stateOf(longitude, "30 19 42.09"), QValidator::Invalid);
    QCOMPARE(dialog.findChild<QLabel*>("labelAngularUnitAbbreviation")->text(), QString("°"));
}

void TestDialogPrimeMeridianEditor::longitudeTypedAfterTheUnitIsStoredAsItsUnitReadsIt_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("typed");
    // What the field holds once the keystroke check has had its say.
    QTest::addColumn<QString>("shown");
    // Empty when the longitude is stored.
    QTest::addColumn<QString>("message");
    const QString dms = "Градус ГМС";
    QTest::newRow("blanks in a unit without format")
        << "градус" << "30 19 42.09" << "301942.09" << outOfRange("301942.09");
    QTest::newRow("beyond 180, unit without format") << "градус" << "400" << "400" << outOfRange("400");
    QTest::newRow("letter in degrees, minutes and seconds") << dms << "30x19 42" << "301 42" << outOfRange("301 42");
    QTest::newRow("beyond -180 in degrees, minutes and seconds")
        << dms << "-190 0 0" << "-190 0 0" << outOfRange("-190 0 0");
    QTest::newRow("lone point as seconds") << dms << "30 15 ." << "30 15 ." << misfit("30 15 .", dms);
    // Just beyond the range, by less than 1e-5 rad (1.7e-6 and 2.4e-6 rad).
    QTest::newRow("just beyond 180 in a decimal format")
        << "Градус" << "180.0001" << "180.0001" << outOfRange("180.0001");
    QTest::newRow("just beyond -180 in degrees, minutes and seconds")
        << dms << "-180 0 0.5" << "-180 0 0.5" << outOfRange("-180 0 0.5");
    QTest::newRow("hemisphere format") << "Градус ГМС полушарие" << "030 15 20E" << "030 15 20E"
                                       << unreadFormat("030 15 20E", "Градус ГМС полушарие");
    QTest::newRow("degrees, minutes and seconds") << dms << "30 19 42.09" << "30 19 42.09" << "";
    QTest::newRow("-180 in degrees, minutes and seconds") << dms << "-180 0 0" << "-180 0 0" << "";
    QTest::newRow("180, unit without format") << "градус" << "180" << "180" << "";
    QTest::newRow("decimal, unit without format") << "градус" << "30.3283" << "30.3283" << "";
    QTest::newRow("-180 in a decimal format") << "Градус" << "-180" << "-180" << "";
}

// The unit is picked first and the longitude typed key by key, as a user does; the save stores
// the text only when its unit reads it within 180° of Greenwich.
void TestDialogPrimeMeridianEditor::longitudeTypedAfterTheUnitIsStoredAsItsUnitReadsIt()
{
    QFETCH(QString, unit);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, message);
    DialogPrimeMeridianEditor dialog(NoValue);
    setGeneralInfo(&dialog, "Пулково");
    pickUnit(&dialog, unitNamed(unit));
    QLineEdit* longitude = lineEdit(&dialog, "editLongitude");
    QTest::keyClicks(longitude, typed);
    QCOMPARE(longitude->text(), shown);
    QVERIFY(click(&dialog, "buttonSave"));
    QCOMPARE(messages(), message.isEmpty() ? QStringList() : QStringList(warning(message)));
    QCOMPARE(meridianRows(), message.isEmpty() ? 1 : 0);
    if (message.isEmpty())
        QCOMPARE(valueText("SELECT longitude FROM primemeridian;"), shown);
}

void TestDialogPrimeMeridianEditor::textTypedBeforeTheUnitIsKept_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("message");
    // The text once its third character is replaced key by key with a blank; empty when no
    // correction is tried.
    QTest::addColumn<QString>("corrected");
    QTest::newRow("in the unit's format") << "30 19 42.09" << "Градус ГМС" << "" << "";
    QTest::newRow("decimal degrees in degrees, minutes and seconds") << "30.3283" << "Градус ГМС" << "" << "";
    QTest::newRow("not in the unit's format")
        << "30,3283" << "Градус ГМС" << misfit("30,3283", "Градус ГМС") << "30 3283";
    QTest::newRow("decimal, unit without format") << "30.3283" << "градус" << "" << "";
    QTest::newRow("not decimal, unit without format")
        << "30 19 42.09" << "градус" << misfit("30 19 42.09", "градус") << "";
}

// The text stays when the unit is picked; the save stores it or refuses it by the unit's format.
void TestDialogPrimeMeridianEditor::textTypedBeforeTheUnitIsKept()
{
    QFETCH(QString, typed);
    QFETCH(QString, unit);
    QFETCH(QString, message);
    QFETCH(QString, corrected);
    DialogPrimeMeridianEditor dialog(NoValue);
    setGeneralInfo(&dialog, "Пулково");
    QLineEdit* longitude = lineEdit(&dialog, "editLongitude");
    QTest::keyClicks(longitude, typed);
    pickUnit(&dialog, unitNamed(unit));
    QCOMPARE(longitude->text(), typed);
    QVERIFY(click(&dialog, "buttonSave"));
    QCOMPARE(messages(), message.isEmpty() ? QStringList() : QStringList(warning(message)));
    QCOMPARE(meridianRows(), message.isEmpty() ? 1 : 0);
    if (!corrected.isEmpty()) {
        // A kept text that does not fit can be corrected key by key.
        longitude->setFocus();
        longitude->setCursorPosition(2);
        QTest::keyClick(longitude, Qt::Key_Delete);
        QTest::keyClick(longitude, Qt::Key_Space);
        QCOMPARE(longitude->text(), corrected);
    }
}

void TestDialogPrimeMeridianEditor::unitDeletedInThePickerIsNotKept()
{
    const int key = insertMeridian("Гринвич", "0", m_decimal);
    DialogPrimeMeridianEditor dialog(key);
    auto* picker = dialog.findChild<FrameDatabasePicker*>();
    picker->clear();
    emit picker->cleared();
    QVERIFY(click(&dialog, "buttonSave"));
    QCOMPARE(messages(), QStringList(warning("Необходимо задать единицу измерения долготы начального меридиана")));
    QCOMPARE(CTestDatabase::value("SELECT unit FROM primemeridian WHERE autokey=?;", {key}).toInt(), m_decimal);
}

void TestDialogPrimeMeridianEditor::cancelledCreateUndoesTheUnitMadeMeanwhile()
{
    const int unitsBefore = CTestDatabase::value("SELECT COUNT(*) FROM unitangle;").toInt();
    int unitMade = NoValue;
    const CModalWatch watch = whenModal<DialogPrimeMeridianEditor>([&unitMade](DialogPrimeMeridianEditor* dialog) {
        setGeneralInfo(dialog, "Париж");
        const CModalWatch unitWatch = whenModal<DialogUnitEditor>([](DialogUnitEditor* unitDialog) {
            setGeneralInfo(unitDialog, "Град");
            setText(unitDialog, "editBaseUnitValue", "0.015707963267949");
            setText(unitDialog, "editThisUnitValue", "1");
            click(unitDialog, "buttonSave");
        });
        unitMade = DialogUnitEditor::Create(TableUnitAngle);
        pickUnit(dialog, unitMade);
        setText(dialog, "editLongitude", "2.5969213");
        click(dialog, "buttonCancel");
    });
    QCOMPARE(DialogPrimeMeridianEditor::Create(), int(NoValue));
    QVERIFY(unitMade != NoValue);
    QCOMPARE(CTestDatabase::value("SELECT COUNT(*) FROM unitangle;").toInt(), unitsBefore);
    QCOMPARE(meridianRows(), 0);
}

void TestDialogPrimeMeridianEditor::createEditAndErase()
{
    const std::function<int()> create = [] { return DialogPrimeMeridianEditor::Create(); };
    const std::function<void(DialogPrimeMeridianEditor*)> fill = [this](DialogPrimeMeridianEditor* dialog) {
        setGeneralInfo(dialog, "Ферро", QString(), "Остров");
        pickUnit(dialog, m_decimal);
        setText(dialog, "editLongitude", "-17.6666667");
    };
    const int key = runModal<DialogPrimeMeridianEditor>(create, fill, "buttonSave");
    QVERIFY(key != NoValue);
    QCOMPARE(valueText("SELECT name || '|' || longitude || '|' || unit || '|' || ifnull(favourite, 'NULL') "
                       "FROM primemeridian WHERE autokey=?;",
                       {key}),
             QString("Ферро|-17.6666667|%1|NULL").arg(m_decimal));

    const std::function<bool()> edit = [key] { return DialogPrimeMeridianEditor::Edit(key); };
    const std::function<void(DialogPrimeMeridianEditor*)> rename = [](DialogPrimeMeridianEditor* dialog) {
        setGeneralInfo(dialog, "Ферро (Иерро)");
    };
    QVERIFY(runModal<DialogPrimeMeridianEditor>(edit, rename, "buttonSave"));
    QCOMPARE(valueText("SELECT name FROM primemeridian WHERE autokey=?;", {key}), QString("Ферро (Иерро)"));

    QVERIFY(CTestDatabase::exec("INSERT INTO coordsys (name, type, prime_meridian) VALUES ('СК Ферро', 4, ?);", {key}));
    QStringList shown;
    const CModalWatch watch = captureDependencies(shown);
    QVERIFY(!DialogPrimeMeridianEditor::Erase(key));
    QCOMPARE(shown, QStringList("Система координат|СК Ферро"));
    QVERIFY(CTestDatabase::exec("DELETE FROM coordsys;"));
    QVERIFY(DialogPrimeMeridianEditor::Erase(key));
    QCOMPARE(meridianRows(), 0);
}

void TestDialogPrimeMeridianEditor::readThenInsertAsCopy()
{
    const int key = insertMeridian("Пулково", "30 19 42.09", m_dms);
    CPrimeMeridianDetails meridian;
    QVERIFY(DialogPrimeMeridianEditor::ReadDetails(key, meridian));
    QCOMPARE(DialogPrimeMeridianEditor::InsertDetails(meridian, false), key);
    const int copy = DialogPrimeMeridianEditor::InsertDetails(meridian, true);
    QCOMPARE(valueText("SELECT name || '|' || unit FROM primemeridian WHERE autokey=?;", {copy}),
             QString("Пулково[1]|%1").arg(m_dms));
    meridian.name = "Пулково[1]";
    QCOMPARE(DialogPrimeMeridianEditor::FindDetails(meridian), key);

    meridian.unit->scope = 1;
    const int unitsBefore = CTestDatabase::value("SELECT COUNT(*) FROM unitlength;").toInt();
    QCOMPARE(DialogPrimeMeridianEditor::InsertDetails(meridian, true), int(NoValue));
    QCOMPARE(meridianRows(), 2);
    QCOMPARE(CTestDatabase::value("SELECT COUNT(*) FROM unitlength;").toInt(), unitsBefore);
}

QTEST_MAIN(TestDialogPrimeMeridianEditor)
#include "test_dialogprimemeridianeditor.moc"
