// The native child classes on the virtual screen: they exist, host nothing, and a web view
// remembers where it was sent.
#include "platform/window/NativeChild.h"
#include "platform/window/WebView.h"
#include "platform/window/Window.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/system/AddressFixUp.h"

#include <gtest/gtest.h>

namespace {

using namespace platform;

TEST(WebAddress, AnAddressWithoutASchemeIsAnHttpAddress)
{
    EXPECT_EQ(NormalizeWebAddress(u"example.org/a?b=c"), u"http://example.org/a?b=c");
    EXPECT_EQ(NormalizeWebAddress(u"  example.org  "), u"http://example.org");
    EXPECT_EQ(NormalizeWebAddress(u"localhost:8080/x"), u"http://localhost:8080/x");
    EXPECT_EQ(NormalizeWebAddress(u"127.0.0.1:81"), u"http://127.0.0.1:81");
    EXPECT_EQ(NormalizeWebAddress(u"about:blank"), u"about:blank");
    EXPECT_EQ(NormalizeWebAddress(u"https://example.org/"), u"https://example.org/");
    EXPECT_EQ(NormalizeWebAddress(u"file:///tmp/a.html"), u"file:///tmp/a.html");
    EXPECT_EQ(NormalizeWebAddress(u":nothing"), u"http://:nothing");
    EXPECT_EQ(NormalizeWebAddress(u"   "), u"");
    // The engine library's rule: a path is a file, whatever the two are given.
    EXPECT_EQ(NormalizeWebAddress(u"/tmp/x y.html"), u"file:///tmp/x%20y.html");
    for (const char* typed : {"/tmp/x.html", "www.example.org/a", "mailto:a@b", "example.com:abc", "HTTP://A/"})
        EXPECT_EQ(Utf16ToUtf8(NormalizeWebAddress(Utf8ToUtf16(typed))), platform::FixUpAddress(typed)) << typed;
}

TEST(HeadlessNativeChild, TheClassesExistHostNothingAndAWebViewRemembersItsAddress)
{
    headless::Reset();
    InitNativeChildClasses();
    InitNativeChildClasses(); // again: no harm
    HWND top = CreateWindowEx(0, NATIVEHOST_CLASS, u"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr,
                              nullptr, nullptr);
    HWND view = CreateWindowEx(0, WEBVIEW_CLASS, u"", WS_CHILD | WS_VISIBLE, 10, 10, 100, 100, top, nullptr,
                               nullptr, nullptr);
    ASSERT_TRUE(top && view);
    EXPECT_EQ(GetNativeChildContainer(top), nullptr);
    EXPECT_EQ(GetNativeChildContainer(view), nullptr);
    EXPECT_EQ(WebViewAddress(view), u"");
    EXPECT_TRUE(Navigate(view, u"example.org"));
    EXPECT_EQ(WebViewAddress(view), u"http://example.org");
    EXPECT_TRUE(Navigate(view, u"about:blank"));
    EXPECT_EQ(WebViewAddress(view), u"about:blank");
    EXPECT_FALSE(Navigate(view, u""));
    EXPECT_FALSE(Navigate(top, u"example.org")); // not a web view
    EXPECT_FALSE(Navigate(nullptr, u"example.org"));
    DestroyWindow(view);
    EXPECT_FALSE(Navigate(view, u"example.org"));
    EXPECT_EQ(WebViewAddress(view), u"");
    headless::Reset();
}

} // namespace
