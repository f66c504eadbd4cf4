#pragma once

#include <QDialog>

namespace Ui {
class DialogTextViewer;
}

// Shows a text or HTML file.
class DialogTextViewer : public QDialog
{
    Q_OBJECT

public:
    explicit DialogTextViewer(QWidget* parent = nullptr);
    ~DialogTextViewer() override;

    // Shows the file in a modal viewer titled by the title; false, after a warning, when the
    // file cannot be read (no viewer is shown then).
    static bool execute(const QString& title, const QString& path);

    bool loadFile(const QString& path);

private slots:
    void slotClose();

private:
    Ui::DialogTextViewer* ui;
};
