#include "panel/LinkStatusLine.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

// Before, a long message ran off the window's edge with no way to read it.
TEST(LinkStatusLineElide, WhatDoesNotFitEndsInAnEllipsisAndTheTooltipSaysAll)
{
    panel::LinkStatusLine line;
    LinkStatus s;
    s.phase = LinkPhase::LinkLost;
    s.port = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K4XYZ-if00-port0";
    s.baud = 4800;
    line.setStatus(s);
    line.setMessage(QStringLiteral("Failed to open the port. /dev/serial/by-id/usb-FTDI: permission denied; the "
                                   "device belongs to group dialout: sudo usermod -aG dialout $USER"));
    line.show();
    line.resize(400, line.sizeHint().height());
    const QString shown = line.shownText();
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_LE(line.fontMetrics().horizontalAdvance(QStringLiteral("\u25cf ") + shown), line.contentsRect().width());
    EXPECT_EQ(line.toolTip(), line.plainText());

    // Room enough: the whole text, and the tooltip keeps the message alone.
    line.resize(line.fontMetrics().horizontalAdvance(line.plainText()) + 200, line.height());
    EXPECT_EQ(line.shownText(), line.plainText());
    EXPECT_TRUE(line.toolTip().startsWith(QStringLiteral("Failed to open the port.")));
}

} // namespace
} // namespace qx
