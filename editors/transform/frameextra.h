#pragma once

#include "database/novalue.h"

#include <QFrame>
#include <QString>
#include <QVector>

class QDomElement;

namespace Ui {
class FrameExtra;
}

// The extra transformations that one record owns: the datum shifts of a datum and the
// transform lists whose owner is a datum, a coordinate system or a vertical coordinate
// system. The editors of those records write at once; undoing that is the owner editor's
// savepoint.
class FrameExtra : public QFrame
{
    Q_OBJECT

public:
    // One listed row, known by its table and key.
    struct Item {
        int key = NoValue;
        // "transformlist" or "datumshift".
        QString table;
        QString name;
        QString description;

        void clear() { *this = Item(); }
    };

    explicit FrameExtra(QWidget* parent);
    ~FrameExtra() override;

    // The owner (NoValue while it is not stored) and its table name; chooses what can be
    // added and lists what the owner holds.
    void setOwner(int ownerKey, const QString& ownerTable);
    // Points every listed item at the key, all or none; true at once for the held owner key.
    bool reassignOwner(int ownerKey);
    int itemCount() const;
    // The listed items in the order of the tree's rows.
    const QVector<Item>& items() const;

public slots:
    void slotAdd();
    void slotEdit();
    void slotDelete();
    void slotDeleteAll();
    // Whole transform lists to and from exchange files; no control of the form offers them.
    void slotExport();
    void slotImport();

private:
    void reload();
    // Rebuilds the tree from the items; the row of the item of the table and key is made
    // current, else the first.
    void fillTree(const QString& table = QString(), int key = NoValue);
    // Reads the item's name and description again; false when its row cannot be read.
    bool refreshItem(Item& item);
    void updateButtons();
    // Sorts the items by name and shows them with the item of the table and key current.
    void showSorted(const QString& table, int key);
    // The tree's current row; -1 when there is none.
    int currentRow() const;
    // The new key of a record of the kind made by its editor; NoValue when cancelled.
    int createOfKind(int kind, QString& table);
    // Asks the kind of a datum's extra transformation; 0 when cancelled.
    int askDatumKind() const;
    // Stores the file's list element as a list of the owner and lists it as the item.
    void importList(const QDomElement& element, const QString& path, Item& item);
    void warn(const QString& text);

    Ui::FrameExtra* ui;
    QVector<int> m_kinds;
    QVector<Item> m_items;
    int m_ownerKey = NoValue;
    QString m_ownerTable;
};
