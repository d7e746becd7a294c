#include "ui/Segue.h"

#include "ui/NavigationController.h"
#include "ui/Storyboard.h"

namespace Segue {

bool perform(Screen *source, const QString &storyboard, const QString &identifier, const Prepare &prepare,
             bool animated)
{
    if (!source || !source->storyboard())
        return false;
    Storyboard *board = source->storyboard();
    Screen *destination =
        identifier.isEmpty() ? board->instantiateInitial(storyboard) : board->instantiate(storyboard, identifier);
    if (!destination)
        return false;
    if (prepare)
        prepare(destination);
    return show(source, destination, animated);
}

bool show(Screen *source, Screen *destination, bool animated)
{
    if (!source || !destination)
        return false;
    NavigationController *stack = source->navigationController();
    if (stack && !qobject_cast<NavigationController *>(destination) && destination->kind() == QLatin1String("screen"))
        stack->push(destination, animated);
    else
        source->present(destination, animated);
    return true;
}

} // namespace Segue
