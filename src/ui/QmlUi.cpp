#include "ui/QmlUi.h"

#include "platform/CameraCapture.h"
#include "platform/PhotoFile.h"
#include "ui/Screen.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QFutureWatcher>
#include <QImageReader>
#include <QTimer>
#include <numeric>
#include <QtConcurrent/QtConcurrentRun>

namespace {
QString styleName(AlertButton::Style style)
{
    switch (style) {
    case AlertButton::Style::Cancel:
        return QStringLiteral("cancel");
    case AlertButton::Style::Destructive:
        return QStringLiteral("destructive");
    case AlertButton::Style::Default:
        break;
    }
    return QStringLiteral("default");
}

Qt::InputMethodHints inputHints(AlertTextField::Keyboard keyboard)
{
    switch (keyboard) {
    case AlertTextField::Keyboard::Number:
        return Qt::ImhDigitsOnly;
    case AlertTextField::Keyboard::Decimal:
        return Qt::ImhFormattedNumbersOnly;
    case AlertTextField::Keyboard::Phone:
        return Qt::ImhDialableCharactersOnly;
    case AlertTextField::Keyboard::Email:
        return Qt::ImhEmailCharactersOnly;
    case AlertTextField::Keyboard::Default:
        break;
    }
    return Qt::ImhNone;
}
} // namespace

QmlUi::QmlUi(QObject *parent)
    : QObject(parent),
      m_alertButtons({{"title", [this](int i) { return QVariant(shownAlert().buttons.at(i).title); }},
                      {"style", [this](int i) { return QVariant(styleName(shownAlert().buttons.at(i).style)); }}}),
      m_alertFields({{"placeholder", [this](int i) { return QVariant(shownAlert().fields.at(i).placeholder); }},
                     {"initialText", [this](int i) { return QVariant(shownAlert().fields.at(i).text); }},
                     {"secure", [this](int i) { return QVariant(shownAlert().fields.at(i).secure); }},
                     {"inputHints", [this](int i) { return QVariant(int(inputHints(shownAlert().fields.at(i).keyboard))); }}})
{
}

QmlUi::~QmlUi() = default;

void QmlUi::enqueue(const Alert &alert, bool sheet)
{
    m_alerts.append(QueuedAlert{m_nextId++, sheet, alert});
    if (m_alerts.size() == 1)
        showFirstAlert();
}

void QmlUi::showFirstAlert()
{
    // Emptied first, so that the view makes new delegates: no field keeps what was typed into the last.
    m_alertButtons.setRows({});
    m_alertFields.setRows({});
    if (!m_alerts.isEmpty()) {
        QList<int> buttons(shownAlert().buttons.size()), fields(shownAlert().fields.size());
        std::iota(buttons.begin(), buttons.end(), 0);
        std::iota(fields.begin(), fields.end(), 0);
        m_alertButtons.setRows(buttons);
        m_alertFields.setRows(fields);
    }
    emit alertChanged();
}

void QmlUi::showAlert(const Alert &alert) { enqueue(alert, false); }

void QmlUi::showActionSheet(const Alert &sheet) { enqueue(sheet, true); }

int QmlUi::alertButtonOfStyle(AlertButton::Style style) const
{
    if (m_alerts.isEmpty())
        return -1;
    const QList<AlertButton> &buttons = shownAlert().buttons;
    const auto it = std::find_if(buttons.cbegin(), buttons.cend(), [style](const AlertButton &b) { return b.style == style; });
    return it == buttons.cend() ? -1 : int(it - buttons.cbegin());
}

void QmlUi::answerAlert(int id, int buttonIndex, const QStringList &fieldTexts)
{
    if (m_alerts.isEmpty() || m_alerts.first().id != id)
        return;
    const Alert alert = m_alerts.takeFirst().alert;
    showFirstAlert();
    alert.press(buttonIndex, fieldTexts);
}

bool QmlUi::acceptsFieldEdit(int id, int field, const QString &before, const QString &after) const
{
    if (m_alerts.isEmpty() || m_alerts.first().id != id)
        return false;
    const Alert &alert = m_alerts.first().alert;
    if (field < 0 || field >= alert.fields.size())
        return false;
    return alert.fields[field].accepts(before, TextEdit::between(before, after));
}

void QmlUi::showPicker(const Picker &picker)
{
    // One pick list at a time: a new one replaces (and cancels) the one still open.
    const Picker previous = m_picker;
    const bool hadOne = m_pickerId != 0;
    m_picker = picker;
    m_pickerId = m_nextId++;
    emit pickerChanged();
    if (hadOne && previous.cancel && previous.context.alive())
        previous.cancel();
}

void QmlUi::choosePickerRow(int id, int row)
{
    if (id != m_pickerId || id == 0 || row < 0 || row >= m_picker.rows.size())
        return;
    const Picker picker = m_picker;
    m_pickerId = 0;
    m_picker = {};
    emit pickerChanged();
    if (picker.done && picker.context.alive())
        picker.done(row);
}

void QmlUi::cancelPicker(int id)
{
    if (id != m_pickerId || id == 0)
        return;
    const Picker picker = m_picker;
    m_pickerId = 0;
    m_picker = {};
    emit pickerChanged();
    if (picker.cancel && picker.context.alive())
        picker.cancel();
}

