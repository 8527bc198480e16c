// The platform's plain controls and forms: Form, Label, OptionButton, PictureBox, Shape, Menu,
// ImageList. The focus they share is platform/Screen.h's.
#pragma once

#include "platform/Control.h"
#include "platform/Screen.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum MousePointerConstants : int32_t { vbDefault = 0, vbHourglass = 11, vbArrowHourglass = 13 };
enum FormShowConstants : int32_t { vbModeless = 0, vbModal = 1 };

// A top-level window. Width and Height are the outer size; ScaleWidth and ScaleHeight the client
// area, smaller by the border and title bar unless BorderStyle is 0.
class Form : public Control {
public:
    explicit Form(std::string name);
    ~Form() override;

    Property<std::string> Caption{this, "Caption"};
    Property<int32_t> BorderStyle{this, "BorderStyle", 2};
    Property<int32_t> MousePointer{this, "MousePointer", vbDefault};
    // True while the form is shown modally; the host's modal loop ends when it turns false.
    Property<bool> Modal{this, "Modal", false};

    int32_t ScaleWidth() const;
    int32_t ScaleHeight() const;
    bool IsLoaded() const { return m_loaded; }

    // vbModeless shows the form and returns; vbModal runs the host's modal loop until the form
    // is hidden or unloaded. The first showing raises Load, then Resize.
    void Show(int32_t modal = vbModeless);
    void Hide();
    // Raises QueryUnload (mode 1, which may cancel) and Unload, then hides the form.
    void Unload();
    // Opens a pop-up menu at the mouse, as the host draws it.
    void PopupMenu(Control& menu);
    // The user closes the window from its title bar: QueryUnload (mode 0, which may cancel),
    // then Unload. Answers whether the form was unloaded.
    bool UserClose();

    // A key that presses `control` wherever the focus is on the form, unless the control holding
    // the focus takes that key itself (a find box's Enter and Esc). `press` is the control's own
    // user action (a button's UserClick).
    void AddShortcut(int16_t keyCode, Control& control, std::function<bool()> press);
    // The user pressed a key the focused control left alone: the shortcut of a reachable
    // control runs. Answers whether one did.
    bool UserShortcut(int16_t keyCode, int16_t shift);
    // Whether a reachable control has that key: what UserShortcut would press.
    bool HasShortcut(int16_t keyCode, int16_t shift) const;
    // The key that presses `control`, 0 for none (for the hosts to show it).
    int16_t ShortcutOf(const Control& control) const;

    // Every form that exists, oldest first (the runtime's Forms collection).
    static const std::vector<Form*>& Forms();
    // The newest form of that name, or nullptr.
    static Form* FindForm(std::string_view name);

    Event<> Load;
    Event<> Resize;
    Event<int16_t&, int16_t> QueryUnload; // cancel, unload mode
    Event<> Unload_;                      // the Unload event (Unload() is the statement)

protected:
    // A top-level window of another kind (a report's preview window), which the hosts show their
    // own way.
    Form(std::string name, std::string kind);
    void OnPropertyChanged(const PropertyBase& property) override;

private:
    bool Unload(int16_t unloadMode);

    bool m_loaded = false;
    struct Shortcut {
        int16_t keyCode;
        Control* control;
        std::function<bool()> press;
    };
    const Shortcut* ShortcutFor(int16_t keyCode, int16_t shift) const;
    std::vector<Shortcut> m_shortcuts;
};

enum QueryUnloadConstants : int16_t { vbFormControlMenu = 0, vbFormCode = 1 };

class Label : public Control {
public:
    Label(Control* container, std::string name, std::string caption = {});
    bool CanTakeFocus() const override { return false; }
    Property<std::string> Caption{this, "Caption"};
    Property<int32_t> Alignment{this, "Alignment", 0};
    Property<bool> AutoSize{this, "AutoSize", false};
    Event<> Click;
    // The user clicks it: one user action raising Click.
    bool TakesInput(UserInput input) const override { return input == UserInput::Click; }
    bool UserClick() override;
};

// Option buttons of one container are one group: turning one on turns the others off.
class OptionButton : public Control {
public:
    OptionButton(Control* container, std::string name, std::string caption = {});
    Property<std::string> Caption{this, "Caption"};
    Property<bool> Value{this, "Value", false};
    // Turning it on (from code or by the user) raises Click.
    Event<> Click;
    // The user clicks it: it takes the focus (a Validate elsewhere may keep it away, answering
    // false), then turns on, in one user action.
    bool TakesInput(UserInput input) const override { return input == UserInput::Click; }
    bool UserClick() override;

protected:
    void OnPropertyChanged(const PropertyBase& property) override;
};

class PictureBox : public Control {
public:
    PictureBox(Control* container, std::string name);
    // The name of the picture shown (a resource the hosts know), empty for none.
    Property<std::string> Picture{this, "Picture"};
    Property<int32_t> BorderStyle{this, "BorderStyle", 0};
    Property<bool> AutoRedraw{this, "AutoRedraw", false};
    int32_t ScaleWidth() const { return Width; }
    int32_t ScaleHeight() const { return Height; }
    Event<> Click;
    bool TakesInput(UserInput input) const override { return input == UserInput::Click; }
    bool UserClick() override;
};

class Shape : public Control {
public:
    Shape(Control* container, std::string name);
    bool CanTakeFocus() const override { return false; }
    Property<int32_t> Shape_{this, "Shape", 0};
    Property<int32_t> BorderColor{this, "BorderColor", RGB(0, 0, 0)};
    Property<int32_t> FillColor{this, "FillColor", RGB(0, 0, 0)};
    Property<int32_t> FillStyle{this, "FillStyle", 1};
};

// A menu or menu item; items of a menu are its children.
class Menu : public Control {
public:
    Menu(Control* container, std::string name, std::string caption = {});
    bool CanTakeFocus() const override { return false; }
    Property<std::string> Caption{this, "Caption"};
    Property<bool> Checked{this, "Checked", false};
    Event<> Click;
    // The user chooses the item: one user action raising Click.
    bool TakesInput(UserInput input) const override { return input == UserInput::Click; }
    bool UserClick() override;
};

// Named pictures; the grid puts them in header cells.
class ImageList : public Control {
public:
    ImageList(Control* container, std::string name);
    bool CanTakeFocus() const override { return false; }
    void Add(const std::string& key, const std::string& picture);
    // The picture stored under `key`; an unknown key raises 35601 "Element not found".
    const std::string& ListImages(const std::string& key) const;

private:
    std::map<std::string, std::string> m_images;
};

} // namespace platform
