#pragma once

#include "browser/prompt.h"

#include <QList>
#include <QStringList>

// A prompt that shows nothing: it records every message and file request and answers from
// scripts. An unscripted message is closed (NoButton), an unscripted file dialog cancelled.
// Installed for its lifetime.
class CScriptedPrompt : public CPrompt
{
public:
    CScriptedPrompt();
    ~CScriptedPrompt() override;

    void answerMessage(QMessageBox::StandardButton button);
    void answerFile(const QString& fileName);

    QMessageBox::StandardButton showMessage(const CMessage& message) override;
    QString askFileName(const CFileRequest& request) override;

    const QList<CMessage>& messages() const;
    const QList<CFileRequest>& fileRequests() const;
    // The texts of the messages shown, each as "title|text".
    QStringList messageTexts() const;
    void clear();

private:
    QList<QMessageBox::StandardButton> m_messageAnswers;
    QStringList m_fileAnswers;
    QList<CMessage> m_messages;
    QList<CFileRequest> m_fileRequests;
};
