#include "framepanel.h"
#include "ui_framepanel.h"

#include "browser/prompt.h"
#include "passprogress.h"
#include "pointline.h"
#include "textfiles.h"

#include "browser/dialogdatabaseselector.h"
#include "database/codetablestypes.h"
#include "database/novalue.h"
#include "database/tablecatalogue.h"
#include "database/validators.h"
#include "records/coordsysstorage.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>

namespace {

const QString pointsFolderKey = QStringLiteral("/Settings/LastPointsPath");
const QString pointsFilter = QStringLiteral("Text files (*.txt);;All files (*.*)");
const QString pointsSuffix = QStringLiteral("txt");
const QColor incorrectColour(255, 0, 0);

QRegularExpression wholeText(const std::string& pattern)
{
    return QRegularExpression(QRegularExpression::anchoredPattern(QString::fromStdString(pattern)));
}

// Degrees, minutes and optional seconds without sign, then a hemisphere letter.
std::string hemisphereRegExp(const char* letters)
{
    return std::string(R"(\d{1,3}\s+\d{1,2}(\s+\d{0,2}(\.\d*)?)?\s*[)") + letters + "]";
}

// A point file's lines hold a name and three coordinates; more fields are mostly numbers with a
// decimal comma among commas, or a column the list has no place for.
QString extraFieldsText(const CExtraFieldLines& extra)
{
    return QStringLiteral("Строк, в которых больше четырех полей: %1 (первая — строка %2).\n"
                          "Поля после четвертого не прочитаны: строка дает имя точки и три координаты.\n"
                          "Числа с десятичной запятой разделяйте точкой с запятой.")
        .arg(QString::number(extra.count), QString::number(extra.firstLine));
}

bool isCtrlOnly(const QKeyEvent* event)
{
    return event->modifiers() == Qt::ControlModifier;
}

} // namespace

FramePanel::FramePanel(bool left, QWidget* parent)
    : QFrame(parent)
    , ui(new Ui::FramePanel)
    , m_left(left)
    , m_code(NoValue)
    , m_settings(QCoreApplication::organizationName(), QCoreApplication::applicationName())
{
    ui->setupUi(this);
    ui->buttonCalculate->setEnabled(false);
    ui->tableWidgetPoints->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    ui->framePointsButtons->setLayoutDirection(Qt::LeftToRight);
    if (m_left) {
        ui->frameButtons->setLayoutDirection(Qt::LeftToRight);
        ui->buttonCalculate->setText(ui->buttonCalculate->text() + QChar(0x25BA));
    } else {
        ui->frameButtons->setLayoutDirection(Qt::RightToLeft);
        ui->buttonCalculate->setText(QChar(0x25C4) + ui->buttonCalculate->text());
    }
    setDefaultColumnPatterns();
    updateCoordsys();
    ui->tableWidgetPoints->installEventFilter(this);

    connect(ui->buttonSelectCoordsys, &QPushButton::clicked, this, &FramePanel::slotSelectCoordsys);
    connect(ui->buttonLoad, &QPushButton::clicked, this, &FramePanel::slotLoad);
    connect(ui->buttonSave, &QPushButton::clicked, this, &FramePanel::slotSave);
    connect(ui->buttonClear, &QPushButton::clicked, this, &FramePanel::slotClear);
    connect(ui->buttonCalculate, &QPushButton::clicked, this, &FramePanel::slotCalculate);
    connect(ui->tableWidgetPoints, &QTableWidget::cellChanged, this, &FramePanel::slotCellChanged);
    connect(ui->tableWidgetPoints, &QTableWidget::cellActivated, this, &FramePanel::slotCellActivated);
}

FramePanel::~FramePanel()
{
    delete ui;
}

bool FramePanel::isLeft() const
{
    return m_left;
}

int FramePanel::coordsysCode() const
{
    return m_code;
}

bool FramePanel::hasCoordsys() const
{
    return m_code != NoValue && m_coordSys.isValid();
}

