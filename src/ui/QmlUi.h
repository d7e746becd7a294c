#pragma once
// The app's Ui: holds what is on screen (the current alert or action sheet, picker, date picker,
// spinner) as properties that Main.qml draws, and takes the user's answers back through the
// Q_INVOKABLE methods. Answers carry the id of what they answer, so a late tap on something that has
// already gone is ignored.
#include <QtQml/qqmlregistration.h>
#include "ui/Ui.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QVariantMap>

class CameraCapture;

class QmlUi : public QObject, public Ui
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made in C++")
    // {} when nothing shows; else {id, kind ("alert"|"sheet"), title, message, buttons: [{title, style
    // ("default"|"cancel"|"destructive")}], fields: [{placeholder, text, secure, keyboard}]}.
    Q_PROPERTY(QVariantMap alert READ alertForView NOTIFY alertChanged)
    // {} or {id, title, rows, initialRow}.
    Q_PROPERTY(QVariantMap picker READ pickerForView NOTIFY pickerChanged)
    // {} or {id, title, date, minimumDate, maximumDate} (dates as QDate; invalid when unlimited).
    Q_PROPERTY(QVariantMap datePicker READ datePickerForView NOTIFY datePickerChanged)
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

    QVariantMap alertForView() const;
    QVariantMap pickerForView() const;
    QVariantMap datePickerForView() const;
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

    int m_nextId = 1;
    QList<QueuedAlert> m_alerts;
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
