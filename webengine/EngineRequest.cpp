// The request object. Its count is atomic and its fields are behind a mutex because the IO thread
// reads requests the UI thread may still hold.
#include "webengine/EngineRequest.h"

#include "webengine/EngineObject.h"
#include "webengine/EngineText.h"

#include <atomic>
#include <mutex>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace webengine {

namespace {

using U16 = std::u16string;

struct Request {
    cef_request_t api{};
    std::atomic<int> references{1};
    bool readOnly = false;
    std::mutex mutex;
    U16 url;
    U16 method;
    U16 firstParty;
    int flags = 0;
    std::vector<std::pair<U16, U16>> headers;
};

Request* Of(cef_request_t* self)
{
    return reinterpret_cast<Request*>(self);
}

// Reads a field under the object's lock.
template <typename Field>
Field Get(cef_request_t* self, Field Request::*field)
{
    Request* r = Of(self);
    std::lock_guard lock(r->mutex);
    return r->*field;
}

// Writes a field unless the request is read-only.
template <typename Field>
void Set(cef_request_t* self, Field Request::*field, Field value)
{
    Request* r = Of(self);
    std::lock_guard lock(r->mutex);
    if (!r->readOnly)
        r->*field = std::move(value);
}

void GetHeaderMap(cef_request_t* self, cef_string_multimap_t map)
{
    if (!map)
        return;
    auto headers = Get(self, &Request::headers);
    cef_string_multimap_clear(map);
    for (const auto& [key, value] : headers) {
        cef_string_t k = BorrowedString(key), v = BorrowedString(value);
        cef_string_multimap_append(map, &k, &v);
    }
}

void SetHeaderMap(cef_request_t* self, cef_string_multimap_t map)
{
    std::vector<std::pair<U16, U16>> headers;
    int count = map ? cef_string_multimap_size(map) : 0;
    for (int i = 0; i < count; ++i) {
        cef_string_t key{}, value{};
        if (cef_string_multimap_key(map, i, &key) && cef_string_multimap_value(map, i, &value))
            headers.emplace_back(Utf16(&key), Utf16(&value));
        cef_string_utf16_clear(&key);
        cef_string_utf16_clear(&value);
    }
    Set(self, &Request::headers, std::move(headers));
}

cef_request_t* MakeRequest(U16 url, U16 method, bool readOnly)
{
    auto* r = new Request;
    r->readOnly = readOnly;
    r->url = std::move(url);
    r->method = std::move(method);

    cef_request_t& api = r->api;
    InitCounting<Request>(api);
    api.is_read_only = [](cef_request_t* self) { return Get(self, &Request::readOnly) ? 1 : 0; };
    api.get_url = [](cef_request_t* self) { return NewUserFreeString(Get(self, &Request::url)); };
    api.set_url = [](cef_request_t* self, const cef_string_t* url) { Set(self, &Request::url, Utf16(url)); };
    api.get_method = [](cef_request_t* self) { return NewUserFreeString(Get(self, &Request::method)); };
    api.set_method = [](cef_request_t* self, const cef_string_t* method) { Set(self, &Request::method, Utf16(method)); };
    api.get_post_data = [](cef_request_t*) -> cef_post_data_t* { return nullptr; };
    api.set_post_data = [](cef_request_t*, cef_post_data_t* postData) {
        // Not kept: the reference handed over goes back at once.
        if (postData && postData->base.release)
            postData->base.release(&postData->base);
    };
    api.get_header_map = GetHeaderMap;
    api.set_header_map = SetHeaderMap;
    api.get_flags = [](cef_request_t* self) { return Get(self, &Request::flags); };
    api.set_flags = [](cef_request_t* self, int flags) { Set(self, &Request::flags, flags); };
    api.get_first_party_for_cookies = [](cef_request_t* self) { return NewUserFreeString(Get(self, &Request::firstParty)); };
    api.set_first_party_for_cookies = [](cef_request_t* self, const cef_string_t* url) {
        Set(self, &Request::firstParty, Utf16(url));
    };
    return &api;
}

} // namespace

cef_request_t* NewEngineRequest(std::string_view utf8Url, std::string_view method)
{
    return MakeRequest(Utf16(utf8Url), Utf16(method), true);
}

} // namespace webengine

extern "C" cef_request_t* cef_request_create(void)
{
    return webengine::MakeRequest(std::u16string(), u"GET", false);
}
