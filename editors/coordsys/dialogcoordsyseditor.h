#pragma once

#include "database/novalue.h"

#include <QDialog>
#include <QSqlRecord>
#include <QString>
#include <QVariantMap>
#include <QVector>

namespace Ui {
class DialogCoordSysEditor;
}

class FrameCoordSysGeocentric;
class FrameCoordSysGeodetic;
class FrameCoordSysLocalCartesian;
class FrameCoordSysProjected;
class FrameCoordSysTopocentric;
class FrameDatabasePicker;
class FrameExport;
class FrameExtra;
class FrameGeneralInfo;
class FrameTransformList;
struct CSqlStatement;
struct DependencyItem;

// Edits one coordinate system: its name, type, the parameters of the type in the frame that
// the type shows, its own transform list, the extra transformations it owns and its EPSG code. Create and Edit run the dialog
// inside one savepoint, so that what the embedded frames write goes with a cancel.
class DialogCoordSysEditor : public QDialog
{
    Q_OBJECT

public:
    DialogCoordSysEditor(int key, QWidget* parent = nullptr);
    ~DialogCoordSysEditor() override;

    // The key of the new system; NoValue when cancelled.
    static int Create();
    // True when the system was saved.
    static bool Edit(int key);
    // Deletes the system with its own transform list and the lists it owns, all or nothing.
    static bool Erase(int key);
    // Nothing refers to a coordinate system: the list is emptied and its size returned.
    static int CollectDependents(int key, QVector<DependencyItem>& items);

private slots:
    void slotSave();
    void slotCancel();
    void slotSelectType(int code);
    void slotShowTransformsStateChanged(int);
    void slotShowExtraStateChanged(int);
    void slotShowExportStateChanged(int);

private:
    void createFrames();
    void clear();
    void load();
    // Loads the frame of the type code from the key and shows it alone.
    void showTypeFrame();
    bool save();
    // The parameter columns of the type as its frame gives them; the fault of the first
    // missing input, empty when all are given.
    QString readParameters(QVariantMap& columns) const;
    // Every column a save writes, with its value.
    void rowValues(const QVariantMap& parameters, QStringList& columns, QVariantList& values) const;
    CSqlStatement insertStatement(const QVariantMap& parameters) const;
    CSqlStatement updateStatement(int key, const QVariantMap& parameters) const;
    // While the system keeps its stored type, a column the frame does not write and a flag the
    // frame gives as it was read keep their stored value; otherwise an unwritten column is NULL.
    QVariant columnValue(const QString& column, const QVariantMap& parameters) const;

    Ui::DialogCoordSysEditor* m_ui;
    FrameCoordSysGeodetic* m_geodetic = nullptr;
    FrameCoordSysGeocentric* m_geocentric = nullptr;
    FrameCoordSysLocalCartesian* m_localCartesian = nullptr;
    FrameCoordSysTopocentric* m_topocentric = nullptr;
    FrameCoordSysProjected* m_projected = nullptr;
    FrameExtra* m_extra = nullptr;
    FrameTransformList* m_transformList = nullptr;
    FrameGeneralInfo* m_generalInfo = nullptr;
    FrameDatabasePicker* m_typePicker = nullptr;
    FrameExport* m_export = nullptr;
    int m_key;
    int m_typeCode = 0;
    // The row as loaded; empty for a new system.
    QSqlRecord m_stored;
};
