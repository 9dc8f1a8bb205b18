#include "shell/Form10.h"

#include "platform/qt/Twips.h"
#include "shell/BuiltInIcons.h"
#include "shell/ShellResources.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

namespace tovarin {

Form10::Form10(QWidget* parent) : QDialog(parent) {
    initShellResources();
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    setModal(true);
    setFixedSize(twipsSize(6255, 1845));

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(twipsRect(240, 240, 480, 480));
    // The designed picture at the label's size, drawn from its SVG twin when the
    // screen's scale asks for more pixels.
    image->setPixmap(programIcon().pixmap(image->size(), image->devicePixelRatioF()));

    label1_ = new QLabel(QStringLiteral("Tovarin Version " TOVARIN_VERSION), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    QFont labelFont = label1_->font();
    labelFont.setPointSize(12);
    label1_->setFont(labelFont);
    label1_->move(twipsPoint(1200, 300));
    label1_->adjustSize();

    command1_ = new QPushButton(QStringLiteral("ＯＫ"), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setGeometry(twipsRect(2400, 1320, 1515, 375));
    command1_->setDefault(true);
    connect(command1_, &QPushButton::clicked, this, &QDialog::accept);

    centreOnScreen();
}

void Form10::showEvent(QShowEvent* event) {
    // Centred again with the window frame, which is known once the box is shown.
    if (!event->spontaneous())
        centreOnScreen();
    QDialog::showEvent(event);
}

void Form10::centreOnScreen() {
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect box = frameGeometry();
    box.moveCenter(screen->availableGeometry().center());
    move(box.topLeft());
}

} // namespace tovarin
