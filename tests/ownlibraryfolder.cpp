#include "common/ownlibrary.h"

// Test and benchmark programs are built in sub folders of the build tree; the program's libraries
// lie in its root, beside the program.
static const bool ownLibraryFolderSet = (OwnLibrary::setFolder(QStringLiteral(KESTOVAN_BINARY_DIR)), true);
