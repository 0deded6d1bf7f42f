#pragma once

#include <Qt>

// Item data roles shared by the history, snippet and search models. The numbers are fixed.
enum ItemRole {
    HtmlRole = Qt::UserRole,        // 256
    TextRole,                       // 257
    IdRole,                         // 258
    TimeRole,                       // 259
    ShortcutRole,                   // 260
    RemovedRole,                    // 261
    OrdinalRole,                    // 262
    CurrentChildRole,               // 263
    HideRole,                       // 264
    ApplicationRole,                // 265
    ThumbnailRole,                  // 266
    TypeRole,                       // 267
    FileNameRole,                   // 268
    SourceIndexRole,                // 269

    // An action of the settings dialog's action list.
    TitleRole,                      // 270
    DescriptionRole,                // 271
    InputRole,                      // 272
    FailedRole,                     // 273
    HiddenActionRole,               // 274

    HotkeyRole,                     // 275
    ExpanderRole,                   // 276
    LockedRole,                     // 277
    // When a clipping last changed in place (a lock): newer than its time, it wins merges as a
    // later time would, but the clipping keeps its place, which follows the time.
    ChangedRole,                    // 278

    // The rule flags of one application in the settings dialog's applications list.
    ExcludeRole = Qt::UserRole + 100, // 356
    NoImagesRole,                     // 357
    TextOnlyRole,                     // 358
    NoExpandRole,                     // 359
    DelayRole,                        // 360
    FormattingOnlyRole,               // 361
};

static_assert(TitleRole == Qt::UserRole + 14 && HotkeyRole == Qt::UserRole + 19 && ChangedRole == Qt::UserRole + 22,
              "stored role numbers moved");
