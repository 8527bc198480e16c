#include "suite_controls/SuiteControls.h"

#include "platform/Controls.h"
#include "platform/Host.h"
#include "platform/Runtime.h"
#include "platform/Screen.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <limits>

namespace suite_controls {

using platform::errInvalidPropertyArrayIndex;
using platform::errPropertyIsReadOnly;
using platform::errWrongNumberOfArguments;

namespace {

// Texts are UTF-8; carets, selections and lengths count characters, by the platform's one rule.
int32_t CharacterCount(std::string_view text)
{
    return static_cast<int32_t>(platform::utf8::CharCount(text));
}

std::string Join(const std::vector<std::string_view>& characters, std::size_t from, std::size_t to)
{
    std::string text;
    for (std::size_t i = from; i < to && i < characters.size(); ++i)
        text += characters[i];
    return text;
}

// The character a key typed as UTF-8: the layout's when the host knows it, else the platform's;
// "" for keys that type nothing visible (Enter, Esc, Backspace, arrows).
std::string TypedCharacter(int16_t keyCode, int16_t shift, std::string_view character)
{
    if (!character.empty()) {
        const int32_t code = platform::utf8::CodePoint(character);
        return code < 32 || code == 127 ? std::string() : std::string(character);
    }
    const int16_t ascii = platform::CharacterOfKey(keyCode, shift);
    return ascii < 32 ? std::string() : platform::utf8::Encode(static_cast<uint16_t>(ascii));
}

bool SelectsWholeText(std::string_view keys)
{
    return keys == "+{HOME}" || keys == "+({HOME})";
}

// The focus comes first, as for a click on the control; false when a Validate kept it away.
// Moving it is an action of its own; a control that has it only gets checked.
bool TakeFocus(platform::Control& control)
{
    if (control.HasFocus())
        return platform::Screen::MoveFocus(control);
    platform::UserAction action;
    return platform::Screen::MoveFocus(control);
}

// Marks the writes of a user's action, so that the control tells them from the form's.
class UserWrite {
public:
    explicit UserWrite(bool& flag) : m_flag(flag), m_previous(flag) { m_flag = true; }
    ~UserWrite() { m_flag = m_previous; }
    UserWrite(const UserWrite&) = delete;
    UserWrite& operator=(const UserWrite&) = delete;

private:
    bool& m_flag;
    bool m_previous;
};

} // namespace

bool UserLeave(platform::Control& control)
{
    if (!control.HasFocus())
        return true;
    platform::UserAction action;
    bool cancel = false;
    control.Validate.Raise(cancel);
    if (cancel)
        return false;
    platform::Screen::ClearFocus();
    return true;
}

// ---- QVFind

QVFind::QVFind(platform::Control* container, std::string name)
    : Control(container, std::move(name), "QVFind")
{
}

void QVFind::ReiniciarPesquisa()
{
    m_selection = {0, CharacterCount(Text())};
}

void QVFind::ReplaceSelection(const std::string& typed)
{
    const auto characters = platform::utf8::Characters(Text());
    const auto length = characters.size();
    const auto start = std::min(static_cast<std::size_t>(m_selection.Start), length);
    const auto selected = std::min(static_cast<std::size_t>(m_selection.Length), length - start);
    {
        const UserWrite write(m_userIsTyping);
        Text = Join(characters, 0, start) + typed + Join(characters, start + selected, length);
    }
    m_selection = {static_cast<int32_t>(start) + CharacterCount(typed), 0};
}

void QVFind::TypeKey(int16_t keyCode, int16_t shift, std::string_view character)
{
    const std::string typed = TypedCharacter(keyCode, shift, character);
    if (Style == StyleNumerico && !typed.empty() && (typed[0] < '0' || typed[0] > '9'))
        return;
    if (keyCode == 0 && !typed.empty()) {
        const platform::KeyStroke stroke = platform::KeyOfCharacter(typed);
        keyCode = stroke.code;
        shift = stroke.shift;
    }
    platform::UserAction action;
    int16_t raised = keyCode;
    KeyDown.Raise(raised, shift);
    const int32_t length = CharacterCount(Text());
    switch (keyCode) {
    case platform::vbKeyReturn:
        Modo = ModoPesquisar;
        Click.Raise();
        return;
    case platform::vbKeyEscape:
        Modo = ModoDescartar;
        Click.Raise();
        return;
    case platform::vbKeyBack:
        if (m_selection.Length == 0 && m_selection.Start > 0)
            m_selection = {m_selection.Start - 1, 1};
        ReplaceSelection({});
        return;
    case platform::vbKeyDelete:
        if (m_selection.Length == 0 && m_selection.Start < length)
            m_selection.Length = 1;
        ReplaceSelection({});
        return;
    default:
        if (!typed.empty())
            ReplaceSelection(typed);
    }
}

bool QVFind::UserType(std::string_view text)
{
    if (!TakeFocus(*this))
        return false;
    // What the box held is selected, so the first key replaces it.
    m_selection = {0, CharacterCount(Text())};
    const auto characters = platform::utf8::Characters(text);
    if (characters.empty() && !Text().empty())
        TypeKey(platform::vbKeyDelete, 0, {});
    for (const auto& character : characters)
        TypeKey(0, 0, character);
    return true;
}

bool QVFind::UserKey(int16_t keyCode, int16_t shift, std::string_view character)
{
    if (!TakeFocus(*this))
        return false;
    TypeKey(keyCode, shift, character);
    return true;
}

void QVFind::UserSelect(TextSelection selection)
{
    const int32_t length = CharacterCount(Text());
    const int32_t start = std::clamp(selection.Start, 0, length);
    m_selection = {start, std::clamp(selection.Length, 0, length - start)};
}

bool QVFind::UserKeyDown(int16_t keyCode, int16_t shift)
{
    if (!TakeFocus(*this))
        return false;
    platform::UserAction action;
    KeyDown.Raise(keyCode, shift);
    return true;
}

bool QVFind::UserConfirm()
{
    if (!TakeFocus(*this))
        return false;
    platform::UserAction action;
    Modo = ModoPesquisar;
    Click.Raise();
    return true;
}

bool QVFind::UserReset()
{
    if (!TakeFocus(*this))
        return false;
    platform::UserAction action;
    Modo = ModoDescartar;
    Click.Raise();
    return true;
}

void QVFind::ReceiveKeys(std::string_view keys)
{
    if (SelectsWholeText(keys))
        m_selection = {0, CharacterCount(Text())};
    else
        Control::ReceiveKeys(keys);
}

void QVFind::OnPropertyChanged(const platform::PropertyBase& property)
{
    if (&property != &Text || m_userIsTyping)
        return;
    m_selection = {};
    int16_t noKey = 0;
    KeyDown.Raise(noKey, 0);
}

// ---- QVComboBox

QVComboBox::QVComboBox(platform::Control* container, std::string name)
    : Control(container, std::move(name), "QVComboBox")
{
}

void QVComboBox::CheckListIndex(int16_t index) const
{
    if (index < -1 || index >= m_listCount())
        platform::Raise(platform::errInvalidPropertyValue);
}

std::size_t QVComboBox::EntryIndex(int32_t index) const
{
    if (index < 0 || index >= static_cast<int32_t>(m_entries.size()))
        platform::Raise(errInvalidPropertyArrayIndex);
    return static_cast<std::size_t>(index);
}

int32_t QVComboBox::ItemData(int32_t index) const
{
    return m_entries[EntryIndex(index)].itemData;
}

void QVComboBox::ItemData(int32_t index, int32_t value)
{
    m_entries[EntryIndex(index)].itemData = value;
}

std::string QVComboBox::List(int32_t index) const
{
    if (index < 0 || index >= static_cast<int32_t>(m_entries.size()))
        return {};
    return m_entries[static_cast<std::size_t>(index)].text;
}

void QVComboBox::AddItem(const std::string& item)
{
    if (m_entries.size() >= static_cast<std::size_t>(std::numeric_limits<int16_t>::max()))
        platform::Raise(platform::errOutOfMemory);
    m_entries.push_back({item, 0});
    const auto count = static_cast<int16_t>(m_entries.size());
    m_listCount = count;
    m_newIndex = static_cast<int16_t>(count - 1);
}

void QVComboBox::Clear()
{
    const UserWrite clearing(m_clearing);
    ListIndex = -1;
    m_entries.clear();
    m_listCount = 0;
    m_newIndex = -1;
}

bool QVComboBox::UserSelect(int16_t index)
{
    if (!TakeFocus(*this))
        return false;
    platform::UserAction action;
    if (index < 0 || index >= m_listCount())
        platform::Raise(platform::errInvalidPropertyValue);
    if (index == ListIndex())
        Click.Raise();
    else
        ListIndex = index;
    return true;
}

bool QVComboBox::UserSelectText(std::string_view text)
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                    [&](const Entry& entry) { return entry.text == text; });
    if (found == m_entries.end())
        platform::Raise(platform::errInvalidPropertyValue);
    return UserSelect(static_cast<int16_t>(found - m_entries.begin()));
}

