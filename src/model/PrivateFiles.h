#pragma once
// Everything the app writes is owner-only: folders 0700, files 0600. Its documents hold colleagues'
// names, e-mail addresses and phone numbers, and the keychain fallback holds the user's identity.
#include <QFileDevice>
#include <QString>

namespace PrivateFiles {

inline constexpr QFileDevice::Permissions kFileMode = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
inline constexpr QFileDevice::Permissions kFolderMode =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;

// Creates `path` and any missing parent as owner-only folders, and tightens `path` itself to 0700 when it
// already exists with looser modes. False when the folder cannot be made.
bool makeFolder(const QString &path);

// Creates the file empty (0600) when it is missing, or tightens it to 0600 when it exists. For files
// written by code that keeps the modes it finds (QSettings), called before that code writes.
bool prepareFile(const QString &path);

} // namespace PrivateFiles
