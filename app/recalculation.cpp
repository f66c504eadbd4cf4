#include "recalculation.h"

#include "database/failure.h"
#include "records/coordsysdetails.h"
#include "values/geoidlist.h"

#include "geodesy/coordoperator.h"
#include "geodesy/coords.h"
#include "geodesy/coordsysparams.h"

#include <QDir>
#include <QStringRef>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace {

QString unusableSystem(const CCoordSysDetails& system)
{
    return QStringLiteral("Систему координат \"%1\" нельзя использовать для пересчета").arg(system.name);
}

// Why the geoid that the system's heights need cannot be given: a registry that did not read,
// a geoid not installed, or a file of it that does not read; empty when nothing is missing.
QString missingGeoid(const CCoordSysDetails& system, const CCoordSysInfo& info, const vexa::CCoordSysParams& params,
                     CGeoidList* geoids)
{
    const bool onGeoid = (info.type == 4 || info.type == 5) && info.vert_coordsys;
    if (!onGeoid || params.geoid)
        return QString();
    const std::string& id = info.vert_coordsys->geoid;
    if (geoids && !geoids->readFault().isEmpty())
        return unusableSystem(system) + QStringLiteral(": геоид \"%1\" недоступен. ").arg(QString::fromStdString(id))
               + geoids->readFault();
    if (!geoids || !geoids->containsId(id))
        return unusableSystem(system) + QStringLiteral(": не установлен геоид \"%1\"").arg(QString::fromStdString(id));
    const std::string& name = geoids->getEntries().at(id).Name;
    QString text = unusableSystem(system)
                   + QStringLiteral(": не загружен геоид \"%1\"").arg(QString::fromStdString(name.empty() ? id : name));
    CGeoidFault fault;
    geoids->getGeoid(id, &fault);
    if (!fault.reason.isEmpty())
        text += QStringLiteral(": файл \"%1\": %2")
                    .arg(QDir::toNativeSeparators(QString::fromStdString(geoids->filePath(fault.fileName))), fault.reason);
    return text;
}

// Rows per chunk of a parallel run, and the smallest list that is split.
constexpr int chunkRows = 2048;
constexpr int parallelRows = 2 * chunkRows;
// How often a parallel run tells its progress.
constexpr std::chrono::milliseconds progressPeriod(20);

// The trimmed cell as UTF-8 in buffer; an ASCII cell, the usual one, is copied without a
// conversion through a byte array.
std::string_view cellText(const QString& cell, std::string& buffer)
{
    const QStringRef text = cell.midRef(0).trimmed();
    buffer.resize(static_cast<std::size_t>(text.size()));
    for (int i = 0; i < text.size(); ++i) {
        const ushort c = text.at(i).unicode();
        if (c >= 0x80) {
            buffer = text.toUtf8().toStdString();
            break;
        }
        buffer[static_cast<std::size_t>(i)] = static_cast<char>(c);
    }
    return buffer;
}

QString cellFromText(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<int>(text.size()));
}

int hardwareThreads()
{
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

// The chunks of a parallel run: taken in order by the workers, so the chunks done form a
// prefix of the list once the workers have stopped.
class CChunkQueue
{
public:
    explicit CChunkQueue(int count) : m_count(count), m_done(static_cast<std::size_t>(count), false) {}

    // The next chunk, or -1 when none is left or the run is stopped.
    int take()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_stopped || m_next >= m_count)
            return -1;
        return m_next++;
    }

    void finish(int chunk)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_done[static_cast<std::size_t>(chunk)] = true;
        while (m_prefix < m_count && m_done[static_cast<std::size_t>(m_prefix)])
            ++m_prefix;
        m_changed.notify_all();
    }

    void stop()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopped = true;
    }

    // Waits up to the period for a chunk to be done; the chunks done in order.
    int waitPrefix(std::chrono::milliseconds period)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait_for(lock, period);
        return m_prefix;
    }

    int prefix()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_prefix;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    const int m_count;
    std::vector<bool> m_done;
    int m_next = 0;
    int m_prefix = 0;
    bool m_stopped = false;
};

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

