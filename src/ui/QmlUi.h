#pragma once
// The app's Ui: holds what is on screen (the current alert or action sheet, picker, date picker,
// spinner) as properties that Main.qml draws, and takes the user's answers back through the
// Q_INVOKABLE methods. Answers carry the id of what they answer, so a late tap on something that has
// already gone is ignored.
#include <QtQml/qqmlregistration.h>
#include "ui/ListModel.h"
#include "ui/Ui.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QObject>

class CameraCapture;

class QmlUi : public QObject, public Ui
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made in C++")
    // The alert or action sheet on screen, the first of those waiting; its id is 0 when none shows.
    Q_PROPERTY(int alertId READ alertId NOTIFY alertChanged)
    Q_PROPERTY(bool alertIsSheet READ alertIsSheet NOTIFY alertChanged)
    Q_PROPERTY(QString alertTitle READ alertTitle NOTIFY alertChanged)
    Q_PROPERTY(QString alertMessage READ alertMessage NOTIFY alertChanged)
    // Its buttons, roles `title`, `style` ("default", "cancel" or "destructive"); made anew for each alert.
    Q_PROPERTY(ListModelBase *alertButtons READ alertButtons CONSTANT)
    // The button Return presses: the first of default style; -1 when there is none.
    Q_PROPERTY(int alertDefaultButton READ alertDefaultButton NOTIFY alertChanged)
    // Its text fields, roles `placeholder`, `initialText`, `secure`, `inputHints`
    // (Qt::InputMethodHints of its keyboard); made anew for each alert, so no typed text is carried over.
    Q_PROPERTY(ListModelBase *alertFields READ alertFields CONSTANT)
    // The bottom pick list; its id is 0 when none shows.
    Q_PROPERTY(int pickerId READ pickerId NOTIFY pickerChanged)
    Q_PROPERTY(QString pickerTitle READ pickerTitle NOTIFY pickerChanged)
    Q_PROPERTY(QStringList pickerRows READ pickerRows NOTIFY pickerChanged)
    Q_PROPERTY(int pickerInitialRow READ pickerInitialRow NOTIFY pickerChanged)
    // The date picker; its id is 0 when none shows. The date it opens on (today unless given).
    Q_PROPERTY(int datePickerId READ datePickerId NOTIFY datePickerChanged)
    Q_PROPERTY(QString datePickerTitle READ datePickerTitle NOTIFY datePickerChanged)
    Q_PROPERTY(QDate datePickerDate READ datePickerDate NOTIFY datePickerChanged)
    Q_PROPERTY(bool spinnerVisible READ isSpinnerVisible NOTIFY spinnerChanged)
    Q_PROPERTY(QString spinnerMask READ spinnerMaskName NOTIFY spinnerChanged) // "clear" or "none"
    Q_PROPERTY(QString spinnerStatus READ spinnerStatus NOTIFY spinnerChanged)

