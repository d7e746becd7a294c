#pragma once
// Every screen of the app, registered by storyboard name and scene identifier (ScreenRegistry.cpp).
class Storyboard;

void registerScreens(Storyboard &storyboard);
