#pragma once

#include <QMetaType>

// The image editor's tools. The values are fixed: the dialog's tool buttons map to them one to one.
// Crop is not a tool but a switch shown over any of them.
enum class EditMode {
    Select = 0,
    Arrow = 1,
    Rectangle = 2,
    Numbers = 3,
    Highlight = 4,
    Text = 5,
};

Q_DECLARE_METATYPE(EditMode)