platform::Variant QVComboBox::Get(std::string_view member, const std::vector<int32_t>& index) const
{
    if (member == "List" || member == "ItemData") {
        if (index.size() != 1)
            platform::Raise(errWrongNumberOfArguments);
        if (member == "List")
            return List(index[0]);
        return ItemData(index[0]);
    }
    return Control::Get(member, index);
}

void QVComboBox::Set(std::string_view member, const platform::Variant& value,
                     const std::vector<int32_t>& index)
{
    if (member == "ItemData") {
        if (index.size() != 1)
            platform::Raise(errWrongNumberOfArguments);
        ItemData(index[0], value.AsLong());
        return;
    }
    if (member == "List" || member == "Text" || member == "ListCount" || member == "NewIndex")
        platform::Raise(errPropertyIsReadOnly);
    Control::Set(member, value, index);
}

void QVComboBox::OnPropertyChanged(const platform::PropertyBase& property)
{
    if (&property != &ListIndex)
        return;
    m_text = List(ListIndex());
    if (!m_clearing)
        Click.Raise();
}

// ---- QVNumberBox

QVNumberBox::QVNumberBox(platform::Control* container, std::string name)
    : Control(container, std::move(name), "QVNumberBox")
{
}

void QVNumberBox::RefuseNegative(const int32_t& value)
{
    if (value < 0)
        platform::Raise(platform::errInvalidPropertyValue);
}

