// The program's seven windows on a virtual screen of their own, built as the program builds them
// (the same classes, in the same order), without a browser engine and without a Config.ini: what
// `lumo-skin render` draws. Message boxes answer at once; their texts go to standard error.
#pragma once

#include "platform/core/Bitmap.h"
#include "tools/lumo-skin/NoEngine.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace toolkit {
class TApplication;
class TControl;
class TForm;
} // namespace toolkit

namespace lumoskin {

class ProgramWindows {
public:
    ProgramWindows();
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

    // The short names of the windows, in the order --help lists them; the last, "message", is
    // the settings window's reset question, which exists only while it is asked.
    static const std::vector<std::string_view>& WindowNames();
    static constexpr std::string_view MessageWindowName = "message";

    // Makes skin the main window's skin: a packed file ".vsz" or a skin folder is given to the
    // skin manager as its skin directory and name, anything else is a name resolved in the
    // program's skin directory and catalogue. Throws std::runtime_error when the skin cannot be
    // loaded (the manager's message has gone to standard error by then).
    void UseSkin(const std::string& skin);

    // The window by its short name; throws std::invalid_argument for another name.
    toolkit::TForm* Window(std::string_view name) const;
    // Shows form as the user opens it: the main window first, then the form on top of it.
    void Show(toolkit::TForm* form);
    // Asks the settings window's reset question as the user does (the settings window shown, its
    // button "Сброс настроек" clicked), runs whileShown with the question's form once it is up,
    // and answers it with Cancel, so that nothing is reset.
    void AskResetQuestion(const std::function<void(toolkit::TForm*)>& whileShown);
    // A control of form by its component name; throws std::runtime_error naming the controls
    // there are when form has none of that name.
    toolkit::TControl* Control(toolkit::TForm* form, const std::string& name) const;

    // The states, put on through the calls the mouse and the keyboard would make: the mouse
    // moved over the control's centre, the left button pressed there (and held), the focus
    // given to it, the control disabled. Throw std::runtime_error when the control cannot be
    // in that state (hidden, or unable to take the focus).
    void MakeHot(toolkit::TControl* control);
    void Press(toolkit::TControl* control);
    void Focus(toolkit::TControl* control);
    void Disable(toolkit::TControl* control);

    // Lets every timer run until fades and other animations are over, then composes.
    void Settle();
    // The window's own picture, frame included, whatever lies above it.
    platform::Bitmap Picture(toolkit::TForm* form) const;

private:
    platform::POINT ScreenCentre(toolkit::TControl* control) const;

    std::unique_ptr<NoEngine> engine_;
    toolkit::TApplication* application_ = nullptr;
};

} // namespace lumoskin
