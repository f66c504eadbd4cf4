#pragma once

#include <QDialog>
#include <QVariantList>

class CPrimeMeridianDetails;
class FrameDatabasePicker;
class FrameExport;
class FrameGeneralInfo;

namespace Ui {
class DialogPrimeMeridianEditor;
}

// A prime meridian: its longitude as text in the angle format of its angular unit.
class DialogPrimeMeridianEditor : public QDialog
{
    Q_OBJECT

public:
    DialogPrimeMeridianEditor(int key, QWidget* parent = nullptr);
    ~DialogPrimeMeridianEditor() override;

    // The key of the new record; NoValue when cancelled or failed.
    static int Create();
    static bool Edit(int key);
    // False when coordinate systems use the prime meridian (they are shown) or the delete fails.
    static bool Erase(int key);
    static bool ReadDetails(int key, CPrimeMeridianDetails& meridian);
    static int FindDetails(const CPrimeMeridianDetails& meridian);
    static int InsertDetails(const CPrimeMeridianDetails& meridian, bool asCopy);

    int key() const;

public slots:
    void slotSave();
    void slotCancel();
    void slotAngleUnitSelected(int key);
    void slotShowExportStateChanged(int state);

private:
    void setupFrames();
    void clear();
    void load();
    void showUnit();
    void showUnitName();
    // The longitude input checks the pattern of the unit's angle format, or plain decimals when
    // the unit has none. The text is kept; the save refuses one that does not fit.
    void applyUnitValidator();
    void slotUnitCleared();
    // The warning for a longitude text that its unit cannot read or that lies beyond 180° east or
    // west; empty when it fits.
    QString checkLongitudeFitsUnit() const;
    // Name, description, longitude text, unit key and EPSG code.
    QVariantList columnValues() const;
    bool save();

    Ui::DialogPrimeMeridianEditor* ui;
    FrameGeneralInfo* m_generalInfo = nullptr;
    FrameDatabasePicker* m_unitPicker = nullptr;
    FrameExport* m_export = nullptr;
    int m_key;
    int m_unitKey;
};
