#include "records/xmlreadcheck.h"

#include "records/abstractdetails.h"
#include "records/unitdetails.h"

namespace {

thread_local CXmlReadCheck* currentCheck = nullptr;

QString joinedPath(const QString& path, const QString& below)
{
    if (path.isEmpty())
        return below;
    return below.isEmpty() ? path : path + QLatin1Char('/') + below;
}

// Why the text is not taken as the number it must be; empty when it is.
QString numberFault(const CNumberText& number)
{
    if (number.text.trimmed().isEmpty())
        return number.required ? QStringLiteral("значение не задано") : QString();
    return unreadInUnit(number.text, number.unit);
}

} // namespace

CXmlReadCheck::CXmlReadCheck(const QDomElement& root)
    : m_root(root)
    , m_outer(currentCheck)
{
    currentCheck = this;
}

CXmlReadCheck::~CXmlReadCheck()
{
    currentCheck = m_outer;
}

bool CXmlReadCheck::hasContent(const QDomElement& element)
{
    return !element.firstChildElement().isNull() || !element.text().trimmed().isEmpty();
}

void CXmlReadCheck::noteWholeNumber(const QDomElement& element, bool read)
{
    if (!currentCheck || read || element.text().trimmed().isEmpty())
        return;
    currentCheck->note(currentCheck->pathOf(element),
                       QStringLiteral("«%1» не является целым числом").arg(element.text()));
}

void CXmlReadCheck::noteRecord(const CAbstractDetails& record, const QDomElement& element, bool valid)
{
    if (!currentCheck || !hasContent(element))
        return;
    const QString path = currentCheck->pathOf(element);
    for (const CNumberText& number : record.numberTexts())
        currentCheck->note(joinedPath(path, number.path), numberFault(number));
    if (!valid && element != currentCheck->m_root)
        currentCheck->note(path, record.invalidReason(element, QString()));
}

void CXmlReadCheck::noteDropped(const QDomElement& element, const QString& reason)
{
    if (currentCheck && hasContent(element))
        currentCheck->note(currentCheck->pathOf(element), reason);
}

void CXmlReadCheck::noteRepeated(const QDomElement& element, const QString& path)
{
    if (currentCheck)
        currentCheck->note(joinedPath(currentCheck->pathOf(element), path),
                           QStringLiteral("параметр задан повторно"));
}

void CXmlReadCheck::noteRepeatedIdentifier(const QDomElement& list, const QString& identifier,
                                           const QString& firstName, const QString& secondName)
{
    if (currentCheck)
        currentCheck->note(currentCheck->pathOf(list),
                           QStringLiteral("идентификатор «%1» задан повторно: «%2» и «%3»")
                               .arg(identifier, firstName, secondName));
}

QString CXmlReadCheck::paramPath(int code, const QString& definedName, const std::string& tableName)
{
    const QString name = definedName.isEmpty() ? QString::fromStdString(tableName) : definedName;
    const QString path = QStringLiteral("ParamValues/Param[code=%1").arg(code);
    return name.isEmpty() ? path + QLatin1Char(']') : QStringLiteral("%1, «%2»]").arg(path, name);
}

void CXmlReadCheck::note(const QString& path, const QString& reason)
{
    if (m_fault.isEmpty() && !reason.isEmpty())
        m_fault = QStringLiteral("Элемент «%1»: %2").arg(path, reason);
}

QString CXmlReadCheck::pathOf(const QDomElement& element) const
{
    QStringList tags;
    for (QDomElement step = element; !step.isNull() && step != m_root; step = step.parentNode().toElement())
        tags.prepend(step.tagName());
    return tags.join(QLatin1Char('/'));
}

void CRepeatedIdentifiers::add(const QString& identifier, const QString& name)
{
    const QString key = identifier.trimmed();
    if (key.isEmpty())
        return;
    const auto found = m_names.constFind(key);
    if (found != m_names.constEnd())
        CXmlReadCheck::noteRepeatedIdentifier(m_list, identifier, found.value(), name);
    m_names.insert(key, name);
}
