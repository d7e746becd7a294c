#pragma once
// Transitions between screens. The destination is made from the storyboard (for a scene that needs
// arguments, by its class's typed `instantiate`), then pushed onto the source's navigation stack; a
// destination that is a container of its own, or a source without a stack, is presented modally
// instead. A scene that is not registered shows nothing.
#include "ui/Scene.h"

class Screen;

namespace Segue {

// Shows the scene from the source's storyboard. False when there is no such scene.
bool perform(Screen *source, Scene scene, bool animated = true);

// Shows an already created destination as above; takes ownership. False when either is null.
bool show(Screen *source, Screen *destination, bool animated = true);

} // namespace Segue
