// The screen as the program sees it: its forms, the active form and control, the size, and the
// cursor that overrides every control's own (crDefault: none).
#pragma once

#include "platform/core/WinUser.h"
#include "toolkit/TComponent.h"

#include <vector>

namespace toolkit {

class TCustomForm;
class TWinControl;

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent* AOwner);
    ~TScreen() override;

    int FormCount() const { return int(forms_.size()); }
    TCustomForm* Forms(int index) const;
    // The form whose window is the active window; null when another window is active.
    TCustomForm* ActiveForm() const;
    // The control that has the keyboard focus.
    TWinControl* ActiveControl() const;

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);
    int Width() const;
    int Height() const;
    TRect WorkAreaRect() const;

    static platform::HCURSOR CursorHandle(TCursor cursor);

    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);

private:
    std::vector<TCustomForm*> forms_;
    TCursor cursor_ = crDefault;
};

extern TScreen* Screen;

} // namespace toolkit
