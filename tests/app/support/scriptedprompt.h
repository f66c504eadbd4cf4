#pragma once

#include "browser/prompt.h"

#include <QList>
#include <QStringList>

// A prompt that shows nothing: it records every message, file request and document opened and
// answers from scripts. An unscripted message is closed (NoButton), an unscripted file dialog
// cancelled, an unscripted document finds no application.
// Installed for its lifetime.
class CScriptedPrompt : public CPrompt
{
public:
    CScriptedPrompt();
    ~CScriptedPrompt() override;

    void answerMessage(QMessageBox::StandardButton button);
    void answerFile(const QString& fileName);
    void answerDocument(bool opened);

    QMessageBox::StandardButton showMessage(const CMessage& message) override;
    QString askFileName(const CFileRequest& request) override;
    bool openDocument(const QString& path) override;

    const QList<CMessage>& messages() const;
    const QList<CFileRequest>& fileRequests() const;
    const QStringList& documents() const;
    // The texts of the messages shown, each as "title|text".
    QStringList messageTexts() const;
    void clear();

private:
    QList<QMessageBox::StandardButton> m_messageAnswers;
    QStringList m_fileAnswers;
    QList<bool> m_documentAnswers;
    QList<CMessage> m_messages;
    QList<CFileRequest> m_fileRequests;
    QStringList m_documents;
};
