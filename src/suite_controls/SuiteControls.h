// The suite's input controls as platform controls: find box, combo box, number box, text box,
// button and title bar. Each has the members and events the forms use and no others, plus the
// user's actions (User...) that hosts and tests perform as the real control would.
//
// Events are raised at once, inside the write or the action that causes them:
//  - a combo box raises Click whenever its ListIndex changes, also when the form writes it; a
//    ListIndex outside -1..ListCount-1 raises 380 and leaves the selection as it was; AddItem
//    appends and sets NewIndex; Clear empties the list without a Click;
//  - a change of a find box's Text written by code raises one KeyDown (key code 0); typing raises
//    one KeyDown per character;
//  - a find box's Modo changes only by the user's confirm (1) and reset (2) actions, so a value
//    the form writes stays until then;
//  - a number box raises KeyPress for every typed key, which may change it or discard it (0);
//  - Validate with cancel keeps the focus where it is (platform::Screen::MoveFocus).
// Every User... action first moves the focus to the control, as a click on it does; when a
// Validate elsewhere keeps the focus, nothing more happens and the action answers false. Each
// action, and each typed character, is one platform::UserAction.
#pragma once

#include "platform/Control.h"
#include "platform/Errors.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace suite_controls {

// A member whose writes are checked first: a refused value raises and leaves the member as it
// was, whether it comes from code or by name.
template <class T>
class CheckedProperty : public platform::Property<T> {
public:
    using Check = std::function<void(const T&)>;

    CheckedProperty(platform::Control* owner, const char* name, T initial, Check check)
        : platform::Property<T>(owner, name, std::move(initial)), m_check(std::move(check))
    {
    }

    // One member from another copies the value through the same check.
    CheckedProperty& operator=(const CheckedProperty& other) { return *this = other(); }
    CheckedProperty& operator=(const T& value)
    {
        m_check(value);
        platform::Property<T>::operator=(value);
        return *this;
    }

    void FromVariant(const platform::Variant& value) override
    {
        static_assert(std::is_same_v<T, int16_t> || std::is_same_v<T, int32_t>);
        if constexpr (std::is_same_v<T, int16_t>)
            *this = value.AsInteger();
        else
            *this = value.AsLong();
    }

private:
    Check m_check;
};

// Where the caret and the selection of a text are, in characters.
struct TextSelection {
    int32_t Start = 0;
    int32_t Length = 0;
};

// Find box: a text box with a search button.
class QVFind : public platform::Control {
public:
    // Enter searches, Esc resets the box.
    bool TakesKey(int16_t keyCode, int16_t shift) const override;
    static constexpr int16_t ModoPesquisar = 1;
    static constexpr int16_t ModoDescartar = 2;
    static constexpr int16_t StyleTexto = 1;
    static constexpr int16_t StyleNumerico = 2;

    QVFind(platform::Control* container, std::string name);

    platform::Property<std::string> Text{this, "Text"};
    // What the user asked for in the last Click: 1 search, 2 discard the value.
    platform::Property<int16_t> Modo{this, "Modo", 0};
    platform::Property<std::string> TextoAuxiliar{this, "TextoAuxiliar"};
    platform::Property<int16_t> Style{this, "Style", StyleTexto};
    platform::Property<std::string> Caption{this, "Caption"};

    // After a search that found nothing: the box keeps its text, selected whole, ready to be
    // corrected and searched again.
    void ReiniciarPesquisa();

    platform::Event<> Click;
    platform::Event<int16_t&, int16_t> KeyDown; // key code, shift state

    bool TakesInput(UserInput input) const override
    {
        return input == UserInput::Type || input == UserInput::Key;
    }
    // Replaces the text by `text`, one key per character (Delete when `text` is empty).
    bool UserType(std::string_view text) override;
    // KeyDown, then what the key does: Enter searches (UserConfirm), Esc resets (UserReset),
    // Backspace and Delete erase, a character replaces the selection. A code box (Style 2)
    // takes digits only: any other character never reaches it.
    bool UserKey(int16_t keyCode, int16_t shift, std::string_view character) override;
    // Only the KeyDown of a key.
    bool UserKeyDown(int16_t keyCode, int16_t shift = 0);
    // Where the user put the caret or selection with the mouse or the arrows, which a host's
    // widget moves by itself.
    void UserSelect(TextSelection selection);
    bool UserConfirm(); // Modo 1, then Click
    bool UserReset();   // Modo 2, then Click
    TextSelection Selection() const { return m_selection; }

