// The slim line under the panel: the port and its speed, the link's state,
// and the last operator message until the state next changes.
#pragma once
#include "cat/LinkState.h"

#include <QLabel>

namespace qx::panel {

class LinkStatusLine : public QLabel {
    Q_OBJECT
public:
    explicit LinkStatusLine(QWidget* parent = nullptr);

    void setStatus(const LinkStatus& s);
    // Shown beside the state; a new state clears it.
    void setMessage(const QString& text);
    // What the program does about the link by itself (reconnecting), shown
    // after the state until it is set empty.
    void setActivity(const QString& text);
    // Shown for as long as it is set, whatever the state (a warning that
    // holds while the program runs so); empty removes it.
    void setNotice(const QString& text);

    const LinkStatus& status() const { return status_; }
    // What the line says, without its colours.
    QString plainText() const;
    // What fits the line: plainText() cut with an ellipsis when too long.
    QString shownText() const;

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void redraw();

    LinkStatus status_;
    bool known_ = false;
    QString message_;
    QString shown_;
    QString activity_;
    QString notice_;
};

} // namespace qx::panel
