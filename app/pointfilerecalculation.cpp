#include "pointfilerecalculation.h"

#include "pointline.h"
#include "recalculation.h"
#include "textfiles.h"

#include <QFileInfo>
#include <QTextCodec>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace {

// Blocks grow a line at a time in a QByteArray, which holds less than 2 GiB.
constexpr qint64 largestBlockBytes = 256 * 1024 * 1024;

// A block of whole lines and what became of them.
struct CBlock {
    QByteArray input;
    std::string output;
    CRecalculationStats stats;
    // False when a line is not valid UTF-8 and the file is read as UTF-8.
    bool decoded = true;
};

enum class CPassResult {
    Done,
    NotUtf8,
    Failed
};

bool isAscii(std::string_view line)
{
    for (const char c : line) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

// The usual line: ASCII, read without a conversion to QString.
void recalculateAsciiLine(CRecalculationWorker& worker, std::string_view line, CPointCells& cells,
                          CCoordStrings& result, CBlock& block)
{
    splitPointLine(line, cells);
    const CRowOutcome outcome = worker.recalculate(cells.cells[1], cells.cells[2], cells.cells[3], result);
    block.stats.count(outcome);
    if (cells.cells[0].empty() && outcome != CRowOutcome::Recalculated)
        return;
    appendPointLine(block.output, {cells.cells[0], result.coord1, result.coord2, result.coord3});
    block.output += '\n';
}

// A line with other characters goes the panel's way; false when it is not in the codec.
bool recalculateTextLine(CRecalculationWorker& worker, std::string_view line, const QTextCodec* codec,
                         bool strict, CBlock& block)
{
    QTextCodec::ConverterState state;
    const QString text = codec->toUnicode(line.data(), static_cast<int>(line.size()), &state);
    if (strict && (state.invalidChars != 0 || state.remainingChars != 0))
        return false;
    QStringList fields = splitPointLine(text);
    while (fields.size() < 4)
        fields.append(QString());
    const CPointRow row = worker.recalculate({fields.at(0), fields.at(1), fields.at(2), fields.at(3)}, block.stats);
    const QStringList cells{row.name, row.coord1, row.coord2, row.coord3};
    if (cells.join(QString()).isEmpty())
        return true;
    block.output += joinPointLine(cells).toUtf8().toStdString();
    block.output += '\n';
    return true;
}

void recalculateBlock(CRecalculationWorker& worker, const QTextCodec* codec, bool strict, CBlock& block)
{
    block.output.clear();
    block.output.reserve(static_cast<std::size_t>(block.input.size()) * 3 / 2);
    block.stats = CRecalculationStats();
    block.decoded = true;
    CPointCells cells;
    CCoordStrings result;
    std::string_view rest(block.input.constData(), static_cast<std::size_t>(block.input.size()));
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (isAscii(line)) {
            recalculateAsciiLine(worker, line, cells, result, block);
        } else if (!recalculateTextLine(worker, line, codec, strict, block)) {
            block.decoded = false;
            return;
        }
    }
}

// One pass over the file in one encoding. The calling thread reads blocks and writes them in
// their order; the workers, no more than the file has blocks, take the blocks read and
// recalculate them meanwhile, each with its own operator. At most a few blocks a worker are held
// at once.
class CFilePass
{
public:
    CFilePass(const CRecalculation& recalculation, const QString& sourcePath, const QString& targetPath,
              bool windows1251, qint64 blockBytes)
        : m_reader(sourcePath)
        , m_writer(targetPath)
        , m_codec(QTextCodec::codecForName(windows1251 ? "Windows-1251" : "UTF-8"))
        , m_strict(!windows1251)
        , m_blockBytes(blockBytes)
    {
        const qint64 blocks = QFileInfo(sourcePath).size() / m_blockBytes + 1;
        const int threads = static_cast<int>(std::min<qint64>(recalculation.threadCount(), blocks));
        for (int i = 0; i < threads; ++i)
            m_workers.push_back(recalculation.createWorker());
        m_slots.resize(m_workers.size() * slotsPerWorker);
    }

    ~CFilePass()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_finished = true;
        }
        m_queued.notify_all();
        for (std::thread& thread : m_pool)
            thread.join();
    }

    CFilePass(const CFilePass&) = delete;
    CFilePass& operator=(const CFilePass&) = delete;

    CPassResult run(CRecalculationStats& stats, QString* error)
    {
        for (const std::unique_ptr<CRecalculationWorker>& worker : m_workers) {
            if (!worker)
                return CPassResult::Failed;
        }
        if (!m_reader.open(error) || !m_writer.open(error))
            return CPassResult::Failed;
        const CPassResult result = m_workers.size() == 1 ? runHere(stats, error) : runOnWorkers(stats, error);
        if (result != CPassResult::Done)
            return result;
        return m_writer.commit(error) ? CPassResult::Done : CPassResult::Failed;
    }

