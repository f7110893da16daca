#pragma once

#include <QCursor>

// The pointer's display count, kept like the desktop's own: it starts at 0,
// ShowCursor(false) lowers it, ShowCursor(true) raises it, and the pointer is
// visible while the count is 0 or more. The visibility is applied to every
// window of the program through Qt's override cursor.
class CursorDisplay {
public:
    virtual ~CursorDisplay() = default;

    int ShowCursor(bool show);
    int count() const { return count_; }
    bool visible() const { return count_ >= 0; }

    // What a hidden pointer looks like, for the program's windows and the count alike.
    virtual QCursor blankCursor() const { return QCursor(Qt::BlankCursor); }

protected:
    // Makes the pointer visible or blank; overridden by tests that have no screen.
    virtual void apply(bool visible);

private:
    int count_ = 0;
    bool blanked_ = false;
};
