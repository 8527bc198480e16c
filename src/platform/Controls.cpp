#include "platform/Controls.h"

#include "platform/Errors.h"
#include "platform/Host.h"
#include "platform/Screen.h"

#include <algorithm>

namespace platform {

namespace {

// Border and title bar of a window with a frame, in twips.
constexpr int32_t BorderTwips = 60;
constexpr int32_t TitleBarTwips = 345;

std::vector<Form*> s_forms;

} // namespace

Form::Form(std::string name) : Form(std::move(name), "Form") {}

Form::Form(std::string name, std::string kind) : Control(nullptr, std::move(name), std::move(kind))
{
    Visible = false;
    s_forms.push_back(this);
}

Form::~Form()
{
    std::erase(s_forms, this);
    Screen::Forget(*this);
}

int32_t Form::ScaleWidth() const
{
    return BorderStyle == 0 ? Width() : std::max(0, Width - 2 * BorderTwips);
}

int32_t Form::ScaleHeight() const
{
    return BorderStyle == 0 ? Height() : std::max(0, Height - 2 * BorderTwips - TitleBarTwips);
}

void Form::Show(int32_t modal)
{
    if (modal == vbModal && Visible)
        Raise(errFormAlreadyDisplayed);
    const bool firstShowing = !m_loaded;
    if (!m_loaded) {
        m_loaded = true;
        Load.Raise();
    }
    Visible = true;
    Screen::Activate(*this);
    if (firstShowing)
        Resize.Raise();
    if (modal == vbModal) {
        Modal = true;
        CurrentHost().RunModal(*this);
        Modal = false;
    }
}

void Form::Hide()
{
    Visible = false;
}

const std::vector<Form*>& Form::Forms()
{
    return s_forms;
}

Form* Form::FindForm(std::string_view name)
{
    for (auto it = s_forms.rbegin(); it != s_forms.rend(); ++it) {
        if ((*it)->Name() == name)
            return *it;
    }
    return nullptr;
}

void Form::Unload()
{
    Unload(vbFormCode);
}

void Form::AddShortcut(int16_t keyCode, Control& control, std::function<bool()> press)
{
    m_shortcuts.push_back({keyCode, &control, std::move(press)});
}

const Form::Shortcut* Form::ShortcutFor(int16_t keyCode, int16_t shift) const
{
    if (shift != 0 || !Enabled)
        return nullptr;
    for (const Shortcut& shortcut : m_shortcuts) {
        if (shortcut.keyCode == keyCode && shortcut.control->IsReachable())
            return &shortcut;
    }
    return nullptr;
}

bool Form::HasShortcut(int16_t keyCode, int16_t shift) const
{
    return ShortcutFor(keyCode, shift) != nullptr;
}

bool Form::UserShortcut(int16_t keyCode, int16_t shift)
{
    Control* focused = Screen::ActiveControl();
    if (focused && focused->ParentForm() == this && focused->TakesKey(keyCode, shift))
        return false;
    const Shortcut* shortcut = ShortcutFor(keyCode, shift);
    return shortcut && shortcut->press();
}

int16_t Form::ShortcutOf(const Control& control) const
{
    for (const Shortcut& shortcut : m_shortcuts) {
        if (shortcut.control == &control)
            return shortcut.keyCode;
    }
    return 0;
}

bool Form::UserClose()
{
    return Unload(vbFormControlMenu);
}

bool Form::Unload(int16_t unloadMode)
{
    if (!m_loaded) {
        Visible = false;
        return true;
    }
    int16_t cancel = 0;
    QueryUnload.Raise(cancel, unloadMode);
    if (cancel != 0)
        return false;
    Unload_.Raise();
    m_loaded = false;
    Visible = false;
    Screen::Unloaded(*this);
    return true;
}

void Form::PopupMenu(Control& menu)
{
    CurrentHost().ShowPopupMenu(*this, menu);
}

void Form::OnPropertyChanged(const PropertyBase& property)
{
    if (m_loaded && (&property == &Width || &property == &Height))
        Resize.Raise();
}

Label::Label(Control* container, std::string name, std::string caption)
    : Control(container, std::move(name), "Label")
{
    Caption = caption;
    BackColor = -1; // transparent: the container shows through
}

OptionButton::OptionButton(Control* container, std::string name, std::string caption)
    : Control(container, std::move(name), "OptionButton")
{
    Caption = caption;
}

void OptionButton::OnPropertyChanged(const PropertyBase& property)
{
    if (&property != &Value || !Value)
        return;
    if (Container()) {
        for (Control* sibling : Container()->Children()) {
            if (auto* option = dynamic_cast<OptionButton*>(sibling); option && option != this)
                option->Value = false;
        }
    }
    Click.Raise();
}

bool Label::UserClick()
{
    UserAction action;
    Click.Raise();
    return true;
}

bool OptionButton::UserClick()
{
    UserAction action;
    if (!Screen::MoveFocus(*this))
        return false;
    Value = true;
    return true;
}

bool PictureBox::UserClick()
{
    UserAction action;
    Click.Raise();
    return true;
}

bool Menu::UserClick()
{
    UserAction action;
    Click.Raise();
    return true;
}

PictureBox::PictureBox(Control* container, std::string name)
    : Control(container, std::move(name), "PictureBox")
{
}

Shape::Shape(Control* container, std::string name) : Control(container, std::move(name), "Shape") {}

Menu::Menu(Control* container, std::string name, std::string caption)
    : Control(container, std::move(name), "Menu")
{
    Caption = caption;
}

ImageList::ImageList(Control* container, std::string name)
    : Control(container, std::move(name), "ImageList")
{
    Visible = false;
}

void ImageList::Add(const std::string& key, const std::string& picture)
{
    m_images[key] = picture;
}

const std::string& ImageList::ListImages(const std::string& key) const
{
    auto it = m_images.find(key);
    if (it == m_images.end())
        Raise(errElementNotFound);
    return it->second;
}

} // namespace platform
