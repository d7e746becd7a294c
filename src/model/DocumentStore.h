#pragma once
// The stored information documents: one UTF-8 text file per list kind ("inco1List.txt" …) holding the
// whole text of the last successful answer for that kind.
#include <QString>

#include <optional>

class DocumentStore
{
public:
    explicit DocumentStore(const QString &folder) : m_folder(folder) {}

    QString path(const QString &kind) const;
    // The text of the document, or nothing when it is missing or unreadable.
    std::optional<QString> read(const QString &kind) const;
    // Written atomically (temporary file, then rename): a crash mid-write never leaves a truncated
    // document that would read as a valid, empty list. A failed write is logged and otherwise ignored.
    bool write(const QString &kind, const QString &text) const;
    void remove(const QString &kind) const;

private:
    QString m_folder;
};
