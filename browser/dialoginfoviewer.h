#pragma once

#include <QDialog>
#include <QSettings>

class CAbstractDetails;

namespace Ui {
class DialogInfoViewer;
}

// Shows a record as a brief text, a tree and its XML form; the two texts can be edited and
// saved to files. The record is not owned and must outlive the viewer.
class DialogInfoViewer : public QDialog
{
    Q_OBJECT

public:
    explicit DialogInfoViewer(const CAbstractDetails* record, QWidget* parent = nullptr);
    ~DialogInfoViewer() override;

    // Shows the record in a modal viewer.
    static void execute(const CAbstractDetails* record);
    // The record's XML document as text; empty when it gives no element.
    static QString xmlText(const CAbstractDetails* record);

    // Fills the three views from the record; without one they stay empty.
    void fill();
    void clearViews();

private slots:
    void slotSave();
    void slotRestore();
    void slotClose();
    void slotCurrentChanged(int index);

private:
    void resetView();

    Ui::DialogInfoViewer* ui;
    const CAbstractDetails* m_record;
    QSettings m_settings;
};
