// The common members of every control (and of forms): a name, a kind, a place in its container,
// position and size in twips, visibility, enabled state, colours, Tag, tool tip and focus.
//
// Members are Property<T> objects: they read like plain values and every write that changes the
// value tells the control (OnPropertyChanged, where a control raises the event the real control
// would, such as a combo box's Click) and then whoever watches it (PropertyChanged, for the
// hosts' peers). The same members are reachable by name (Get/Set) for the scenario runner.
#pragma once

#include "platform/Event.h"
#include "platform/Keyboard.h"
#include "platform/Variant.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class Control;
class Form;

class PropertyBase {
public:
    PropertyBase(Control* owner, const char* name);
    PropertyBase(const PropertyBase&) = delete;
    PropertyBase& operator=(const PropertyBase&) = delete;
    virtual ~PropertyBase() = default;

    const char* Name() const { return m_name; }
    virtual Variant ToVariant() const = 0;
    // Converts with the runtime's rules (a text that is no number raises 13).
    virtual void FromVariant(const Variant& value) = 0;

protected:
    void NotifyOwner();

private:
    Control* m_owner;
    const char* m_name;
};

template <class T>
class Property : public PropertyBase {
public:
    Property(Control* owner, const char* name, T initial = T{})
        : PropertyBase(owner, name), m_value(std::move(initial))
    {
    }

    // Assigning one member from another copies the value, as in a.Top = b.Top.
    Property& operator=(const Property& other) { return *this = other.m_value; }
    Property& operator=(const T& value)
    {
        if (m_value == value)
            return *this;
        m_value = value;
        NotifyOwner();
        return *this;
    }
    operator const T&() const { return m_value; }
    const T& operator()() const { return m_value; }

    Variant ToVariant() const override { return Variant(m_value); }
    void FromVariant(const Variant& value) override;

private:
    T m_value;
};

template <>
void Property<std::string>::FromVariant(const Variant& value);
template <>
void Property<int32_t>::FromVariant(const Variant& value);
template <>
void Property<int16_t>::FromVariant(const Variant& value);
template <>
void Property<bool>::FromVariant(const Variant& value);
template <>
void Property<double>::FromVariant(const Variant& value);

// RGB as the platform packs it: red + green * 256 + blue * 65536.
constexpr int32_t RGB(int red, int green, int blue)
{
    return red + green * 256 + blue * 65536;
}

// Colours the window system names rather than mixes (high bit set, then the colour's index).
constexpr int32_t SystemColor(int32_t index)
{
    return static_cast<int32_t>(0x80000000u | static_cast<uint32_t>(index));
}
constexpr int32_t vbButtonText = SystemColor(18);

enum MouseButtonConstants : int16_t { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };

class Control : public Object {
    // Declared first: the members below register themselves here while they are constructed.
    Control* m_container;
    std::string m_name;
    std::string m_kind;
    int32_t m_hWnd;
    std::vector<Control*> m_children;
    std::vector<PropertyBase*> m_properties;

public:
    // A control belongs to its container (a form or a picture box); a form has none.
    Control(Control* container, std::string name, std::string kind);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    ~Control() override;

    const std::string& Name() const { return m_name; }
    // The kind the peers and the scenario runner go by: "Form", "Label", "QVFind", "Grid"...
    const std::string& Kind() const { return m_kind; }
    Control* Container() const { return m_container; }
    const std::vector<Control*>& Children() const { return m_children; }
    // The form this control sits on (itself for a form).
    Form* ParentForm();
    // A control of this container or below it, by name; nullptr when there is none.
    Control* FindControl(std::string_view name);
    // The window handle of the control (unique, never reused).
    int32_t hWnd() const { return m_hWnd; }

