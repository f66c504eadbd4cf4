#pragma once

#include <QFileDialog>
#include <QMessageBox>
#include <QString>

#include <exception>

// Every message box, file dialog and document handed to the desktop goes through the installed
// prompt, so that a test can answer them and see what was shown. The default prompt shows the
// real ones.
class CPrompt
{
public:
    enum MessageKind { Information, Warning, Question, Critical, About };

    struct CMessage {
        MessageKind kind = Information;
        QWidget* parent = nullptr;
        QString title;
        QString text;
        QMessageBox::StandardButtons buttons = QMessageBox::Ok;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    };

    struct CFileRequest {
        enum Mode { OpenFile, SaveFile, Directory };
        Mode mode = OpenFile;
        QWidget* parent = nullptr;
        QString caption;
        // A folder, or a file in it that the dialog proposes.
        QString path;
        QString filter;
        QString defaultSuffix;
        QFileDialog::Options options;
    };

    virtual ~CPrompt() = default;

    // The button chosen; the one of the About kind always gives Ok.
    virtual QMessageBox::StandardButton showMessage(const CMessage& message);
    // The chosen file or folder; empty when cancelled.
    virtual QString askFileName(const CFileRequest& request);
    // Opens the file with the desktop's application for it; false when none could.
    virtual bool openDocument(const QString& path);

    QMessageBox::StandardButton information(QWidget* parent, const QString& title, const QString& text,
                                            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    QMessageBox::StandardButton warning(QWidget* parent, const QString& title, const QString& text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    QMessageBox::StandardButton question(QWidget* parent, const QString& title, const QString& text,
                                         QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No,
                                         QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    QMessageBox::StandardButton critical(QWidget* parent, const QString& title, const QString& text,
                                         QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                         QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    void about(QWidget* parent, const QString& title, const QString& text);

    QString getOpenFileName(QWidget* parent, const QString& caption, const QString& path,
                            const QString& filter, const QString& defaultSuffix = QString(),
                            QFileDialog::Options options = QFileDialog::Options());
    QString getSaveFileName(QWidget* parent, const QString& caption, const QString& path,
                            const QString& filter, const QString& defaultSuffix = QString(),
                            QFileDialog::Options options = QFileDialog::Options());
    QString getExistingDirectory(QWidget* parent, const QString& caption, const QString& path,
                                 QFileDialog::Options options = QFileDialog::ShowDirsOnly);

private:
    QMessageBox::StandardButton message(MessageKind kind, QWidget* parent, const QString& title,
                                        const QString& text, QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton);
    QString fileName(CFileRequest::Mode mode, QWidget* parent, const QString& caption,
                     const QString& path, const QString& filter, const QString& defaultSuffix,
                     QFileDialog::Options options);
};

// The prompt in use.
CPrompt& prompt();
// Makes the given prompt (not owned) the one in use; null restores the default.
void installPrompt(CPrompt* prompt);

// Tells the user about an exception caught at a slot.
void reportException(QWidget* parent, const std::exception& error);

// Runs the work of a slot; an exception is reported instead of leaving the slot.
template <class Action>
void guardSlot(QWidget* parent, Action&& action)
{
    try {
        action();
    } catch (const std::exception& error) {
        reportException(parent, error);
    }
}
