// The main window as the user first sees it (frame, caption, every button with its caption and
// glyph, the hidden counter not shown), compared with a picture a person has looked at.
#include "../../support/ReferencePicture.h"
#include "../MainWindowTester.h"

using namespace uitest;

TEST_F(MainWindowTest, TheMainWindowMatchesItsReferencePicture)
{
    form->Show();
    tester->Pump();
    testsupport::ExpectMatchesReference(tester->WindowShot(form), "main-window");
}