    Property<int32_t> Left{this, "Left"};
    Property<int32_t> Top{this, "Top"};
    Property<int32_t> Width{this, "Width"};
    Property<int32_t> Height{this, "Height"};
    Property<bool> Visible{this, "Visible", true};
    Property<bool> Enabled{this, "Enabled", true};
    Property<std::string> Tag{this, "Tag"};
    Property<std::string> ToolTipText{this, "ToolTipText"};
    Property<int32_t> ForeColor{this, "ForeColor", RGB(0, 0, 0)};
    Property<int32_t> BackColor{this, "BackColor", RGB(255, 255, 255)};
    Property<std::string> FontName{this, "FontName", "Arial"};
    Property<double> FontSize{this, "FontSize", 8.25};
    Property<bool> FontBold{this, "FontBold", false};
    // Raised to the front of its container by ZOrder(0); the peers stack by it.
    Property<int32_t> ZIndex{this, "ZIndex"};

    void Move(int32_t left, int32_t top, int32_t width, int32_t height);
    // 0 brings the control to the front of its siblings, 1 sends it to the back.
    void ZOrder(int position = 0);
    // Visible itself and in every container up to its form.
    bool IsShown() const;
    // Shown and enabled in every container up to its form: what the user can click.
    bool IsReachable() const;
    // Whether the control, holding the focus, does something of its own with the key; such a
    // key never reaches the form's shortcuts.
    virtual bool TakesKey(int16_t keyCode, int16_t shift) const
    {
        static_cast<void>(keyCode);
        static_cast<void>(shift);
        return false;
    }
    // Controls that never take the focus (labels, shapes) answer false.
    virtual bool CanTakeFocus() const { return true; }

    // The user's own actions on the control, as its kind takes them: the hosts only translate a
    // device event into one of these, so a script and the desktop take the same path. Each is
    // one user action; those of controls that take the focus move it here first, as the hand
    // does, and answer false when a Validate elsewhere kept it away (nothing more happens).
    // A kind without the action ignores it and answers false: TakesInput says which it has.
    enum class UserInput { Click, Type, Key };
    virtual bool TakesInput(UserInput input) const
    {
        static_cast<void>(input);
        return false;
    }
    virtual bool UserClick() { return false; }
    // Replaces what the box holds by `text`, as typing it would.
    virtual bool UserType(std::string_view text)
    {
        static_cast<void>(text);
        return false;
    }
    // One key, with the character the keyboard's layout typed with it (UTF-8); an empty
    // `character` takes the platform's own (CharacterOfKey).
    virtual bool UserKey(int16_t keyCode, int16_t shift, std::string_view character)
    {
        static_cast<void>(keyCode);
        static_cast<void>(shift);
        static_cast<void>(character);
        return false;
    }
    // The user gives the control the focus (a click on it, Tab); false when it cannot take it
    // now or a Validate kept it elsewhere.
    bool UserFocus();
    // The user presses a key while on this control: the focus first; a key the control does not
    // take itself presses its form's shortcut, where there is one; otherwise UserKey.
    bool UserPressKey(int16_t keyCode, int16_t shift, std::string_view character);
    // Gives this control the keyboard focus (Validate, LostFocus, GotFocus as the focus moves).
    void SetFocus();
    bool HasFocus() const;

    // Every member by name, for the scenario runner and the peers. Indexed members (List[i],
    // TextMatrix[r][c]) take their indices; an unknown member raises 438.
    virtual Variant Get(std::string_view member, const std::vector<int32_t>& index = {}) const;
    virtual void Set(std::string_view member, const Variant& value,
                     const std::vector<int32_t>& index = {});
    std::vector<std::string> MemberNames() const;

    // Keystrokes sent to this control while it has the focus ("+{HOME}").
    virtual void ReceiveKeys(std::string_view keys);

    // Focus events of every control; Validate only where the control raises it.
    Event<> GotFocus;
    Event<> LostFocus;
    Event<bool&> Validate;
    // Every changed member, after the control handled it: what the peers follow.
    Event<const PropertyBase&> PropertyChanged;

protected:
    // Called after a member changed its value, before PropertyChanged is raised.
    virtual void OnPropertyChanged(const PropertyBase&) {}
    PropertyBase* FindProperty(std::string_view member) const;

private:
    friend class PropertyBase;
    void RegisterProperty(PropertyBase* property);
    void PropertyWritten(PropertyBase& property);
    void RemoveChild(Control* child);
};

} // namespace platform
