#include "ui/Alert.h"

AlertButton AlertButton::make(const QString &title, Style style, std::function<void()> action)
{
    AlertButton button;
    button.title = title;
    button.style = style;
    if (action)
        button.handler = [action = std::move(action)](const QStringList &) { action(); };
    return button;
}

AlertButton AlertButton::withFields(const QString &title, Style style, Handler handler)
{
    return AlertButton{title, style, std::move(handler)};
}

Alert &Alert::addButton(const QString &title, AlertButton::Style style, std::function<void()> action)
{
    buttons.append(AlertButton::make(title, style, std::move(action)));
    return *this;
}

Alert &Alert::addButton(AlertButton button)
{
    buttons.append(std::move(button));
    return *this;
}

Alert &Alert::addField(AlertTextField field)
{
    fields.append(std::move(field));
    return *this;
}

int Alert::buttonIndex(const QString &title) const
{
    for (int i = 0; i < buttons.size(); ++i) {
        if (buttons[i].title == title)
            return i;
    }
    return -1;
}

void Alert::press(int index, const QStringList &fieldTexts) const
{
    if (index < 0 || index >= buttons.size() || !context.alive())
        return;
    if (const auto &handler = buttons.at(index).handler)
        handler(fieldTexts);
}
