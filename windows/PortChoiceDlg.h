// The one design behind COM Select and Baud rate: a drop-down list of
// choices; OK with a new choice switches auto-information off (waiting up
// to 29 checks 100 ms apart for the radio to confirm), closes the port,
// stores the choice and saves the settings file. The port is reopened by
// the next command sent, with the new settings.
#pragma once
#include "windows/AuxWindow.h"

#include <vector>

class QPushButton;
class QTimer;

namespace qx {

class MarkedComboBox;
class PortSettings;

struct PortChoice {
    QString text;
    int value;
};

class PortChoiceDlg : public AuxWindow {
    Q_OBJECT
public:
    static constexpr int kAiCheckMs = 100;
    static constexpr int kAiChecks = 29;

    // The current setting's row is drawn marked (red).
    MarkedComboBox* list() const { return list_; }
    // The value picked by the operator; 0 while nothing was picked.
    int chosen() const { return chosen_; }
    bool waitingForAiOff() const;
    // One check of the auto-information flag (the 100 ms timer).
    void checkAiOff();

    void accept() override;

protected:
    PortChoiceDlg(AuxKind kind, WindowContext& ctx, PortSettings& ports, const QString& title,
                  const std::vector<PortChoice>& choices, int current, QWidget* parent);

    // Whether OK has something to change; by default a picked row other than the current one.
    virtual bool hasNewChoice() const { return chosen_ != 0 && chosen_ != current_; }
    // May refuse the choice before anything is changed.
    virtual bool choiceUsable(int value) { (void)value; return true; }
    virtual void store(int value) = 0;
    // While the dialog waits (for the radio, for a connection) the operator cannot change the choice.
    virtual void setControlsEnabled(bool enabled);

    PortSettings& ports_;

private:
    void complete(bool closePort);

    MarkedComboBox* list_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QTimer* aiTimer_ = nullptr;
    int current_ = 0;
    int chosen_ = 0;
    int checks_ = 0;
};

} // namespace qx
