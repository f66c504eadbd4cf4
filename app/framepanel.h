#pragma once

#include "pointrow.h"

#include "records/coordsysdetails.h"
#include "values/coordsysinfo.h"

#include <QFrame>
#include <QList>
#include <QRegularExpression>
#include <QSettings>
#include <QStringList>

#include <array>
#include <memory>

class QBrush;
class QKeyEvent;
class QTableWidgetItem;

namespace Ui {
class FramePanel;
}

// The lines given to a point list that hold more fields than a row takes: how many, and the
// number (counting from 1) of the first.
struct CExtraFieldLines {
    int count = 0;
    int firstLine = 0;
};

// One half of the main window: a coordinate system and a table of points (a name and three
// coordinates) with checks of the coordinates, point files and keyboard commands.
class FramePanel : public QFrame
{
    Q_OBJECT

public:
    using RowFlags = std::array<bool, 3>;

    FramePanel(bool left, QWidget* parent = nullptr);
    ~FramePanel() override;

    bool isLeft() const;
    int coordsysCode() const;
    // True when a coordinate system is chosen and was read.
    bool hasCoordsys() const;

    // Re-reads the chosen coordinate system; true when it was read.
    bool updateCoordsys();
    // No coordinate system; emits signalCoordsysSelected().
    void resetCoordsys();
    // The calculate button is enabled only while the panel has its coordinate system.
    void setCalculateEnabled(bool enabled);
    bool getCoordSysDetails(CCoordSysDetails& details) const;

    // One line per row, the trimmed cells joined as point files hold them (joinPointLine).
    QStringList getPoints(bool skipEmpty) const;
    // Fills the table with a row per line from the line's first four fields; the lines that
    // hold more are counted.
    CExtraFieldLines setPoints(const QStringList& lines, const QString& title);
    // The rows as their trimmed cells.
    CPointRows getRows() const;
    // Fills the table with one row per entry; its signals are blocked but for the last row.
    void setRows(const CPointRows& rows, const QString& title);

    // True when the row's coordinates fit the coordinate system: read by the same reader as the
    // recalculation. With fillMissing and no usable system, empty first and second coordinates
    // are wrong and get "?".
    bool validateRow(int row, RowFlags* flags, bool fillMissing);
    bool isRowEmpty(int row) const;
    void removeTrailingEmptyRows();
    void clearPoints();
    // Marks the list as a part: a recalculation into it was stopped. Filling or clearing the
    // list takes the mark away.
    void setPointsIncomplete();
    bool isPointsIncomplete() const;

    void setCellNormal(int row, int column);
    void setCellIncorrect(int row, int column);
    void resetCellColours();
    bool isCellIncorrect(int row, int column) const;
    void setDefaultHeaderLabels();

signals:
    void signalCalculate(bool left);
    void signalSwap();
    void signalCoordsysSelected();

public slots:
    void slotSelectCoordsys();
    void slotLoad();
    void slotSave();
    void slotClear();
    void slotCalculate();
    void slotCellChanged(int row, int column);
    void slotCellActivated(int row, int column);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool handleCommandKey(const QKeyEvent* event);
    void insertRowBeforeCurrent();
    void removeCurrentRow();
    void countRows();
    void findWrongRows();
    void deleteWrongRows();
    void deleteEmptyRows();
    void appendRowBelowLast();
    bool markWrongRow(int row);
    void removeRowsConfirmed(const QList<int>& rows, const QString& what);

    void selectCoordsys();
    void loadPoints();
    void savePoints();
    void setDefaultColumnPatterns();
    void setPointsLabel(bool incomplete);
    QString cellText(int row, int column) const;
    QTableWidgetItem* cellItem(int row, int column);
    void setCellBrush(int row, int column, const QBrush& brush);
    bool matchesColumn(int column, const QString& text) const;
    QString lastPointsFolder() const;
    void storePointsFolder(const QString& fileName);

    Ui::FramePanel* ui;
    const bool m_left;
    int m_code;
    QSettings m_settings;
    std::array<QList<QRegularExpression>, 3> m_patterns;
    CCoordSysDetails m_coordSys;
    CCoordSysInfo m_coordSysInfo;
    bool m_pointsIncomplete = false;
};