void QVNumberBox::TypeKey(int16_t keyAscii)
{
    KeyPress.Raise(keyAscii);
    if (keyAscii == 0 || Locked())
        return;
    if (keyAscii != platform::vbKeyBack && keyAscii < 32)
        return;

    const auto characters = platform::utf8::Characters(Text());
    const auto length = characters.size();
    auto start = std::min(static_cast<std::size_t>(SelStart()), length);
    auto selected = std::min(static_cast<std::size_t>(SelLength()), length - start);
    std::string typed;
    if (keyAscii == platform::vbKeyBack) {
        if (selected == 0 && start > 0) {
            --start;
            selected = 1;
        }
    } else {
        typed = platform::utf8::Encode(static_cast<uint16_t>(keyAscii));
    }
    {
        const UserWrite write(m_userIsTyping);
        Text = Join(characters, 0, start) + typed + Join(characters, start + selected, length);
    }
    SelStart = static_cast<int32_t>(start + (typed.empty() ? 0 : 1));
    SelLength = 0;
}

bool QVNumberBox::UserType(std::string_view text)
{
    if (!TakeFocus(*this))
        return false;
    SelStart = 0;
    SelLength = CharacterCount(Text());
    const auto characters = platform::utf8::Characters(text);
    if (characters.empty()) {
        platform::UserAction action;
        TypeKey(platform::vbKeyBack);
    }
    for (const auto& character : characters) {
        platform::UserAction action;
        TypeKey(platform::KeyAsciiOf(character));
    }
    return true;
}

bool QVNumberBox::UserKey(int16_t keyCode, int16_t shift, std::string_view character)
{
    if (!TakeFocus(*this))
        return false;
    platform::UserAction action;
    if (keyCode == platform::vbKeyDelete) {
        if (SelLength == 0)
            SelLength = 1;
        // At the end of the text there is nothing after the caret to erase.
        if (SelLength > 0)
            TypeKey(platform::vbKeyBack);
        return true;
    }
    const int16_t keyAscii = character.empty() ? platform::CharacterOfKey(keyCode, shift)
                                               : platform::KeyAsciiOf(character);
    if (keyAscii != 0)
        TypeKey(keyAscii);
    return true;
}

bool QVNumberBox::UserKeyPress(int16_t keyAscii)
{
    if (!TakeFocus(*this))
        return false;
    platform::UserAction action;
    TypeKey(keyAscii);
    return true;
}

