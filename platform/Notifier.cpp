#include "platform/Notifier.h"

#include "platform/AppInfo.h"
#include "resources/ProgramIcon.h"

#include <QApplication>
#include <QMessageBox>

void QtNotifier::MsgBox(const QString &text, int style, QWidget *parent)
{
    if (silenced_)
        return;
    // The low four bits choose the buttons; values past 5 name no defined set and
    // get the plain OK box. Bits 16, 32, 48 and 64 choose the icon.
    QMessageBox box(parent);
    box.setWindowTitle(AppInfo::title());
    box.setWindowIcon(ProgramIcon::icon());
    box.setText(text);
    switch (style & 0x70) {
    case 16: box.setIcon(QMessageBox::Critical); break;
    case 32: box.setIcon(QMessageBox::Question); break;
    case 48: box.setIcon(QMessageBox::Warning); break;
    case 64: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

void QtNotifier::Beep()
{
    QApplication::beep();
}
