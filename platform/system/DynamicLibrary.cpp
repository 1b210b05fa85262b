#include "platform/system/DynamicLibrary.h"

#include "platform/system/LastError.h"
#include "platform/system/Paths.h"

#include <cerrno>
#include <dlfcn.h>
#include <link.h>
#include <mutex>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>

namespace platform {

namespace {

// The handles LoadLibraryW gave and how many references each holds, so that a stale or foreign
// handle is refused instead of reaching the loader, which would not survive it. Never destroyed:
// libraries may be freed while the process ends.
// Recursive, as a library's constructors and destructors run inside dlopen and dlclose and may
// load or free libraries themselves.
struct Registry {
    std::recursive_mutex mutex;
    std::unordered_map<void*, int> references;
};

Registry& TheRegistry()
{
    static Registry* registry = new Registry;
    return *registry;
}

bool HasSeparator(StringView name)
{
    return name.find_first_of(u"/\\") != StringView::npos || (name.size() >= 2 && name[1] == u':');
}

std::string LoaderMessage()
{
    const char* message = dlerror();
    return message ? message : "the library could not be loaded";
}

DWORD ClassifyLoadFailure(const std::string& path, const std::string& message)
{
    if (message.find("undefined symbol") != std::string::npos)
        return ERROR_PROC_NOT_FOUND;
    if (message.find("Permission denied") != std::string::npos)
        return ERROR_ACCESS_DENIED;
    struct stat st;
    if (!path.empty() && stat(path.c_str(), &st) != 0)
        return ERROR_MOD_NOT_FOUND;
    if (message.find("cannot open shared object file") != std::string::npos ||
        message.find("No such file or directory") != std::string::npos)
        return ERROR_MOD_NOT_FOUND;
    return ERROR_BAD_EXE_FORMAT;
}

} // namespace

HMODULE LoadLibraryW(const WCHAR* fileName)
{
    if (!fileName || !*fileName) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    StringView name(fileName);
    // The path that decides the error code; empty when the loader searched on its own.
    std::string path;
    std::string loaderName;
    if (HasSeparator(name)) {
        path = NativePath(name);
        loaderName = path;
    } else {
        std::string local = NativePath(ExecutableDirectory() + String(name));
        struct stat st;
        if (lstat(local.c_str(), &st) == 0) {
            path = local;
            loaderName = local;
        } else {
            loaderName = Utf16ToUtf8(name);
        }
    }

    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    dlerror();
    void* handle = dlopen(loaderName.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        std::string message = LoaderMessage();
        SetLastError(ClassifyLoadFailure(path, message), Utf8ToUtf16(message));
        return nullptr;
    }
    ++registry.references[handle];
    SetLastError(ERROR_SUCCESS);
    return handle;
}

FARPROC GetProcAddress(HMODULE module, const char* procName)
{
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    if (!module || !registry.references.contains(module)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (!procName || !*procName) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    dlerror();
    void* symbol = dlsym(module, procName);
    if (!symbol) {
        SetLastError(ERROR_PROC_NOT_FOUND, Utf8ToUtf16(LoaderMessage()));
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(symbol);
}

BOOL FreeLibrary(HMODULE module)
{
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    auto found = module ? registry.references.find(module) : registry.references.end();
    if (found == registry.references.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    if (--found->second == 0)
        registry.references.erase(found);
    dlerror();
    if (dlclose(module) != 0) {
        SetLastError(ERROR_INVALID_HANDLE, Utf8ToUtf16(LoaderMessage()));
        return false;
    }
    return true;
}

String GetModuleFileName(HMODULE module)
{
    if (!module) {
        std::string buffer(4096, '\0');
        ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length <= 0 || std::size_t(length) >= buffer.size()) {
            SetLastErrorFromErrno(length < 0 ? errno : ENAMETOOLONG);
            return {};
        }
        buffer.resize(std::size_t(length));
        return Utf8ToUtf16(buffer);
    }
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    link_map* map = nullptr;
    if (!registry.references.contains(module) || dlinfo(module, RTLD_DI_LINKMAP, &map) != 0 || !map ||
        !map->l_name) {
        SetLastError(ERROR_INVALID_HANDLE);
        return {};
    }
    return Utf8ToUtf16(map->l_name);
}

DWORD GetModuleFileName(HMODULE module, WCHAR* fileName, DWORD size)
{
    String name = GetModuleFileName(module);
    if (name.empty() || !fileName || size == 0) {
        if (!name.empty())
            SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (name.size() >= size) {
        name.copy(fileName, size - 1);
        fileName[size - 1] = 0;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return size;
    }
    name.copy(fileName, name.size());
    fileName[name.size()] = 0;
    SetLastError(ERROR_SUCCESS);
    return DWORD(name.size());
}

} // namespace platform
