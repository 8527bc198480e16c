#include "platform/Control.h"

#include "platform/Controls.h"
#include "platform/Errors.h"
#include "platform/Host.h"
#include "platform/Runtime.h"
#include "platform/Screen.h"
#include "platform/WindowSystem.h"

#include <algorithm>

namespace platform {

PropertyBase::PropertyBase(Control* owner, const char* name) : m_owner(owner), m_name(name)
{
    m_owner->RegisterProperty(this);
}

void PropertyBase::NotifyOwner()
{
    m_owner->PropertyWritten(*this);
}

template <>
void Property<std::string>::FromVariant(const Variant& value)
{
    *this = value.AsString();
}
template <>
void Property<int32_t>::FromVariant(const Variant& value)
{
    *this = value.AsLong();
}
template <>
void Property<int16_t>::FromVariant(const Variant& value)
{
    *this = value.AsInteger();
}
template <>
void Property<bool>::FromVariant(const Variant& value)
{
    *this = value.AsBoolean();
}
template <>
void Property<double>::FromVariant(const Variant& value)
{
    *this = value.AsDouble();
}

Control::Control(Control* container, std::string name, std::string kind)
    : m_container(container), m_name(std::move(name)), m_kind(std::move(kind)),
      m_hWnd(WindowSystem::Register(this))
{
    if (m_container)
        m_container->m_children.push_back(this);
}

Control::~Control()
{
    Screen::Forget(*this);
    for (Control* child : m_children)
        child->m_container = nullptr;
    if (m_container)
        m_container->RemoveChild(this);
    WindowSystem::Unregister(m_hWnd);
}

void Control::RemoveChild(Control* child)
{
    std::erase(m_children, child);
}

void Control::RegisterProperty(PropertyBase* property)
{
    m_properties.push_back(property);
}

void Control::PropertyWritten(PropertyBase& property)
{
    OnPropertyChanged(property);
    PropertyChanged.Raise(property);
}

Form* Control::ParentForm()
{
    Control* control = this;
    while (control->m_container)
        control = control->m_container;
    return dynamic_cast<Form*>(control);
}

Control* Control::FindControl(std::string_view name)
{
    for (Control* child : m_children) {
        if (child->m_name == name)
            return child;
        if (Control* found = child->FindControl(name))
            return found;
    }
    return nullptr;
}

void Control::Move(int32_t left, int32_t top, int32_t width, int32_t height)
{
    Left = left;
    Top = top;
    Width = width;
    Height = height;
}

void Control::ZOrder(int position)
{
    if (!m_container)
        return;
    int32_t front = 0;
    int32_t back = 0;
    for (const Control* sibling : m_container->m_children) {
        front = std::max<int32_t>(front, sibling->ZIndex);
        back = std::min<int32_t>(back, sibling->ZIndex);
    }
    if (position == 0)
        ZIndex = front + 1;
    else
        ZIndex = back - 1;
}

bool Control::IsShown() const
{
    for (const Control* control = this; control; control = control->m_container) {
        if (!control->Visible)
            return false;
    }
    return true;
}

bool Control::IsReachable() const
{
    for (const Control* control = this; control; control = control->m_container) {
        if (!control->Visible || !control->Enabled)
            return false;
    }
    return true;
}

void Control::SetFocus()
{
    Screen::MoveFocus(*this);
}

bool Control::HasFocus() const
{
    return Screen::ActiveControl() == this;
}

PropertyBase* Control::FindProperty(std::string_view member) const
{
    for (PropertyBase* property : m_properties) {
        if (property->Name() == member)
            return property;
    }
    return nullptr;
}

Variant Control::Get(std::string_view member, const std::vector<int32_t>& index) const
{
    PropertyBase* property = FindProperty(member);
    if (!property || !index.empty())
        Raise(errObjectDoesNotSupport, std::string(StandardDescription(errObjectDoesNotSupport)) +
                                           ": " + m_name + "." + std::string(member));
    return property->ToVariant();
}

void Control::Set(std::string_view member, const Variant& value, const std::vector<int32_t>& index)
{
    PropertyBase* property = FindProperty(member);
    if (!property || !index.empty())
        Raise(errObjectDoesNotSupport, std::string(StandardDescription(errObjectDoesNotSupport)) +
                                           ": " + m_name + "." + std::string(member));
    property->FromVariant(value);
}

std::vector<std::string> Control::MemberNames() const
{
    std::vector<std::string> names;
    for (const PropertyBase* property : m_properties)
        names.emplace_back(property->Name());
    return names;
}

void Control::ReceiveKeys(std::string_view) {}

bool Control::UserFocus()
{
    if (!CanTakeFocus() || !IsReachable())
        return false;
    if (HasFocus())
        return true;
    UserAction action;
    return Screen::MoveFocus(*this);
}

bool Control::UserPressKey(int16_t keyCode, int16_t shift, std::string_view character)
{
    if (CanTakeFocus() && !UserFocus())
        return false;
    if (CanTakeFocus() && !TakesKey(keyCode, shift)) {
        Form* form = ParentForm();
        if (form && form->UserShortcut(keyCode, shift))
            return true;
    }
    return UserKey(keyCode, shift, character);
}

} // namespace platform
