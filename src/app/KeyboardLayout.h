#pragma once
// Switching the keyboard to Hebrew at start-up.

// Switches the X server's keyboard to its configured Hebrew group, when it has one, so that the
// user types Hebrew from the start; the switch holds for the whole display, as a desktop's layout
// switcher does. Without a Hebrew group, XKB or a display it does nothing: the user may simply
// have no Hebrew layout configured, and the editor works all the same.
void ActivateHebrewKeyboardLayout();
