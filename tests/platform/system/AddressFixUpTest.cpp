// Typed text to an address, as the address field hands it to the browser.
#include "platform/system/AddressFixUp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using platform::FixUpAddress;

namespace {

struct Case {
    const char* typed;
    const char* expected;
};

void ExpectAll(const std::vector<Case>& cases, const std::vector<std::string>& extraSchemes = {})
{
    for (const Case& c : cases)
        EXPECT_EQ(FixUpAddress(c.typed, extraSchemes), c.expected) << "typed: \"" << c.typed << "\"";
}

} // namespace

TEST(AddressFixUp, HostsWithPortsAreNotSchemes)
{
    ExpectAll({
        {"example.com", "http://example.com"},
        {"localhost:3000", "http://localhost:3000"},
        {"host:8080/x", "http://host:8080/x"},
        {"host:8080?q=1", "http://host:8080?q=1"},
        {"host:8080#top", "http://host:8080#top"},
        {"127.0.0.1:8080", "http://127.0.0.1:8080"},
        {"[::1]:8080/x", "http://[::1]:8080/x"},
        {"[2001:db8::1]/live", "http://[2001:db8::1]/live"},
        {"tv.example.com:8000/stream.m3u8", "http://tv.example.com:8000/stream.m3u8"},
        {"localhost", "http://localhost"},
        // Digits then more text is no port: "host" reads as a scheme of its own.
        {"host:80abc", "host:80abc"},
        {"example.com:abc", "http://example.com:abc"},
        {"~/radio.html", "http://~/radio.html"},
    });
}

TEST(AddressFixUp, KnownSchemesStayAsTyped)
{
    ExpectAll({
        {"about:blank", "about:blank"},
        {"ABOUT:blank", "ABOUT:blank"},
        {"HTTP://x", "HTTP://x"},
        {"Https://Example.com/A", "Https://Example.com/A"},
        {"http:8080", "http:8080"},
        {"file:///tmp/a%20b", "file:///tmp/a%20b"},
        {"data:text/html,<b>hi</b>", "data:text/html,<b>hi</b>"},
        {"javascript:void(0)", "javascript:void(0)"},
        {"view-source:http://x", "view-source:http://x"},
        {"blob:http://x/1", "blob:http://x/1"},
        {"ftp://files.example.com", "ftp://files.example.com"},
        {"wss://chat.example.com/ws", "wss://chat.example.com/ws"},
    });
}

TEST(AddressFixUp, OtherSchemesStayWhenTheyCannotBeHosts)
{
    ExpectAll({
        {"rtmp://live.example.com/tv", "rtmp://live.example.com/tv"},
        {"mailto:x@y", "mailto:x@y"},
        {"magnet:?xt=urn:1", "magnet:?xt=urn:1"},
        // A word with a dot is a host, unless the engine has that scheme registered.
        {"lumo.local:channels", "http://lumo.local:channels"},
    });
    ExpectAll({{"lumo.local:channels", "lumo.local:channels"}, {"LOCAL:1", "LOCAL:1"}},
              {"lumo.local", "local"});
}

TEST(AddressFixUp, PathsBecomeEncodedFileAddresses)
{
    ExpectAll({
        {"/", "file:///"},
        {"/tmp/x.html", "file:///tmp/x.html"},
        {"/home/user/My Channels/list.html", "file:///home/user/My%20Channels/list.html"},
        {"/home/пользователь/канал.html",
         "file:///home/%D0%BF%D0%BE%D0%BB%D1%8C%D0%B7%D0%BE%D0%B2%D0%B0%D1%82%D0%B5%D0%BB%D1%8C/"
         "%D0%BA%D0%B0%D0%BD%D0%B0%D0%BB.html"},
        {"/a/100%#?\"<>\\^`{|}[]", "file:///a/100%25%23%3F%22%3C%3E%5C%5E%60%7B%7C%7D%5B%5D"},
        {"//usr///share", "file:///usr///share"},
        {"/~user/x", "file:///~user/x"},
        {"/a\tb\nc", "file:///a%09b%0Ac"},
        // Broken UTF-8 is encoded byte by byte rather than dropped.
        {"/\xD0", "file:///%D0"},
    });
}

TEST(AddressFixUp, WhiteSpaceAndControlCharacters)
{
    ExpectAll({
        {"", ""},
        {" \t\r\n ", ""},
        {"  example.com \n", "http://example.com"},
        {"\tabout:blank  ", "about:blank"},
        {"  /tmp/a b  ", "file:///tmp/a%20b"},
        {"exam\nple.com/a\tb", "http://example.com/ab"},
        {"ht\ttp://x", "http://x"},
        {"a\x01" "b", "http://a%01b"},
        {"a\x7F", "http://a%7F"},
    });
    // A NUL inside the text cannot cut the address short.
    EXPECT_EQ(FixUpAddress(std::string_view("a\0b", 3)), "http://a%00b");
}

TEST(AddressFixUp, FixingUpTwiceChangesNothing)
{
    for (const char* typed : {"example.com", "/tmp/a b", "HTTP://x", "localhost:3000", "mailto:x@y", "a\x01",
                              "[::1]:8080/x", "example.com:abc", " exam\nple.com "}) {
        std::string once = FixUpAddress(typed);
        EXPECT_EQ(FixUpAddress(once), once) << "typed: \"" << typed << "\"";
    }
}
