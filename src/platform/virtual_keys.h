// The virtual-key codes of key-down events (Event::key): the window system's keys are
// translated to them, and the game's key handlers test them. A letter key is its
// capital ('A'..'Z'), a digit key its digit ('0'..'9').
#pragma once

namespace platform {

constexpr int kKeyBackspace = 8;
constexpr int kKeyTab = 9;
constexpr int kKeyEnter = 13;
constexpr int kKeyShift = 16;
constexpr int kKeyEscape = 27;
constexpr int kKeySpace = 32;
constexpr int kKeyLeft = 37;
constexpr int kKeyUp = 38;
constexpr int kKeyRight = 39;
constexpr int kKeyDown = 40;
constexpr int kKeyNumpad0 = 96;    // the keypad's digits are 96..105
constexpr int kKeyMultiply = 106;  // the keypad's operators and point
constexpr int kKeyAdd = 107;
constexpr int kKeySubtract = 109;
constexpr int kKeyDecimal = 110;
constexpr int kKeyDivide = 111;
constexpr int kKeyF1 = 112;  // F1..F12 are 112..123

}  // namespace platform
