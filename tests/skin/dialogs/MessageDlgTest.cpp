// What sMessageDlg asks the system box for: button sets, icons and default titles.
#include "skin/dialogs/sMessageDlg.h"

#include <gtest/gtest.h>

using namespace platform;
using namespace skin;
using namespace toolkit;

namespace {

TEST(MessageDlgButtons, ButtonSetsMapToTheSystemBoxesSets)
{
    struct Case {
        TMsgDlgButtons buttons;
        UINT expected;
    };
    const Case cases[] = {
        {{mbOK}, MB_OK},
        {{mbOK, mbCancel}, MB_OKCANCEL},
        {{mbOK, mbYes, mbAbort}, MB_OK}, // OK decides alone
        {{mbAbort}, MB_ABORTRETRYIGNORE},
        {{mbIgnore, mbYes}, MB_ABORTRETRYIGNORE},
        {{mbAbort, mbRetry, mbIgnore}, MB_ABORTRETRYIGNORE},
        {{mbYes, mbNo, mbCancel}, MB_YESNOCANCEL},
        {{mbNo, mbCancel}, MB_YESNOCANCEL},
        {{mbYes, mbNo}, MB_YESNO},
        {{mbYes}, MB_YESNO},
        {{mbRetry}, MB_RETRYCANCEL},
        {{mbRetry, mbCancel}, MB_RETRYCANCEL},
        {{mbCancel}, MB_OK},
        {{mbAll, mbClose}, MB_OK},
        {{}, MB_OK},
        {{mbOK, mbHelp}, MB_OK | MB_HELP},
        {{mbYes, mbNo, mbHelp}, MB_YESNO | MB_HELP},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sMessageBoxButtons(c.buttons), c.expected) << "case " << (&c - cases);
}

TEST(MessageDlgButtons, TypesGiveTheirTitleAndIcon)
{
    EXPECT_EQ(sDialogCaption(mtWarning), u"Warning");
    EXPECT_EQ(sDialogCaption(mtError), u"Error");
    EXPECT_EQ(sDialogCaption(mtInformation), u"Information");
    EXPECT_EQ(sDialogCaption(mtConfirmation), u"Confirm");
    EXPECT_TRUE(sDialogCaption(mtCustom).empty());
    EXPECT_EQ(sMessageBoxIcon(mtWarning), MB_ICONWARNING);
    EXPECT_EQ(sMessageBoxIcon(mtError), MB_ICONERROR);
    EXPECT_EQ(sMessageBoxIcon(mtInformation), MB_ICONINFORMATION);
    EXPECT_EQ(sMessageBoxIcon(mtConfirmation), MB_ICONQUESTION);
    EXPECT_EQ(sMessageBoxIcon(mtCustom), 0u);
}

} // namespace
