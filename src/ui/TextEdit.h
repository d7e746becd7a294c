#pragma once
// One edit of a text field, in the form an input filter judges it: the characters [start, start+length)
// of the current text are replaced by `replacement` (typing inserts with length 0, deleting replaces
// with an empty text).
#include <QString>

struct TextEdit {
    int start = 0;
    int length = 0;
    QString replacement;

    bool isDeletion() const { return replacement.isEmpty() && length > 0; }

    // The single edit that turns `before` into `after` (longest common prefix and suffix kept).
    static TextEdit between(const QString &before, const QString &after);
    // `text` with this edit applied; positions outside the text are clamped.
    QString appliedTo(const QString &text) const;
};
