// Driving the test engine library from the tests: its call record (a file, so that it outlives
// the library and crosses processes) and its exported helpers.
#pragma once

#include "engine/CefLib.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace enginetest {

inline std::string LogPath()
{
    return (std::filesystem::temp_directory_path() / ("lumo-engine-log-" + std::to_string(::getpid()))).string();
}

// Starts a new record and points the engine at the complete library with the default globals.
inline void StartRecord()
{
    ::setenv("LUMO_TEST_ENGINE_LOG", LogPath().c_str(), 1);
    std::filesystem::remove(LogPath());
}

inline std::string Record()
{
    std::ifstream in(LogPath());
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline bool Recorded(const std::string& line) { return Record().find(line) != std::string::npos; }

template <class F>
F Export(const char* name)
{
    auto p = platform::GetProcAddress(engine::LibHandle, name);
    if (!p)
        throw std::runtime_error(std::string("the test engine lacks ") + name);
    return reinterpret_cast<F>(p);
}

// Puts the binding back to its defaults with the given library.
inline void ResetBinding(const char16_t* library)
{
    engine::CefShutDown();
    engine::CefLibrary = library;
    engine::CefSingleProcess = true;
    engine::CefCache.clear();
    engine::CefOnRegisterCustomSchemes = nullptr;
    engine::CefOnBeforeCommandLineProcessing = nullptr;
    engine::CefSetMainArgs(0, nullptr);
}

} // namespace enginetest
