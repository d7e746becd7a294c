#pragma once
// What only the toolkit can do, behind one interface: QmlUi draws it in the app, FakeUi (tests/support)
// records it and lets a test answer. Handlers are called on the main thread, never inside the show
// call itself; callbacks that outlive the call should hold their screen through QPointer.
#include "ui/Alert.h"
#include "ui/Picker.h"
#include "platform/PhotoPicker.h"

#include <QImage>
#include <QObject>
#include <QUrl>

#include <functional>

enum class SpinnerMask {
    None,  // touches reach the screen under the spinner
    Clear, // touches are swallowed while the spinner shows; the screen is not dimmed
};

class Ui
{
public:
    virtual ~Ui();

    // Alerts and action sheets are shown one at a time, in the order asked; a later one waits until
    // the earlier one has been answered.
    virtual void showAlert(const Alert &alert) = 0;
    virtual void showActionSheet(const Alert &sheet) = 0;

    virtual void showPicker(const Picker &picker) = 0;
    virtual void showDatePicker(const DatePicker &picker) = 0;

    // The progress spinner, shown for `owner` (the screen that waits, or a part of it): a spinner belongs
    // to the one that showed it last, and goes with it when that is destroyed first, so that a screen
    // leaving before its answer never leaves the spinner (and its touch mask) behind. The short form uses
    // the default mask.
    virtual void setDefaultSpinnerMask(SpinnerMask mask) = 0;
    virtual SpinnerMask defaultSpinnerMask() const = 0;
    void showSpinner(QObject *owner, SpinnerMask mask, const QString &status = {});
    void showSpinner(QObject *owner) { showSpinner(owner, defaultSpinnerMask()); }
    void dismissSpinner();

    // Opens an address with the system (telephone numbers, web pages). False when nothing opened it.
    virtual bool openUrl(const QUrl &url) = 0;

    // Lets the user pick a photo. `done` gets the image (decoded off the main thread), `cancelled` runs
    // when the user gives up or the source is not available, `failed` gets the reason when the chosen
    // file was refused (unreadable, not an image, too large: PhotoFile); without `failed` a refusal
    // cancels.
    virtual bool isPhotoSourceAvailable(PhotoSource source) const = 0;
    virtual void pickPhoto(PhotoSource source, std::function<void(const QImage &)> done,
                           std::function<void()> cancelled = {},
                           std::function<void(const QString &reason)> failed = {}) = 0;

    // Runs `action` on the main thread after `ms` milliseconds; not at all when `context` has gone.
    virtual void runAfter(int ms, QObject *context, std::function<void()> action) = 0;

    // Ends text editing: the focused field loses focus and the keyboard closes.
    virtual void endEditing() = 0;

    // Tells `changed` of every change of the application's state (Qt::ApplicationActive: in front and
    // taking input). One handler at a time; an empty one removes it.
    virtual void setApplicationStateHandler(std::function<void(Qt::ApplicationState)> changed) = 0;

protected:
    // What the toolkit draws for showSpinner() and dismissSpinner().
    virtual void drawSpinner(SpinnerMask mask, const QString &status) = 0;
    virtual void removeSpinner() = 0;

private:
    QMetaObject::Connection m_spinnerOwnerGone;
};
