#include "scriptedprompt.h"

CScriptedPrompt::CScriptedPrompt()
{
    installPrompt(this);
}

CScriptedPrompt::~CScriptedPrompt()
{
    installPrompt(nullptr);
}

void CScriptedPrompt::answerMessage(QMessageBox::StandardButton button)
{
    m_messageAnswers.append(button);
}

void CScriptedPrompt::answerFile(const QString& fileName)
{
    m_fileAnswers.append(fileName);
}

QMessageBox::StandardButton CScriptedPrompt::showMessage(const CMessage& message)
{
    m_messages.append(message);
    return m_messageAnswers.isEmpty() ? QMessageBox::NoButton : m_messageAnswers.takeFirst();
}

QString CScriptedPrompt::askFileName(const CFileRequest& request)
{
    m_fileRequests.append(request);
    return m_fileAnswers.isEmpty() ? QString() : m_fileAnswers.takeFirst();
}

const QList<CPrompt::CMessage>& CScriptedPrompt::messages() const
{
    return m_messages;
}

const QList<CPrompt::CFileRequest>& CScriptedPrompt::fileRequests() const
{
    return m_fileRequests;
}

QStringList CScriptedPrompt::messageTexts() const
{
    QStringList texts;
    for (const CMessage& message : m_messages)
        texts.append(message.title + QLatin1Char('|') + message.text);
    return texts;
}

void CScriptedPrompt::clear()
{
    m_messageAnswers.clear();
    m_fileAnswers.clear();
    m_messages.clear();
    m_fileRequests.clear();
}
