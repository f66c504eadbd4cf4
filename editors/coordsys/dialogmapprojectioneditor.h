#pragma once

#include "database/novalue.h"

#include <QDialog>
#include <QMap>
#include <QString>

namespace Ui {
class DialogMapProjectionEditor;
}

class CMapProjDetails;
class CMapProjParamDetails;
class CMapProjTypeDetails;
class FrameDatabasePicker;
class FrameExport;
class FrameGeneralInfo;
class QSqlRecord;
class QWidget;

// Edits one map projection: its texts, its type, the values of the type's parameters with
// the linear, angular and scalar units they are given in, the directions and symbols of the
// two plane axes and its EPSG code. The record transfer statics forward to MapProjStorage.
class DialogMapProjectionEditor : public QDialog
{
    Q_OBJECT

public:
    explicit DialogMapProjectionEditor(int key, QWidget* parent = nullptr);
    ~DialogMapProjectionEditor() override;

    // The key of the new projection; NoValue when cancelled.
    static int Create();
    // True when the projection was saved.
    static bool Edit(int key);
    // Deletes the projection and its parameter values unless coordinate systems use it,
    // which are then listed.
    static bool Erase(int key);

    static bool ReadDetails(int key, CMapProjDetails& projection);
    static int FindDetails(const CMapProjDetails& projection);
    static int InsertDetails(const CMapProjDetails& projection, bool asCopy);
    static bool ReadTypeDetails(int code, CMapProjTypeDetails& type);
    static int FindTypeDetails(const CMapProjTypeDetails& type);
    static int InsertTypeDetails(const CMapProjTypeDetails& type);
    static bool ReadParamDetails(int code, CMapProjParamDetails& param);
    static int FindParamDetails(const CMapProjParamDetails& param);
    static int InsertParamDetails(const CMapProjParamDetails& param);

private slots:
    void slotSave();
    void slotCancel();
    void slotSelectLinearUnit(int key);
    void slotSelectAngularUnit(int key);
    void slotSelectScalarUnit(int key);
    void slotSelectMapProjectionType(int key);
    void slotShowExportStateChanged(int state);

private:
    // A unit picker with the key held for the parameters of its value kind.
    struct CUnitChoice {
        FrameDatabasePicker* picker = nullptr;
        int key = NoValue;
    };

    void buildFrames();
    void clearInputs();
    void clearType();
    void resetParamTable();
    void applyType();
    void fillParamTable(int typeCode);
    void appendParamRow(int code, const QString& stored);
    QWidget* createInput(int code, int kind, const QString& stored);
    // Shows the unit of the kind (distance, angle, scale) in its picker and in the unit
    // column of the parameters of that kind.
    void showUnit(int kind);
    void setAngleValidators();
    void loadRecord();
    bool save();
    // The parameter values by code; the message of the first parameter without a value or
    // with an angle that its unit cannot read.
    QString collectParamValues(QMap<int, QString>& values) const;
    QString angleMisfit(const QWidget* input, const QString& name) const;
    // The message when a unit that the parameters need is not chosen.
    QString unitRefusal(int kind) const;
    QVariant unitValue(int kind) const;
    CUnitChoice& unit(int kind);
    const CUnitChoice& unit(int kind) const;

    Ui::DialogMapProjectionEditor* m_ui;
    FrameGeneralInfo* m_generalInfo = nullptr;
    FrameDatabasePicker* m_typePicker = nullptr;
    FrameExport* m_export = nullptr;
    // By value kind: distance, angle, scale.
    CUnitChoice m_units[3];
    int m_key;
    int m_typeKey;
    int m_typeCode = 0;
};
