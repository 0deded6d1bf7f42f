#include "platform/keycodes.h"

#include <xkbcommon/xkbcommon.h>

#include <array>

namespace {

struct KeyRow
{
    quint16 macCode;
    int evdevCode;
    quint32 keysym; // US layout, no modifiers
};

// Virtual key code, Linux input code of the same position, US keysym.
constexpr KeyRow keyTable[] = {
    {0, 30, XKB_KEY_a}, {1, 31, XKB_KEY_s}, {2, 32, XKB_KEY_d}, {3, 33, XKB_KEY_f},
    {4, 35, XKB_KEY_h}, {5, 34, XKB_KEY_g}, {6, 44, XKB_KEY_z}, {7, 45, XKB_KEY_x},
    {8, 46, XKB_KEY_c}, {9, 47, XKB_KEY_v}, {11, 48, XKB_KEY_b}, {12, 16, XKB_KEY_q},
    {13, 17, XKB_KEY_w}, {14, 18, XKB_KEY_e}, {15, 19, XKB_KEY_r}, {16, 21, XKB_KEY_y},
    {17, 20, XKB_KEY_t}, {18, 2, XKB_KEY_1}, {19, 3, XKB_KEY_2}, {20, 4, XKB_KEY_3},
    {21, 5, XKB_KEY_4}, {22, 7, XKB_KEY_6}, {23, 6, XKB_KEY_5}, {24, 13, XKB_KEY_equal},
    {25, 10, XKB_KEY_9}, {26, 8, XKB_KEY_7}, {27, 12, XKB_KEY_minus}, {28, 9, XKB_KEY_8},
    {29, 11, XKB_KEY_0}, {30, 27, XKB_KEY_bracketright}, {31, 24, XKB_KEY_o}, {32, 22, XKB_KEY_u},
    {33, 26, XKB_KEY_bracketleft}, {34, 23, XKB_KEY_i}, {35, 25, XKB_KEY_p}, {36, 28, XKB_KEY_Return},
    {37, 38, XKB_KEY_l}, {38, 36, XKB_KEY_j}, {39, 40, XKB_KEY_apostrophe}, {40, 37, XKB_KEY_k},
    {41, 39, XKB_KEY_semicolon}, {42, 43, XKB_KEY_backslash}, {43, 51, XKB_KEY_comma}, {44, 53, XKB_KEY_slash},
    {45, 49, XKB_KEY_n}, {46, 50, XKB_KEY_m}, {47, 52, XKB_KEY_period}, {48, 15, XKB_KEY_Tab},
    {49, 57, XKB_KEY_space}, {50, 41, XKB_KEY_grave}, {51, 14, XKB_KEY_BackSpace}, {53, 1, XKB_KEY_Escape},
    {54, 126, XKB_KEY_Super_R}, {55, 125, XKB_KEY_Super_L}, {56, 42, XKB_KEY_Shift_L}, {57, 58, XKB_KEY_Caps_Lock},
    {58, 56, XKB_KEY_Alt_L}, {59, 29, XKB_KEY_Control_L}, {60, 54, XKB_KEY_Shift_R}, {61, 100, XKB_KEY_Alt_R},
    {62, 97, XKB_KEY_Control_R}, {64, 187, XKB_KEY_F17}, {65, 83, XKB_KEY_KP_Decimal}, {67, 55, XKB_KEY_KP_Multiply},
    {69, 78, XKB_KEY_KP_Add}, {72, 115, XKB_KEY_XF86AudioRaiseVolume}, {73, 114, XKB_KEY_XF86AudioLowerVolume},
    {74, 113, XKB_KEY_XF86AudioMute}, {75, 98, XKB_KEY_KP_Divide}, {76, 96, XKB_KEY_KP_Enter},
    {78, 74, XKB_KEY_KP_Subtract}, {79, 188, XKB_KEY_F18}, {80, 189, XKB_KEY_F19}, {81, 117, XKB_KEY_KP_Equal},
    {82, 82, XKB_KEY_KP_0}, {83, 79, XKB_KEY_KP_1}, {84, 80, XKB_KEY_KP_2}, {85, 81, XKB_KEY_KP_3},
    {86, 75, XKB_KEY_KP_4}, {87, 76, XKB_KEY_KP_5}, {88, 77, XKB_KEY_KP_6}, {89, 71, XKB_KEY_KP_7},
    {90, 190, XKB_KEY_F20}, {91, 72, XKB_KEY_KP_8}, {92, 73, XKB_KEY_KP_9}, {96, 63, XKB_KEY_F5},
    {97, 64, XKB_KEY_F6}, {98, 65, XKB_KEY_F7}, {99, 61, XKB_KEY_F3}, {100, 66, XKB_KEY_F8},
    {101, 67, XKB_KEY_F9}, {103, 87, XKB_KEY_F11}, {105, 183, XKB_KEY_F13}, {106, 186, XKB_KEY_F16},
    {107, 184, XKB_KEY_F14}, {109, 68, XKB_KEY_F10}, {111, 88, XKB_KEY_F12}, {113, 185, XKB_KEY_F15},
    {114, 110, XKB_KEY_Insert},
    {115, 102, XKB_KEY_Home}, {116, 104, XKB_KEY_Prior}, {117, 111, XKB_KEY_Delete}, {118, 62, XKB_KEY_F4},
    {119, 107, XKB_KEY_End}, {120, 60, XKB_KEY_F2}, {121, 109, XKB_KEY_Next}, {122, 59, XKB_KEY_F1},
    {123, 105, XKB_KEY_Left}, {124, 106, XKB_KEY_Right}, {125, 108, XKB_KEY_Down}, {126, 103, XKB_KEY_Up},
};

// System key numbers (code - 1000) and the XF86 keysyms of the same keys.
constexpr std::array<std::pair<int, quint32>, 11> systemKeyTable{{
    {0, XKB_KEY_XF86AudioRaiseVolume}, {1, XKB_KEY_XF86AudioLowerVolume},
    {2, XKB_KEY_XF86MonBrightnessUp}, {3, XKB_KEY_XF86MonBrightnessDown},
    {7, XKB_KEY_XF86AudioMute}, {14, XKB_KEY_XF86Eject}, {16, XKB_KEY_XF86AudioPlay},
    {17, XKB_KEY_XF86AudioNext}, {18, XKB_KEY_XF86AudioPrev}, {19, XKB_KEY_XF86AudioForward},
    {20, XKB_KEY_XF86AudioRewind},
}};

const KeyRow *rowForMac(quint16 macCode)
{
    for (const KeyRow &row : keyTable) {
        if (row.macCode == macCode)
            return &row;
    }
    return nullptr;
}

} // namespace

