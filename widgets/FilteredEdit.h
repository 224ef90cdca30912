// An edit field that silently drops every character editAccepts refuses,
// whether typed or pasted.
#pragma once
#include <QLineEdit>

namespace qx {

class FilteredEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit FilteredEdit(QWidget* parent = nullptr);

    // `text` without the refused characters.
    static QString filtered(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void dropRefused();
};

} // namespace qx