bool FramePanel::updateCoordsys()
{
    ui->plainTextEdit->clear();
    setDefaultHeaderLabels();
    m_coordSys.clear();
    m_coordSysInfo.clear();
    const bool read = m_code != NoValue && readCoordSysDetails(m_code, m_coordSys);
    if (read) {
        m_coordSys.toInfo(m_coordSysInfo);
        QString title = m_coordSys.name;
        if (!m_coordSys.shortName.isEmpty())
            title += QStringLiteral("(") + m_coordSys.shortName + QStringLiteral(")");
        ui->plainTextEdit->setPlainText(title);
        ui->plainTextEdit->appendPlainText(m_coordSys.description);
        ui->tableWidgetPoints->setHorizontalHeaderLabels(
            {QStringLiteral("Имя точки"), m_coordSys.coord1Abbr, m_coordSys.coord2Abbr, m_coordSys.coord3Abbr});
    }
    return read;
}

void FramePanel::resetCoordsys()
{
    m_code = NoValue;
    updateCoordsys();
    emit signalCoordsysSelected();
}

void FramePanel::setCalculateEnabled(bool enabled)
{
    ui->buttonCalculate->setEnabled(enabled && hasCoordsys());
}

bool FramePanel::getCoordSysDetails(CCoordSysDetails& details) const
{
    return m_code != NoValue && readCoordSysDetails(m_code, details);
}

QStringList FramePanel::getPoints(bool skipEmpty) const
{
    QStringList lines;
    for (const CPointRow& row : getRows()) {
        const QStringList cells{row.name, row.coord1, row.coord2, row.coord3};
        if (skipEmpty && cells.join(QString()).isEmpty())
            continue;
        lines.append(joinPointLine(cells));
    }
    return lines;
}

CExtraFieldLines FramePanel::setPoints(const QStringList& lines, const QString& title)
{
    CPointRows rows;
    rows.reserve(lines.size());
    CExtraFieldLines extra;
    for (const QString& line : lines) {
        QStringList fields = splitPointLine(line);
        if (fields.size() > 4 && ++extra.count == 1)
            extra.firstLine = rows.size() + 1;
        while (fields.size() < 4)
            fields.append(QString());
        rows.append({fields.at(0), fields.at(1), fields.at(2), fields.at(3)});
    }
    setRows(rows, title);
    return extra;
}

CPointRows FramePanel::getRows() const
{
    CPointRows rows;
    rows.reserve(ui->tableWidgetPoints->rowCount());
    for (int row = 0; row < ui->tableWidgetPoints->rowCount(); ++row)
        rows.append({cellText(row, 0), cellText(row, 1), cellText(row, 2), cellText(row, 3)});
    return rows;
}

void FramePanel::setRows(const CPointRows& rows, const QString& title)
{
    clearPoints();
    if (rows.isEmpty())
        return;
    QTableWidget* table = ui->tableWidgetPoints;
    const int count = rows.size();
    table->setRowCount(count);
    table->blockSignals(true);
    CThrottledProgress progress(this, title, count);
    for (int row = 0; row < count; ++row) {
        if (!progress.step(row))
            break;
        if (row == count - 1)
            table->blockSignals(false);
        const CPointRow& cells = rows.at(row);
        table->setItem(row, 0, new QTableWidgetItem(cells.name));
        table->setItem(row, 1, new QTableWidgetItem(cells.coord1));
        table->setItem(row, 2, new QTableWidgetItem(cells.coord2));
        table->setItem(row, 3, new QTableWidgetItem(cells.coord3));
    }
    progress.finish();
    table->blockSignals(false);
}

bool FramePanel::validateRow(int row, RowFlags* flags, bool fillMissing)
{
    const QString texts[3] = {cellText(row, 1), cellText(row, 2), cellText(row, 3)};
    RowFlags valid{};
    if (m_coordSysInfo.isValid()) {
        for (int i = 0; i < 3; ++i) {
            double value = 0.0;
            valid[i] = m_coordSysInfo.readCoord(i, texts[i].toStdString(), value);
        }
    } else {
        for (int i = 0; i < 3; ++i) {
            if (!texts[i].isEmpty()) {
                valid[i] = matchesColumn(i + 1, texts[i]);
            } else if (i < 2 && fillMissing) {
                valid[i] = false;
                cellItem(row, i + 1)->setText(QStringLiteral("?"));
            } else {
                valid[i] = true;
            }
        }
    }
    if (flags)
        *flags = valid;
    return valid[0] && valid[1] && valid[2];
}

bool FramePanel::isRowEmpty(int row) const
{
    return cellText(row, 0).isEmpty() && allEmpty(cellText(row, 1), cellText(row, 2), cellText(row, 3));
}

