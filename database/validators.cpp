#include "validators.h"

#include "codetablestypes.h"

#include <QDoubleValidator>
#include <QGuiApplication>
#include <QLocale>
#include <QPalette>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include <string>

namespace {

QValidator* createPatternValidator(const std::string& pattern, QObject* parent)
{
    if (pattern.empty())
        return nullptr;
    return new QRegularExpressionValidator(QRegularExpression(QString::fromStdString(pattern)), parent);
}

QBrush paletteBrush(QPalette::ColorRole role)
{
    return QBrush(QGuiApplication::palette().color(role));
}

} // namespace

QValidator* createDoubleValidator(double bottom, double top, int decimals, QObject* parent)
{
    auto* validator = new QDoubleValidator(bottom, top, decimals, parent);
    QLocale locale = QLocale::c();
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    validator->setLocale(locale);
    validator->setNotation(QDoubleValidator::StandardNotation);
    return validator;
}

QValidator* createAngleValidator(int angleFormat, QObject* parent)
{
    return createPatternValidator(angleRegExp(checkAngleFormatCode(angleFormat, 0)), parent);
}

QValidator* createLatitudeValidator(int angleFormat, QObject* parent)
{
    return createPatternValidator(latitudeRegExp(checkAngleFormatCode(angleFormat, 0)), parent);
}

QValidator* createLongitudeValidator(int angleFormat, QObject* parent)
{
    return createPatternValidator(longitudeRegExp(checkAngleFormatCode(angleFormat, 0)), parent);
}

bool allEmpty(const QString& a, const QString& b, const QString& c)
{
    return a.trimmed().isEmpty() && b.trimmed().isEmpty() && c.trimmed().isEmpty();
}

QBrush windowBrush()
{
    return paletteBrush(QPalette::Window);
}

QBrush baseBrush()
{
    return paletteBrush(QPalette::Base);
}
