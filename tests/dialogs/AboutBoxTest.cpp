// The About box: the system's standard box with the program's name and the
// additional text, closed from inside the test.
#include <gtest/gtest.h>

#include "dialogs/AboutBox.h"
#include "tests/support/DialogDriver.h"

TEST(AboutBox, ShowsNameAndAdditionalTextUntilClosed)
{
    std::string caption;
    std::string texts;
    CDialogDriver driver;
    driver.OnDialog([&](HWND box) {
        CModalSeen seen = CDialogDriver::Read(box);
        caption = seen.m_Caption;
        texts = seen.m_Text;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    driver.Start();
    ShowAboutBox(nullptr);
    driver.Stop();

    ExpectPlayed(driver);
    EXPECT_NE(caption.find("Rolecue Ver 0.11"), std::string::npos) << caption;
    EXPECT_NE(texts.find("Rolecue Ver 0.11"), std::string::npos) << texts;
    EXPECT_NE(texts.find("Wenmoor"), std::string::npos) << texts;
}
