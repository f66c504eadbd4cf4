#pragma once

#include "database/novalue.h"

#include <QFrame>
#include <QSettings>
#include <QString>
#include <QVector>

class CAbstractDetails;
class CTransformDetails;
class CTransformListDetails;

namespace Ui {
class FrameTransformList;
}

// The transforms of one transform list in list order, with the commands that add, edit,
// delete, move, export and import them. Every command writes at once, inside the savepoint of
// the embedding editor; the frame makes the list row with the first transform and deletes it
// with the last.
class FrameTransformList : public QFrame
{
    Q_OBJECT

public:
    struct Item {
        int key = NoValue;
        QString name;
    };

    FrameTransformList(QWidget* parent, bool showIdentifier);
    ~FrameTransformList() override;

    static bool ReadDetails(int key, CTransformListDetails& list);
    static int InsertDetails(const CTransformListDetails& list, int ownerKey, const QString& ownerTable);
    static bool Delete(int key);
    // A copy of the list row with copies of its transforms and their values, under the same
    // name and without scope; with withOwner the copy keeps the owner. NoValue when it fails,
    // then nothing is copied.
    static int Duplicate(int key, bool withOwner);

    // The list row the frame shows; NoValue while it has none.
    int listKey() const;
    void setTransformList(int key);

    // Makes the placeholder list row when the frame has none; false when it cannot.
    bool createList();
    // Deletes the list row once no transform is left; false after a warning when it cannot.
    bool deleteListIfEmpty();
    // Deletes every transform of the list, all or none; the frame then shows what is stored.
    bool deleteAllItems();
    // Shows one more item after the others; nothing is written.
    void appendItem(const Item& item);
    // Deletes the transform of the row, and the list row with the last transform; the frame
    // then shows what is stored. False for no such row, or after a warning when the delete fails.
    bool removeItem(int index);
    void setIdentifierVisible(bool visible);

private slots:
    void slotAdd();
    void slotEdit();
    void slotDelete();
    void slotDeleteAll();
    void slotMoveUp();
    void slotMoveDown();
    void slotSelected();
    void slotExport();
    void slotImport();
    void slotExportAll();
    void slotImportAll();

private:
    void clearView();
    void showItems();
    void clear();
    // Reads the list row and its transforms afresh.
    void reload();
    void updateButtons();
    // The current row; -1 when none is selected.
    int selectedRow() const;
    void selectRow(int row);
    // The last row current, or the list row deleted when no transform is left.
    void selectLastOrDropList();
    // Exchanges two places of the list and writes the numbers 1 ... n; false after a warning.
    bool swapItems(int a, int b);
    bool deleteItem(int index);
    // Asks for an exchange file; empty when cancelled.
    QString askFile(bool save, const QString& caption, const QString& fileName);
    // Writes the record that was read into the file the user chooses.
    void exportRecord(bool read, const CAbstractDetails& record, const QString& tag, const QString& caption,
                      const QString& fileName);
    // Appends the transforms of a file whose top elements carry the tag; all or none.
    void importFile(const QString& caption, const QString& tag);
    bool appendTransforms(const QVector<CTransformDetails>& transforms, QString& error);
    void warn(const QString& text);

    Ui::FrameTransformList* ui;
    QSettings m_settings;
    QVector<Item> m_items;
    QString m_identifier;
    int m_listKey = NoValue;
};
