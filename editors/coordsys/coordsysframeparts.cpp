#include "coordsysframeparts.h"

#include "browser/framedatabasepicker.h"
#include "browser/prompt.h"
#include "database/tablecatalogue.h"
#include "records/recordstorage.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QSqlRecord>

namespace CoordSysFrameParts {

bool readCoordSysRow(int key, QSqlRecord& row)
{
    return key != NoValue && RecordStorage::readRow(TableCoordSys, key, row);
}

int storedKey(const QSqlRecord& row, const QString& column)
{
    const int key = RecordStorage::link(row, column);
    return key < 1 ? NoValue : key;
}

bool acceptOrWarn(QWidget* frame, const QString& fault)
{
    if (fault.isEmpty())
        return true;
    prompt().warning(frame, QStringLiteral("Предупреждение"), fault);
    return false;
}

FrameDatabasePicker* addPicker(QWidget* frame, int tableId, const QString& header, QBoxLayout* layout, int direction)
{
    auto* picker = new FrameDatabasePicker(tableId, header, direction, frame);
    layout->addWidget(picker);
    return picker;
}

} // namespace CoordSysFrameParts

using namespace CoordSysFrameParts;

void CPickedKey::pick(int key)
{
    m_key = key;
    m_picker->setKey(key);
}

void CPickedKey::load(const QSqlRecord& row, const QString& column)
{
    pick(storedKey(row, column));
}

void CPickedKey::reset()
{
    m_key = NoValue;
    m_picker->clear();
}

void CGeodeticBase::create(QWidget* frame, QBoxLayout* primeMeridianLayout, QBoxLayout* datumLayout,
                           QBoxLayout* ellipsoidLayout, QAbstractButton* radioDatum, QAbstractButton* radioEllipsoid)
{
    primeMeridian = CPickedKey(addPicker(frame, TablePrimeMeridian, QString(), primeMeridianLayout));
    datum = CPickedKey(addPicker(frame, TableDatum, QString(), datumLayout));
    ellipsoid = CPickedKey(addPicker(frame, TableEllipsoid, QString(), ellipsoidLayout));
    m_radioDatum = radioDatum;
    m_radioEllipsoid = radioEllipsoid;
}

void CGeodeticBase::followMode()
{
    const bool datumMode = m_radioDatum->isChecked();
    datum.picker()->setPickEnabled(datumMode);
    ellipsoid.picker()->setPickEnabled(!datumMode);
}

void CGeodeticBase::setDefaults()
{
    for (CPickedKey* held : {&primeMeridian, &datum, &ellipsoid})
        held->reset();
    setDatumMode(true);
}

void CGeodeticBase::clear()
{
    for (CPickedKey* held : {&primeMeridian, &datum, &ellipsoid})
        held->reset();
    followMode();
}

void CGeodeticBase::load(const QSqlRecord& row)
{
    datum.load(row, "datum");
    ellipsoid.load(row, "ellipsoid");
    primeMeridian.load(row, "prime_meridian");
    setDatumMode(datum.key() != NoValue);
}

QString CGeodeticBase::readDatumOrEllipsoid(int& datumKey, int& ellipsoidKey) const
{
    const bool datumMode = m_radioDatum->isChecked();
    datumKey = datumMode ? datum.key() : NoValue;
    ellipsoidKey = datumMode ? NoValue : ellipsoid.key();
    if (datumMode && datumKey == NoValue)
        return QStringLiteral("Необходимо задать датум");
    if (!datumMode && ellipsoidKey == NoValue)
        return QStringLiteral("Необходимо задать эллипсоид");
    return QString();
}

void CGeodeticBase::setDatumMode(bool datumMode)
{
    (datumMode ? m_radioDatum : m_radioEllipsoid)->setChecked(true);
    followMode();
}
