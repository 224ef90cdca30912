#include "tests/gui/windows/WindowFixture.h"
#include "widgets/MarkedComboBox.h"
#include "windows/ComSelectDlg.h"
#include "windows/PortSettings.h"

#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace qx::test {
namespace {

class OnePort : public PortSettings {
public:
    int portNumber() const override { return 1; }
    int baudRate() const override { return 4800; }
    std::optional<std::string> deviceFor(int) const override { return std::nullopt; }
    bool probe(int) override { return true; }
    bool closePort() override { return true; }
    void setPortNumber(int) override {}
    void setBaudRate(int) override {}
    bool save() override { return true; }
    std::optional<std::string> networkDevice() const override { return std::nullopt; }
    bool setNetworkDevice(const std::optional<std::string>&, std::string&) override { return true; }
    bool probeNetwork(const std::string&, std::string&, const std::atomic<bool>&) override { return true; }
};

// Before, the host:port field came last, after CANCEL.
TEST(TabOrder, ComSelectGoesDownTheDialogAsItReads)
{
    WindowFixture fx;
    OnePort ports;
    CComSelectDlg dlg(fx.ctx, ports);
    dlg.show();
    std::vector<QWidget*> order;
    QWidget* w = dlg.list();
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            order.push_back(w);
        w = w->nextInFocusChain();
    } while (w != dlg.list() && order.size() < 10);
    ASSERT_EQ(order.size(), 4u);
    EXPECT_EQ(order[0], dlg.list());
    EXPECT_NE(qobject_cast<QLineEdit*>(order[1]), nullptr);
    EXPECT_EQ(order[2]->objectName(), "ok");
    EXPECT_EQ(order[3]->objectName(), "cancel");
}

} // namespace
} // namespace qx::test
