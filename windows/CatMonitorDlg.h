// The CAT monitor: what the program and the radio say to each other, live,
// one line per command or answer with the time of day to the millisecond,
// the direction (W written to the radio, R read from it) and the text. The
// newest 10,000 lines are kept. Pause freezes the view while lines still
// arrive underneath; Clear forgets them; the filter hides the codes named
// (e.g. the polling: RM IF PS AI); Copy and Save take the lines shown.
//
// It listens to the port's tap only while it is on screen, so a closed
// monitor costs the link nothing.
#pragma once
#include "serial/TrafficFilter.h"
#include "serial/TrafficLog.h"
#include "serial/TrafficTap.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace qx {

class CCatMonitorDlg : public QDialog {
    Q_OBJECT
public:
    explicit CCatMonitorDlg(TrafficTap& tap, QWidget* parent = nullptr,
                            std::size_t limit = TrafficLog::kDefaultLimit);
    ~CCatMonitorDlg() override;

    // The view as it stands, one entry per line.
    QStringList shownLines() const;
    // Brings the view up to date now; a timer does it ten times a second.
    void catchUp();
    void setPaused(bool paused);
    bool paused() const { return paused_; }
    void setHiddenCodes(const QString& codes);
    void clear();
    // The lines shown, or the selection when there is one.
    void copy() const;
    // Writes the lines shown; false with the reason when the file was left as it was.
    bool saveTo(const QString& path, QString* why = nullptr) const;
    bool listening() const { return listening_ != 0; }

    static QString formatLine(const TrafficLine& line);

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void startListening();
    void stopListening();
    void rebuild();
    void append(const std::vector<TrafficLine>& lines);
    void askAndSave();
    void updateCount();

    TrafficTap& tap_;
    TrafficLog log_;
    TrafficFilter filter_;
    std::uint64_t seen_ = 0;
    TrafficTap::Id listening_ = 0;
    bool paused_ = false;

    QPlainTextEdit* view_;
    QLineEdit* hide_;
    QPushButton* pause_;
    QLabel* count_;
    QTimer* timer_;
};

} // namespace qx