private:
    static constexpr std::size_t slotsPerWorker = 3;

    // A block in its slot: read, then recalculated by a worker, then written.
    struct CSlot {
        CBlock block;
        bool done = false;
    };

    CPassResult runHere(CRecalculationStats& stats, QString* error)
    {
        CBlock& block = m_slots.front().block;
        while (m_reader.read(block.input, m_blockBytes, error)) {
            recalculateBlock(*m_workers.front(), m_codec, m_strict, block);
            const CPassResult result = write(block, stats, error);
            if (result != CPassResult::Done)
                return result;
        }
        return m_reader.failed() ? CPassResult::Failed : CPassResult::Done;
    }

    CPassResult runOnWorkers(CRecalculationStats& stats, QString* error)
    {
        for (const std::unique_ptr<CRecalculationWorker>& worker : m_workers)
            m_pool.emplace_back([this, worker = worker.get()] { work(*worker); });
        std::size_t readCount = 0;
        std::size_t writtenCount = 0;
        bool atEnd = false;
        while (!atEnd || writtenCount < readCount) {
            if (!atEnd && readCount - writtenCount < m_slots.size()) {
                CSlot& slot = slotOf(readCount);
                atEnd = !m_reader.read(slot.block.input, m_blockBytes, error);
                if (m_reader.failed())
                    return CPassResult::Failed;
                if (!atEnd)
                    queue(readCount++);
                continue;
            }
            CSlot& slot = slotOf(writtenCount);
            waitUntilDone(slot);
            const CPassResult result = write(slot.block, stats, error);
            if (result != CPassResult::Done)
                return result;
            ++writtenCount;
        }
        return CPassResult::Done;
    }

    CSlot& slotOf(std::size_t sequence)
    {
        return m_slots[sequence % m_slots.size()];
    }

    void queue(std::size_t sequence)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            slotOf(sequence).done = false;
            m_queue.push_back(sequence);
        }
        m_queued.notify_one();
    }

    void waitUntilDone(CSlot& slot)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_recalculated.wait(lock, [&slot] { return slot.done; });
    }

    void work(CRecalculationWorker& worker)
    {
        while (true) {
            std::size_t sequence = 0;
            {
                std::unique_lock<std::mutex> lock(m_mutex);
                m_queued.wait(lock, [this] { return m_finished || !m_queue.empty(); });
                if (m_queue.empty())
                    return;
                sequence = m_queue.front();
                m_queue.pop_front();
            }
            CSlot& slot = slotOf(sequence);
            recalculateBlock(worker, m_codec, m_strict, slot.block);
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                slot.done = true;
            }
            m_recalculated.notify_all();
        }
    }

    CPassResult write(const CBlock& block, CRecalculationStats& stats, QString* error)
    {
        if (!block.decoded)
            return CPassResult::NotUtf8;
        stats += block.stats;
        const bool written = m_writer.write(block.output.data(), static_cast<qint64>(block.output.size()), error);
        return written ? CPassResult::Done : CPassResult::Failed;
    }

    CLineBlockReader m_reader;
    CTextFileWriter m_writer;
    const QTextCodec* m_codec;
    const bool m_strict;
    const qint64 m_blockBytes;
    std::vector<std::unique_ptr<CRecalculationWorker>> m_workers;
    std::vector<CSlot> m_slots;
    std::vector<std::thread> m_pool;
    std::mutex m_mutex;
    std::condition_variable m_queued;
    std::condition_variable m_recalculated;
    std::deque<std::size_t> m_queue;
    bool m_finished = false;
};

} // namespace

bool recalculatePointFile(CRecalculation& recalculation, const QString& sourcePath, const QString& targetPath,
                          QString* error, qint64 blockBytes)
{
    blockBytes = std::clamp<qint64>(blockBytes, 1, largestBlockBytes);
    CRecalculationStats stats;
    CPassResult result = CFilePass(recalculation, sourcePath, targetPath, false, blockBytes).run(stats, error);
    if (result == CPassResult::NotUtf8) {
        stats = CRecalculationStats();
        result = CFilePass(recalculation, sourcePath, targetPath, true, blockBytes).run(stats, error);
    }
    if (result != CPassResult::Done)
        return false;
    recalculation.addStats(stats);
    return true;
}