void FramePanel::removeTrailingEmptyRows()
{
    QTableWidget* table = ui->tableWidgetPoints;
    const int rows = table->rowCount();
    if (rows < 2)
        return;
    int last = rows - 1;
    while (last > 0 && isRowEmpty(last))
        --last;
    const int count = last + 1;
    if (count == rows)
        return;
    if (table->currentRow() >= count)
        table->setCurrentCell(count - 1, table->currentColumn());
    table->setRowCount(count);
}

void FramePanel::clearPoints()
{
    ui->tableWidgetPoints->clearContents();
    ui->tableWidgetPoints->setRowCount(1);
    setPointsLabel(false);
}

void FramePanel::setPointsIncomplete()
{
    setPointsLabel(true);
}

bool FramePanel::isPointsIncomplete() const
{
    return m_pointsIncomplete;
}

void FramePanel::setCellNormal(int row, int column)
{
    setCellBrush(row, column, windowBrush());
}

void FramePanel::setCellIncorrect(int row, int column)
{
    setCellBrush(row, column, QBrush(incorrectColour));
}

void FramePanel::resetCellColours()
{
    QTableWidget* table = ui->tableWidgetPoints;
    table->blockSignals(true);
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < table->columnCount(); ++column)
            setCellNormal(row, column);
    }
    table->blockSignals(false);
}

bool FramePanel::isCellIncorrect(int row, int column) const
{
    const QTableWidgetItem* item = ui->tableWidgetPoints->item(row, column);
    return item && item->background().color() == incorrectColour;
}

void FramePanel::setDefaultHeaderLabels()
{
    QTableWidget* table = ui->tableWidgetPoints;
    table->setHorizontalHeaderLabels({QStringLiteral("Имя точки"), QString(), QString(), QString()});
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
}

void FramePanel::slotSelectCoordsys()
{
    guardSlot(this, [this] { selectCoordsys(); });
}

void FramePanel::slotLoad()
{
    guardSlot(this, [this] { loadPoints(); });
}

void FramePanel::slotSave()
{
    guardSlot(this, [this] { savePoints(); });
}

void FramePanel::slotClear()
{
    clearPoints();
}

void FramePanel::slotCalculate()
{
    emit signalCalculate(m_left);
}

void FramePanel::slotCellChanged(int row, int column)
{
    ui->tableWidgetPoints->resizeColumnToContents(column);
    if (column == 0 || !isCellIncorrect(row, column))
        return;
    RowFlags flags{};
    validateRow(row, &flags, false);
    for (int i = 0; i < 3; ++i) {
        if (flags[i])
            setCellNormal(row, i + 1);
        else
            setCellIncorrect(row, i + 1);
    }
}

void FramePanel::slotCellActivated(int, int column)
{
    ui->tableWidgetPoints->resizeColumnToContents(column);
}

void FramePanel::keyPressEvent(QKeyEvent* event)
{
    if (!handleCommandKey(event) && event->key() == Qt::Key_Down && !isCtrlOnly(event))
        appendRowBelowLast();
}

// The table may take some command keys for itself (Ctrl+Insert copies on some desktops), so
// they are taken before it sees them.
bool FramePanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->tableWidgetPoints && event->type() == QEvent::KeyPress)
        return handleCommandKey(static_cast<QKeyEvent*>(event));
    return QFrame::eventFilter(watched, event);
}

bool FramePanel::handleCommandKey(const QKeyEvent* event)
{
    if (!isCtrlOnly(event))
        return false;
    switch (event->key()) {
    case Qt::Key_Insert:
        insertRowBeforeCurrent();
        return true;
    case Qt::Key_Delete:
        removeCurrentRow();
        return true;
    case Qt::Key_N:
        countRows();
        return true;
    case Qt::Key_I:
        findWrongRows();
        return true;
    case Qt::Key_D:
        deleteWrongRows();
        return true;
    case Qt::Key_E:
        deleteEmptyRows();
        return true;
    case Qt::Key_U:
        emit signalSwap();
        return true;
    default:
        return false;
    }
}

void FramePanel::insertRowBeforeCurrent()
{
    const int row = ui->tableWidgetPoints->currentRow();
    if (row >= 0)
        ui->tableWidgetPoints->insertRow(row);
}

void FramePanel::removeCurrentRow()
{
    const int row = ui->tableWidgetPoints->currentRow();
    if (row >= 0)
        ui->tableWidgetPoints->removeRow(row);
}

