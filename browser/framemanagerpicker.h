#pragma once

#include <QFrame>
#include <QString>

namespace Ui {
class FrameManagerPicker;
}

class CNameField;

// Refers to one installed geoid of the program's geoid registry by its identifier and shows
// its name. Without a registry nothing can be held or picked.
class FrameManagerPicker : public QFrame
{
    Q_OBJECT

public:
    // The kind is not used. The direction is a QBoxLayout::Direction of the frame's layout.
    FrameManagerPicker(int kind, const QString& headerText, int direction, QWidget* parent);
    ~FrameManagerPicker() override;

    QString id() const;
    QString name() const;

    // Holds the identifier and shows its geoid; false, with the picker cleared, for an empty
    // identifier or one the registry does not hold. Emits nothing.
    bool setId(const QString& id);
    bool load();
    void clear();

    void setDirection(int direction);
    // The header is shown exactly when the text is not empty.
    void setHeaderText(const QString& text);

signals:
    // The user chose a geoid; the picker already holds it.
    void picked(const QString& id);

public slots:
    void slotPick();

private:
    Ui::FrameManagerPicker* ui;
    CNameField* m_nameField;
    QString m_id;
    QString m_name;
};
