#pragma once

#include <QFrame>
#include <QString>

namespace Ui {
class FrameGeneralInfo;
}

// The name, short name and description of a definition, with the checks that the name is
// given and not borne by another record of the same table.
class FrameGeneralInfo : public QFrame
{
    Q_OBJECT

public:
    FrameGeneralInfo(int tableId, bool vertical, bool hideShortName, QWidget* parent);
    ~FrameGeneralInfo() override;

    // Texts are trimmed both when set and when read.
    QString name() const;
    QString shortName() const;
    // The short name when it is not empty, else the name.
    QString displayName() const;
    QString description() const;
    void setName(const QString& text);
    void setShortName(const QString& text);
    void setDescription(const QString& text);
    void clear();

    // False after a warning when the name is empty, taken by a record of the table or cannot
    // be checked.
    bool checkNameForInsert();
    // As checkNameForInsert, except that the record of the own key may bear the name.
    bool checkNameForUpdate(int ownKey);

signals:
    void nameEdited();
    void shortNameEdited();

public slots:
    void slotNameEdited();
    void slotShortNameEdited();

private:
    void arrangeVertically();
    bool checkNameGiven();
    // The key of the first record bearing the name (NoValue for none); false after a
    // warning when the statement fails.
    bool findName(int& key);

    Ui::FrameGeneralInfo* ui;
    const int m_tableId;
};
