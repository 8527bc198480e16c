#include "platform/Keyboard.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(Keyboard, CharacterOfKeyFollowsTheShiftState)
{
    const struct {
        int16_t key;
        int16_t shift;
        int16_t character;
    } rows[] = {
        {vbKeyA, 0, 'a'},
        {'Z', vbShiftMask, 'Z'},
        {'C', vbCtrlMask, 3},
        {'A', vbAltMask, 0},
        {'A', vbAltMask | vbShiftMask, 0},
        {vbKeyBack, vbShiftMask, vbKeyBack},
        {vbKeyReturn, vbCtrlMask, vbKeyReturn},
        {vbKeyEscape, 0, vbKeyEscape},
        {vbKeySpace, vbShiftMask, ' '},
        {'7', 0, '7'},
        {'7', vbShiftMask, 0},
        {'7', vbCtrlMask, 0},
        {vbKeyNumpad0 + 5, 0, '5'},
        {vbKeyDecimal, 0, ','},
        {vbKeyComma, 0, ','},
        {vbKeyComma, vbShiftMask, 0},
        {vbKeyPeriod, 0, '.'},
        {vbKeyMinus, 0, '-'},
        {vbKeySubtract, 0, '-'},
        {vbKeyDown, 0, 0},
        {vbKeyDelete, 0, 0},
        {112, 0, 0}, // F1
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.key << " shift " << row.shift);
        EXPECT_EQ(CharacterOfKey(row.key, row.shift), row.character);
    }
}

TEST(Keyboard, ACharacterComesFromItsKeyAndAsItsLatin1Code)
{
    const struct {
        const char* character;
        KeyStroke stroke;
        int16_t keyAscii;
    } rows[] = {
        {"a", {'A', 0}, 'a'}, {"Q", {'Q', vbShiftMask}, 'Q'},
        {"5", {'5', 0}, '5'}, {"ç", {0, 0}, 0xE7},
        {"€", {0, 0}, '?'},   {"\x80", {0, 0}, 0x80}, // a malformed byte stands for itself
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.character);
        const KeyStroke stroke = KeyOfCharacter(row.character);
        EXPECT_EQ(stroke.code, row.stroke.code);
        EXPECT_EQ(stroke.shift, row.stroke.shift);
        EXPECT_EQ(KeyAsciiOf(row.character), row.keyAscii);
        // Typing the key back gives the character, where a key types it.
        if (stroke.code != 0) {
            EXPECT_EQ(CharacterOfKey(stroke.code, stroke.shift), row.keyAscii);
        }
    }
}

} // namespace
