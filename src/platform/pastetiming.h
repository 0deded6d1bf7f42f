#pragma once

// Every delay on the way from a chosen clipping to the text in the other application, in milliseconds.
namespace PasteTiming {

// A delayed paste waits this long so the window manager has re-activated the target window.
constexpr int DelayedPaste = 200;
// Held modifiers were re-posted this long after a paste; on X11 they are not (a lone press sticks).
constexpr int ModifierRepost = 100;
// The cursor moves after the paste so the target has inserted the text first.
constexpr int CursorMove = 100;
// The saved clipboard comes back once the target has certainly read the pasted text.
constexpr int ClipboardRestore = 500;

// Control+V waits at most this long for the user to let go of modifiers (the Shift of Ctrl+Shift+V).
constexpr int ModifierReleaseTimeout = 1000;
// Poll interval of that wait: not felt by the user, no flood of requests to the X server.
constexpr int ModifierPollInterval = 10;
// Between typed characters: the target reads a re-bound key code with the mapping current when it
// processes the event, so it must have processed one character before the next re-binding.
constexpr int UnicodeKeyInterval = 8;
// After the last typed character the borrowed key codes are unbound again, once the target has
// processed the last of them.
constexpr int RestoreMappingDelay = 100;

} // namespace PasteTiming