    // "+{HOME}" and "+({HOME})" select the whole text.
    void ReceiveKeys(std::string_view keys) override;

protected:
    void OnPropertyChanged(const platform::PropertyBase& property) override;

private:
    // The key's effect once the focus is here.
    void TypeKey(int16_t keyCode, int16_t shift, std::string_view character);
    // Replaces the selection by `typed`, as the user's write (no KeyDown of its own).
    void ReplaceSelection(const std::string& typed);

    bool m_userIsTyping = false;
    TextSelection m_selection;
};

// The user leaves the focused `control` without going to another one: Validate, where a cancel
// keeps the focus and answers false, then LostFocus.
bool UserLeave(platform::Control& control);

// Combo box with a fixed list: the user picks one entry or none.
class QVComboBox : public platform::Control {
    // Read-only members: written here only, shown through the const references below.
    platform::Property<std::string> m_text{this, "Text"};
    platform::Property<int16_t> m_listCount{this, "ListCount", 0};
    platform::Property<int16_t> m_newIndex{this, "NewIndex", -1};

public:
    QVComboBox(platform::Control* container, std::string name);

    // The selected entry's text; "" without a selection.
    const platform::Property<std::string>& Text = m_text;
    // -1 = no selection.
    CheckedProperty<int16_t> ListIndex{this, "ListIndex", -1,
                                       [this](int16_t index) { CheckListIndex(index); }};
    const platform::Property<int16_t>& ListCount = m_listCount;
    // The entry AddItem added last; -1 when there is none.
    const platform::Property<int16_t>& NewIndex = m_newIndex;

    // An index outside the list raises 381.
    int32_t ItemData(int32_t index) const;
    void ItemData(int32_t index, int32_t value);
    // An entry's text; "" past the end of the list.
    std::string List(int32_t index) const;

    void AddItem(const std::string& item);
    void Clear();

    platform::Event<> Click;

    // The user picks entry `index` (Click even when it was already selected).
    bool UserSelect(int16_t index);
    // The user picks the first entry whose text is `text`; none such raises 380.
    bool UserSelectText(std::string_view text);

    // Also List[i] and ItemData[i]; Text, ListCount, NewIndex and List are read-only (383).
    platform::Variant Get(std::string_view member,
                          const std::vector<int32_t>& index = {}) const override;
    void Set(std::string_view member, const platform::Variant& value,
             const std::vector<int32_t>& index = {}) override;

protected:
    void OnPropertyChanged(const platform::PropertyBase& property) override;

private:
    struct Entry {
        std::string text;
        int32_t itemData = 0;
    };

    void CheckListIndex(int16_t index) const;
    // Raises 381 for an index outside the list.
    std::size_t EntryIndex(int32_t index) const;

    std::vector<Entry> m_entries;
    bool m_clearing = false;
};

// Number box: a number as text with a decimal comma; the form converts and formats it.
class QVNumberBox : public platform::Control {
public:
    // Enter and Esc reach its KeyPress, as every character does.
    bool TakesKey(int16_t keyCode, int16_t shift) const override;
    QVNumberBox(platform::Control* container, std::string name);

    platform::Property<std::string> Text{this, "Text"};
    // Read-only for the user when true: keys are still raised but change nothing.
    platform::Property<bool> Locked{this, "Locked", false};
    // Moving SelStart clears SelLength, so the whole text is selected by SelStart = 0 and then
    // SelLength = the text's length. Negative values raise 380; values past the end are cut.
    CheckedProperty<int32_t> SelStart{this, "SelStart", 0, &RefuseNegative};
    CheckedProperty<int32_t> SelLength{this, "SelLength", 0, &RefuseNegative};
    platform::Property<int16_t> Alignment{this, "Alignment", 0}; // 1 right-aligned
    platform::Property<int16_t> FormatType{this, "FormatType", 0};

    platform::Event<int16_t&> KeyPress; // the character's code; 0 discards the key

