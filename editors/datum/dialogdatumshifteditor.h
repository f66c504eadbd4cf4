#pragma once

#include <QDialog>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>
#include <QVector>

namespace Ui {
class DialogDatumShiftEditor;
}

class FrameDatabasePicker;
class FrameDatumShiftHelmert;
class FrameDatumShiftMolodensky;
class FrameDatumShiftMolodenskyBadekas;
class FrameDatumShiftPairwiseParams;
class FrameExport;
class FrameGeneralInfo;
struct CSqlStatement;
struct DependencyItem;

// Edits one datum shift: its name, type, the parameters of the type in the frame that the
// type shows, and its EPSG code. In the extra mode the shift is one that a datum owns, with
// an identifier and a pairwise role.
class DialogDatumShiftEditor : public QDialog
{
    Q_OBJECT

public:
    DialogDatumShiftEditor(int key, bool extra, QWidget* parent = nullptr);
    ~DialogDatumShiftEditor() override;

    // The key of the new shift, owned by the datum (NoValue for none); NoValue when cancelled.
    static int Create(bool extra, int datum);
    // True when the shift was saved.
    static bool Edit(int key, bool extra);
    // Deletes the shift unless datums use or own it, which are then listed.
    static bool Erase(int key);
    // The datums that use the shift as their shift, then the datum that owns it.
    static int CollectDependents(int key, QVector<DependencyItem>& items);
    // Deletes the row of the key from the table (the datum shift table when empty).
    static bool Delete(int key, const QString& tableName);

private slots:
    void slotSave();
    void slotCancel();
    void slotSelectType(int code);
    void slotShowExportStateChanged(int state);

private:
    void setupFrames();
    // Shows the frame of the type; a frame that was not shown loads the stored row.
    void updateTypeFrame();
    void clear();
    void load();
    bool save();
    // The parameter columns of the type as the frame of the type gives them; the message of
    // the first missing input, empty when all are given.
    QString readParameters(QVariantMap& columns) const;
    // The columns that both the update and the insert write, with their values.
    void rowValues(const QVariantMap& parameters, QStringList& columns, QVariantList& values) const;
    CSqlStatement insertStatement(const QVariantMap& parameters) const;
    CSqlStatement updateStatement(int key, const QVariantMap& parameters) const;
    // The value of a parameter column the shown frame does not write: the stored one while the
    // shift keeps its stored type (the convention, which no frame shows, always), else NULL.
    QVariant unwrittenValue(const QString& column) const;

    Ui::DialogDatumShiftEditor* m_ui;
    FrameDatumShiftMolodensky* m_molodensky = nullptr;
    FrameDatumShiftHelmert* m_helmert = nullptr;
    FrameDatumShiftMolodenskyBadekas* m_molodenskyBadekas = nullptr;
    FrameGeneralInfo* m_generalInfo = nullptr;
    FrameDatabasePicker* m_typePicker = nullptr;
    FrameExport* m_export = nullptr;
    FrameDatumShiftPairwiseParams* m_pairwise = nullptr;
    int m_key;
    bool m_extra;
    int m_datum;
    int m_type = 0;
    QWidget* m_shownFrame = nullptr;
    // The row as loaded; empty for a new shift.
    QSqlRecord m_stored;
};
