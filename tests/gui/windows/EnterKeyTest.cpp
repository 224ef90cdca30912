// Enter typed in any field of any window: it may confirm the one thing a
// one-field dialog is for, and nothing else; above all it never plays, keys
// or switches anything on the radio.
#include "tests/gui/windows/WindowFixture.h"
#include "widgets/FilteredEdit.h"
#include "windows/AuxWindow.h"
#include "windows/AuxWindowFactory.h"
#include "windows/CwKeyerDlg.h"
#include "windows/PortSettings.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace qx::test {
namespace {

class StillPorts : public PortSettings {
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

struct EnterRow {
    AuxKind kind;
    // The one button Enter may press (its text without "&"); empty: none.
    const char* confirm;
};

// Dialogs whose single field Enter confirms, and windows of action buttons
// where Enter must press nothing.
constexpr EnterRow kRows[] = {
    {AuxKind::VfoSet, "OK"},       {AuxKind::MemoryWrite, "OK"}, {AuxKind::CommandSend, "OK"},
    {AuxKind::ComSelect, "OK"},    {AuxKind::BaudRate, "OK"},    {AuxKind::Vcc, "OK"},
    {AuxKind::SetupSave, "Save"},  {AuxKind::SetupCompare, "Compare"},
    {AuxKind::MenuList, ""},       {AuxKind::Playback, ""},      {AuxKind::Cw, ""},
    {AuxKind::Repeater, ""},       {AuxKind::MicEq, ""},         {AuxKind::Contour, ""},
    {AuxKind::Dnr, ""},            {AuxKind::Notch, ""},         {AuxKind::MemoryChannels, ""},
};

TEST(EnterKey, PressesNoButtonButTheConfirmOfAOneFieldDialog)
{
    for (const EnterRow& row : kRows) {
        WindowFixture fx;
        StillPorts ports;
        fx.ctx.ports = &ports;
        std::unique_ptr<AuxWindow> w(createAuxWindow(row.kind, fx.ctx, nullptr));
        ASSERT_NE(w, nullptr) << static_cast<int>(row.kind);
        w->show();
        if (auto* cw = dynamic_cast<CCwKeyerDlg*>(w.get()))
            cw->onTimeout(); // the opening read ends: every button is live
        const std::string name = w->windowTitle().toStdString();

        for (QPushButton* b : w->findChildren<QPushButton*>()) {
            if (b->isDefault() || b->autoDefault()) {
                EXPECT_EQ(b->text().remove('&').toStdString(), row.confirm) << name;
            }
        }
        if (*row.confirm)
            continue;
        fx.outbox.clear();
        fx.sent.clear();
        for (QWidget* field : w->findChildren<QWidget*>()) {
            if (qobject_cast<QAbstractButton*>(field) || field->focusPolicy() == Qt::NoFocus || !field->isVisible())
                continue;
            field->setFocus();
            QTest::keyClick(field, Qt::Key_Return);
            QTest::keyClick(field, Qt::Key_Enter);
        }
        EXPECT_TRUE(fx.requests().empty()) << name << " posted " << fx.requests().front().first;
        EXPECT_TRUE(fx.sent.empty()) << name << " sent " << fx.sent.front();
        EXPECT_FALSE(w->finished()) << name;
    }
}

TEST(EnterKey, InACwTextFieldStoresThatTextAndPlaysNothing)
{
    WindowFixture fx;
    CCwKeyerDlg dlg(fx.ctx);
    dlg.show();
    dlg.onTimeout();
    fx.outbox.clear();
    QTest::keyClicks(dlg.textField(2), "CQ TEST");
    QTest::keyClick(dlg.textField(2), Qt::Key_Return);
    EXPECT_TRUE(fx.requests().empty());
    ASSERT_EQ(fx.sent.size(), 2u);
    EXPECT_EQ(fx.sent[0], "KM2CQ TEST;");
    EXPECT_EQ(fx.sent[1], "KM2;");

    // An empty field has nothing to store: its Enter does nothing.
    dlg.onTimeout();
    fx.sent.clear();
    QTest::keyClick(dlg.textField(1), Qt::Key_Return);
    EXPECT_TRUE(fx.sent.empty());
    EXPECT_TRUE(fx.requests().empty());
}

} // namespace
} // namespace qx::test
