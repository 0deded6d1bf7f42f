#pragma once

typedef struct _XDisplay Display;

// A connection of the clipboard's own to the X server the program runs on, so that its requests
// and events never mix with the toolkit's. Null when this is not an X11 session.
Display *openPrivateDisplay();
