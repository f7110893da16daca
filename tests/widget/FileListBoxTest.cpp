// File1's list: every move of its highlight runs the click handler, which shows the highlighted picture.
#include "settings/FileListBox.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

TEST(FileListBox, EveryMoveOfTheHighlightRunsClickWithTheHighlightedName)
{
    ScratchFolder folder;
    for (const char *name : {"a.bmp", "b.bmp", "c.bmp", ".hidden.bmp"})   // a hidden file is not listed
        folder.write(name, "x");
    FileListBox list;
    list.SetPath(folder.path());
    list.show();
    QStringList clicked;
    QObject::connect(&list, &FileListBox::Click, [&] { clicked << list.FileName(); });
    const auto at = [&](int row) { return list.visualItemRect(list.item(row)).center(); };
    QTest::mousePress(list.viewport(), Qt::RightButton, {}, at(1));
    QTest::mousePress(list.viewport(), Qt::LeftButton, {}, at(0));
    QMouseEvent drag(QEvent::MouseMove, at(2), list.viewport()->mapToGlobal(at(2)), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(list.viewport(), &drag);
    QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, at(2));
    QTest::keyClick(&list, Qt::Key_Up);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at(1));   // the highlighted entry again
    EXPECT_EQ(clicked, QStringList({"b.bmp", "a.bmp", "c.bmp", "b.bmp", "b.bmp"}));
}