    bool TakesInput(UserInput input) const override
    {
        return input == UserInput::Type || input == UserInput::Key;
    }
    // Selects the whole text and types `text` over it, one KeyPress per character.
    bool UserType(std::string_view text) override;
    // The key's character goes through KeyPress; Delete is a backspace over the character after
    // the caret; keys that type nothing (arrows, F keys) change nothing.
    bool UserKey(int16_t keyCode, int16_t shift, std::string_view character) override;
    // One character at the caret (8 is backspace).
    bool UserKeyPress(int16_t keyAscii);

    // "+{HOME}" and "+({HOME})" select the whole text.
    void ReceiveKeys(std::string_view keys) override;

protected:
    void OnPropertyChanged(const platform::PropertyBase& property) override;

private:
    static void RefuseNegative(const int32_t& value);
    void TypeKey(int16_t keyAscii);

    bool m_userIsTyping = false;
};

class QVTextBox : public platform::Control {
public:
    QVTextBox(platform::Control* container, std::string name);

    platform::Property<std::string> Text{this, "Text"};
    // The most characters the user may type; 0 = no limit. Code may write longer texts.
    platform::Property<int32_t> MaxLength{this, "MaxLength", 0};
    platform::Property<std::string> PasswordChar{this, "PasswordChar"};

    bool TakesInput(UserInput input) const override { return input == UserInput::Type; }
    // Replaces the text by `text`, as far as MaxLength lets the user type.
    bool UserType(std::string_view text) override;
    TextSelection Selection() const { return m_selection; }

    // "+{HOME}" and "+({HOME})" select the whole text.
    void ReceiveKeys(std::string_view keys) override;

protected:
    void OnPropertyChanged(const platform::PropertyBase& property) override;

private:
    bool m_userIsTyping = false;
    TextSelection m_selection;
};

// What a password box (a QVTextBox with a PasswordChar) holds must never reach a trace, a log or
// an error report. The texts of every password box on every form that exists, empty ones aside.
std::vector<std::string> PasswordsInBoxes();
// `text` with every occurrence of those texts and of each of `others` replaced by "********",
// longest first; the mask is one length whatever the password's, so not even that shows.
std::string MaskPasswords(std::string text, const std::vector<std::string>& others = {});

class QVCommandButton : public platform::Control {
public:
    QVCommandButton(platform::Control* container, std::string name);

    platform::Property<std::string> Caption{this, "Caption"};
    // Design values only: how the button draws itself.
    platform::Property<int16_t> Style{this, "Style", 0};
    platform::Property<int16_t> IconSize{this, "IconSize", 16};
    platform::Property<int16_t> IconAlign{this, "IconAlign", 0};
    platform::Property<bool> InOnThemeStyle{this, "InOnThemeStyle", false};
    platform::Property<bool> UseCustomColors{this, "UseCustomColors", false};
    platform::Property<int32_t> HighlightColor{this, "HighlightColor", 0};
    platform::Property<int32_t> FontColor{this, "FontColor", 0};
    platform::Property<int32_t> FontHighlightColor{this, "FontHighlightColor", 0};
    platform::Property<std::string> ToolTipTitle{this, "ToolTipTitle"};
    platform::Property<int16_t> ToolTipIcon{this, "ToolTipIcon", 0};
    platform::Property<int16_t> ToolTipType{this, "ToolTipType", 0};
    platform::Property<int32_t> TTForeColor{this, "TTForeColor", 0};

    platform::Event<> Click;

    bool TakesInput(UserInput input) const override { return input == UserInput::Click; }
    bool UserClick() override;
};

// The key that clicks `botao` wherever the focus is on its form (Form::AddShortcut).
void DefinirTeclaDeAtalho(QVCommandButton& botao, int16_t tecla);

// The title bar of a dialog; the forms only give it its design values.
class QVTheme : public platform::Control {
public:
    QVTheme(platform::Control* container, std::string name);

    bool CanTakeFocus() const override { return false; }

    platform::Property<std::string> Caption{this, "Caption"};
    platform::Property<std::string> DataOfInclusion{this, "DataOfInclusion"};
    platform::Property<std::string> DataOfAlteration{this, "DataOfAlteration"};
};

} // namespace suite_controls
