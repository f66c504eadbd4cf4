#pragma once

#include "database/novalue.h"

#include <QDialog>
#include <QVector>

namespace Ui {
class DialogDatumEditor;
}

class FrameDatabasePicker;
class FrameExport;
class FrameExtra;
class FrameGeneralInfo;
struct DependencyItem;

// Edits one datum: its name, ellipsoid, shift to WGS 84, export codes and the extra
// transformations it owns. The dialog runs inside a savepoint, so a cancel also undoes what
// the extra frame's editors wrote.
class DialogDatumEditor : public QDialog
{
    Q_OBJECT

public:
    explicit DialogDatumEditor(int key, QWidget* parent = nullptr);
    ~DialogDatumEditor() override;

    // The key of the new datum; NoValue when cancelled.
    static int Create();
    // True when the datum was saved.
    static bool Edit(int key);
    // Deletes the datum with the shifts and transform lists it owns and its shift to WGS 84
    // when no other datum uses it, all in one savepoint. Refused, with the dependents listed,
    // while coordinate systems use the datum, other datums use a shift it owns or its shift
    // to WGS 84 is owned by another datum.
    static bool Erase(int key);
    // Appends the records that keep the datum from being erased; their number, -1 when a
    // statement fails.
    static int CollectDependents(int key, QVector<DependencyItem>& items);

    int key() const;

private slots:
    void slotSave();
    void slotCancel();
    // Holds the key as the chosen record; a key that names no row is held as none.
    void slotSelectEllipsoid(int key);
    void slotSelectDatumShift(int key);
    void slotShowExtraStateChanged(int state);
    void slotShowExportStateChanged(int state);

private:
    void setupFrames();
    void clear();
    void load();
    bool save();

    Ui::DialogDatumEditor* ui;
    FrameGeneralInfo* m_generalInfo = nullptr;
    FrameDatabasePicker* m_ellipsoidPicker = nullptr;
    FrameDatabasePicker* m_datumShiftPicker = nullptr;
    FrameExport* m_export = nullptr;
    FrameExtra* m_extra = nullptr;
    int m_key;
    int m_ellipsoid = NoValue;
    int m_datumShift = NoValue;
};