void FramePanel::countRows()
{
    removeTrailingEmptyRows();
    resetCellColours();
    const int count = ui->tableWidgetPoints->rowCount();
    int emptyRows = 0;
    int wrongRows = 0;
    CThrottledProgress progress(this, QStringLiteral("Подсчет точек"), count);
    for (int row = 0; row < count && progress.step(row); ++row) {
        if (isRowEmpty(row))
            ++emptyRows;
        else if (markWrongRow(row))
            ++wrongRows;
    }
    progress.finish();
    prompt().information(nullptr, QStringLiteral("Подсчет числа строк"),
                         QString("Всего строк:\t\t%1\nПустых строк:\t\t%2\nНекорректных строк:\t%3")
                             .arg(count)
                             .arg(emptyRows)
                             .arg(wrongRows));
}

void FramePanel::findWrongRows()
{
    removeTrailingEmptyRows();
    resetCellColours();
    QTableWidget* table = ui->tableWidgetPoints;
    const int count = table->rowCount();
    int wrongRows = 0;
    CThrottledProgress progress(this, QStringLiteral("Поиск некорректных точек"), count);
    table->blockSignals(true);
    for (int row = 0; row < count && progress.step(row); ++row) {
        if (markWrongRow(row))
            ++wrongRows;
    }
    progress.finish();
    table->blockSignals(false);
    const QString title = QStringLiteral("Поиск некорректных строк");
    if (wrongRows == 0)
        prompt().information(nullptr, title, QStringLiteral("Некорректных строк не обнаружено"));
    else
        prompt().warning(nullptr, title, QStringLiteral("Обнаружено некорректных строк: %1").arg(wrongRows));
}

void FramePanel::deleteWrongRows()
{
    removeTrailingEmptyRows();
    const int count = ui->tableWidgetPoints->rowCount();
    QList<int> wrong;
    CThrottledProgress progress(this, QStringLiteral("Поиск некорректных точек"), count);
    for (int row = 0; row < count && progress.step(row); ++row) {
        if (!validateRow(row, nullptr, true))
            wrong.append(row);
    }
    progress.finish();
    if (wrong.isEmpty())
        prompt().information(nullptr, QStringLiteral("Удаление некорректных строк"),
                             QStringLiteral("Некорректных строк не обнаружено"));
    else
        removeRowsConfirmed(wrong, QStringLiteral("Обнаружено некорректных строк: "));
    resetCellColours();
}

void FramePanel::deleteEmptyRows()
{
    QList<int> empty;
    for (int row = 0; row < ui->tableWidgetPoints->rowCount(); ++row) {
        if (isRowEmpty(row))
            empty.append(row);
    }
    if (empty.isEmpty())
        prompt().information(nullptr, QStringLiteral("Удаление пустых строк"),
                             QStringLiteral("Пустых строк не обнаружено"));
    else
        removeRowsConfirmed(empty, QStringLiteral("Обнаружено пустых строк: "));
}

void FramePanel::appendRowBelowLast()
{
    QTableWidget* table = ui->tableWidgetPoints;
    const int rows = table->rowCount();
    if (table->currentRow() != rows - 1)
        return;
    table->setRowCount(rows + 1);
    table->setCurrentCell(rows, qMax(table->currentColumn(), 0));
}

// Validates the row with missing coordinates filled and colours its wrong coordinates; true
// when the row is wrong.
bool FramePanel::markWrongRow(int row)
{
    RowFlags flags{};
    if (validateRow(row, &flags, true))
        return false;
    for (int i = 0; i < 3; ++i) {
        if (!flags[i])
            setCellIncorrect(row, i + 1);
    }
    return true;
}

// Asks, then removes the rows (in ascending order); the last row left is emptied instead of
// removed. The current cell moves up with the rows removed above it.
void FramePanel::removeRowsConfirmed(const QList<int>& rows, const QString& what)
{
    const QMessageBox::StandardButton answer = prompt().warning(
        nullptr, QStringLiteral("Подтвердите удаление"), what + QString::number(rows.size()) + QStringLiteral(".\nУдалить? "),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer != QMessageBox::Yes)
        return;
    QTableWidget* table = ui->tableWidgetPoints;
    const int currentRow = table->currentRow();
    const int currentColumn = table->currentColumn();
    int newCurrentRow = currentRow;
    for (auto row = rows.crbegin(); row != rows.crend(); ++row) {
        if (*row <= newCurrentRow && newCurrentRow > 0)
            --newCurrentRow;
        if (table->rowCount() >= 2) {
            table->removeRow(*row);
            continue;
        }
        for (int column = 0; column < table->columnCount(); ++column) {
            if (QTableWidgetItem* item = table->item(*row, column))
                item->setText(QString());
        }
    }
    if (newCurrentRow != currentRow)
        table->setCurrentCell(newCurrentRow, currentColumn);
}