void CRecalculationStats::count(CRowOutcome outcome)
{
    switch (outcome) {
    case CRowOutcome::WithoutCoords:
        ++withoutCoords;
        return;
    case CRowOutcome::WrongCoords:
        ++withCoords;
        ++wrongCoords;
        return;
    case CRowOutcome::Failed:
        ++withCoords;
        ++failed;
        return;
    case CRowOutcome::Recalculated:
        ++withCoords;
        ++recalculated;
        return;
    }
}

CRecalculationStats& CRecalculationStats::operator+=(const CRecalculationStats& other)
{
    withCoords += other.withCoords;
    withoutCoords += other.withoutCoords;
    wrongCoords += other.wrongCoords;
    recalculated += other.recalculated;
    failed += other.failed;
    aborted = aborted || other.aborted;
    return *this;
}

bool CRecalculationStats::operator==(const CRecalculationStats& other) const
{
    return withCoords == other.withCoords && withoutCoords == other.withoutCoords
        && wrongCoords == other.wrongCoords && recalculated == other.recalculated && failed == other.failed
        && aborted == other.aborted;
}

CRecalculationWorker::CRecalculationWorker(const CCoordSysInfo& source, const CCoordSysInfo& target,
                                           std::shared_ptr<vexa::CCoordOperator> coordOperator)
    : m_source(source), m_target(target), m_operator(std::move(coordOperator))
{
}

CRowOutcome CRecalculationWorker::recalculate(std::string_view text1, std::string_view text2,
                                              std::string_view text3, CCoordStrings& result)
{
    result.coord1.clear();
    result.coord2.clear();
    result.coord3.clear();
    if (text1.empty() && text2.empty() && text3.empty())
        return CRowOutcome::WithoutCoords;
    m_texts.coord1.assign(text1);
    m_texts.coord2.assign(text2);
    m_texts.coord3.assign(text3);
    vexa::CCoords point;
    if (!m_source.stringsToCoords(m_texts, point))
        return CRowOutcome::WrongCoords;
    if (!transform(point, result)) {
        result.coord1.clear();
        result.coord2.clear();
        result.coord3.clear();
        return CRowOutcome::Failed;
    }
    return CRowOutcome::Recalculated;
}

CPointRow CRecalculationWorker::recalculate(const CPointRow& row, CRecalculationStats& stats)
{
    std::string buffers[3];
    CCoordStrings output;
    const CRowOutcome outcome = recalculate(cellText(row.coord1, buffers[0]), cellText(row.coord2, buffers[1]),
                                            cellText(row.coord3, buffers[2]), output);
    stats.count(outcome);
    CPointRow result;
    result.name = row.name.trimmed();
    if (outcome != CRowOutcome::Recalculated)
        return result;
    result.coord1 = cellFromText(output.coord1);
    result.coord2 = cellFromText(output.coord2);
    result.coord3 = cellFromText(output.coord3);
    return result;
}

// An exception of a step fails this point only, and so does a result out of the target's range
// or one that its units cannot write.
bool CRecalculationWorker::transform(const vexa::CCoords& point, CCoordStrings& result)
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

CRecalculation::CRecalculation() : m_threadCount(hardwareThreads()) {}

CRecalculation::~CRecalculation() = default;

bool CRecalculation::prepare(const CCoordSysDetails& source, const CCoordSysDetails& target, CGeoidList* geoids,
                             QString* reason)
{
    m_worker.reset();
    m_stats = CRecalculationStats();
    m_from = vexa::CCoordSysParams();
    m_to = vexa::CCoordSysParams();
    vexa::CCoordSysParams from;
    vexa::CCoordSysParams to;
    if (!source.toInfo(m_source))
        return failWith(reason, unusableSystem(source));
    if (!target.toInfo(m_target))
        return failWith(reason, unusableSystem(target));
    if (!m_source.toCoordSysParams(from, geoids))
        return failWith(reason, unusableSystem(source));
    if (!m_target.toCoordSysParams(to, geoids))
        return failWith(reason, unusableSystem(target));
    const QString sourceGeoid = missingGeoid(source, m_source, from, geoids);
    if (!sourceGeoid.isEmpty())
        return failWith(reason, sourceGeoid);
    const QString targetGeoid = missingGeoid(target, m_target, to, geoids);
    if (!targetGeoid.isEmpty())
        return failWith(reason, targetGeoid);
    m_from = from;
    m_to = to;
    m_worker = createWorker();
    if (m_worker)
        return true;
    m_from = vexa::CCoordSysParams();
    m_to = vexa::CCoordSysParams();
    return failWith(reason, QStringLiteral("Пересчет из системы координат \"%1\" в систему координат \"%2\" невозможен")
                              .arg(source.name, target.name));
}

