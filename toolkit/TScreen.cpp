#include "toolkit/TScreen.h"

#include "platform/window/Cursor.h"
#include "platform/core/Screen.h"
#include "toolkit/Exception.h"
#include "toolkit/SysUtils.h"
#include "toolkit/TCustomForm.h"

#include <algorithm>

namespace toolkit {

TScreen* Screen = nullptr;

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner)
{
    if (!Screen)
        Screen = this;
}

TScreen::~TScreen()
{
    if (Screen == this)
        Screen = nullptr;
}

TCustomForm* TScreen::Forms(int index) const
{
    if (index < 0 || index >= int(forms_.size()))
        throw EListError(Format(u"List index out of bounds (%d)", {IntToStr(index)}));
    return forms_[std::size_t(index)];
}

TCustomForm* TScreen::ActiveForm() const
{
    return dynamic_cast<TCustomForm*>(TWinControl::FindControl(platform::GetActiveWindow()));
}

TWinControl* TScreen::ActiveControl() const
{
    return TWinControl::FindControl(platform::GetFocus());
}

void TScreen::SetCursor(TCursor value)
{
    cursor_ = value;
    platform::SetCursor(CursorHandle(value == crDefault ? crArrow : value));
}

int TScreen::Width() const
{
    return platform::GetScreenSize().cx;
}

int TScreen::Height() const
{
    return platform::GetScreenSize().cy;
}

TRect TScreen::WorkAreaRect() const
{
    return platform::GetWorkArea();
}

platform::HCURSOR TScreen::CursorHandle(TCursor cursor)
{
    using platform::CursorId;
    CursorId id = CursorId::Arrow;
    switch (cursor) {
    case crNone: return nullptr;
    case crIBeam: id = CursorId::IBeam; break;
    case crCross: id = CursorId::Cross; break;
    case crSizeNESW: id = CursorId::SizeNESW; break;
    case crSizeNS: id = CursorId::SizeNS; break;
    case crSizeNWSE: id = CursorId::SizeNWSE; break;
    case crSizeWE: id = CursorId::SizeWE; break;
    case crSizeAll: id = CursorId::SizeAll; break;
    case crHourGlass: id = CursorId::Wait; break;
    case crNo: id = CursorId::No; break;
    case crAppStart: id = CursorId::AppStarting; break;
    case crHandPoint: id = CursorId::Hand; break;
    default: break;
    }
    return platform::LoadCursor(nullptr, id);
}

void TScreen::AddForm(TCustomForm* form)
{
    if (std::find(forms_.begin(), forms_.end(), form) == forms_.end())
        forms_.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form)
{
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
}

} // namespace toolkit
