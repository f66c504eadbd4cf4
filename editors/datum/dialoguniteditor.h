#pragma once

#include <QDialog>
#include <QVariantList>

class CUnitDetails;
class FrameDatabasePicker;
class FrameExport;
class FrameGeneralInfo;
class QLineEdit;

namespace Ui {
class DialogUnitEditor;
}

// A unit of measure of one of the three unit tables (1 length, 2 angle, 3 scale): a pair of
// factors "factor_b base units = factor_c of this unit", and for angular units an angle format.
class DialogUnitEditor : public QDialog
{
    Q_OBJECT

public:
    // Throws std::invalid_argument for a table id other than 1, 2 or 3.
    DialogUnitEditor(int tableId, int key, QWidget* parent = nullptr);
    ~DialogUnitEditor() override;

    // The key of the new unit; NoValue when cancelled or failed.
    static int Create(int tableId);
    static bool Edit(int tableId, int key);
    // False when records use the unit (they are shown) or the delete fails.
    static bool Erase(int tableId, int key);
    static bool ReadDetails(int tableId, int key, CUnitDetails& unit);
    static int FindDetails(const CUnitDetails& unit);
    static int InsertDetails(const CUnitDetails& unit, bool asCopy);

    int key() const;

public slots:
    void slotSave();
    void slotCancel();
    void slotInsertUnitNotation();
    void slotSelectAngularUnitFormat(int code);
    void slotShowExportStateChanged(int state);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void initWidgets();
    void initExport();
    void clear();
    void load();
    // Name, description, short name, the factors, format, EPSG and MapInfo codes.
    QVariantList columnValues() const;
    bool save();
    void showFactor(QLineEdit* edit, double factor);

    Ui::DialogUnitEditor* ui;
    FrameGeneralInfo* m_generalInfo = nullptr;
    FrameDatabasePicker* m_formatPicker = nullptr;
    FrameExport* m_export = nullptr;
    const int m_tableId;
    int m_key;
    // The "format" column as a save writes it: the stored value until a format is picked, NULL
    // for none.
    QVariant m_angleFormat;
};
