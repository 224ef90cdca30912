// Memory > "Memory channels...": the radio's 504 channels as a table to
// read, edit, recall and write. Edits are checked against the radio's
// limits as they are typed and stay in the table (marked) until "Write to
// radio" sends the changed channels, each confirmed by reading it back;
// before anything the operator did not put there is replaced, it asks
// once. Copy and paste carry rows as CHIRP CSV; Import and Export take
// CHIRP CSV or the program's JSON. Labels are kept by the program, per
// radio ID. Closing cancels a job under way.
#pragma once
#include "backup/RadioAccess.h"
#include "channels/ChannelJobs.h"
#include "windows/AuxWindow.h"

#include <QPointer>

#include <map>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace qx {

class ChannelGrid;
class ChannelTableModel;
class OperatorPrompt;

class CMemoryChannelsDlg : public AuxWindow {
    Q_OBJECT
public:
    explicit CMemoryChannelsDlg(WindowContext& ctx, QWidget* parent = nullptr, OperatorPrompt* prompt = nullptr);
    ~CMemoryChannelsDlg() override;

    void onNotification(const Message& m) override { jobs_.onMessage(m); }

    // What the buttons do once a file is chosen; false with the reason in
    // the status line (and, for an import, in the report).
    bool importFile(const QString& path);
    bool exportFile(const QString& path);
    // All channels, or the selected rows' range.
    bool readFromRadio(bool selectedOnly);
    bool writeToRadio();
    bool recall(int channel);
    void copyRows();
    void pasteRows();
    void clearRows();

    ChannelGrid* grid() const { return grid_; }
    ChannelTableModel& channels() const { return *model_; }
    ChannelJobs& jobs() { return jobs_; }
    QLabel* statusLine() const { return status_; }
    QProgressBar* progressBar() const { return progress_; }
    QPushButton* readAllButton() const { return readAll_; }
    QPushButton* writeButton() const { return write_; }
    QPushButton* cancelButton() const { return cancel_; }
    QCheckBox* hideEmptyBox() const { return hideEmpty_; }
    QSpinBox* goToField() const { return goTo_; }
    QAction* undoAction() const { return undo_; }
    QAction* redoAction() const { return redo_; }
    // The last import report, while it is open.
    QWidget* importReport() const { return report_; }

    // Esc, Close and the close box: asks before changes not yet written are dropped.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    QWidget* buildButtons();
    void addGridActions();
    void showStatus(const QString& text, bool problem);
    void jobStarted(const QString& what);
    void jobFinished();
    void readFinished();
    void writeFinished();
    void showReport(const QString& title, const QStringList& lines);
    void loadLabels();
    void saveLabels();
    bool labelsKnown() const;
    bool mayClose();

    SystemClock clock_;
    RadioAccess access_;
    ChannelJobs jobs_;
    OperatorPrompt& prompt_;
    ChannelTableModel* model_;
    ChannelGrid* grid_;
    QPushButton* readAll_ = nullptr;
    QPushButton* readSelected_ = nullptr;
    QPushButton* write_ = nullptr;
    QPushButton* import_ = nullptr;
    QPushButton* export_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* close_ = nullptr;
    QCheckBox* hideEmpty_ = nullptr;
    QSpinBox* goTo_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QList<QAction*> editActions_;
    QPointer<QWidget> report_;
    // What the write under way sends, by channel.
    std::map<int, MemoryChannel> writing_;
    // Channels the table empties, which CAT cannot empty on the radio.
    std::vector<int> leftAsTheyAre_;
    int recalling_ = 0;
    bool labelsLoaded_ = false;
};

} // namespace qx
