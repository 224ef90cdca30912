// Setup > Audio...: a saved device that is not there now stays chosen, so
// OK on an unplugged day does not forget it; the default is a choice too.
#include "app/gui/AudioSetupDlg.h"

#include <QComboBox>

#include <gtest/gtest.h>

namespace qx {

TEST(AudioSetupDlg, KeepsASavedDeviceThatIsMissingNowAndOffersTheDefault)
{
    AudioSetupDlg dlg(QStringLiteral("usb-codec-unplugged"), QString());
    EXPECT_EQ(dlg.capture(), QStringLiteral("usb-codec-unplugged"));
    EXPECT_EQ(dlg.playback(), QString());
    const auto boxes = dlg.findChildren<QComboBox*>();
    ASSERT_EQ(boxes.size(), 2);
    const QComboBox* capture = boxes[0]->currentData().toString() == QStringLiteral("usb-codec-unplugged") ? boxes[0] : boxes[1];
    EXPECT_TRUE(capture->currentText().contains(QStringLiteral("not present")));
    EXPECT_EQ(capture->itemData(0).toString(), QString());  // the system's default
}

} // namespace qx