void QVNumberBox::ReceiveKeys(std::string_view keys)
{
    if (!SelectsWholeText(keys)) {
        Control::ReceiveKeys(keys);
        return;
    }
    SelStart = 0;
    SelLength = CharacterCount(Text());
}

void QVNumberBox::OnPropertyChanged(const platform::PropertyBase& property)
{
    const int32_t length = CharacterCount(Text());
    if (&property == &Text) {
        // A text written by code puts the caret at the start, as a text box does.
        if (!m_userIsTyping) {
            SelLength = 0;
            SelStart = 0;
        }
        if (SelStart() > length)
            SelStart = length;
    } else if (&property == &SelStart) {
        if (SelStart() > length)
            SelStart = length;
        SelLength = 0;
    }
    if (SelStart() + SelLength() > length)
        SelLength = length - SelStart();
}

// ---- QVTextBox

QVTextBox::QVTextBox(platform::Control* container, std::string name)
    : Control(container, std::move(name), "QVTextBox")
{
}

bool QVTextBox::UserType(std::string_view text)
{
    if (!TakeFocus(*this))
        return false;
    const auto characters = platform::utf8::Characters(text);
    const auto limit = MaxLength() > 0 ? static_cast<std::size_t>(MaxLength()) : characters.size();
    const auto typed = std::min(characters.size(), limit);
    platform::UserAction action;
    const UserWrite write(m_userIsTyping);
    Text = Join(characters, 0, typed);
    m_selection = {static_cast<int32_t>(typed), 0};
    return true;
}

void QVTextBox::ReceiveKeys(std::string_view keys)
{
    if (SelectsWholeText(keys))
        m_selection = {0, CharacterCount(Text())};
    else
        Control::ReceiveKeys(keys);
}

void QVTextBox::OnPropertyChanged(const platform::PropertyBase& property)
{
    if (&property == &Text && !m_userIsTyping)
        m_selection = {};
}

// ---- Password boxes

namespace {

void CollectPasswords(const platform::Control& control, std::vector<std::string>& texts)
{
    const auto* box = dynamic_cast<const QVTextBox*>(&control);
    if (box && !box->PasswordChar().empty() && !box->Text().empty())
        texts.push_back(box->Text());
    for (const platform::Control* child : control.Children())
        CollectPasswords(*child, texts);
}

} // namespace

std::vector<std::string> PasswordsInBoxes()
{
    std::vector<std::string> texts;
    for (const platform::Form* form : platform::Form::Forms())
        CollectPasswords(*form, texts);
    return texts;
}

std::string MaskPasswords(std::string text, const std::vector<std::string>& others)
{
    static constexpr std::string_view Mask = "********";
    std::vector<std::string> secrets = PasswordsInBoxes();
    secrets.insert(secrets.end(), others.begin(), others.end());
    // The longest first: a password that holds a shorter one is masked whole.
    std::sort(secrets.begin(), secrets.end(),
              [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    for (const std::string& secret : secrets) {
        if (secret.empty())
            continue;
        for (std::size_t at = text.find(secret); at != std::string::npos;
             at = text.find(secret, at + Mask.size()))
            text.replace(at, secret.size(), Mask);
    }
    return text;
}

// ---- QVCommandButton and QVTheme

QVCommandButton::QVCommandButton(platform::Control* container, std::string name)
    : Control(container, std::move(name), "QVCommandButton")
{
}

bool QVCommandButton::UserClick()
{
    if (!TakeFocus(*this))
        return false;
    platform::UserAction action;
    Click.Raise();
    return true;
}

QVTheme::QVTheme(platform::Control* container, std::string name)
    : Control(container, std::move(name), "QVTheme")
{
}

void DefinirTeclaDeAtalho(QVCommandButton& botao, int16_t tecla)
{
    botao.ParentForm()->AddShortcut(tecla, botao, [&botao] { return botao.UserClick(); });
}

bool QVFind::TakesKey(int16_t keyCode, int16_t) const
{
    return keyCode == platform::vbKeyReturn || keyCode == platform::vbKeyEscape;
}

bool QVNumberBox::TakesKey(int16_t keyCode, int16_t shift) const
{
    return keyCode == platform::vbKeyDelete || platform::CharacterOfKey(keyCode, shift) != 0;
}

} // namespace suite_controls
