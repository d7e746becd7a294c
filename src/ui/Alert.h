#pragma once
// An alert or action sheet as the screens describe it: title, message, buttons and optional text
// fields. A value type; the Ui shows it and calls the pressed button's handler once.
#include "services/CallerGuard.h"
#include "ui/TextEdit.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

struct AlertButton {
    enum class Style { Default, Cancel, Destructive };

    // Called after the alert has closed, with the texts of the alert's fields in order.
    using Handler = std::function<void(const QStringList &fieldTexts)>;

    QString title;
    Style style = Style::Default;
    Handler handler;

    // A button whose handler does not need the field texts (or none: the button only closes).
    static AlertButton make(const QString &title, Style style = Style::Default,
                            std::function<void()> action = {});
    // A button that reads what was typed into the alert's fields.
    static AlertButton withFields(const QString &title, Style style, Handler handler);
};

struct AlertTextField {
    enum class Keyboard { Default, Number, Decimal, Phone, Email };

    // Decides whether an edit of the field is accepted: the current text and the edit. A refused edit
    // leaves the field unchanged. Without a filter every edit is accepted.
    using InputFilter = std::function<bool(const QString &current, const TextEdit &edit)>;

    QString placeholder;
    QString text; // initial text
    bool secure = false;
    Keyboard keyboard = Keyboard::Default;
    InputFilter filter;

    bool accepts(const QString &current, const TextEdit &edit) const { return !filter || filter(current, edit); }
};

struct Alert {
    QString title;   // a null text means "no title"
    QString message; // a null text means "no message"
    QList<AlertButton> buttons;
    QList<AlertTextField> fields;
    CallerGuard context; // when set, the handlers run only while it lives


    Alert &addButton(const QString &title, AlertButton::Style style = AlertButton::Style::Default,
                     std::function<void()> action = {});
    Alert &addButton(AlertButton button);
    Alert &addField(AlertTextField field);

    // The index of the button titled `title`, or -1.
    int buttonIndex(const QString &title) const;
    // Runs the handler of button `index` with the field texts, unless the context has gone.
    void press(int index, const QStringList &fieldTexts) const;
};
