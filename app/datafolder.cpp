#include "datafolder.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString& chosenPath()
{
    static QString path;
    return path;
}

bool isWritableFolder(const QString& path)
{
    const QFileInfo folder(path);
    if (folder.exists())
        return folder.isDir() && folder.isWritable();
    return QFileInfo(folder.absolutePath()).isWritable();
}

} // namespace

QString dataFolderPath()
{
    if (!chosenPath().isEmpty())
        return chosenPath();
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/data");
    if (isWritableFolder(beside))
        return beside;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

void setDataFolderPath(const QString& path)
{
    chosenPath() = path;
}
