// The keyboard as the platform hands it to controls: key codes, the shift masks, and the one rule
// for the character a key types (KeyPress) and for the key a typed character comes from.
//
// Decisions:
// - A letter key types its small letter, its capital with Shift, its control character with
//   Ctrl (Ctrl+A is 1); with Alt no key types anything.
// - Backspace, Enter, Escape and Space type themselves whatever the shift state.
// - Digits, the keypad's digits, comma, period and minus type only without Shift or Ctrl: with
//   them they are other characters on each layout. The keypad's decimal key types a comma, the
//   decimal separator here.
// - A character reaches a control as its Latin-1 code (KeyAscii); outside Latin-1 the keyboard
//   hands over a question mark.
#pragma once

#include <cstdint>
#include <string_view>

namespace platform {

enum KeyCode : int16_t {
    vbKeyBack = 8,
    vbKeyTab = 9,
    vbKeyReturn = 13,
    vbKeyEscape = 27,
    vbKeySpace = 32,
    vbKeyPageUp = 33,
    vbKeyPageDown = 34,
    vbKeyEnd = 35,
    vbKeyHome = 36,
    vbKeyLeft = 37,
    vbKeyUp = 38,
    vbKeyRight = 39,
    vbKeyDown = 40,
    vbKeyDelete = 46,
    vbKey0 = 48,
    vbKey9 = 57,
    vbKeyA = 65,
    vbKeyZ = 90,
    vbKeyF1 = 112,
    vbKeyF5 = 116,
    vbKeyF8 = 119,
    vbKeyF9 = 120,
    vbKeyF12 = 123,
    vbKeyNumpad0 = 96,
    vbKeyNumpad9 = 105,
    vbKeySubtract = 109,
    vbKeyDecimal = 110,
    vbKeyComma = 188,
    vbKeyMinus = 189,
    vbKeyPeriod = 190,
};

enum ShiftConstants : int16_t { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };

// The character a key types, 0 for none.
int16_t CharacterOfKey(int16_t keyCode, int16_t shift);

// The key and shift state a character is typed with: letters by their key, Shift for capitals,
// other ASCII by its own code; nothing (0) beyond ASCII.
struct KeyStroke {
    int16_t code = 0;
    int16_t shift = 0;
};
KeyStroke KeyOfCharacter(std::string_view character);

// The KeyAscii of one UTF-8 character.
int16_t KeyAsciiOf(std::string_view character);

} // namespace platform
