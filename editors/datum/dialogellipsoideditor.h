#pragma once

#include <QDialog>
#include <QVariantList>

class CEllipsoidDetails;
class FrameDatabasePicker;
class FrameExport;
class FrameGeneralInfo;

namespace Ui {
class DialogEllipsoidEditor;
}

// An ellipsoid: the semi-major axis and the shape, given by the semi-minor axis, by the
// inverse flattening or as a sphere, in a linear unit.
class DialogEllipsoidEditor : public QDialog
{
    Q_OBJECT

public:
    DialogEllipsoidEditor(int key, QWidget* parent = nullptr);
    ~DialogEllipsoidEditor() override;

    // The key of the new record; NoValue when cancelled or failed.
    static int Create();
    static bool Edit(int key);
    // False when datums or coordinate systems use the ellipsoid (they are shown) or the
    // delete fails.
    static bool Erase(int key);
    static bool ReadDetails(int key, CEllipsoidDetails& ellipsoid);
    static int FindDetails(const CEllipsoidDetails& ellipsoid);
    static int InsertDetails(const CEllipsoidDetails& ellipsoid, bool asCopy);

    int key() const;

public slots:
    void slotSave();
    void slotCancel();
    void slotParameterSwitch(bool checked);
    void slotLengthUnitSelected(int key);
    void slotLengthUnitTouched(bool reread);
    void slotShowExportStateChanged(int state);

private:
    void setupFrames();
    void clear();
    void load();
    void showUnit();
    void showUnitName();
    void slotLengthUnitCleared();
    // The first warning the inputs give; empty when they can be stored.
    QString checkParameters() const;
    // Name, description, a, b, f, the two flags, unit key, EPSG and MapInfo codes.
    QVariantList columnValues() const;
    bool save();

    Ui::DialogEllipsoidEditor* ui;
    FrameGeneralInfo* m_generalInfo = nullptr;
    FrameDatabasePicker* m_unitPicker = nullptr;
    FrameExport* m_export = nullptr;
    int m_key;
    int m_unitKey;
};
