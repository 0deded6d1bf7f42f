#pragma once

#include <QString>

class QLanguage;

// Makes the editor's schemes and keyword lists (":/default_style.xml", ":/styles/..." and
// ":/languages/...") available; every reader calls it before it opens one of them.
void initCodeEditorResources();

// Reads a keyword list of the resources into language; false when it is missing or broken.
bool loadLanguageResource(QLanguage &language, const QString &path);
