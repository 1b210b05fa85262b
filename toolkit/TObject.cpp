#include "toolkit/TObject.h"

#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

namespace toolkit {

String TObject::ClassName() const
{
    const char* mangled = typeid(*this).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                     std::free);
    std::string name = status == 0 && demangled ? demangled.get() : mangled;
    if (auto colon = name.rfind("::"); colon != std::string::npos)
        name = name.substr(colon + 2);
    return String(name.begin(), name.end());
}

void Free(TObject* object)
{
    if (!object)
        return;
    object->BeforeDestruction();
    delete object;
}

} // namespace toolkit
