#include "recordfixtures.h"

#include <QTreeWidgetItem>

std::shared_ptr<CAngleFormatDetails> dmsFormat()
{
    auto format = std::make_shared<CAngleFormatDetails>();
    format->code = 2;
    format->name = QStringLiteral("Градусы-минуты-секунды");
    format->description = QStringLiteral("Формат: [+/-]ГГГ ММ СС.ссссссс");
    format->epsgCode = 9107;
    return format;
}

std::shared_ptr<CUnitDetails> metre()
{
    auto unit = std::make_shared<CUnitDetails>();
    unit->scope = 1;
    unit->name = QStringLiteral("Метр");
    unit->shortName = QStringLiteral("м");
    unit->factorB = QStringLiteral("1");
    unit->factorC = QStringLiteral("1");
    unit->epsgCode = 9001;
    unit->mapinfoCode = 7;
    return unit;
}

std::shared_ptr<CUnitDetails> degree()
{
    auto unit = std::make_shared<CUnitDetails>();
    unit->scope = 2;
    unit->name = QStringLiteral("Градус");
    unit->description = QStringLiteral("Угловой градус");
    unit->factorB = QStringLiteral("3.14159265358979");
    unit->factorC = QStringLiteral("180");
    unit->angleFormat = dmsFormat();
    unit->epsgCode = 9122;
    return unit;
}

CEllipsoidDetails krassowsky()
{
    CEllipsoidDetails ellipsoid;
    ellipsoid.name = QStringLiteral("Красовского");
    ellipsoid.description = QStringLiteral("Эллипсоид 1940 г.");
    ellipsoid.majorSemiAxis = QStringLiteral("6378245");
    ellipsoid.inverseFlattening = QStringLiteral("298.3");
    ellipsoid.useInverseFlattening = true;
    ellipsoid.unit = metre();
    ellipsoid.epsgCode = 7024;
    return ellipsoid;
}

CPrimeMeridianDetails greenwich()
{
    CPrimeMeridianDetails meridian;
    meridian.name = QStringLiteral("Гринвич");
    meridian.longitude = QStringLiteral("0");
    meridian.unit = degree();
    meridian.epsgCode = 8901;
    return meridian;
}

QString xmlText(const CAbstractDetails& record, const QString& tag)
{
    QDomDocument document;
    document.appendChild(record.toXml(document, tag));
    return document.toString(-1);
}

QStringList childTags(const QDomElement& element)
{
    QStringList tags;
    for (QDomElement child = element.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement())
        tags.append(child.tagName());
    return tags;
}

namespace {

QDomDocument parsed(const QString& text)
{
    QDomDocument document;
    if (!document.setContent(text))
        qFatal("bad XML in a test: %s", qPrintable(text));
    return document;
}

} // namespace

bool readXml(CAbstractDetails& record, const QString& text)
{
    return record.fromXml(parsed(text).documentElement());
}

QString readFault(CAbstractDetails& record, const QString& text)
{
    QString reason;
    record.readXml(parsed(text).documentElement(), reason);
    return reason;
}

namespace {

void collect(const QTreeWidgetItem* item, int depth, QStringList& lines)
{
    for (int i = 0; i < item->childCount(); ++i) {
        const QTreeWidgetItem* child = item->child(i);
        lines.append(QString(depth * 2, QLatin1Char(' ')) + child->text(0));
        collect(child, depth + 1, lines);
    }
}

} // namespace

QStringList treeLines(const CAbstractDetails& record)
{
    QTreeWidgetItem root;
    record.fillInfoTree(&root);
    QStringList lines;
    collect(&root, 0, lines);
    return lines;
}
