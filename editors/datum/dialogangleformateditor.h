#pragma once

#include <QDialog>

class CAngleFormatDetails;
class FrameGeneralInfo;

namespace Ui {
class DialogAngleFormatEditor;
}

// Changes the texts of a stored angle format; the codes themselves are fixed.
class DialogAngleFormatEditor : public QDialog
{
    Q_OBJECT

public:
    DialogAngleFormatEditor(int code, QWidget* parent = nullptr);
    ~DialogAngleFormatEditor() override;

    // True when the dialog was accepted.
    static bool Edit(int code);
    static bool ReadDetails(int code, CAngleFormatDetails& format);
    static int FindDetails(const CAngleFormatDetails& format);
    static int InsertDetails(const CAngleFormatDetails& format);

public slots:
    void slotSave();
    void slotDefaults();
    void slotCancel();

private:
    void initWidgets();
    void load();
    bool save();

    Ui::DialogAngleFormatEditor* ui;
    FrameGeneralInfo* m_generalInfo = nullptr;
    const int m_code;
};
