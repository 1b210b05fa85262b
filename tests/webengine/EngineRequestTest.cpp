// The engine's request object: the writable one the program makes through cef_request_create, and
// the read-only one the engine hands to the program's handlers.
#include "engine/capi/cef_entry_points.h"

// Read-only requests are made only inside the library, whose own names are hidden; the test
// builds the object's source in, under another name for its one exported entry point.
#define cef_request_create lumo_test_request_create
#include "webengine/EngineRequest.cpp"
#undef cef_request_create

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using Headers = std::vector<std::pair<std::u16string, std::u16string>>;

cef_string_t View(const std::u16string& s)
{
    return cef_string_t{const_cast<char16*>(reinterpret_cast<const char16*>(s.data())), s.size(), nullptr};
}

// Takes the answer's text and frees the answer; "<null>" when there was none.
std::u16string Take(cef_string_userfree_t s)
{
    if (!s)
        return u"<null>";
    std::u16string text = s->str ? std::u16string(reinterpret_cast<const char16_t*>(s->str), s->length) : u"";
    cef_string_userfree_utf16_free(s);
    return text;
}

cef_string_multimap_t MakeMap(const Headers& headers)
{
    cef_string_multimap_t map = cef_string_multimap_alloc();
    for (const auto& [key, value] : headers) {
        cef_string_t k = View(key), v = View(value);
        cef_string_multimap_append(map, &k, &v);
    }
    return map;
}

Headers ReadMap(cef_string_multimap_t map)
{
    Headers headers;
    for (int i = 0; i < cef_string_multimap_size(map); ++i) {
        cef_string_t k{}, v{};
        cef_string_multimap_key(map, i, &k);
        cef_string_multimap_value(map, i, &v);
        headers.emplace_back(std::u16string(reinterpret_cast<const char16_t*>(k.str), k.length),
                             std::u16string(reinterpret_cast<const char16_t*>(v.str), v.length));
        cef_string_utf16_clear(&k);
        cef_string_utf16_clear(&v);
    }
    return headers;
}

Headers HeadersOf(cef_request_t* request)
{
    // The map already holds something: the request's headers replace it.
    cef_string_multimap_t map = MakeMap({{u"Stale", u"1"}});
    request->get_header_map(request, map);
    Headers headers = ReadMap(map);
    cef_string_multimap_free(map);
    return headers;
}

void SetAll(cef_request_t* request)
{
    std::u16string url = u"https://пример.example/канал?x=1", method = u"POST", party = u"https://first.example/";
    cef_string_t u = View(url), m = View(method), p = View(party);
    request->set_url(request, &u);
    request->set_method(request, &m);
    request->set_first_party_for_cookies(request, &p);
    request->set_flags(request, 6);
    cef_string_multimap_t map = MakeMap({{u"Accept", u"*/*"}, {u"Cookie", u"a=1"}, {u"Cookie", u"b=2"}});
    request->set_header_map(request, map);
    cef_string_multimap_free(map);
}

// Post data that counts its references.
struct CountingPostData {
    cef_post_data_t data{};
    int references = 1;
    CountingPostData()
    {
        data.base.size = sizeof(data);
        data.base.add_ref = [](cef_base_t* self) { return ++reinterpret_cast<CountingPostData*>(self)->references; };
        data.base.release = [](cef_base_t* self) { return --reinterpret_cast<CountingPostData*>(self)->references; };
        data.base.get_refct = [](cef_base_t* self) { return reinterpret_cast<CountingPostData*>(self)->references; };
    }
};

TEST(EngineRequest, CreatedRequestIsWritableAndKeepsWhatIsSet)
{
    cef_request_t* request = cef_request_create();
    ASSERT_NE(request, nullptr);
    EXPECT_EQ(request->base.size, sizeof(cef_request_t));
    EXPECT_EQ(request->is_read_only(request), 0);
    EXPECT_EQ(Take(request->get_url(request)), u"");
    EXPECT_EQ(Take(request->get_method(request)), u"GET");
    EXPECT_EQ(request->get_flags(request), 0);
    EXPECT_TRUE(HeadersOf(request).empty());

    SetAll(request);
    EXPECT_EQ(Take(request->get_url(request)), u"https://пример.example/канал?x=1");
    EXPECT_EQ(Take(request->get_method(request)), u"POST");
    EXPECT_EQ(Take(request->get_first_party_for_cookies(request)), u"https://first.example/");
    EXPECT_EQ(request->get_flags(request), 6);
    EXPECT_EQ(HeadersOf(request), (Headers{{u"Accept", u"*/*"}, {u"Cookie", u"a=1"}, {u"Cookie", u"b=2"}}));

    // An empty or missing map clears the headers; a missing string clears the field.
    request->set_header_map(request, nullptr);
    EXPECT_TRUE(HeadersOf(request).empty());
    request->set_url(request, nullptr);
    EXPECT_EQ(Take(request->get_url(request)), u"");
    request->base.release(&request->base);
}

TEST(EngineRequest, PostDataIsNotKeptAndItsReferenceGoesBack)
{
    cef_request_t* request = cef_request_create();
    CountingPostData post;
    request->set_post_data(request, &post.data);
    EXPECT_EQ(post.references, 0);
    EXPECT_EQ(request->get_post_data(request), nullptr);
    request->set_post_data(request, nullptr);
    request->base.release(&request->base);
}

TEST(EngineRequest, CountsReferencesAcrossThreads)
{
    cef_request_t* request = cef_request_create();
    EXPECT_EQ(request->base.get_refct(&request->base), 1);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([request] {
            for (int i = 0; i < 10000; ++i) {
                request->base.add_ref(&request->base);
                Take(request->get_url(request));
                request->base.release(&request->base);
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(request->base.add_ref(&request->base), 2);
    EXPECT_EQ(request->base.release(&request->base), 1);
    EXPECT_EQ(request->base.release(&request->base), 0);
}

TEST(EngineRequest, HandedOutRequestIsReadOnly)
{
    cef_request_t* request = webengine::NewEngineRequest("http://tv.example/канал/ad.js", "GET");
    ASSERT_NE(request, nullptr);
    EXPECT_EQ(request->is_read_only(request), 1);
    EXPECT_EQ(Take(request->get_url(request)), u"http://tv.example/канал/ad.js");
    EXPECT_EQ(Take(request->get_method(request)), u"GET");

    SetAll(request);
    request->set_header_map(request, nullptr);
    EXPECT_EQ(Take(request->get_url(request)), u"http://tv.example/канал/ad.js");
    EXPECT_EQ(Take(request->get_method(request)), u"GET");
    EXPECT_EQ(Take(request->get_first_party_for_cookies(request)), u"");
    EXPECT_EQ(request->get_flags(request), 0);
    EXPECT_TRUE(HeadersOf(request).empty());

    CountingPostData post;
    request->set_post_data(request, &post.data);
    EXPECT_EQ(post.references, 0);
    EXPECT_EQ(request->base.release(&request->base), 0);
}

} // namespace
