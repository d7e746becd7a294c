#pragma once
// Where the user's photos come from. The app's Ui asks a PhotoPicker for a file; without one set it
// uses the desktop's: the window's file dialog filtered to images for the library, CameraCapture for
// the camera. A phone build sets its own (the system photo picker and camera); tests set one that
// answers with a prepared file.
#include <QString>

#include <functional>

enum class PhotoSource { Camera, Library };

class PhotoPicker
{
public:
    virtual ~PhotoPicker() = default;

    virtual bool isAvailable(PhotoSource source) const = 0;
    // Asks the user for a photo from `source`. `chosen` gets the local file of the photo, `cancelled`
    // runs when the user gives up or the source is not available; one of them runs, later, on the main
    // thread.
    virtual void pick(PhotoSource source, std::function<void(const QString &file)> chosen,
                      std::function<void()> cancelled) = 0;
};
