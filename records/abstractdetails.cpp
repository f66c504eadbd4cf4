#include "records/abstractdetails.h"

#include "database/novalue.h"
#include "database/tablecatalogue.h"
#include "records/recordstorage.h"
#include "records/xmlreadcheck.h"

#include <QTreeWidgetItem>

namespace {

int elementInt(const QDomElement& element)
{
    bool read = false;
    const int value = element.text().toInt(&read, 10);
    CXmlReadCheck::noteWholeNumber(element, read);
    return value;
}

} // namespace

CXmlFields& CXmlFields::text(const QString& tag, QString& field)
{
    return element(tag, [&field](const QDomElement& element) { field = element.text(); });
}

CXmlFields& CXmlFields::number(const QString& tag, int& field,
                               const std::function<int(int)>& check)
{
    return element(tag, [&field, check](const QDomElement& element) {
        const int value = elementInt(element);
        field = check ? check(value) : value;
    });
}

CXmlFields& CXmlFields::flag(const QString& tag, bool& field)
{
    return element(tag, [&field](const QDomElement& element) { field = elementInt(element) != 0; });
}

CXmlFields& CXmlFields::element(const QString& tag, const Reader& read)
{
    m_readers.insert(tag, read);
    return *this;
}

void CXmlFields::read(const QDomNode& node) const
{
    for (QDomNode child = node.firstChild(); !child.isNull(); child = child.nextSibling()) {
        const QDomElement element = child.toElement();
        const auto reader = m_readers.constFind(element.tagName());
        if (!element.isNull() && reader != m_readers.constEnd())
            (*reader)(element);
    }
}

CAbstractDetails::CAbstractDetails(const QString& kindName)
    : m_kindName(kindName)
{
}

CAbstractDetails::~CAbstractDetails() = default;

bool CXmlFields::readRecord(CAbstractDetails& record, const QDomElement& element)
{
    const bool valid = record.fromXml(element);
    CXmlReadCheck::noteRecord(record, element, valid);
    return valid;
}

bool CAbstractDetails::readXml(const QDomNode& node, QString& reason)
{
    const QDomElement element = node.toElement();
    const CXmlReadCheck check(element);
    const bool valid = CXmlFields::readRecord(*this, element);
    reason = valid ? check.fault() : invalidReason(node, check.fault());
    return reason.isEmpty();
}

QString CAbstractDetails::kindTitle() const
{
    return tableTitle(tableIdOfName(m_kindName));
}

QVector<CNumberText> CAbstractDetails::numberTexts() const
{
    return {};
}

QString CAbstractDetails::invalidReason(const QDomNode&, const QString& fault) const
{
    if (!fault.isEmpty())
        return fault;
    if (getName().isEmpty())
        return QStringLiteral("Не задано название (элемент Name)");
    return RecordStorage::incompleteReason(*this);
}

QString CAbstractDetails::getName() const
{
    return QString();
}

void CAbstractDetails::fillInfoTree(QTreeWidgetItem*) const
{
}

QString CAbstractDetails::infoText() const
{
    return QString();
}

QTreeWidgetItem* CAbstractDetails::addInfoItem(QTreeWidgetItem* parent, const QString& text)
{
    auto* item = new QTreeWidgetItem(parent);
    item->setData(0, Qt::DisplayRole, text);
    return item;
}

QTreeWidgetItem* CAbstractDetails::addInfoLine(QTreeWidgetItem* parent, const QString& label,
                                               const QString& value)
{
    return addInfoItem(parent, QStringLiteral("%1: %2").arg(label, value));
}

QTreeWidgetItem* CAbstractDetails::addInfoLine(QTreeWidgetItem* parent, const QString& label,
                                               int value)
{
    return addInfoLine(parent, label, QString::number(value));
}

QString CAbstractDetails::infoLine(const QString& label, const QString& value)
{
    return QStringLiteral("%1: %2\n").arg(label, value);
}

QString CAbstractDetails::infoLine(const QString& label, int value)
{
    return infoLine(label, QString::number(value));
}

void CAbstractDetails::addNameItems(QTreeWidgetItem* parent, const QString& name,
                                    const QString& description, const QString& shortName)
{
    addInfoLine(parent, QStringLiteral("Название"), name);
    if (!description.isEmpty())
        addInfoLine(parent, QStringLiteral("Описание"), description);
    if (!shortName.isEmpty())
        addInfoLine(parent, QStringLiteral("Краткое название"), shortName);
}

QString CAbstractDetails::nameInfoText(const QString& name, const QString& description,
                                       const QString& shortName)
{
    QString text = infoLine(QStringLiteral("Название"), name);
    if (!description.isEmpty())
        text += infoLine(QStringLiteral("Описание"), description);
    if (!shortName.isEmpty())
        text += infoLine(QStringLiteral("Краткое название"), shortName);
    return text;
}

void CAbstractDetails::addExportItems(QTreeWidgetItem* parent, int epsgCode, int mapinfoCode)
{
    if (epsgCode == 0 && mapinfoCode == NoValue)
        return;
    QTreeWidgetItem* heading = addInfoItem(parent, QStringLiteral("Экспорт"));
    if (epsgCode != 0)
        addInfoLine(heading, QStringLiteral("Код EPSG (GeoTIFF)"), epsgCode);
    if (mapinfoCode != NoValue)
        addInfoLine(heading, QStringLiteral("Код MapInfo"), mapinfoCode);
}

QString CAbstractDetails::exportInfoText(int epsgCode, int mapinfoCode)
{
    QString text;
    if (epsgCode != 0)
        text += infoLine(QStringLiteral("Код EPSG (GeoTIFF)"), epsgCode);
    if (mapinfoCode != NoValue)
        text += infoLine(QStringLiteral("Код MapInfo"), mapinfoCode);
    return text;
}

QVariant sqlTextOrNull(const QString& text)
{
    return text.isEmpty() ? QVariant(QVariant::String) : QVariant(text);
}

QVariant sqlNumberOrNull(int value, int nullValue)
{
    return value == nullValue ? QVariant(QVariant::Int) : QVariant(value);
}
