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

void CScriptedPrompt::answerDocument(bool opened)
{
    m_documentAnswers.append(opened);
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

bool CScriptedPrompt::openDocument(const QString& path)
{
    m_documents.append(path);
    return !m_documentAnswers.isEmpty() && m_documentAnswers.takeFirst();
}

const QList<CPrompt::CMessage>& CScriptedPrompt::messages() const
{
    return m_messages;
}

const QList<CPrompt::CFileRequest>& CScriptedPrompt::fileRequests() const
{
    return m_fileRequests;
}

const QStringList& CScriptedPrompt::documents() const
{
    return m_documents;
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
    m_documentAnswers.clear();
    m_documents.clear();
}