void FramePanel::selectCoordsys()
{
    const int key = DialogDatabaseSelector::selectCode(TableCoordSys, false, m_code);
    if (key == NoValue) {
        if (updateCoordsys())
            emit signalCoordsysSelected();
        return;
    }
    m_code = key;
    if (!updateCoordsys()) {
        prompt().warning(nullptr, QStringLiteral("Ошибка"), QStringLiteral("Выбранная система координат некорректна"));
        emit signalCoordsysSelected();
        return;
    }
    emit signalCoordsysSelected();
}

void FramePanel::loadPoints()
{
    const QString fileName = prompt().getOpenFileName(this, QStringLiteral("Загрузить точки"), lastPointsFolder(),
                                                      pointsFilter, pointsSuffix);
    if (fileName.isEmpty())
        return;
    QString text;
    QString error;
    if (!readTextFile(fileName, text, &error)) {
        prompt().warning(this, QStringLiteral("Ошибка"), error);
        return;
    }
    const CExtraFieldLines extra = setPoints(textLines(text), QString());
    storePointsFolder(fileName);
    if (extra.count > 0)
        prompt().warning(this, QStringLiteral("Предупреждение"), extraFieldsText(extra));
}

void FramePanel::savePoints()
{
    const QStringList lines = getPoints(true);
    if (lines.isEmpty())
        return;
    const QString fileName = prompt().getSaveFileName(this, QStringLiteral("Сохранить точки"), lastPointsFolder(),
                                                      pointsFilter, pointsSuffix);
    if (fileName.isEmpty())
        return;
    QString error;
    if (!writeTextFile(fileName, lines.join(QLatin1Char('\n')) + QLatin1Char('\n'), &error)) {
        prompt().warning(this, QStringLiteral("Ошибка"), error);
        return;
    }
    storePointsFolder(fileName);
}

// The patterns of a panel without a usable system: numbers, degrees-minutes-seconds and
// hemisphere forms in the first two columns.
void FramePanel::setDefaultColumnPatterns()
{
    const std::string number = numberRegExp(false);
    m_patterns[0] = {wholeText(number), wholeText(angleRegExp(AngleFormatDms)), wholeText(hemisphereRegExp("NnSs"))};
    m_patterns[1] = {wholeText(number), wholeText(angleRegExp(AngleFormatDms)), wholeText(hemisphereRegExp("EeWw"))};
    m_patterns[2] = {wholeText(number)};
}

void FramePanel::setPointsLabel(bool incomplete)
{
    m_pointsIncomplete = incomplete;
    ui->label_2->setText(incomplete ? QStringLiteral("Точки (пересчет прерван: список неполный)") : QStringLiteral("Точки"));
}

QString FramePanel::cellText(int row, int column) const
{
    const QTableWidgetItem* item = ui->tableWidgetPoints->item(row, column);
    return item ? item->text().trimmed() : QString();
}

QTableWidgetItem* FramePanel::cellItem(int row, int column)
{
    QTableWidgetItem* item = ui->tableWidgetPoints->item(row, column);
    if (!item) {
        item = new QTableWidgetItem();
        ui->tableWidgetPoints->setItem(row, column, item);
    }
    return item;
}

void FramePanel::setCellBrush(int row, int column, const QBrush& brush)
{
    cellItem(row, column)->setBackground(brush);
}

bool FramePanel::matchesColumn(int column, const QString& text) const
{
    const QString pointed = QString(text).replace(QLatin1Char(','), QLatin1Char('.'));
    for (const QRegularExpression& pattern : m_patterns[column - 1]) {
        if (pattern.match(pointed).hasMatch())
            return true;
    }
    return false;
}

QString FramePanel::lastPointsFolder() const
{
    return m_settings.value(pointsFolderKey, QString()).toString();
}

void FramePanel::storePointsFolder(const QString& fileName)
{
    m_settings.setValue(pointsFolderKey, QFileInfo(fileName).absolutePath());
}
