#pragma once

// Makes the editor's schemes and keyword lists (":/default_style.xml", ":/styles/..." and
// ":/languages/...") available; every reader calls it before it opens one of them.
void initCodeEditorResources();
