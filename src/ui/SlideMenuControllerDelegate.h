#pragma once
// Told when a panel of a SlideMenuController starts and finishes opening or closing. Every callback
// does nothing unless overridden. A delegate that is also a QObject is dropped when it is destroyed.
class SlideMenuControllerDelegate
{
public:
    virtual ~SlideMenuControllerDelegate() = default;
    virtual void leftWillOpen() {}
    virtual void leftDidOpen() {}
    virtual void leftWillClose() {}
    virtual void leftDidClose() {}
    virtual void rightWillOpen() {}
    virtual void rightDidOpen() {}
    virtual void rightWillClose() {}
    virtual void rightDidClose() {}
};
