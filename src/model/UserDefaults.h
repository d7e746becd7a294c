#pragma once
// The user-defaults store: small string values that survive launches (the first-launch marker "open").
// The file is owner-only; QSettings keeps the modes of the file it rewrites, so it is made (or tightened)
// to 0600 before each write.
#include "model/PrivateFiles.h"

#include <QSettings>
#include <QString>

#include <optional>

class UserDefaults
{
public:
    explicit UserDefaults(const QString &file) : m_settings(file, QSettings::IniFormat) {}

    std::optional<QString> value(const QString &key) const
    {
        const QVariant v = m_settings.value(key);
        if (!v.isValid())
            return std::nullopt;
        return v.toString();
    }
    void setValue(const QString &key, const QString &value)
    {
        PrivateFiles::prepareFile(m_settings.fileName());
        m_settings.setValue(key, value);
        m_settings.sync();
    }

private:
    QSettings m_settings;
};
