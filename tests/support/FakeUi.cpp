#include "FakeUi.h"

#include <QCoreApplication>
#include <QTimer>

void FilePhotoPicker::pick(PhotoSource, std::function<void(const QString &)> chosen, std::function<void()> cancelled)
{
    ++picks;
    QTimer::singleShot(0, [f = file, chosen, cancelled] { f.isEmpty() ? cancelled() : chosen(f); });
}

void FakeUi::open(const Alert &alert, bool sheet)
{
    m_calls << (sheet ? QStringLiteral("sheet:") : QStringLiteral("alert:")) + alert.title;
    ShownAlert shown{alert, {}};
    for (const AlertTextField &field : alert.fields)
        shown.fieldTexts << field.text;
    m_open.append(shown);
}

QStringList FakeUi::currentAlertButtons() const
{
    QStringList titles;
    for (const AlertButton &button : m_open.isEmpty() ? QList<AlertButton>() : m_open.first().alert.buttons)
        titles << button.title;
    return titles;
}

bool FakeUi::pressAlertButton(const QString &title)
{
    const int index = m_open.isEmpty() ? -1 : m_open.first().alert.buttonIndex(title);
    if (index < 0)
        return false;
    const ShownAlert shown = m_open.takeFirst();
    shown.alert.press(index, shown.fieldTexts);
    return true;
}

bool FakeUi::hasField(int index) const
{
    return !m_open.isEmpty() && index >= 0 && index < m_open.first().fieldTexts.size();
}

bool FakeUi::edit(int index, const QString &after)
{
    if (!hasField(index))
        return false;
    ShownAlert &shown = m_open.first();
    const QString before = shown.fieldTexts[index];
    if (!shown.alert.fields[index].accepts(before, TextEdit::between(before, after)))
        return false;
    shown.fieldTexts[index] = after;
    return true;
}

bool FakeUi::typeIntoAlertField(int index, const QString &text)
{
    if (!hasField(index))
        return false;
    bool all = true;
    for (const QChar c : text)
        all = edit(index, alertFieldText(index) + c) && all;
    return all;
}

QString FakeUi::alertFieldText(int index) const
{
    return hasField(index) ? m_open.first().fieldTexts[index] : QString();
}

namespace {
// Opens `picker` in `slot`; like the app, a new one replaces the open one, which is cancelled.
template <class P> void openIn(P &slot, bool &open, const P &picker)
{
    const P previous = std::exchange(slot, picker);
    if (std::exchange(open, true) && previous.cancel && previous.context.alive())
        previous.cancel();
}
// Closes the open picker of `slot` and runs `then` on it (unless its context has gone); false when none.
template <class P, class F> bool closeIn(P &slot, bool &open, F then)
{
    if (!std::exchange(open, false))
        return false;
    const P picker = std::exchange(slot, P{});
    if (picker.context.alive())
        then(picker);
    return true;
}
} // namespace

void FakeUi::showPicker(const Picker &picker)
{
    m_calls << QStringLiteral("picker:") + picker.title;
    openIn(m_picker, m_pickerOpen, picker);
}

bool FakeUi::choosePickerRow(int row)
{
    if (!m_pickerOpen || row < 0 || row >= m_picker.rows.size())
        return false;
    return closeIn(m_picker, m_pickerOpen, [row](const Picker &p) { if (p.done) p.done(row); });
}

bool FakeUi::cancelPicker()
{
    return closeIn(m_picker, m_pickerOpen, [](const Picker &p) { if (p.cancel) p.cancel(); });
}

void FakeUi::showDatePicker(const DatePicker &picker)
{
    m_calls << QStringLiteral("datePicker:") + picker.title;
    openIn(m_datePicker, m_datePickerOpen, picker);
}

bool FakeUi::pickDate(const QDate &date)
{
    const DatePicker &p = m_datePicker;
    if (!m_datePickerOpen || !date.isValid() || (p.minimumDate.isValid() && date < p.minimumDate) ||
        (p.maximumDate.isValid() && date > p.maximumDate))
        return false;
    return closeIn(m_datePicker, m_datePickerOpen, [date](const DatePicker &d) { if (d.done) d.done(date); });
}

bool FakeUi::cancelDatePicker()
{
    return closeIn(m_datePicker, m_datePickerOpen, [](const DatePicker &d) { if (d.cancel) d.cancel(); });
}

void FakeUi::drawSpinner(SpinnerMask mask, const QString &)
{
    m_calls << (mask == SpinnerMask::Clear ? QStringLiteral("spinner:show:clear") : QStringLiteral("spinner:show:none"));
    m_spinner = true;
    m_spinnerMask = mask;
}

void FakeUi::removeSpinner()
{
    m_calls << QStringLiteral("spinner:dismiss");
    m_spinner = false;
}

bool FakeUi::openUrl(const QUrl &url)
{
    m_calls << QStringLiteral("openUrl:") + url.toString();
    m_urls.append(url);
    return m_openUrlResult;
}

bool FakeUi::isPhotoSourceAvailable(PhotoSource source) const
{
    return source == PhotoSource::Library || m_cameraAvailable;
}

void FakeUi::pickPhoto(PhotoSource source, std::function<void(const QImage &)> done, std::function<void()> cancelled,
                       std::function<void(const QString &)> failed)
{
    m_calls << (source == PhotoSource::Camera ? QStringLiteral("photo:camera") : QStringLiteral("photo:library"));
    if (!isPhotoSourceAvailable(source)) {
        if (cancelled)
            cancelled();
        return;
    }
    m_photo = PhotoPick{std::move(done), std::move(cancelled), std::move(failed)};
}

bool FakeUi::refusePhoto(const QString &reason)
{
    const std::optional<PhotoPick> pick = std::exchange(m_photo, std::nullopt);
    if (pick && pick->failed)
        pick->failed(reason);
    else if (pick && pick->cancelled)
        pick->cancelled();
    return pick.has_value();
}

bool FakeUi::deliverPhoto(const QImage &image)
{
    const std::optional<PhotoPick> pick = std::exchange(m_photo, std::nullopt);
    if (pick && pick->done)
        pick->done(image);
    return pick.has_value();
}

void FakeUi::runAfter(int ms, QObject *context, std::function<void()> action)
{
    m_calls << QStringLiteral("runAfter:") + QString::number(ms);
    m_delayed.append(Delayed{context != nullptr, context, std::move(action)});
}

int FakeUi::firePendingActions()
{
    int ran = 0;
    for (const Delayed &d : std::exchange(m_delayed, {})) {
        if (d.action && (!d.hasContext || d.context)) {
            d.action();
            ++ran;
        }
    }
    return ran;
}

void FakeUi::endEditing() { m_calls << QStringLiteral("endEditing"); }

void settle()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
