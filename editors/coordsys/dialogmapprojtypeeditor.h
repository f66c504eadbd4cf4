#pragma once

#include <QDialog>

namespace Ui {
class DialogMapProjTypeEditor;
}

class FrameExport;
class FrameGeneralInfo;

// Edits one of the fixed map projection types: its texts, the directions, symbols and
// descriptions of the two plane axes, and its EPSG code. Types are neither created nor
// deleted: their codes are those of the projection formulas.
class DialogMapProjTypeEditor : public QDialog
{
    Q_OBJECT

public:
    explicit DialogMapProjTypeEditor(int code, QWidget* parent = nullptr);
    ~DialogMapProjTypeEditor() override;

    // True when the type was saved.
    static bool Edit(int code);

private slots:
    void slotSave();
    void slotDefaults();
    void slotCancel();
    void slotShowExportStateChanged(int state);

private:
    void createFrames();
    void clear();
    void load();
    bool save();
    void showExport(int code);

    Ui::DialogMapProjTypeEditor* m_ui;
    FrameGeneralInfo* m_generalInfo = nullptr;
    FrameExport* m_export = nullptr;
    const int m_code;
};
