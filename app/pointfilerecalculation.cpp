#include "pointfilerecalculation.h"

#include "pointline.h"
#include "recalculation.h"
#include "textfiles.h"

#include <QTextCodec>

#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace {

constexpr qint64 blockBytes = 512 * 1024;

// A block of whole lines and what became of them.
struct CBlock {
    QByteArray input;
    std::string output;
    CRecalculationStats stats;
    // False when a line is not valid UTF-8 and the file is read as UTF-8.
    bool decoded = true;
};

using CBatch = std::vector<CBlock>;

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

// One pass over the file in one encoding: blocks are recalculated on the workers while the
// calling thread writes the blocks before them and reads those after them.
class CFilePass
{
public:
    CFilePass(const CRecalculation& recalculation, const QString& sourcePath, const QString& targetPath,
              bool windows1251)
        : m_reader(sourcePath)
        , m_writer(targetPath)
        , m_codec(QTextCodec::codecForName(windows1251 ? "Windows-1251" : "UTF-8"))
        , m_strict(!windows1251)
    {
        for (int i = 0; i < recalculation.threadCount(); ++i)
            m_workers.push_back(recalculation.createWorker());
    }

    CPassResult run(CRecalculationStats& stats, QString* error)
    {
        for (const std::unique_ptr<CRecalculationWorker>& worker : m_workers) {
            if (!worker)
                return CPassResult::Failed;
        }
        if (!m_reader.open(error) || !m_writer.open(error))
            return CPassResult::Failed;
        const std::size_t width = m_workers.size();
        CBatch current(width);
        CBatch previous(width);
        CBatch next(width);
        std::size_t count = readBatch(current, error);
        std::size_t previousCount = 0;
        while (count > 0) {
            const bool written = recalculateWhileMoving(current, count, previous, previousCount, next, error);
            if (!written || m_reader.failed())
                return CPassResult::Failed;
            for (std::size_t i = 0; i < count; ++i) {
                if (!current[i].decoded)
                    return CPassResult::NotUtf8;
                stats += current[i].stats;
            }
            std::swap(previous, current);
            previousCount = count;
            std::swap(current, next);
            count = m_nextCount;
        }
        if (!writeBatch(previous, previousCount, error) || !m_writer.commit(error))
            return CPassResult::Failed;
        return CPassResult::Done;
    }

private:
    std::size_t readBatch(CBatch& batch, QString* error)
    {
        std::size_t count = 0;
        while (count < batch.size() && m_reader.read(batch[count].input, blockBytes, error))
            ++count;
        return count;
    }

    bool writeBatch(const CBatch& batch, std::size_t count, QString* error)
    {
        for (std::size_t i = 0; i < count; ++i) {
            const std::string& output = batch[i].output;
            if (!m_writer.write(output.data(), static_cast<qint64>(output.size()), error))
                return false;
        }
        return true;
    }

    // With one worker the block is recalculated in the calling thread, before any file work.
    bool recalculateWhileMoving(CBatch& current, std::size_t count, const CBatch& previous,
                                std::size_t previousCount, CBatch& next, QString* error)
    {
        std::vector<std::thread> pool;
        for (std::size_t i = 0; i < count; ++i) {
            if (m_workers.size() == 1)
                recalculateBlock(*m_workers[i], m_codec, m_strict, current[i]);
            else
                pool.emplace_back([this, &current, i] { recalculateBlock(*m_workers[i], m_codec, m_strict, current[i]); });
        }
        const bool written = writeBatch(previous, previousCount, error);
        m_nextCount = written ? readBatch(next, error) : 0;
        for (std::thread& thread : pool)
            thread.join();
        return written;
    }

    CLineBlockReader m_reader;
    CTextFileWriter m_writer;
    const QTextCodec* m_codec;
    const bool m_strict;
    std::vector<std::unique_ptr<CRecalculationWorker>> m_workers;
    std::size_t m_nextCount = 0;
};

} // namespace

bool recalculatePointFile(CRecalculation& recalculation, const QString& sourcePath, const QString& targetPath,
                          QString* error)
{
    CRecalculationStats stats;
    CPassResult result = CFilePass(recalculation, sourcePath, targetPath, false).run(stats, error);
    if (result == CPassResult::NotUtf8) {
        stats = CRecalculationStats();
        result = CFilePass(recalculation, sourcePath, targetPath, true).run(stats, error);
    }
    if (result != CPassResult::Done)
        return false;
    recalculation.addStats(stats);
    return true;
}
