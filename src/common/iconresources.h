#pragma once

// Makes the icons, the spinner and the logo (":/icons/images/...", ":/other/release-notes/logo.png")
// available. Resources of a static library are only linked in when something asks for them by
// name, so every user of them calls this once; repeated calls are harmless.
void registerIconResources();
