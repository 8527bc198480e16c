// The keyboard's rules (decisions in Keyboard.h).
#include "platform/Keyboard.h"

#include "platform/Utf8.h"

namespace platform {

int16_t CharacterOfKey(int16_t keyCode, int16_t shift)
{
    if (shift & vbAltMask)
        return 0;
    if (keyCode == vbKeyBack || keyCode == vbKeyReturn || keyCode == vbKeyEscape ||
        keyCode == vbKeySpace)
        return keyCode;
    if (keyCode >= vbKeyA && keyCode <= vbKeyZ) {
        if (shift & vbCtrlMask)
            return static_cast<int16_t>(keyCode - vbKeyA + 1);
        return (shift & vbShiftMask) ? keyCode : static_cast<int16_t>(keyCode - vbKeyA + 'a');
    }
    if (shift != 0)
        return 0;
    if (keyCode >= vbKey0 && keyCode <= vbKey9)
        return keyCode;
    if (keyCode >= vbKeyNumpad0 && keyCode <= vbKeyNumpad9)
        return static_cast<int16_t>(keyCode - vbKeyNumpad0 + '0');
    switch (keyCode) {
    case vbKeyComma:
    case vbKeyDecimal:
        return ',';
    case vbKeyPeriod:
        return '.';
    case vbKeyMinus:
    case vbKeySubtract:
        return '-';
    default:
        return 0;
    }
}

KeyStroke KeyOfCharacter(std::string_view character)
{
    const int32_t code = utf8::CodePoint(character);
    if (code >= 'a' && code <= 'z')
        return {static_cast<int16_t>(code - 'a' + 'A'), 0};
    if (code >= 'A' && code <= 'Z')
        return {static_cast<int16_t>(code), vbShiftMask};
    if (code < 0x80)
        return {static_cast<int16_t>(code), 0};
    return {};
}

int16_t KeyAsciiOf(std::string_view character)
{
    const int32_t code = utf8::CodePoint(character);
    return code <= 0xFF ? static_cast<int16_t>(code) : int16_t{'?'};
}

} // namespace platform
