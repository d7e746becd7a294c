#include "ui/Segue.h"

#include "ui/NavigationController.h"
#include "ui/Storyboard.h"

namespace Segue {

bool perform(Screen *source, Scene scene, bool animated)
{
    if (!source || !source->storyboard())
        return false;
    return show(source, source->storyboard()->instantiate(scene), animated);
}

bool show(Screen *source, Screen *destination, bool animated)
{
    if (!destination)
        return false;
    if (!source) {
        delete destination;
        return false;
    }
    NavigationController *stack = source->navigationController();
    if (stack && !qobject_cast<NavigationController *>(destination) && destination->kind() == QLatin1String("screen"))
        stack->push(destination, animated);
    else
        source->present(destination, animated);
    return true;
}

} // namespace Segue
