// Opening an address in the user's default web browser, with the application's window as parent,
// as every link of the program does.
#pragma once

#include "toolkit/Types.h"

namespace ui {

void OpenInBrowser(toolkit::StringView address);

} // namespace ui
