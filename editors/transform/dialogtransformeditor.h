#pragma once

#include "transformparamentry.h"

#include "browser/editorsave.h"

#include <QDialog>

class CTransformDetails;
class CTransformParamDetails;
class CTransformTypeDetails;
class FrameDatabasePicker;
class FrameGeneralInfo;
class FrameTransformParamsAffine2D;
class FrameTransformParamsShift2D;
class FrameTransformParamsShiftH;
class QSqlQuery;

namespace Ui {
class DialogTransformEditor;
}

// Editor of one transform of a transform list: name, description, type and the parameter
// values in the frame of the type.
class DialogTransformEditor : public QDialog
{
    Q_OBJECT

public:
    // NoValue opens an empty editor.
    explicit DialogTransformEditor(int key, QWidget* parent = nullptr);
    ~DialogTransformEditor() override;

    // A new transform at the place number of the list; its key, NoValue when cancelled.
    static int Create(int listKey, int number);
    // True when the dialog was accepted and its work kept.
    static bool Edit(int key);
    static bool Delete(int key);
    static bool ReadDetails(int key, CTransformDetails& transform);
    static int InsertDetails(const CTransformDetails& transform, int listKey, int number, QString* error = nullptr);
    static bool ReadTypeDetails(int code, CTransformTypeDetails& type);
    static int FindTypeDetails(const CTransformTypeDetails& type);
    // The stored or new code; NoValue after a warning.
    static int InsertTypeDetails(const CTransformTypeDetails& type);
    static bool ReadParamDetails(int code, CTransformParamDetails& param);
    static int FindParamDetails(const CTransformParamDetails& param);
    static int InsertParamDetails(const CTransformParamDetails& param);

    int key() const;
    // The list and the place of a new transform.
    void setPlace(int listKey, int number);

private slots:
    void slotSave();
    void slotCancel();
    void slotSelectTransformType(int key);

private:
    void load();
    // Shows the frame of the type code, loaded with the transform's values; none for no type.
    void showTypeFrame();
    bool save();
    // The parameter entries from the frame of the type; false when it refuses them.
    bool saveParams(TransformParamEntries& entries);
    // The row and its values in one savepoint; false after a warning.
    bool write(const TransformParamEntries& entries);
    // The row's statements for the save skeleton.
    CEditorSave rowSave() const;
    // Replaces the stored values of the transform by the entries.
    static bool writeValues(int key, const TransformParamEntries& entries, QSqlQuery& query);

    Ui::DialogTransformEditor* ui;
    FrameGeneralInfo* m_generalInfo;
    FrameDatabasePicker* m_typePicker;
    FrameTransformParamsAffine2D* m_affine;
    FrameTransformParamsShift2D* m_shift;
    FrameTransformParamsShiftH* m_heightShift;
    int m_key;
    int m_typeCode = 0;
    int m_listKey = NoValue;
    int m_number = 0;
};