public:
    explicit QmlUi(QObject *parent = nullptr);
    ~QmlUi() override;

    void showAlert(const Alert &alert) override;
    void showActionSheet(const Alert &sheet) override;
    void showPicker(const Picker &picker) override;
    void showDatePicker(const DatePicker &picker) override;
    void setDefaultSpinnerMask(SpinnerMask mask) override { m_defaultMask = mask; }
    SpinnerMask defaultSpinnerMask() const override { return m_defaultMask; }
    bool openUrl(const QUrl &url) override;
    bool isPhotoSourceAvailable(PhotoSource source) const override;
    void pickPhoto(PhotoSource source, std::function<void(const QImage &)> done,
                   std::function<void()> cancelled = {},
                   std::function<void(const QString &reason)> failed = {}) override;
    // Replaces the desktop's photo sources (file dialog, CameraCapture); null restores them. Not owned.
    void setPhotoPicker(PhotoPicker *picker) { m_photoPicker = picker; }
    void runAfter(int ms, QObject *context, std::function<void()> action) override;
    void endEditing() override;
    // Follows QGuiApplication::applicationStateChanged.
    void setApplicationStateHandler(std::function<void(Qt::ApplicationState)> changed) override;

    // ---- answers from the view ----
    Q_INVOKABLE void answerAlert(int id, int buttonIndex, const QStringList &fieldTexts);
    // Whether the field may change from `before` to `after` (its input filter judges the one edit).
    Q_INVOKABLE bool acceptsFieldEdit(int id, int field, const QString &before, const QString &after) const;
    Q_INVOKABLE void choosePickerRow(int id, int row);
    Q_INVOKABLE void cancelPicker(int id);
    Q_INVOKABLE void chooseDate(int id, const QDate &date);
    Q_INVOKABLE void cancelDatePicker(int id);
    Q_INVOKABLE void photoChosen(int id, const QUrl &file);
    Q_INVOKABLE void photoCancelled(int id);

    int alertId() const { return m_alerts.isEmpty() ? 0 : m_alerts.first().id; }
    bool alertIsSheet() const { return !m_alerts.isEmpty() && m_alerts.first().sheet; }
    QString alertTitle() const { return m_alerts.isEmpty() ? QString() : m_alerts.first().alert.title; }
    QString alertMessage() const { return m_alerts.isEmpty() ? QString() : m_alerts.first().alert.message; }
    ListModelBase *alertButtons() { return &m_alertButtons; }
    // The index of the shown alert's first button of `style`; -1 when it has none or none shows.
    int alertButtonOfStyle(AlertButton::Style style) const;
    int alertDefaultButton() const { return alertButtonOfStyle(AlertButton::Style::Default); }
    ListModelBase *alertFields() { return &m_alertFields; }
    int pickerId() const { return m_pickerId; }
    QString pickerTitle() const { return m_picker.title; }
    QStringList pickerRows() const { return m_picker.rows; }
    int pickerInitialRow() const { return m_picker.initialRow; }
    int datePickerId() const { return m_datePickerId; }
    QString datePickerTitle() const { return m_datePicker.title; }
    QDate datePickerDate() const { return m_datePicker.initialDate; }
    bool isSpinnerVisible() const { return m_spinnerVisible; }
    QString spinnerMaskName() const;
    QString spinnerStatus() const { return m_spinnerStatus; }

signals:
    void alertChanged();
    void pickerChanged();
    void datePickerChanged();
    void spinnerChanged();
    // The view opens its file dialog (the library) and answers with photoChosen/photoCancelled.
    void photoRequested(int id, const QString &source);
    void endEditingRequested();

protected:
    void drawSpinner(SpinnerMask mask, const QString &status) override;
    void removeSpinner() override;

private:
    struct QueuedAlert {
        int id;
        bool sheet;
        Alert alert;
    };
    struct PhotoRequest {
        std::function<void(const QImage &)> done;
        std::function<void()> cancelled;
        std::function<void(const QString &)> failed;
    };
    // Reads the chosen file on a worker thread and answers `request`.
    void readPhoto(const QString &path, const PhotoRequest &request);
    void enqueue(const Alert &alert, bool sheet);
    // The first waiting alert is now another one (or none): its buttons and fields, then alertChanged.
    void showFirstAlert();
    const Alert &shownAlert() const { return m_alerts.first().alert; }

    int m_nextId = 1;
    QList<QueuedAlert> m_alerts;
    RowListModel<int> m_alertButtons;
    RowListModel<int> m_alertFields;
    int m_pickerId = 0;
    Picker m_picker;
    int m_datePickerId = 0;
    DatePicker m_datePicker;
    SpinnerMask m_defaultMask = SpinnerMask::Clear;
    SpinnerMask m_spinnerMask = SpinnerMask::Clear;
    bool m_spinnerVisible = false;
    QString m_spinnerStatus;
    QHash<int, PhotoRequest> m_photoRequests;
    PhotoPicker *m_photoPicker = nullptr;
    CameraCapture *m_camera = nullptr;
    QMetaObject::Connection m_stateConnection;
};
