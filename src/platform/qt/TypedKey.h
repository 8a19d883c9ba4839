#pragma once

#include <QString>

class QKeyEvent;

// Whether a key press types something into a field, and what.
//
// The key code decides first: the editing and navigation keys (Delete,
// Insert, arrows, Home/End, Page Up/Down, Tab, Escape, function keys,
// modifiers) are commands, not characters, whatever text the window system
// attaches to them: X11 hands Delete over with "\x7f" and Escape with
// "\x1b", and a key filter that judged that text would refuse them.
// Enter types '\r' and Backspace '\b' on every system. Any other key types
// its text; a Control shortcut with a letter types its control character
// (Ctrl+V is 22) even where the system delivers it without text, so that
// filters refuse pasting the same way everywhere.
//
// Empty when the key types nothing. Usually one character; an input method
// may commit several at once.
QString typedCharacters(const QKeyEvent& key);
