#pragma once
// Storyboard transitions between screens. The destination scene is created from the storyboard,
// prepared by the source (its title, the identifiers it needs), then pushed onto the source's
// navigation stack; a destination that is a container of its own, or a source without a stack, is
// presented modally instead. A scene that is not registered shows nothing.
#include <QString>

#include <functional>

class Screen;

namespace Segue {

using Prepare = std::function<void(Screen *destination)>;

// `identifier` empty: the storyboard's initial scene. False when there is no such scene.
bool perform(Screen *source, const QString &storyboard, const QString &identifier, const Prepare &prepare = {},
             bool animated = true);

// Shows an already created destination as above; takes ownership. False when `source` is null.
bool show(Screen *source, Screen *destination, bool animated = true);

} // namespace Segue
