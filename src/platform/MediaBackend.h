#pragma once
// Sound and camera through Qt Multimedia, which lives in a module of its own (zelkmedia) loaded on first
// use: the multimedia stack (audio server client, codecs) is not mapped at launch, only when a
// notification sounds or the photo sheet asks for the camera. Main thread only.
#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>

class MediaBackend
{
public:
    virtual ~MediaBackend() = default;

    virtual bool hasAudioOutput() = 0;
    // Plays a short sound; one effect per source, loaded once and kept by `owner`.
    virtual void playSound(QObject *owner, const QUrl &source, float volume) = 0;
    virtual bool hasCamera() = 0;
    // One photo from the default camera into `path`; `done` gets the path, or "" when the capture failed.
    // Everything of the capture is a child of `owner`.
    virtual void capture(QObject *owner, const QString &path, std::function<void(const QString &file)> done) = 0;

    // The module's backend, loaded on the first call; null when the module cannot be loaded.
    static MediaBackend *instance();
};

// The interface the module's root object implements (see AppModule.h).
#define ZelkMediaBackend_iid "tw.com.zelk.eip.MediaBackend/1"
Q_DECLARE_INTERFACE(MediaBackend, ZelkMediaBackend_iid)
