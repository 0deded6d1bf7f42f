#include "images/editor/undobase.h"

UndoBase::~UndoBase() = default;
