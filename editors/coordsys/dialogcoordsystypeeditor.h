#pragma once

#include <QDialog>

namespace Ui {
class DialogCoordSysTypeEditor;
}

class FrameGeneralInfo;

// Edits the name and description of one of the fixed coordinate-system types, or puts back
// the built-in texts of its code. Types are neither created nor deleted.
class DialogCoordSysTypeEditor : public QDialog
{
    Q_OBJECT

public:
    explicit DialogCoordSysTypeEditor(int code, QWidget* parent = nullptr);
    ~DialogCoordSysTypeEditor() override;

    // True when the type was saved.
    static bool Edit(int code);

private slots:
    void slotSave();
    void slotDefaults();
    void slotCancel();

private:
    void load();
    bool save();

    Ui::DialogCoordSysTypeEditor* m_ui;
    FrameGeneralInfo* m_generalInfo = nullptr;
    const int m_code;
};
