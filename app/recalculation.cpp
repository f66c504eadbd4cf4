#include "recalculation.h"

#include "records/coordsysdetails.h"
#include "values/geoidlist.h"

#include "geodesy/coordoperator.h"
#include "geodesy/coords.h"
#include "geodesy/coordsysparams.h"

#include <exception>

namespace {

QString unusableSystem(const CCoordSysDetails& system)
{
    return QStringLiteral("Систему координат \"%1\" нельзя использовать для пересчета").arg(system.name);
}

// The geoid that the system's heights need and the registry cannot give, by its registered name
// or else its ID; empty when nothing is missing.
QString missingGeoid(const CCoordSysInfo& info, const vexa::CCoordSysParams& params, const CGeoidList* geoids)
{
    const bool onGeoid = (info.type == 4 || info.type == 5) && info.vert_coordsys;
    if (!onGeoid || params.geoid)
        return QString();
    const std::string& id = info.vert_coordsys->geoid;
    const auto entry = geoids ? geoids->getEntries().find(id) : std::map<std::string, CGeoidEntry>::const_iterator();
    const bool named = geoids && entry != geoids->getEntries().end() && !entry->second.Name.empty();
    return QString::fromStdString(named ? entry->second.Name : id);
}

QString geoidNotInstalled(const CCoordSysDetails& system, const QString& geoid)
{
    return QStringLiteral("Систему координат \"%1\" нельзя использовать для пересчета: не установлен геоид \"%2\"")
        .arg(system.name, geoid);
}

bool refuse(QString* reason, const QString& text)
{
    if (reason)
        *reason = text;
    return false;
}

std::string coordText(const QString& cell)
{
    return cell.trimmed().toStdString();
}

} // namespace

QString CRecalculationStats::text() const
{
    const QString abortNote = aborted ? QStringLiteral("\n\nПересчет прерван: пересчитаны не все точки") : QString();
    return QStringLiteral("С заданными координатами:\t\t%1"
                          "\nС незаданными координатами:\t%2"
                          "\nС некорректными координатами:\t%3"
                          "\nУспешно пересчитанных:\t\t%4"
                          "\nВызвавших ошибку пересчета:\t%5")
        .arg(withCoords)
        .arg(withoutCoords)
        .arg(wrongCoords)
        .arg(recalculated)
        .arg(failed)
        + abortNote;
}

CRecalculation::CRecalculation() = default;
CRecalculation::~CRecalculation() = default;

bool CRecalculation::prepare(const CCoordSysDetails& source, const CCoordSysDetails& target, CGeoidList* geoids,
                             QString* reason)
{
    m_operator.reset();
    m_stats = CRecalculationStats();
    if (!source.toInfo(m_source))
        return refuse(reason, unusableSystem(source));
    if (!target.toInfo(m_target))
        return refuse(reason, unusableSystem(target));
    vexa::CCoordSysParams from;
    vexa::CCoordSysParams to;
    if (!m_source.toCoordSysParams(from, geoids))
        return refuse(reason, unusableSystem(source));
    if (!m_target.toCoordSysParams(to, geoids))
        return refuse(reason, unusableSystem(target));
    const QString sourceGeoid = missingGeoid(m_source, from, geoids);
    if (!sourceGeoid.isEmpty())
        return refuse(reason, geoidNotInstalled(source, sourceGeoid));
    const QString targetGeoid = missingGeoid(m_target, to, geoids);
    if (!targetGeoid.isEmpty())
        return refuse(reason, geoidNotInstalled(target, targetGeoid));
    m_operator = vexa::CCoordOperator::create(from, to);
    if (!m_operator) {
        return refuse(reason, QStringLiteral("Пересчет из системы координат \"%1\" в систему координат \"%2\" невозможен")
                                  .arg(source.name, target.name));
    }
    return true;
}

CPointRow CRecalculation::recalculate(const CPointRow& row)
{
    CPointRow result;
    result.name = row.name.trimmed();
    const CCoordStrings texts(coordText(row.coord1), coordText(row.coord2), coordText(row.coord3));
    if (texts.isEmpty()) {
        ++m_stats.withoutCoords;
        return result;
    }
    ++m_stats.withCoords;
    vexa::CCoords point;
    if (!m_source.stringsToCoords(texts, point)) {
        ++m_stats.wrongCoords;
        return result;
    }
    CCoordStrings output;
    if (!transform(point, output)) {
        ++m_stats.failed;
        return result;
    }
    result.coord1 = QString::fromStdString(output.coord1);
    result.coord2 = QString::fromStdString(output.coord2);
    result.coord3 = QString::fromStdString(output.coord3);
    ++m_stats.recalculated;
    return result;
}

CPointRows CRecalculation::recalculate(const CPointRows& rows, const CPassProgress& progress)
{
    CPointRows results;
    results.reserve(rows.size());
    for (const CPointRow& row : rows) {
        if (!progress(results.size(), rows.size())) {
            m_stats.aborted = true;
            break;
        }
        results.append(recalculate(row));
    }
    progress(rows.size(), rows.size());
    return results;
}

const CRecalculationStats& CRecalculation::stats() const
{
    return m_stats;
}

// An exception of a step fails this point only, and so does a result out of the target's range
// or one that its units cannot write.
bool CRecalculation::transform(const vexa::CCoords& point, CCoordStrings& result) const
{
    if (!m_operator)
        return false;
    try {
        vexa::CCoords output;
        if (!m_operator->transform(point, &output) || !m_target.isCoordInRange(0, output.first)
            || !m_target.isCoordInRange(1, output.second) || !m_target.isCoordInRange(2, output.third))
            return false;
        m_target.coordsToStrings(output, result);
        return !result.coord1.empty() && !result.coord2.empty() && !result.coord3.empty();
    } catch (const std::exception&) {
        return false;
    }
}
