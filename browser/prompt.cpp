#include "prompt.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

CPrompt* installed = nullptr;

} // namespace

QMessageBox::StandardButton CPrompt::showMessage(const CMessage& message)
{
    switch (message.kind) {
    case Information:
        return QMessageBox::information(message.parent, message.title, message.text, message.buttons,
                                        message.defaultButton);
    case Warning:
        return QMessageBox::warning(message.parent, message.title, message.text, message.buttons,
                                    message.defaultButton);
    case Question:
        return QMessageBox::question(message.parent, message.title, message.text, message.buttons,
                                     message.defaultButton);
    case Critical:
        return QMessageBox::critical(message.parent, message.title, message.text, message.buttons,
                                     message.defaultButton);
    case About:
        QMessageBox::about(message.parent, message.title, message.text);
        return QMessageBox::Ok;
    }
    return QMessageBox::NoButton;
}

QString CPrompt::askFileName(const CFileRequest& request)
{
    QFileDialog dialog(request.parent, request.caption, request.path, request.filter);
    dialog.setOptions(request.options);
    dialog.setDefaultSuffix(request.defaultSuffix);
    switch (request.mode) {
    case CFileRequest::OpenFile:
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        break;
    case CFileRequest::SaveFile:
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        break;
    case CFileRequest::Directory:
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::Directory);
        break;
    }
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

bool CPrompt::openDocument(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QMessageBox::StandardButton CPrompt::information(QWidget* parent, const QString& title, const QString& text,
                                                 QMessageBox::StandardButtons buttons,
                                                 QMessageBox::StandardButton defaultButton)
{
    return message(Information, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton CPrompt::warning(QWidget* parent, const QString& title, const QString& text,
                                             QMessageBox::StandardButtons buttons,
                                             QMessageBox::StandardButton defaultButton)
{
    return message(Warning, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton CPrompt::question(QWidget* parent, const QString& title, const QString& text,
                                              QMessageBox::StandardButtons buttons,
                                              QMessageBox::StandardButton defaultButton)
{
    return message(Question, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton CPrompt::critical(QWidget* parent, const QString& title, const QString& text,
                                              QMessageBox::StandardButtons buttons,
                                              QMessageBox::StandardButton defaultButton)
{
    return message(Critical, parent, title, text, buttons, defaultButton);
}

void CPrompt::about(QWidget* parent, const QString& title, const QString& text)
{
    message(About, parent, title, text, QMessageBox::Ok, QMessageBox::NoButton);
}

QString CPrompt::getOpenFileName(QWidget* parent, const QString& caption, const QString& path,
                                 const QString& filter, const QString& defaultSuffix,
                                 QFileDialog::Options options)
{
    return fileName(CFileRequest::OpenFile, parent, caption, path, filter, defaultSuffix, options);
}

QString CPrompt::getSaveFileName(QWidget* parent, const QString& caption, const QString& path,
                                 const QString& filter, const QString& defaultSuffix,
                                 QFileDialog::Options options)
{
    return fileName(CFileRequest::SaveFile, parent, caption, path, filter, defaultSuffix, options);
}

QString CPrompt::getExistingDirectory(QWidget* parent, const QString& caption, const QString& path,
                                      QFileDialog::Options options)
{
    return fileName(CFileRequest::Directory, parent, caption, path, QString(), QString(), options);
}

QMessageBox::StandardButton CPrompt::message(MessageKind kind, QWidget* parent, const QString& title,
                                             const QString& text, QMessageBox::StandardButtons buttons,
                                             QMessageBox::StandardButton defaultButton)
{
    return showMessage({kind, parent, title, text, buttons, defaultButton});
}

QString CPrompt::fileName(CFileRequest::Mode mode, QWidget* parent, const QString& caption,
                          const QString& path, const QString& filter, const QString& defaultSuffix,
                          QFileDialog::Options options)
{
    return askFileName({mode, parent, caption, path, filter, defaultSuffix, options});
}

CPrompt& prompt()
{
    static CPrompt standard;
    return installed ? *installed : standard;
}

void installPrompt(CPrompt* prompt)
{
    installed = prompt;
}

void reportException(QWidget* parent, const std::exception& error)
{
    prompt().critical(parent, QStringLiteral("Ошибка"), QString::fromUtf8(error.what()));
}
