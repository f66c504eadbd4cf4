#pragma once

#include <QDialog>
#include <QString>

namespace Ui {
class DialogGeoidEditor;
}

class FrameExport;
class FrameGeneralInfo;
class FrameManagerPicker;
class FrameTransformList;
class QFrame;

// Edits one vertical coordinate system: its texts, the geoid of the geoid registry that gives
// its heights, the transform list applied to them and its EPSG code.
class DialogGeoidEditor : public QDialog
{
    Q_OBJECT

public:
    explicit DialogGeoidEditor(int key, QWidget* parent = nullptr);
    ~DialogGeoidEditor() override;

    // The key of the new system; NoValue when cancelled. What the dialog wrote, its transform
    // list among it, stays only when it is accepted.
    static int Create();
    // True when the system was saved.
    static bool Edit(int key);
    // Deletes the system with its transform list unless coordinate systems use it, which are
    // then listed.
    static bool Erase(int key);

private slots:
    void slotSave();
    void slotCancel();
    void slotGeoidSelected(const QString& id);
    void slotShowTransformsStateChanged(int state);
    void slotShowExportStateChanged(int state);

private:
    void createFrames();
    void clear();
    void load();
    void showGeoid();
    bool save();

    Ui::DialogGeoidEditor* m_ui;
    FrameGeneralInfo* m_generalInfo = nullptr;
    FrameManagerPicker* m_geoidPicker = nullptr;
    FrameTransformList* m_transformList = nullptr;
    FrameExport* m_export = nullptr;
    QFrame* m_filler = nullptr;
    int m_key;
    QString m_geoidId;
};
