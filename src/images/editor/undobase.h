#pragma once

// One reversible step of an image edit. Records refer to items without owning them: items are
// never removed from the editor's scene, only hidden, so every record can bring its item back.
class UndoBase
{
public:
    UndoBase() = default;
    UndoBase(const UndoBase &) = delete;
    UndoBase &operator=(const UndoBase &) = delete;
    virtual ~UndoBase();

    virtual void undo() = 0;
    virtual void redo() = 0;
};