int CRecalculation::threadCount() const
{
    return m_threadCount;
}

void CRecalculation::setThreadCount(int count)
{
    m_threadCount = std::max(count, 1);
}

std::unique_ptr<CRecalculationWorker> CRecalculation::createWorker() const
{
    if (!m_from.isValid() || !m_to.isValid())
        return nullptr;
    std::shared_ptr<vexa::CCoordOperator> coordOperator = vexa::CCoordOperator::create(m_from, m_to);
    if (!coordOperator)
        return nullptr;
    return std::make_unique<CRecalculationWorker>(m_source, m_target, std::move(coordOperator));
}

CPointRow CRecalculation::recalculate(const CPointRow& row)
{
    if (!m_worker)
        m_worker = std::make_unique<CRecalculationWorker>(m_source, m_target, nullptr);
    return m_worker->recalculate(row, m_stats);
}

CPointRows CRecalculation::recalculate(const CPointRows& rows, const CPassProgress& progress)
{
    if (m_threadCount > 1 && rows.size() >= parallelRows)
        return recalculateInParallel(rows, progress);
    return recalculateSerially(rows, progress);
}

const CRecalculationStats& CRecalculation::stats() const
{
    return m_stats;
}

void CRecalculation::addStats(const CRecalculationStats& stats)
{
    m_stats += stats;
}

CPointRows CRecalculation::recalculateSerially(const CPointRows& rows, const CPassProgress& progress)
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

// The calling thread tells the progress while the workers run, and stops them when asked.
CPointRows CRecalculation::recalculateInParallel(const CPointRows& rows, const CPassProgress& progress)
{
    const int count = rows.size();
    const int chunkCount = (count + chunkRows - 1) / chunkRows;
    const int threads = std::min(m_threadCount, chunkCount);
    std::vector<std::unique_ptr<CRecalculationWorker>> workers;
    for (int i = 0; i < threads; ++i) {
        workers.push_back(createWorker());
        if (!workers.back())
            return recalculateSerially(rows, progress);
    }
    CPointRows results(count);
    CPointRow* const output = results.data();
    std::vector<CRecalculationStats> chunkStats(static_cast<std::size_t>(chunkCount));
    CChunkQueue queue(chunkCount);
    std::vector<std::thread> pool;
    for (const std::unique_ptr<CRecalculationWorker>& worker : workers) {
        pool.emplace_back([&, worker = worker.get()] {
            for (int chunk = queue.take(); chunk >= 0; chunk = queue.take()) {
                const int end = std::min(count, (chunk + 1) * chunkRows);
                CRecalculationStats stats;
                for (int row = chunk * chunkRows; row < end; ++row)
                    output[row] = worker->recalculate(rows.at(row), stats);
                chunkStats[static_cast<std::size_t>(chunk)] = stats;
                queue.finish(chunk);
            }
        });
    }
    for (int done = queue.prefix(); done < chunkCount; done = queue.waitPrefix(progressPeriod)) {
        if (!progress(std::min(count, done * chunkRows), count)) {
            queue.stop();
            break;
        }
    }
    for (std::thread& thread : pool)
        thread.join();
    const int doneChunks = queue.prefix();
    for (int chunk = 0; chunk < doneChunks; ++chunk)
        m_stats += chunkStats[static_cast<std::size_t>(chunk)];
    const int doneRows = std::min(count, doneChunks * chunkRows);
    if (doneRows < count) {
        m_stats.aborted = true;
        results.resize(doneRows);
    }
    progress(count, count);
    return results;
}
