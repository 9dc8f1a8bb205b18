#pragma once
// The About box: program name and version, closed by its "ＯＫ" button.

#include <QDialog>

class QLabel;
class QPushButton;

namespace tovarin {

class Form10 : public QDialog {
    Q_OBJECT
public:
    explicit Form10(QWidget* parent = nullptr);

    QLabel* Label1() const { return label1_; }
    QPushButton* Command1() const { return command1_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void centreOnScreen();

    QLabel* label1_ = nullptr;
    QPushButton* command1_ = nullptr;
};

} // namespace tovarin
