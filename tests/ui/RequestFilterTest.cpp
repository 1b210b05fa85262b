// The main window's filter: which addresses are cancelled, which pop-ups open and what the
// context menu's commands do, both as decisions and through the browser control's event path.
#include "MainWindowTester.h"

#include "ui/main/RequestFilter.h"
#include "ui/main/Sites.h"
#include "ui/main/SourceTable.h"

#include <random>

using namespace uitest;
using ui::HoldsBlockedToken;
using ui::PopupAllowed;

namespace {

// The rule as stated: each token searched in the whole address in table order, the first one
// found stops.
bool ReferenceBlocked(std::u16string_view address)
{
    for (std::u16string_view token : ui::BlockedTokens)
        if (address.find(token) != std::u16string_view::npos)
            return true;
    return false;
}

} // namespace

TEST(RequestFilter, EveryTokenIsFoundAnywhereInTheAddressInItsExactCase)
{
    for (std::u16string_view token : ui::BlockedTokens) {
        std::u16string t(token);
        SCOPED_TRACE(platform::Utf16ToUtf8(t));
        EXPECT_TRUE(HoldsBlockedToken(u"http://" + t + u".example/"));
        EXPECT_TRUE(HoldsBlockedToken(u"http://cdn.example/js/" + t + u"/load.js"));
        EXPECT_TRUE(HoldsBlockedToken(u"http://cdn.example/p?ref=" + t));
        EXPECT_TRUE(HoldsBlockedToken(t)) << "a token at the first position counts";
        EXPECT_TRUE(HoldsBlockedToken(u"xx" + t + u"yy")) << "inside a longer word";
        std::u16string upper = t;
        for (char16_t& c : upper)
            if (c >= u'a' && c <= u'z')
                c = char16_t(c - u'a' + u'A');
        EXPECT_FALSE(HoldsBlockedToken(u"http://" + upper + u".example/x")) << "other capitalisation passes";
        EXPECT_FALSE(HoldsBlockedToken(u"http://cdn.example/" + t.substr(0, t.size() - 1)))
            << "a token cut short at the end passes";
    }
    EXPECT_TRUE(HoldsBlockedToken(u"http://x.example/vbm/am15?rmbn=admixer")) << "several tokens";
    EXPECT_TRUE(HoldsBlockedToken(u"http://ads.lumo-tv.test/banner.gif"));
    EXPECT_FALSE(HoldsBlockedToken(u"http://ads.lumo-tv.tes/banner.gif"));
    EXPECT_FALSE(HoldsBlockedToken(u""));
    EXPECT_TRUE(HoldsBlockedToken(u"http://пример.example/путь/vbm")) << "non-ASCII text around a token";
    EXPECT_FALSE(HoldsBlockedToken(u"http://пример.example/Admixer"));
}

TEST(RequestFilter, DecidesAsTheTokenByTokenSearchOnRandomAddresses)
{
    // Addresses built from pieces of tokens, so near misses and overlaps are common.
    std::mt19937 random(20261209);
    const std::u16string pieces[] = {u"a", u"d", u"m", u"v", u"b", u"r", u"1", u"4", u"5", u"/", u".", u"?",
                                     u"ad", u"am", u"vb", u"rm", u"mx", u"re", u"ads.lumo", u"-tv.te", u"st",
                                     u"Ad", u"VBM", u"\u0430", u"yott", u"os", u"tra", u"foret"};
    int blocked = 0;
    for (int i = 0; i < 20000; ++i) {
        std::u16string address = u"http://";
        int count = int(random() % 12);
        for (int j = 0; j < count; ++j)
            address += pieces[random() % std::size(pieces)];
        bool expected = ReferenceBlocked(address);
        blocked += expected;
        ASSERT_EQ(HoldsBlockedToken(address), expected) << platform::Utf16ToUtf8(address);
    }
    EXPECT_GT(blocked, 100) << "the sample reaches the tokens";
}

TEST(RequestFilter, TheProgramsOwnAddressesHoldNoToken)
{
    for (const ui::SourceEntry& source : ui::SourceTable)
        EXPECT_FALSE(HoldsBlockedToken(ui::SourceAddress(source, u"/opt/lumo-tv-player/")))
            << platform::Utf16ToUtf8(ui::SourceAddress(source, u"/opt/lumo-tv-player/"));
    EXPECT_FALSE(PopupAllowed(ui::HomeSite));
}

TEST(RequestFilter, OnlyPopupsToTheAllowedNetworkOpen)
{
    EXPECT_TRUE(PopupAllowed(u"http://directadvert.example/click?id=1"));
    EXPECT_TRUE(PopupAllowed(u"http://x.example/?go=directadvert"));
    EXPECT_TRUE(PopupAllowed(u"directadvert"));
    EXPECT_FALSE(PopupAllowed(u"http://DirectAdvert.example/"));
    EXPECT_FALSE(PopupAllowed(u"http://direct-advert.example/"));
    EXPECT_FALSE(PopupAllowed(u""));
}

// Through the engine's callbacks, the control's events and the window's handlers, and back.
TEST_F(MainWindowTest, TheEngineGetsTheFiltersAnswers)
{
    using enginetest::Export;
    auto fireLoad = Export<int (*)(const char*)>("lumo_test_engine_fire_before_resource_load");
    auto fireMenu = Export<int (*)(int, int)>("lumo_test_engine_fire_context_menu_command");
    auto firePopup = Export<int (*)(const char*, int*, int*)>("lumo_test_engine_fire_before_popup");

    EXPECT_EQ(fireLoad("http://cdn.example/am15.js"), 1);
    EXPECT_EQ(fireLoad("http://cdn.example/pic.png?viboom=1"), 1);
    EXPECT_EQ(fireLoad("http://ads.lumo-tv.test/b.gif"), 1);
    EXPECT_EQ(fireLoad("http://cdn.example/AM15.js"), 0);
    EXPECT_EQ(fireLoad("www.lumo-tv.example/lumo9/main910.html"), 0);
    EXPECT_EQ(fireLoad("tv.lumo-tv.example/channels/rmbn.html"), 1) << "a document address too";

    for (int command : {100, 101, 102, 110, 131, 26500}) {
        SCOPED_TRACE(command);
        EXPECT_EQ(fireMenu(command, 0), 1);
    }

    int sameClient = 0, noScript = 0;
    EXPECT_EQ(firePopup("http://directadvert.example/offer", &sameClient, &noScript), 0);
    EXPECT_TRUE(sameClient) << "an allowed pop-up keeps the main window's client";
    EXPECT_EQ(noScript, 0);
    EXPECT_EQ(firePopup("http://DirectAdvert.example/offer", &sameClient, &noScript), 1);
    EXPECT_EQ(firePopup("", &sameClient, &noScript), 1);
    EXPECT_EQ(firePopup("http://popup.example/", &sameClient, &noScript), 1);
    EXPECT_TRUE(sameClient);
}