void QmlUi::showDatePicker(const DatePicker &picker)
{
    const DatePicker previous = m_datePicker;
    const bool hadOne = m_datePickerId != 0;
    m_datePicker = picker;
    if (!m_datePicker.initialDate.isValid())
        m_datePicker.initialDate = QDate::currentDate();
    m_datePickerId = m_nextId++;
    emit datePickerChanged();
    if (hadOne && previous.cancel && previous.context.alive())
        previous.cancel();
}

void QmlUi::chooseDate(int id, const QDate &date)
{
    if (id != m_datePickerId || id == 0 || !date.isValid())
        return;
    QDate chosen = date;
    if (m_datePicker.minimumDate.isValid() && chosen < m_datePicker.minimumDate)
        chosen = m_datePicker.minimumDate;
    if (m_datePicker.maximumDate.isValid() && chosen > m_datePicker.maximumDate)
        chosen = m_datePicker.maximumDate;
    const DatePicker picker = m_datePicker;
    m_datePickerId = 0;
    m_datePicker = {};
    emit datePickerChanged();
    if (picker.done && picker.context.alive())
        picker.done(chosen);
}

void QmlUi::cancelDatePicker(int id)
{
    if (id != m_datePickerId || id == 0)
        return;
    const DatePicker picker = m_datePicker;
    m_datePickerId = 0;
    m_datePicker = {};
    emit datePickerChanged();
    if (picker.cancel && picker.context.alive())
        picker.cancel();
}

void QmlUi::drawSpinner(SpinnerMask mask, const QString &status)
{
    m_spinnerVisible = true;
    m_spinnerMask = mask;
    m_spinnerStatus = status;
    emit spinnerChanged();
}

void QmlUi::removeSpinner()
{
    if (!m_spinnerVisible)
        return;
    m_spinnerVisible = false;
    m_spinnerStatus.clear();
    emit spinnerChanged();
}

QString QmlUi::spinnerMaskName() const
{
    return m_spinnerMask == SpinnerMask::Clear ? QStringLiteral("clear") : QStringLiteral("none");
}

bool QmlUi::openUrl(const QUrl &url)
{
    if (!url.isValid() || url.isEmpty())
        return false;
    return QDesktopServices::openUrl(url);
}

bool QmlUi::isPhotoSourceAvailable(PhotoSource source) const
{
    if (m_photoPicker)
        return m_photoPicker->isAvailable(source);
    // The library is the window's file dialog; the camera is there only where Qt Multimedia finds one.
    return source == PhotoSource::Library || CameraCapture::isAvailable();
}

void QmlUi::pickPhoto(PhotoSource source, std::function<void(const QImage &)> done, std::function<void()> cancelled,
                      std::function<void(const QString &)> failed)
{
    PhotoRequest request{std::move(done), std::move(cancelled), std::move(failed)};
    if (!isPhotoSourceAvailable(source)) {
        if (request.cancelled)
            QTimer::singleShot(0, this, request.cancelled);
        return;
    }
    // A file, or nothing: the user gave up.
    auto answer = [this, request](const QString &file) {
        if (!file.isEmpty())
            readPhoto(file, request);
        else if (request.cancelled)
            request.cancelled();
    };
    if (m_photoPicker) {
        m_photoPicker->pick(source, answer, [answer] { answer(QString()); });
        return;
    }
    if (source == PhotoSource::Camera) {
        if (!m_camera)
            m_camera = new CameraCapture(this);
        m_camera->capture(answer);
        return;
    }
    const int id = m_nextId++;
    m_photoRequests.insert(id, request);
    emit photoRequested(id, QStringLiteral("library"));
}

void QmlUi::photoChosen(int id, const QUrl &file)
{
    if (!m_photoRequests.contains(id))
        return;
    readPhoto(file.isLocalFile() ? file.toLocalFile() : file.toString(), m_photoRequests.take(id));
}

void QmlUi::readPhoto(const QString &path, const PhotoRequest &request)
{
    // Decoding a camera-sized photo takes long enough to stall the window: read it on a worker thread.
    auto *watcher = new QFutureWatcher<PhotoFile::Result>(this);
    connect(watcher, &QFutureWatcher<PhotoFile::Result>::finished, this, [watcher, request] {
        const PhotoFile::Result read = watcher->result();
        watcher->deleteLater();
        if (!read.image.isNull()) {
            if (request.done)
                request.done(read.image);
        } else if (request.failed) {
            request.failed(read.error);
        } else if (request.cancelled) {
            request.cancelled();
        }
    });
    watcher->setFuture(QtConcurrent::run([path] { return PhotoFile::read(path); }));
}

void QmlUi::photoCancelled(int id)
{
    if (!m_photoRequests.contains(id))
        return;
    const PhotoRequest request = m_photoRequests.take(id);
    if (request.cancelled)
        request.cancelled();
}

void QmlUi::runAfter(int ms, QObject *context, std::function<void()> action)
{
    if (!action)
        return;
    QTimer::singleShot(ms < 0 ? 0 : ms, context ? context : this, std::move(action));
}

void QmlUi::endEditing() { emit endEditingRequested(); }

void QmlUi::setApplicationStateHandler(std::function<void(Qt::ApplicationState)> changed)
{
    disconnect(m_stateConnection);
    if (changed && qGuiApp)
        m_stateConnection = connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, std::move(changed));
}
