#include "datumshiftframeparts.h"

#include "browser/guihelpers.h"
#include "browser/namefield.h"
#include "browser/prompt.h"
#include "browser/unitinput.h"
#include "database/numbers.h"
#include "database/tablecatalogue.h"
#include "database/validators.h"
#include "records/recordstorage.h"

#include <QLineEdit>
#include <QLocale>
#include <QSqlRecord>
#include <QValidator>

#include <cmath>
#include <limits>

namespace DatumShiftFrameParts {

namespace {

constexpr double kLimit = 1e15;
constexpr int kParameterDecimals = 10;

bool isNumber(const QString& text)
{
    return std::isfinite(textToDouble(text, std::numeric_limits<double>::quiet_NaN()));
}

} // namespace

bool readShiftRow(int key, QSqlRecord& row)
{
    return RecordStorage::readRow(TableDatumShift, key, row);
}

int unitKey(const QSqlRecord& row, const QString& column)
{
    const int key = RecordStorage::link(row, column);
    return key == 0 ? NoValue : key;
}

QString parameterText(const QSqlRecord& row, const QString& column)
{
    const QVariant value = row.value(column);
    if (value.isNull())
        return QString();
    if (value.userType() == QMetaType::Double)
        return QString::number(value.toDouble(), 'f', QLocale::FloatingPointShortest);
    return value.toString();
}

QString parameterValue(const QLineEdit* edit)
{
    const QString text = edit->text().trimmed();
    if (isNumber(text) || validatorAccepts(edit->validator(), text))
        return text;
    return QString();
}

QVariant storedParameter(const QString& text)
{
    const double value = textToDouble(text, std::numeric_limits<double>::quiet_NaN());
    return std::isfinite(value) ? QVariant(value) : QVariant(text);
}

void setUnitLabels(const QList<QLabel*>& labels, const QString& name)
{
    for (QLabel* label : labels)
        setUnitLabel(label, name);
}

QValidator* createParameterValidator(QObject* owner)
{
    return createDoubleValidator(-kLimit, kLimit, kParameterDecimals, owner);
}

void setRotationValidator(int angleUnitKey, const QList<QLineEdit*>& rotations, QObject* owner)
{
    const QValidator* validator = createAngleUnitValidator(angleUnitKey, createAngleValidator, owner);
    for (QLineEdit* edit : rotations)
        setValidatorKeepingText(edit, validator);
}

bool refuse(QWidget* frame, const QString& message)
{
    prompt().warning(frame, QStringLiteral("Предупреждение"), message);
    return false;
}

} // namespace DatumShiftFrameParts