namespace KeyCodes {

quint32 keysymForMacKey(quint16 macCode)
{
    const KeyRow *row = rowForMac(macCode);
    return row ? row->keysym : 0;
}

int evdevCodeForMacKey(quint16 macCode)
{
    const KeyRow *row = rowForMac(macCode);
    return row ? row->evdevCode : -1;
}

quint16 macKeyForEvdevCode(int evdevCode)
{
    for (const KeyRow &row : keyTable) {
        if (row.evdevCode == evdevCode)
            return row.macCode;
    }
    return MacKey::NoKey;
}

bool isCharacterPosition(quint16 macCode)
{
    return macCode <= 50 && macCode != MacKey::Return && macCode != MacKey::Tab && macCode != MacKey::Space
           && rowForMac(macCode);
}

quint16 macKeyForKeysym(quint32 keysym)
{
    for (const KeyRow &row : keyTable) {
        if (row.keysym == keysym && !isCharacterPosition(row.macCode))
            return row.macCode;
    }
    return MacKey::NoKey;
}

quint64 flagForModifierMacKey(quint16 macCode)
{
    switch (macCode) {
    case MacKey::Shift:
    case MacKey::RightShift:
        return MacFlag::Shift;
    case MacKey::Control:
    case MacKey::RightControl:
        return MacFlag::Control;
    case MacKey::Option:
    case MacKey::RightOption:
        return MacFlag::Option;
    case MacKey::Command:
    case MacKey::RightCommand:
        return MacFlag::Command;
    default:
        return 0;
    }
}

bool isModifierMacKey(quint16 macCode)
{
    return flagForModifierMacKey(macCode) != 0 || macCode == MacKey::CapsLock || macCode == 63; // 63: Fn
}

quint32 keysymForModifierFlag(quint64 flag)
{
    switch (flag) {
    case MacFlag::Shift:
        return XKB_KEY_Shift_L;
    case MacFlag::Control:
        return XKB_KEY_Control_L;
    case MacFlag::Option:
        return XKB_KEY_Alt_L;
    case MacFlag::Command:
        return XKB_KEY_Super_L;
    default:
        return 0;
    }
}

bool isModifierKeysym(quint32 keysym)
{
    return (keysym >= XKB_KEY_Shift_L && keysym <= XKB_KEY_Hyper_R)          // Shift..Hyper, Caps/Shift lock
           || (keysym >= XKB_KEY_ISO_Lock && keysym <= XKB_KEY_ISO_Level5_Lock) // level and group shifts
           || keysym == XKB_KEY_Mode_switch || keysym == XKB_KEY_Num_Lock || keysym == XKB_KEY_Scroll_Lock;
}

quint32 keysymForSystemKey(int systemKey)
{
    for (const auto &[number, keysym] : systemKeyTable) {
        if (number == systemKey)
            return keysym;
    }
    return 0;
}

QString textForKeysym(quint32 keysym)
{
    const char32_t codePoint = xkb_keysym_to_utf32(keysym);
    if (codePoint == 0)
        return {};
    return QString::fromUcs4(&codePoint, 1);
}

quint32 keysymForCodePoint(char32_t codePoint)
{
    switch (codePoint) {
    case U'\n':
    case U'\r':
        return XKB_KEY_Return;
    case U'\t':
        return XKB_KEY_Tab;
    case U'\b':
        return XKB_KEY_BackSpace;
    case 0x1B:
        return XKB_KEY_Escape;
    default:
        break;
    }
    // Other C0 and C1 controls, surrogates and values past Unicode have no keysym.
    if (codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0) || (codePoint >= 0xD800 && codePoint < 0xE000)
        || codePoint > 0x10FFFF)
        return 0;
    // Legacy keysyms first (EuroSign, Greek_alpha...), as layouts carry those.
    return xkb_utf32_to_keysym(codePoint);
}

} // namespace KeyCodes
