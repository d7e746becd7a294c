#pragma once
// The stored documents: one UTF-8 text file per kind ("inco1List.txt" …), for the information lists the
// whole text of the last successful answer for that kind.
#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>

class DocumentStore
{
public:
    explicit DocumentStore(const QString &folder, const QString &suffix = QStringLiteral(".txt"))
        : m_folder(folder), m_suffix(suffix)
    {
    }

    QString path(const QString &kind) const;
    // The text of the document, or nothing when it is missing or unreadable.
    std::optional<QString> read(const QString &kind) const;
    // Written atomically (temporary file, then rename): a crash mid-write never leaves a truncated
    // document that would read as a valid, empty list. A failed write is logged and otherwise ignored.
    bool write(const QString &kind, const QString &text) const { return writeBytes(kind, text.toUtf8()); }
    bool writeBytes(const QString &kind, const QByteArray &bytes) const;
    void remove(const QString &kind) const;
    // Moves a document that did not read out of the way of the next one, kept beside for a look later
    // ("<document>.unreadable", replacing an earlier one).
    void setAside(const QString &kind) const;
    QString folder() const { return m_folder; }

    // A text as it goes into a file name: the first 32 hexadecimal digits of its SHA-256, so that an
    // account or customer number can name no path outside the folder and is not written in the clear.
    static QString hashedName(const QString &text);

    // The root object of a document kept for one account: a JSON object of `version` written for `account`.
    // Otherwise nothing, and `why` says what it is instead (`what` names the document: "another account's
    // <what>").
    // The document of `kind` as `read` takes its bytes (read(bytes, &why) gives the content or nothing); one
    // it refuses is set aside, and `refused` (empty before) gets why. Nothing when there is no document.
    template <class Read>
    auto readOrSetAside(const QString &kind, Read read, QString *refused) const -> decltype(read(QByteArray(), refused))
    {
        const std::optional<QString> text = this->read(kind);
        if (!text)
            return std::nullopt;
        auto content = read(text->toUtf8(), refused);
        if (!content) {
            setAside(kind);
            if (refused && refused->isEmpty())
                *refused = QStringLiteral("unreadable");
        }
        return content;
    }

    static std::optional<QJsonObject> accountRoot(const QByteArray &bytes, const QString &account, int version,
                                                  const QString &what, QString *why);

private:
    QString m_folder;
    QString m_suffix;
};
