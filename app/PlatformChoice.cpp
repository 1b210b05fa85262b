#include "app/PlatformChoice.h"

#include "platform/backend/gtk/GtkBackend.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/core/Platform.h"
#include "platform/frame/MessageBox.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace app {

namespace {

std::string_view Setting(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

void StartPlatform()
{
    std::string_view backend = Setting("LUMO_BACKEND");
    platform::PlatformOptions options;
    options.screenshotPath = std::string(Setting("LUMO_SCREENSHOT"));
    // The screenshot mode reads the virtual screen, so it keeps to it unless a backend is named.
    if (backend == "gtk" || (backend.empty() && options.screenshotPath.empty())) {
        options.backend = platform::CreateGtkBackend();
        if (!options.backend)
            throw NoDisplayError();
    } else {
        if (backend != "headless")
            std::fprintf(stderr, "lumo: the backend \"%.*s\" is not available; using the virtual screen\n",
                         int(backend.size()), backend.data());
        platform::HeadlessOptions headless;
        headless.virtualClock = false;
        options.backend = std::make_unique<platform::HeadlessBackend>(headless);
    }
    platform::InitPlatform(std::move(options));
    platform::AnswerMessageBoxesAtOnce(Setting("LUMO_HEADLESS_ANSWER") == "default");
}

} // namespace app
