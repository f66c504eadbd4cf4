#pragma once

#include <QDialog>

class FrameExport;
class FrameGeneralInfo;

namespace Ui {
class DialogDatumShiftTypeEditor;
}

// Changes the name, description and EPSG method code of a stored datum shift type; the
// codes themselves are fixed.
class DialogDatumShiftTypeEditor : public QDialog
{
    Q_OBJECT

public:
    DialogDatumShiftTypeEditor(int code, QWidget* parent = nullptr);
    ~DialogDatumShiftTypeEditor() override;

    // True when the dialog was accepted; false without a dialog for NoValue.
    static bool Edit(int code);

public slots:
    void slotSave();
    void slotDefaults();
    void slotCancel();
    void slotShowExportStateChanged(int state);

private:
    void setupFrames();
    void load();
    void clear();
    bool save();

    Ui::DialogDatumShiftTypeEditor* ui;
    FrameGeneralInfo* m_generalInfo = nullptr;
    FrameExport* m_export = nullptr;
    const int m_code;
};
