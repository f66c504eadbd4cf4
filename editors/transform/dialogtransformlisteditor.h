#pragma once

#include "browser/editorsave.h"
#include "database/novalue.h"

#include <QDialog>
#include <QString>

class FrameGeneralInfo;
class FrameTransformList;

namespace Ui {
class DialogTransformListEditor;
}

// Editor of one transform list: name, description, identifier and its transforms. The frame
// writes the list row and the transforms at once; the save fills in the row.
class DialogTransformListEditor : public QDialog
{
    Q_OBJECT

public:
    // NoValue opens a new list.
    explicit DialogTransformListEditor(int key, QWidget* parent = nullptr);
    ~DialogTransformListEditor() override;

    // A new list of the owner with the scope (0 for none); its key, NoValue when cancelled.
    static int Create(const QString& ownerTable, int owner, int scope);
    // True when the dialog was accepted and its work kept.
    static bool Edit(int key);
    // Makes the list of the key belong to the owner (NoValue and an empty text for none);
    // false when no row was changed.
    static bool SetOwner(int key, const QString& ownerTable, int owner);

    // The key of the list row after a save; NoValue for a new list not saved yet.
    int key() const;
    // Owner and scope written by the save of a new list.
    void setNewListOwner(const QString& ownerTable, int owner, int scope);
    // Empties the name and description and deletes every transform with the list row.
    void clear();

private slots:
    void slotSave();
    void slotCancel();

private:
    void createFrames();
    void load();
    bool save();
    // Fills in the row that the frame holds; with owner and scope when it is not the stored
    // row (a new list, or a stored one whose row went with its last transform and came back).
    CSqlStatement rowUpdate(int rowKey) const;
    // Points the systems that use the stored list at the row the frame now holds (NULL for
    // none), so that none keeps the key of a deleted list; false after a warning.
    bool repointUsers(int rowKey);

    Ui::DialogTransformListEditor* ui;
    FrameGeneralInfo* m_generalInfo = nullptr;
    FrameTransformList* m_transformList = nullptr;
    int m_key;
    // The stored row of the key was found when the dialog opened.
    bool m_loaded = false;
    int m_scope = 0;
    int m_owner = NoValue;
    QString m_ownerTable;
};
