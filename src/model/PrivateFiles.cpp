#include "model/PrivateFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace PrivateFiles {

bool makeFolder(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QFile::setPermissions(path, kFolderMode);
    const QString parent = info.absolutePath();
    if (parent != info.absoluteFilePath() && !QFileInfo(parent).isDir() && !makeFolder(parent))
        return false;
    return QDir().mkdir(info.absoluteFilePath(), kFolderMode);
}

bool prepareFile(const QString &path)
{
    QFile file(path);
    if (!file.exists() && file.open(QIODevice::WriteOnly | QIODevice::NewOnly, kFileMode))
        return true;
    return QFile::setPermissions(path, kFileMode);
}

} // namespace PrivateFiles
