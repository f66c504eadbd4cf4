#pragma once

#include <QFrame>
#include <QMap>
#include <QString>

namespace Ui {
class FrameDatabasePicker;
}

class CNameField;

// Refers to one record of a definitions table by its key: shows its name and lets the user
// choose another in the selector. The setters emit nothing; the signals follow the user.
class FrameDatabasePicker : public QFrame
{
    Q_OBJECT

public:
    // The direction is a QBoxLayout::Direction of the frame's own layout.
    FrameDatabasePicker(int tableId, const QString& headerText, int direction, QWidget* parent);
    ~FrameDatabasePicker() override;

    int tableId() const;
    int key() const;
    QString name() const;
    QString shortName() const;
    // The short name when it is not empty, else the name.
    QString displayName() const;

    // Holds the key and reads its record; false, with the picker cleared, for NoValue or a
    // key without a record.
    bool setKey(int key);
    // Reads the held key's record; false, with the picker cleared, when there is none.
    bool load();
    // No record held; the extra-column values stay.
    void clear();

    // Asks for a column to be read with the record; its value starts empty.
    void addColumn(const QString& column);
    // Empty for a column never asked for or missing from the table.
    QString columnValue(const QString& column) const;
    void clearColumnValues();

    void setDirection(int direction);
    // The header is shown exactly when the text is not empty.
    void setHeaderText(const QString& text);
    void setPickEnabled(bool enabled);
    bool isPickEnabled() const;

signals:
    // The user chose a record; the picker already holds it.
    void picked(int key);
    // The user cancelled and the held record can no longer be read.
    void cleared();
    // Last after every use of the selector: true when a cancel re-read the held record.
    void touched(bool reread);

public slots:
    void slotPick();

private:
    // Widens the name field to the longest name of the table, within a bound.
    void fitNameField();

    Ui::FrameDatabasePicker* ui;
    CNameField* m_nameField;
    const int m_tableId;
    int m_key;
    QString m_name;
    QString m_shortName;
    QMap<QString, QString> m_columnValues;
};
