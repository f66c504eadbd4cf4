#pragma once

#include <QFrame>
#include <QMap>
#include <QString>

class QLineEdit;
class QSqlRecord;
class QToolButton;

namespace Ui {
class FrameExport;
}

// Where a definition is exported, and the code it has there.
enum ExportDestination {
    ExportEpsg = 1,
    ExportMapInfo = 2
};

// The export codes of a definition, one table row per destination: the code typed or picked
// from the destination's reference table, and the name that table gives it.
class FrameExport : public QFrame
{
    Q_OBJECT

public:
    struct Row {
        // The reference table; 0 for no row.
        int tableId = 0;
        QLineEdit* editCode = nullptr;
        QToolButton* buttonSelect = nullptr;
        QToolButton* buttonClear = nullptr;
        // The row of the table; -1 for none.
        int row = -1;
    };

    explicit FrameExport(QWidget* parent);
    ~FrameExport() override;

    // One call after construction: the destinations and their reference table ids.
    void setDestinationEpsg(int epsgTableId);
    void setDestinationsEpsgMapInfo(int epsgTableId, int mapInfoTableId);
    void setDestinations(const QMap<int, int>& referenceTables);

    // Shows the code and looks its name up; false when the destination has no row.
    bool setCode(int destination, int code);
    // The code, NoValue when the field is empty; false, with the code untouched, when the
    // destination has no row or the field holds no number.
    bool readCode(int destination, int* code) const;
    // Shows the codes of a stored row: a non-empty "epsg" for EPSG, a non-empty "mapinfo" for
    // MapInfo. True when one of them was shown.
    bool setStoredCodes(const QSqlRecord& row);
    // The code that readCode gives; NoValue when it fails.
    int code(int destination) const;
    // A copy of the destination's row; an empty row when it has none.
    Row row(int destination) const;
    // Empties every code and name; the rows stay.
    void clear();

    static QString destinationLabel(int destination);

private slots:
    void slotSelect();
    void slotEntered();
    void slotClear();

private:
    void addRow(int destination, int tableId);
    void adjustTableHeight();
    // The row of the sending widget's destination; null when there is none.
    const Row* senderRow() const;
    void showName(const Row& row, const QString& name);

    Ui::FrameExport* ui;
    QMap<int, Row> m_rows;
};
