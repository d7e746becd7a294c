#pragma once
// The Ui of headless tests: records every call and lets the test answer like a user would — press an
// alert button by its title, type into an alert field (each character judged by the field's input
// filter), choose a picker row, pick a date, deliver a photo, fire the delayed actions.
#include "platform/PhotoPicker.h"
#include "ui/Ui.h"

#include <QList>
#include <QPointer>
#include <QStringList>

#include <optional>

class FakeUi : public Ui
{
public:
    struct ShownAlert {
        Alert alert;
        QStringList fieldTexts; // what has been typed so far
    };

    // ---- Ui ----
    void showAlert(const Alert &alert) override { open(alert, false); }
    void showActionSheet(const Alert &sheet) override { open(sheet, true); }
    void showPicker(const Picker &picker) override;
    void showDatePicker(const DatePicker &picker) override;
    void setDefaultSpinnerMask(SpinnerMask mask) override { m_defaultMask = mask; }
    SpinnerMask defaultSpinnerMask() const override { return m_defaultMask; }
    bool openUrl(const QUrl &url) override;
    bool isPhotoSourceAvailable(PhotoSource source) const override;
    void pickPhoto(PhotoSource source, std::function<void(const QImage &)> done,
                   std::function<void()> cancelled = {},
                   std::function<void(const QString &reason)> failed = {}) override;
    void runAfter(int ms, QObject *context, std::function<void()> action) override;
    void endEditing() override;
    void setApplicationStateHandler(std::function<void(Qt::ApplicationState)> changed) override
    {
        m_stateHandler = std::move(changed);
    }

    // The platform changes the application's state (it goes to the background, comes back).
    void setApplicationState(Qt::ApplicationState state)
    {
        if (m_stateHandler)
            m_stateHandler(state);
    }

    // Every call in order: "alert:<title>", "sheet:<title>", "picker:<title>", "datePicker:<title>",
    // "spinner:show:clear|none", "spinner:dismiss", "openUrl:<url>", "photo:camera|library",
    // "runAfter:<ms>", "endEditing". The spinner and end-editing counts below are counted in it.
    QStringList calls() const { return m_calls; }

    // ---- alerts and action sheets (the oldest open one is on screen) ----
    bool hasOpenAlert() const { return !m_open.isEmpty(); }
    int openAlertCount() const { return int(m_open.size()); }
    const ShownAlert *currentAlert() const { return m_open.isEmpty() ? nullptr : &m_open.first(); }
    QString currentAlertTitle() const { return m_open.isEmpty() ? QString() : m_open.first().alert.title; }
    QString currentAlertMessage() const { return m_open.isEmpty() ? QString() : m_open.first().alert.message; }
    QStringList currentAlertButtons() const;
    // Presses the button titled `title` of the current alert: the alert closes, then the handler runs
    // with the field texts. False (and nothing happens) when there is no such button.
    bool pressAlertButton(const QString &title);
    // Types `text` character by character into field `index`; characters the filter refuses are
    // dropped. True when every character was accepted.
    bool typeIntoAlertField(int index, const QString &text);
    // One edit replacing the whole field (a paste over the selection). True when accepted.
    bool replaceAlertFieldText(int index, const QString &text) { return edit(index, text); }
    QString alertFieldText(int index) const;

    // ---- pickers ----
    bool hasOpenPicker() const { return m_pickerOpen; }
    Picker currentPicker() const { return m_picker; }
    // Chooses a row of the open picker; false for no picker or a row out of range.
    bool choosePickerRow(int row);
    bool cancelPicker();
    bool hasOpenDatePicker() const { return m_datePickerOpen; }
    DatePicker currentDatePicker() const { return m_datePicker; }
    bool pickDate(const QDate &date);
    bool cancelDatePicker();

    // ---- spinner ----
    bool isSpinnerShowing() const { return m_spinner; }
    SpinnerMask spinnerMask() const { return m_spinnerMask; }
    int spinnerShowCount() const { return int(m_calls.filter(QStringLiteral("spinner:show")).size()); }

    // ---- addresses ----
    void setOpenUrlResult(bool opened) { m_openUrlResult = opened; }
    QList<QUrl> openedUrls() const { return m_urls; }

    // ---- photos ----
    void setCameraAvailable(bool available) { m_cameraAvailable = available; }
    bool deliverPhoto(const QImage &image);
    // The chosen file was refused with `reason` (as QmlUi reports a PhotoFile refusal).
    bool refusePhoto(const QString &reason);

    // ---- delayed actions ----
    // Runs the actions pending now, in the order asked (skipping those whose context has gone);
    // actions they schedule stay pending. Returns how many ran.
    int firePendingActions();

    int endEditingCount() const { return int(m_calls.count(QStringLiteral("endEditing"))); }

protected:
    void drawSpinner(SpinnerMask mask, const QString &status) override;
    void removeSpinner() override;

private:
    struct Delayed {
        bool hasContext;
        QPointer<QObject> context;
        std::function<void()> action;
    };
    void open(const Alert &alert, bool sheet);
    bool hasField(int index) const; // the current alert has field `index`
    bool edit(int index, const QString &after);

    QStringList m_calls;
    QList<ShownAlert> m_open;
    bool m_pickerOpen = false;
    Picker m_picker;
    bool m_datePickerOpen = false;
    DatePicker m_datePicker;
    SpinnerMask m_defaultMask = SpinnerMask::Clear;
    SpinnerMask m_spinnerMask = SpinnerMask::Clear;
    bool m_spinner = false;
    bool m_openUrlResult = true;
    QList<QUrl> m_urls;
    bool m_cameraAvailable = false;
    struct PhotoPick {
        std::function<void(const QImage &)> done;
        std::function<void()> cancelled;
        std::function<void(const QString &)> failed;
    };
    std::optional<PhotoPick> m_photo; // the pick waiting for a photo
    QList<Delayed> m_delayed;
    std::function<void(Qt::ApplicationState)> m_stateHandler;
};

// The photo library of a test: answers each pick (later, as the platform does) with `file`, or cancels
// while it is empty. No camera.
class FilePhotoPicker : public PhotoPicker
{
public:
    QString file;
    int picks = 0;
    bool isAvailable(PhotoSource source) const override { return source == PhotoSource::Library; }
    void pick(PhotoSource, std::function<void(const QString &)> chosen, std::function<void()> cancelled) override;
};

// Lets the screens' queued work run (transitions end at once headless) and deleted screens go.
void settle();
