#pragma once

#include <QDialog>
#include <QString>
#include <QVector>

namespace Ui {
class DialogExportCodeEditor;
}

class FrameGeneralInfo;
struct DependencyItem;

// Edits one row of an EPSG or MapInfo reference table: the code, its name and description.
// A code that definitions hold is neither changed nor erased.
class DialogExportCodeEditor : public QDialog
{
    Q_OBJECT

public:
    DialogExportCodeEditor(int tableId, int code, QWidget* parent = nullptr);
    ~DialogExportCodeEditor() override;

    // The code of the new row; NoValue when cancelled.
    static int Create(int tableId);
    // True when the row was saved.
    static bool Edit(int tableId, int code);
    // Deletes the row unless definitions hold its code, which are then listed.
    static bool Erase(int tableId, int code);
    // The definitions that hold the code of the reference table, by name; their number, -1
    // when they cannot be read. None for a table that is no reference table.
    static int CollectDependents(int tableId, int code, QVector<DependencyItem>& items);

private slots:
    void slotCheck();
    void slotSave();
    void slotCancel();

private:
    void load();
    bool save();
    // The typed code; false when the field holds no code in the table's range.
    bool readCode(int& code) const;
    // The message that refuses changing the held code, empty when it may change.
    QString codeChangeRefusal();

    Ui::DialogExportCodeEditor* m_ui;
    FrameGeneralInfo* m_generalInfo = nullptr;
    const int m_tableId;
    const QString m_tableName;
    int m_code;
};
